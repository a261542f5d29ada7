// Verifying ROM sets with MAME: one set and the whole list, with scripted answers.

#include "catalogue/listtype.h"
#include "programfixture.h"
#include "ui/verify/romverification.h"

namespace {

const QByteArray kGood = "1 romsets found, 1 were OK.\r\n";
const QByteArray kHeading =
    "These romsets are bad or missing. (NO GOOD DUMPS gives 'bad'...)\r\n\r\n";
const QString kTrouble = u"Hmmm some problem occured... :'("_qs;
const QString kProceed = u"This can be very very long :)\r\n\r\nProceed anyway?"_qs;

using Answer = FakeProcesses::Answer;
const Answer kCrash{kGood, 0, true, false, true};

class VerifyRoms : public ProgramFixture
{
protected:
    VerifyRoms()
    {
        writeGames(gameBlock("pacman", "Pac-Man", "1980", nullptr, nullptr, "good") +
                   gameBlock("galaga", "Galaga", "1981", nullptr, nullptr, "good") +
                   gameBlock("bosco", "Bosconian", "1981", nullptr, nullptr, "imperfect"));
        // As each run starts: notes the progress window's label and whether the main window
        // is minimized, and presses Cancel when cancelIn, counted down at each start, is 0.
        processes.onStart = [this](const QString&) {
            minimizedAtStart = form->isMinimized();
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* progress = qobject_cast<QProgressDialog*>(widget))
                    labels.append(progress->labelText());
            }
            if (cancelIn-- == 0) {
                QTimer::singleShot(0, [] {
                    for (QWidget* widget : QApplication::allWidgets()) {
                        if (qobject_cast<QProgressDialog*>(widget))
                            widget->findChild<QPushButton*>()->click();
                    }
                });
            }
        };
    }

    QStringList labels;
    bool minimizedAtStart = false;
    int cancelIn = -1;

    void useTodaysMame() { processes.answers["/fake/MAME -version"] = {"0.251"}; }

    QByteArray report() const { return read("Korvane_VerifyReport.txt"); }
    // The last message of a run over the list, which ended with these counts ("1 set is good,
    // 3 are not.") or was cancelled after this many sets ("2 of 4").
    QString said(const QString& counts, const QString& cancelledAfter = {}) const
    {
        const QString how = cancelledAfter.isEmpty()
                                ? u"Verify done!\r\n"_qs
                                : "Verification cancelled after " + cancelledAfter + " sets.\r\n";
        return how + counts + "\r\nSee the results in: " + path("Korvane_VerifyReport.txt");
    }
};

// Verifying the selected set says what MAME made of it; a crash is never success,
// whatever was printed before it. Today's MAME is judged by its own verdict line, and its
// output is shown.
TEST_F(VerifyRoms, oneSetTellsItsVerdictOrThatSomethingWentWrong)
{
    const QString incorrect = u"Romset pacman incorrect...\r\n\r\n"_qs;
    const QByteArray missing = "pacman  : pm1.6e NOT FOUND\r\n";
    const QString crashed =
        u"\r\nMAME crashed before it had finished: the set is not taken for good."_qs;
    // clang-format off
    const std::tuple<const char*, bool, Answer, QStringList> cases[] = {
        {"good", false, {kGood + "more\r\n"}, {"Romset pacman correct..."}},
        {"crashed after the success line", false, kCrash, {incorrect + kGood.trimmed() + crashed}},
        {"bad", false, {missing + "romset pacman is bad\n", 2},
         {incorrect + missing + "romset pacman is bad"}},
        {"no output", false, {}, {kTrouble}},
        {"MAME missing", false, {{}, 0, false}, {"mame is not found...", kTrouble}},
        {"cancelled", false, {kGood, 0, true, true}, {kTrouble}},
        {"today: good", true, {"romset pacman [puckman] is good\n"}, {"Romset pacman correct..."}},
        {"today: bad, 60 lines", true, {missing.repeated(59) + "romset pacman is bad\r\n", 2},
         {incorrect + QString::fromLatin1(missing.repeated(50)).trimmed() + "\r\n\u2026 and 10 more lines"}},
        {"today: crashed", true, {"romset pacman is good\n", 0, true, false, true},
         {incorrect + "romset pacman is good" + crashed}},
        {"today: no output", true, {}, {kTrouble}},
    };
    // clang-format on
    for (const auto& [what, today, answer, said] : cases) {
        SCOPED_TRACE(what);
        restart();
        processes.answers.clear();
        if (today)
            useTodaysMame();
        started();
        select(0);
        messages.shown.clear();
        // An answer left by an earlier run is never taken for this one's.
        writeFile("KvCfg/Verif.tmp", kGood);
        processes.defaultAnswer = answer;
        if (answer.hangs)
            cancelIn = 0;
        form->showMinimized();
        form->VerifyCurrentRomMenu->trigger();
        EXPECT_EQ(processes.redirected.last(),
                  today ? u"MAME.EXE -verifyroms pacman"_qs : u"MAME.EXE pacman -verifyroms"_qs);
        // Today's MAME says some verdicts on standard error, which goes into its answer.
        EXPECT_EQ(processes.lastErrors, today ? ErrorOutput::InOutput : ErrorOutput::Forwarded);
        EXPECT_EQ(messages.texts(), said);
        EXPECT_FALSE(QFile::exists(path("KvCfg/Verif.tmp")));
        // Only a verdict leaves the window as it was; trouble brings it back.
        EXPECT_EQ(form->isMinimized(), said.last() != kTrouble);
    }

    // No set selected: nothing runs.
    form->GamesListView->selectRow(-1);
    messages.shown.clear();
    const qsizetype runs = processes.redirected.size();
    form->VerifyCurrentRomMenu->trigger();
    EXPECT_EQ(messages.texts(), QStringList{kTrouble});
    EXPECT_EQ(processes.redirected.size(), runs);

    // Nowhere for MAME's answer: that is what the user is told, not that MAME is missing.
    ASSERT_TRUE(QDir(dir.path()).mkpath("KvCfg/Verif.tmp"));
    select(0);
    messages.shown.clear();
    form->VerifyCurrentRomMenu->trigger();
    EXPECT_TRUE(lastMessage().startsWith("Nothing was verified: " + path("KvCfg/Verif.tmp") +
                                         " cannot be written"))
        << lastMessage().toStdString();
    EXPECT_EQ(messages.shown.size(), 1);

    // A set name MAME could take for switches is never passed to it.
    writeGames(
        gameBlock("pacman -autoboot_script x.lua", "Pac-Man", "1980", nullptr, nullptr, "good"));
    restart();
    shown();
    select(0);
    const qsizetype before = processes.redirected.size();
    QTest::keyClick(form.get(), Qt::Key_F9);
    EXPECT_EQ(processes.redirected.size(), before);
    EXPECT_EQ(messages.texts(), QStringList{"The row \"Pac-Man\" gives the short name \"pacman "
                                            "-autoboot_script x.lua\", which cannot be passed to "
                                            "MAME: a set name holds only letters, digits, '_' and "
                                            "'-', and does not begin with '-'. Nothing was "
                                            "verified."});
}

TEST_F(VerifyRoms, allSetsWritesTheSetsThatAreNotGoodInListOrder)
{
    processes.answers.insert("MAME.EXE pacman -verifyroms", {kGood});
    processes.answers.insert("MAME.EXE galaga -verifyroms", {"romset galaga is bad\r\n", 2});
    processes.answers.insert("MAME.EXE bosco -verifyroms", {}); // no output
    // A name MAME could misread is not good, and MAME is never asked about it.
    writeGames(read("KvCfg/Korvane.gam") +
               gameBlock("-x y", "X", "1980", nullptr, nullptr, "good"));
    writeFile("KvCfg/Verif.tmp", kGood);
    started();
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(report(), kHeading + "galaga\r\nbosco\r\n-x y\r\n");
    EXPECT_EQ(messages.texts(), (QStringList{kProceed, said("1 set is good, 3 are not.")}));
    EXPECT_EQ(processes.redirected.size(), 3);
    EXPECT_TRUE(minimizedAtStart);
    EXPECT_EQ(labels.first(), u"Verifying 1 of 4: pacman"_qs);
    EXPECT_FALSE(form->isMinimized());
    EXPECT_FALSE(QFile::exists(path("KvCfg/Verif.tmp")));

    // Cancel at the question: nothing runs.
    const qsizetype runs = processes.redirected.size();
    messages.answers = {MessageAnswer::Cancel};
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(processes.redirected.size(), runs);

    // Cancel in the middle: the report holds what was judged.
    processes.answers["MAME.EXE bosco -verifyroms"].hangs = true;
    cancelIn = 2;
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(report(), kHeading + "galaga\r\n");
    EXPECT_EQ(lastMessage(), said("1 set is good, 1 is not.", "2 of 4"));
    EXPECT_FALSE(form->isMinimized());

    // A run that crashed is not good, whatever it printed first; when every run crashed,
    // nothing was verified and the last report stays.
    processes.answers.clear();
    processes.answers.insert("MAME.EXE pacman -verifyroms", kCrash);
    processes.defaultAnswer = {kGood};
    form->VerifyAllRomsMenu->trigger();
    const QByteArray lastReport = kHeading + "pacman\r\n-x y\r\n";
    EXPECT_EQ(report(), lastReport);
    processes.defaultAnswer = kCrash;
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(lastMessage(), u"MAME crashed on every set: nothing was verified."_qs);
    EXPECT_EQ(report(), lastReport);

    // Without the emulator: said once, and the last report stays.
    messages.shown.clear();
    processes.answers.clear();
    processes.defaultAnswer = {{}, 0, false};
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(messages.texts(), (QStringList{kProceed, "mame crashed?\nMAME not found"}));
    EXPECT_EQ(report(), lastReport);
    EXPECT_FALSE(form->isMinimized());

    // An empty list: the heading alone.
    processes.defaultAnswer = {kGood};
    choose(3); // Neo-Geo only: none here
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(report(), kHeading);
    EXPECT_EQ(lastMessage(), said("0 sets are good, 0 are not."));
}

// Over the full list, today's MAME is asked once about every set it has, and a game it gives
// no verdict on is not good; over any other list, it is asked about the sets listed, as many
// as a command line holds a run. Either way, every set is reported in list order.
TEST_F(VerifyRoms, todaysMameVerifiesTheFullListInOneRunAndOtherListsInBatches)
{
    writeGames(goodGames({"pacman", "nosuch", "pac man", "pong", "galaga", "bosco"}));
    // Within 40 characters, the sets MAME is asked about go in two runs; "pac man" is not
    // one word and is not asked about.
    const QString first = u"MAME.EXE -verifyroms pacman nosuch pong"_qs;
    const QString second = u"MAME.EXE -verifyroms galaga bosco"_qs;
    const QString every = u"MAME.EXE -verifyroms"_qs;
    processes.answers.insert(first, {"romset pacman [puckman] is good\n"
                                     "romset pong is best available\n"
                                     "No matching systems found for 'nosuch'\n",
                                     5});
    processes.answers.insert(second, {"galaga      : gg1.bin (4096 bytes) - NOT FOUND\n"
                                      "romset galaga is bad\n1 romsets found, 0 were OK.\n",
                                      2});
    // In the order of the names, and a device after the games.
    processes.answers.insert(every, {"galaga      : gg1.bin (4096 bytes) - NOT FOUND\n"
                                     "romset galaga is bad\nromset pacman [puckman] is good\n"
                                     "romset pong is best available\nromset z80clock is good\n"
                                     "4 romsets found, 3 were OK.\n",
                                     2});
    useTodaysMame();
    started();
    form->verification()->setCommandLineLimit(40);
    const struct
    {
        int listType;
        QStringList runs;
        QStringList labels;
    } cases[] = {
        {FullList, {every}, {"Verifying all 6 sets..."}},
        {AllExceptClones,
         {first, second},
         {"Verifying sets 1\u20134 of 6...", "Verifying sets 5\u20136 of 6..."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.listType);
        choose(c.listType);
        processes.redirected.clear();
        labels.clear();
        form->VerifyAllRomsMenu->trigger();
        EXPECT_EQ(processes.redirected, c.runs);
        EXPECT_EQ(labels, c.labels);
        EXPECT_EQ(report(), kHeading + "nosuch\r\npac man\r\ngalaga\r\nbosco\r\n");
        EXPECT_EQ(lastMessage(), said("2 sets are good, 4 are not."));
    }

    // The games found in the full list are only some: MAME is asked about them by name.
    choose(FullList);
    form->FindMenu->trigger();
    form->gameList()->FindText_Change(u"pong"_qs);
    processes.redirected.clear();
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(processes.redirected, QStringList{u"MAME.EXE -verifyroms pong"_qs});
    form->gameList()->FindClose_Click();

    // Cancel in the second run: the report holds the first run's sets.
    choose(AllExceptClones);
    processes.answers[second].hangs = true;
    cancelIn = 1;
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(report(), kHeading + "nosuch\r\npac man\r\n");
    EXPECT_EQ(lastMessage(), said("2 sets are good, 2 are not.", "4 of 6"));
}

// MAME for real, pausing before each set: the progress moves as its verdicts come, before
// the run ends, and Cancel ends it there.
TEST_F(VerifyRoms, theProgressMovesWithMamesVerdictsAndCancelEndsMame)
{
    useStandin();
    writeFile("standin-version.txt", "0.251 (unknown)\n");
    writeFile("standin-pace.txt", "150");
    writeGames(goodGames({"alpha", "bravo", "charlie", "delta"}));
    writeFile("roms/alpha.zip", "PK");
    writeFile("roms/charlie.bad", "c1.bin");
    writeFile("roms/delta/d1.bin", "");
    writeFile("roms/zulu.zip", "PK"); // not listed
    started();
    QList<int> seen;
    bool cancel = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(widget);
            if (progress && progress->isVisible() && progress->value() > 0) {
                seen.append(progress->value());
                if (cancel)
                    progress->findChild<QPushButton*>()->click();
            }
        }
    });
    poll.start(20);
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(report(), kHeading + "bravo\r\ncharlie\r\n");
    EXPECT_EQ(lastMessage(), said("2 sets are good, 2 are not."));
    // Nothing but MAME's verdicts moves the bar before the run has ended.
    EXPECT_FALSE(seen.isEmpty());

    const qsizetype ended = read("standin-mame.log").count("end\n");
    cancel = true;
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(lastMessage(), said("0 sets are good, 0 are not.", "0 of 4"));
    EXPECT_EQ(read("standin-mame.log").count("end\n"), ended); // ended before it could log
}

} // namespace
