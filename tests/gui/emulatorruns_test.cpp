// Running the emulator and waiting for it: updating the games list and verifying ROM sets,
// with scripted answers and with the stand-in emulator.

#include "fakes/filesizelimit.h"
#include "programfixture.h"
#include "ui/catalogue/gamelist.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistrefresh.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/verify/romverification.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace {

const QByteArray kGood = "1 romsets found, 1 were OK.\r\n";
const QByteArray kHeading =
    "These romsets are bad or missing. (NO GOOD DUMPS gives 'bad'...)\r\n\r\n";
const QString kTrouble = QStringLiteral("Hmmm some problem occured... :'(");
const QString kDone =
    QStringLiteral("Verify done!\r\nSee the results in: Korvane_VerifyReport.txt");

// What the user does to stop a run.
void pressCancel(QWidget* progress)
{
    ASSERT_NE(progress, nullptr);
    progress->findChild<QPushButton*>()->click();
}

class EmulatorRunsTest : public ProgramFixture
{
protected:
    EmulatorRunsTest() { writeFile(QStringLiteral("KvCfg/Korvane.gam"), oldCatalogue()); }

    static QByteArray oldCatalogue()
    {
        return gameBlock("pacman", "Pac-Man", "1980", nullptr, nullptr, "good") +
               gameBlock("galaga", "Galaga", "1981", nullptr, nullptr, "good") +
               gameBlock("bosco", "Bosconian", "1981", nullptr, nullptr, "imperfect");
    }

    // Presses Cancel on the progress window of the run that starts next but skip runs.
    void cancelRun(int skip = 0)
    {
        processes.onStart = [this, skip](const QString&) mutable {
            if (skip-- > 0)
                return;
            processes.onStart = nullptr;
            QTimer::singleShot(0, [] {
                for (QWidget* widget : QApplication::allWidgets()) {
                    if (qobject_cast<QProgressDialog*>(widget))
                        pressCancel(widget);
                }
            });
        };
    }

    // Notes the progress window's label, and whether the main window is minimized, as each
    // run starts.
    void watchRuns()
    {
        processes.onStart = [this](const QString&) {
            minimizedAtStart = form->isMinimized();
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* progress = qobject_cast<QProgressDialog*>(widget))
                    labels.append(progress->labelText());
            }
        };
    }
    QStringList labels;
    bool minimizedAtStart = false;

    // MAME.EXE answers -version as today's MAME does.
    void useTodaysMame() { processes.answers[QStringLiteral("/fake/MAME -version")] = {"0.251"}; }

    static QByteArray lines(int count)
    {
        QByteArray text;
        for (int i = 0; i < count; ++i)
            text += "pacman  : pm" + QByteArray::number(i) + " NOT FOUND\r\n";
        return text;
    }
};

// The update with the stand-in for MAME, its catalogue coming through a pipe into a new file
// of Korvane's own, in both dialects; a slow one is ended by Cancel.
TEST_F(EmulatorRunsTest, anUpdateReplacesTheListOnlyWhenAllWentWell)
{
    useStandin();
    QByteArray big;
    for (int i = 0; big.size() < 200'000; ++i)
        big +=
            gameBlock(("g" + std::to_string(i)).c_str(), "Game", "1980", nullptr, nullptr, "good");
    const QByteArray digdug = gameBlock("digdug", "Dig Dug", "1982", nullptr, nullptr, "good");
    QByteArray bigXml = "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n";
    for (int i = 0; bigXml.size() < 200'000; ++i)
        bigXml += "<machine name=\"m" + QByteArray::number(i) +
                  "\"><description>M</description>"
                  "<driver status=\"good\"/></machine>\n";
    bigXml += "</mame>\n";
    struct Case
    {
        const char* what;
        bool today;
        QList<std::pair<const char*, QByteArray>> files; // beside the stand-in
        const char* problem;                             // the start of it; nullptr: updated
        int rows;                                        // the list's rows afterwards
        rlim_t sizeLimit = RLIM_INFINITY;
        bool cancel = false;
    };
    const Case cases[] = {
        {"classic", false, {}, nullptr, 4},
        {"exit code", false, {{"standin-exit.txt", "6"}}, "MAME ended with exit code 6", 3},
        {"crashes half-way",
         false,
         {{"standin-crash.txt", "300"}},
         "MAME stopped before it had finished",
         3},
        {"stops inside a block",
         false,
         {{"standin-listinfo.txt", digdug + "game (\n\tname x\n"}},
         "MAME's output stops inside a block",
         3},
        {"no whole game",
         false,
         {{"standin-listinfo.txt", digdug.left(digdug.size() - 6)}},
         "MAME's output holds no games",
         3},
        {"disk full",
         false,
         {{"standin-listinfo.txt", big}},
         "the new list could not be written: ",
         3,
         64 * 1024},
        {"MAME missing",
         false,
         {{"-MAME", {}}},
         "MAME could not be started (MAME not found in ",
         3},
        {"cancelled",
         false,
         {{"standin-delay.txt", "20000"}},
         "the update was cancelled",
         3,
         RLIM_INFINITY,
         true},
        {"today", true, {}, nullptr, 4},
        {"today: crashes half-way",
         true,
         {{"standin-crash.txt", "700"}},
         "MAME stopped before it had finished",
         3},
        {"today: cut short",
         true,
         {{"standin-listxml.xml", "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n"
                                  "<machine name=\"a\"><description>A</description></machine>\n"}},
         "MAME's catalogue could not be read: ",
         3},
        {"today: disk full",
         true,
         {{"standin-listxml.xml", bigXml}},
         "the new list could not be written: ",
         3,
         16 * 1024},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.reset();
        messages.shown.clear();
        for (const char* name : {"standin-exit.txt", "standin-crash.txt", "standin-listinfo.txt",
                                 "standin-listxml.xml", "standin-version.txt", "standin-delay.txt"})
            QFile::remove(path(QString::fromLatin1(name)));
        writeFile(QStringLiteral("KvCfg/Korvane.gam"), oldCatalogue());
        settings.write(u"Emulator"_qs, u"Kind"_qs, c.today ? u"today"_qs : u"classic"_qs);
        if (c.today)
            writeFile(QStringLiteral("standin-version.txt"), "0.251 (unknown)");
        testfiles::installStandin(path(QStringLiteral("MAME")));
        for (const auto& [name, bytes] : c.files) {
            if (name[0] == '-')
                QFile::remove(path(QString::fromLatin1(name + 1)));
            else
                writeFile(QString::fromLatin1(name), bytes);
        }
        started();
        QTimer poll; // presses Cancel as soon as the run's progress window exists
        QObject::connect(&poll, &QTimer::timeout, [this, &poll] {
            if (auto* progress = form->findChild<QProgressDialog*>()) {
                poll.stop();
                pressCancel(progress);
            }
        });
        if (c.cancel)
            poll.start(50);
        QElapsedTimer elapsed;
        elapsed.start();
        {
            const FileSizeLimit limit(c.sizeLimit);
            form->UpdateGamesMenu->trigger();
        }
        EXPECT_LT(elapsed.elapsed(), 10'000); // a cancelled run does not wait for MAME's end
        const QString said = messages.texts().last();
        if (c.problem) {
            EXPECT_TRUE(said.startsWith(u"The games list was not updated: "_qs +
                                        QString::fromUtf8(c.problem)))
                << said.toStdString();
            EXPECT_TRUE(said.endsWith(QStringLiteral(".\nThe list file ") +
                                      path(QStringLiteral("KvCfg/Korvane.gam")) +
                                      QStringLiteral(" is left as it was.")));
            EXPECT_EQ(read(QStringLiteral("KvCfg/Korvane.gam")), oldCatalogue());
        } else {
            EXPECT_EQ(said, QStringLiteral("Game list updated!"));
        }
        EXPECT_EQ(form->games()->rowCount(), c.rows);
        // Nothing of the run is left behind: no new file, no lock.
        EXPECT_EQ(QDir(path(QStringLiteral("KvCfg"))).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"Korvane.gam"});
    }
}

// A second Korvane on the same program directory starts nothing while the first updates.
TEST_F(EmulatorRunsTest, oneKorvaneAtATimeUpdatesOrVerifiesInAProgramDirectory)
{
    useStandin();
    writeFile(QStringLiteral("standin-delay.txt"), "1500");
    started();
    MainForm second(realPlatform);
    second.Form_Load();
    const QString refusal = QStringLiteral("Another Korvane is updating the games list (or "
                                           "verifying) in ") +
                            dir.path() + u'.';
    QStringList saidMeanwhile;
    QTimer::singleShot(300, [&] {
        second.UpdateGamesMenu->trigger();
        second.VerifyAllRomsMenu->trigger(); // its question answered Ok by the fake
        second.GamesListView->selectionModel()->select(second.games()->index(0, 0),
                                                       QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
        second.VerifyCurrentRomMenu->trigger();
        saidMeanwhile = messages.texts();
    });
    form->UpdateGamesMenu->trigger();
    EXPECT_EQ(saidMeanwhile.mid(saidMeanwhile.size() - 4),
              (QStringList{refusal, u"This can be very very long :)\r\n\r\nProceed anyway?"_qs,
                           refusal, refusal}));
    EXPECT_EQ(messages.texts().last(), QStringLiteral("Game list updated!"));
    // One run of the stand-in: the first window's.
    EXPECT_EQ(read(QStringLiteral("standin-mame.log")).count("arg -listinfo\n"), 1);
    EXPECT_EQ(form->games()->rowCount(), 4);
}

TEST_F(EmulatorRunsTest, verifyingOneSetTellsItsVerdictOrThatSomethingWentWrong)
{
    const QString incorrect = QStringLiteral("Romset pacman incorrect...\r\n\r\n");
    struct Case
    {
        const char* what;
        bool today;
        FakeProcesses::Answer answer;
        QStringList messages;
    };
    const QString crashed =
        QStringLiteral("\r\nMAME crashed before it had finished: the set is not taken for good.");
    const Case cases[] = {
        {"good", false, {kGood + "more\r\n"}, {"Romset pacman correct..."}},
        // A crash is never success, whatever was printed before it.
        {"crashed after the success line",
         false,
         {kGood, 0, true, false, true},
         {incorrect + kGood.trimmed() + crashed}},
        {"bad",
         false,
         {"pacman  : pm1.6e NOT FOUND\r\nromset pacman is bad\n", 2},
         {incorrect + "pacman  : pm1.6e NOT FOUND\r\nromset pacman is bad"}},
        // Output that cannot be read is removed all the same; a longer one is pinned with the
        // reader.
        {"no output", false, {}, {kTrouble}},
        {"MAME missing", false, {{}, 0, false}, {"mame is not found...", kTrouble}},
        {"cancelled",
         false,
         {kGood, 0, true, true},
         {kTrouble}}, // the same run step for today's MAME
        // Today's MAME is judged by its own verdict line and its output is shown.
        {"today: good", true, {"romset pacman [puckman] is good\n"}, {"Romset pacman correct..."}},
        {"today: bad, 60 lines",
         true,
         {lines(59) + "romset pacman is bad\r\n", 2},
         {incorrect + QString::fromLatin1(lines(50)).trimmed() + "\r\n\u2026 and 10 more lines"}},
        {"today: absent, said on standard error",
         true,
         {"romset \"pacman\" not found!\n", 2},
         {incorrect + "romset \"pacman\" not found!"}},
        {"today: crashed",
         true,
         {"romset pacman is good\n", 0, true, false, true},
         {incorrect + "romset pacman is good" + crashed}},
        {"today: no output", true, {}, {kTrouble}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.reset();
        processes.answers.clear();
        if (c.today)
            useTodaysMame();
        started();
        select(0);
        messages.shown.clear();
        // An answer left by an earlier run is never taken for this one's.
        writeFile(QStringLiteral("KvCfg/Verif.tmp"), kGood);
        processes.defaultAnswer = c.answer;
        if (c.answer.hangs)
            cancelRun();
        form->showMinimized();
        form->VerifyCurrentRomMenu->trigger();
        EXPECT_EQ(processes.redirected.last(),
                  c.today ? u"MAME.EXE -verifyroms pacman"_qs : u"MAME.EXE pacman -verifyroms"_qs);
        EXPECT_EQ(processes.lastErrors, c.today ? ErrorOutput::InOutput : ErrorOutput::Forwarded);
        EXPECT_EQ(messages.texts(), c.messages);
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("KvCfg/Verif.tmp"))));
        EXPECT_EQ(form->isMinimized(), c.messages.last() != kTrouble);
    }

    form->GamesListView->selectionModel()->clear();
    messages.shown.clear();
    const qsizetype runs = processes.redirected.size();
    form->VerifyCurrentRomMenu->trigger();
    EXPECT_EQ(messages.texts(), QStringList{kTrouble});
    EXPECT_EQ(processes.redirected.size(), runs);

    // Nowhere for MAME's answer: that is what the user is told, not that MAME is missing.
    QFile::remove(path(QStringLiteral("KvCfg/Verif.tmp")));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("KvCfg/Verif.tmp")));
    select(0);
    messages.shown.clear();
    form->VerifyCurrentRomMenu->trigger();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.texts()[0].startsWith(QStringLiteral("Nothing was verified: ") +
                                               path(QStringLiteral("KvCfg/Verif.tmp")) +
                                               QStringLiteral(" cannot be written")))
        << messages.texts()[0].toStdString();

    // A set name MAME could take for switches is never passed to it.
    writeFile(
        QStringLiteral("KvCfg/Korvane.gam"),
        gameBlock("pacman -autoboot_script x.lua", "Pac-Man", "1980", nullptr, nullptr, "good"));
    form.reset();
    started();
    select(0);
    messages.shown.clear();
    const qsizetype before = processes.redirected.size();
    form->VerifyCurrentRomMenu->trigger();
    EXPECT_EQ(processes.redirected.size(), before);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.texts()[0].startsWith(QStringLiteral(
        "The row \"Pac-Man\" gives the short name \"pacman -autoboot_script x.lua\"")));
    EXPECT_TRUE(messages.texts()[0].endsWith(QStringLiteral(" Nothing was verified.")));
}

TEST_F(EmulatorRunsTest, verifyingAllWritesTheSetsThatAreNotGoodInListOrder)
{
    processes.answers.insert(QStringLiteral("MAME.EXE pacman -verifyroms"), {kGood});
    processes.answers.insert(QStringLiteral("MAME.EXE galaga -verifyroms"),
                             {"romset galaga is bad\r\n", 2});
    processes.answers.insert(QStringLiteral("MAME.EXE bosco -verifyroms"), {}); // no output
    // A name MAME could misread is not good, and MAME is never asked about it.
    writeFile(QStringLiteral("KvCfg/Korvane.gam"),
              oldCatalogue() + gameBlock("-x y", "X", "1980", nullptr, nullptr, "good"));
    writeFile(QStringLiteral("KvCfg/Verif.tmp"), kGood);
    started();
    watchRuns();
    for (int run = 0; run < 2; ++run) { // the second report replaces the first
        messages.shown.clear();
        form->VerifyAllRomsMenu->trigger();
        EXPECT_EQ(read(QStringLiteral("Korvane_VerifyReport.txt")),
                  kHeading + "galaga\r\nbosco\r\n-x y\r\n");
        EXPECT_EQ(messages.texts(),
                  (QStringList{"This can be very very long :)\r\n\r\nProceed anyway?", kDone}));
    }
    EXPECT_EQ(processes.redirected.size(), 6);
    EXPECT_TRUE(minimizedAtStart);
    EXPECT_EQ(labels.first(), QStringLiteral("Verifying 1 of 4: pacman"));
    EXPECT_FALSE(form->isMinimized());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("KvCfg/Verif.tmp"))));
    processes.onStart = nullptr;

    // Cancel at the question: nothing runs.
    const qsizetype runs = processes.redirected.size();
    messages.answers = {MessageAnswer::Cancel};
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(processes.redirected.size(), runs);

    // Cancel in the middle: the report holds what was judged.
    messages.shown.clear();
    processes.answers[QStringLiteral("MAME.EXE bosco -verifyroms")].hangs = true;
    cancelRun(2);
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(read(QStringLiteral("Korvane_VerifyReport.txt")), kHeading + "galaga\r\n");
    EXPECT_EQ(messages.texts().last(),
              QStringLiteral("Verification cancelled after 2 of 4 sets.\r\n"
                             "See the results in: Korvane_VerifyReport.txt"));
    EXPECT_FALSE(form->isMinimized());

    // A run that crashed is not good, whatever it printed first; when every run crashed,
    // nothing was verified and the last report stays.
    processes.answers.clear();
    processes.answers.insert(QStringLiteral("MAME.EXE pacman -verifyroms"),
                             {kGood, 0, true, false, true});
    processes.defaultAnswer = {kGood};
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(read(QStringLiteral("Korvane_VerifyReport.txt")), kHeading + "pacman\r\n-x y\r\n");
    processes.defaultAnswer = {kGood, 0, true, false, true};
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(messages.texts().last(),
              QStringLiteral("MAME crashed on every set: nothing was verified."));
    EXPECT_EQ(read(QStringLiteral("Korvane_VerifyReport.txt")), kHeading + "pacman\r\n-x y\r\n");

    // Without the emulator: said once, and the last report stays.
    messages.shown.clear();
    processes.answers.clear();
    processes.defaultAnswer = {{}, 0, false};
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("mame crashed?\nMAME not found"));
    EXPECT_EQ(read(QStringLiteral("Korvane_VerifyReport.txt")), kHeading + "pacman\r\n-x y\r\n");
    EXPECT_FALSE(form->isMinimized());

    // An empty list: the heading alone.
    messages.shown.clear();
    processes.defaultAnswer = {kGood};
    form->GamesListTypeCombo->setCurrentIndex(3); // Neo-Geo only: none here
    form->gameList()->GamesListTypeCombo_Click();
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(read(QStringLiteral("Korvane_VerifyReport.txt")), kHeading);
    EXPECT_EQ(messages.texts().last(), kDone);
}

TEST_F(EmulatorRunsTest, todaysMameVerifiesAllInBatchesAndReportsEverySetInListOrder)
{
    QByteArray catalogue;
    for (const char* name : {"pacman", "nosuch", "pac man", "pong", "galaga", "bosco"})
        catalogue += gameBlock(name, name, "1980", nullptr, nullptr, "good");
    writeFile(QStringLiteral("KvCfg/Korvane.gam"), catalogue);
    // Within 40 characters, the sets MAME is asked about go in two runs; "pac man" is not
    // one word and is not asked about.
    const QString first = QStringLiteral("MAME.EXE -verifyroms pacman nosuch pong");
    const QString second = QStringLiteral("MAME.EXE -verifyroms galaga bosco");
    processes.answers.insert(first, {"romset pacman [puckman] is good\n"
                                     "romset pong is best available\n"
                                     "No matching systems found for 'nosuch'\n",
                                     5});
    processes.answers.insert(second, {"galaga      : gg1.bin (4096 bytes) - NOT FOUND\n"
                                      "romset galaga is bad\n"
                                      "1 romsets found, 0 were OK.\n",
                                      2});
    useTodaysMame();
    started();
    form->verification()->setCommandLineLimit(40);
    watchRuns();
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(processes.redirected, (QStringList{first, second}));
    EXPECT_EQ(labels,
              (QStringList{"Verifying sets 1\u20134 of 6...", "Verifying sets 5\u20136 of 6..."}));
    EXPECT_EQ(read(QStringLiteral("Korvane_VerifyReport.txt")),
              kHeading + "nosuch\r\npac man\r\ngalaga\r\nbosco\r\n");
    EXPECT_EQ(messages.texts().last(), kDone);

    // Cancel in the second run: the report holds the first run's sets.
    processes.onStart = nullptr;
    processes.answers[second].hangs = true;
    cancelRun(1);
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(read(QStringLiteral("Korvane_VerifyReport.txt")), kHeading + "nosuch\r\npac man\r\n");
    EXPECT_EQ(messages.texts().last(),
              QStringLiteral("Verification cancelled after 4 of 6 sets.\r\n"
                             "See the results in: Korvane_VerifyReport.txt"));
}

} // namespace
