// Running the emulator and waiting for it: updating the games list and verifying ROM sets,
// with scripted answers and with the stand-in emulator.

#include "catalogue/gamelist.h"
#include "catalogue/gamelistmodel.h"
#include "catalogue/gamelistrefresh.h"
#include "catalogue/gamelistview.h"
#include "programfixture.h"
#include "verify/romverification.h"

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

    QByteArray read(const QString& relative) const
    {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    void select(int row)
    {
        form->GamesListView->selectionModel()->select(form->games()->index(row, 0),
                                                      QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
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
    void useTodaysMame()
    {
        processes.answers[QStringLiteral("\"/fake/MAME\" -version")] = {"0.251"};
    }

    static QByteArray lines(int count)
    {
        QByteArray text;
        for (int i = 0; i < count; ++i)
            text += "pacman  : pm" + QByteArray::number(i) + " NOT FOUND\r\n";
        return text;
    }
};

TEST_F(EmulatorRunsTest, anUpdateReplacesTheListOnlyWhenMameGaveOne)
{
    const QByteArray newCatalogue =
        gameBlock("digdug", "Dig Dug", "1982", nullptr, nullptr, "good");
    struct Case
    {
        const char* what;
        FakeProcesses::Answer answer;
        const char* problem; // nullptr: the update succeeds
    };
    const Case cases[] = {
        {"MAME missing", {{}, 0, false}, "MAME could not be started (MAME not found)"},
        {"exit code", {newCatalogue, 6}, "MAME ended with exit code 6"},
        {"no whole game",
         {newCatalogue.left(newCatalogue.size() - 6)},
         "MAME's output holds no games"},
        {"cancelled", {newCatalogue, 0, true, true}, "the update was cancelled"},
        {"success", {newCatalogue}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.reset();
        messages.shown.clear();
        writeFile(QStringLiteral("KvCfg/Korvane.gam"), oldCatalogue());
        processes.defaultAnswer = c.answer;
        if (c.answer.hangs)
            cancelRun();
        started();
        form->UpdateGamesMenu->trigger();
        EXPECT_EQ(processes.redirected.last(), QStringLiteral("MAME -listinfo"));
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("KvCfg/Korvane.gam.new"))));
        const QString gam = QDir::toNativeSeparators(path(QStringLiteral("KvCfg/Korvane.gam")));
        if (c.problem) {
            EXPECT_EQ(read(QStringLiteral("KvCfg/Korvane.gam")), oldCatalogue());
            EXPECT_EQ(form->games()->rowCount(), 3); // reloaded from the old file
            EXPECT_EQ(messages.texts().last(), QStringLiteral("The games list was not updated: ") +
                                                   c.problem + QStringLiteral(".\nThe list file ") +
                                                   gam + QStringLiteral(" is left as it was."));
        } else {
            EXPECT_EQ(read(QStringLiteral("KvCfg/Korvane.gam")), newCatalogue);
            EXPECT_EQ(form->games()->rowCount(), 1);
            EXPECT_EQ(messages.texts().last(), QStringLiteral("Game list updated!"));
        }
    }
    form->WriteOptimizedMenu->trigger();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("Later..."));
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
        bool outputLeft = false;
    };
    const Case cases[] = {
        {"good", false, {kGood + "more\r\n"}, {"Romset pacman correct..."}},
        {"bad",
         false,
         {"pacman  : pm1.6e NOT FOUND\r\nromset pacman is bad\n", 2},
         {incorrect + "pacman  : pm1.6e NOT FOUND\r\nromset pacman is bad"}},
        // Output that cannot be read is left for a look; a longer one is pinned with the reader.
        {"no output", false, {}, {kTrouble}, true},
        {"MAME missing", false, {{}, 0, false}, {"mame is not found...", kTrouble}},
        {"cancelled", false, {kGood, 0, true, true}, {kTrouble}},
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
        {"today: no output", true, {}, {kTrouble}, true},
        {"today: cancelled", true, {"romset pacman is good\n", 0, true, true}, {kTrouble}},
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
        EXPECT_EQ(QFile::exists(path(QStringLiteral("KvCfg/Verif.tmp"))), c.outputLeft);
        EXPECT_EQ(form->isMinimized(), c.messages.last() != kTrouble);
    }

    form->GamesListView->selectionModel()->clear();
    messages.shown.clear();
    const qsizetype runs = processes.redirected.size();
    form->VerifyCurrentRomMenu->trigger();
    EXPECT_EQ(messages.texts(), QStringList{kTrouble});
    EXPECT_EQ(processes.redirected.size(), runs);
}

TEST_F(EmulatorRunsTest, verifyingAllWritesTheSetsThatAreNotGoodInListOrder)
{
    processes.answers.insert(QStringLiteral("MAME.EXE pacman -verifyroms"), {kGood});
    processes.answers.insert(QStringLiteral("MAME.EXE galaga -verifyroms"),
                             {"romset galaga is bad\r\n", 2});
    processes.answers.insert(QStringLiteral("MAME.EXE bosco -verifyroms"), {}); // no output
    writeFile(QStringLiteral("KvCfg/Verif.tmp"), kGood);
    started();
    watchRuns();
    for (int run = 0; run < 2; ++run) { // the second report replaces the first
        messages.shown.clear();
        form->VerifyAllRomsMenu->trigger();
        EXPECT_EQ(read(QStringLiteral("Korvane_VerifyReport.txt")),
                  kHeading + "galaga\r\nbosco\r\n");
        EXPECT_EQ(messages.texts(),
                  (QStringList{"This can be very very long :)\r\n\r\nProceed anyway?", kDone}));
    }
    EXPECT_TRUE(minimizedAtStart);
    EXPECT_EQ(labels.first(), QStringLiteral("Verifying 1 of 3: pacman"));
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
              QStringLiteral("Verification cancelled after 2 of 3 sets.\r\n"
                             "See the results in: Korvane_VerifyReport.txt"));
    EXPECT_FALSE(form->isMinimized());

    // Without the emulator: said once, and the last report stays.
    messages.shown.clear();
    processes.answers.clear();
    processes.defaultAnswer = {{}, 0, false};
    form->VerifyAllRomsMenu->trigger();
    EXPECT_EQ(messages.texts().last(), QStringLiteral("mame crashed?\nMAME not found"));
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(read(QStringLiteral("Korvane_VerifyReport.txt")), kHeading + "galaga\r\n");
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

// Updating and verifying through the stand-in are the end-to-end tests'; here, a real
// emulator that is slow to answer.
TEST_F(EmulatorRunsTest, aSlowEmulatorIsEndedByCancelAndTheOldListStays)
{
    useStandin();
    started();
    writeFile(QStringLiteral("standin-delay.txt"), "20000");
    QTimer poll; // presses Cancel as soon as the run's dialog exists
    QObject::connect(&poll, &QTimer::timeout, [this, &poll] {
        if (auto* progress = form->findChild<QProgressDialog*>()) {
            poll.stop();
            pressCancel(progress);
        }
    });
    poll.start(50);
    QElapsedTimer elapsed;
    elapsed.start();
    form->UpdateGamesMenu->trigger();
    EXPECT_LT(elapsed.elapsed(), 10'000);
    EXPECT_TRUE(messages.texts().last().contains(QStringLiteral("the update was cancelled")));
    EXPECT_EQ(form->games()->rowCount(), 3);
}

} // namespace
