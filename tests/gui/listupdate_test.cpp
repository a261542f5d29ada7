// Updating the games list from MAME's catalogue, with the stand-in emulator run for real.

#include "fakes/filesizelimit.h"
#include "programfixture.h"

#include <QElapsedTimer>

namespace {

const QByteArray kOldList = gameBlock("pacman", "Pac-Man", "1980", nullptr, nullptr, "good") +
                            gameBlock("galaga", "Galaga", "1981", nullptr, nullptr, "good") +
                            gameBlock("bosco", "Bosconian", "1981", nullptr, nullptr, "imperfect");

class ListUpdate : public ProgramFixture
{
protected:
    ListUpdate()
    {
        writeGames(kOldList);
        useStandin();
    }
};

// The catalogue comes through a pipe into a new file of Korvane's own, in both dialects; it
// takes the old list's place only when MAME ended well and its output was whole. A slow run
// is ended by Cancel.
TEST_F(ListUpdate, replacesTheListOnlyWhenAllWentWell)
{
    const QByteArray digdug = gameBlock("digdug", "Dig Dug", "1982", nullptr, nullptr, "good");
    const QByteArray xmlHead = "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n";
    const QByteArray machine = "<machine name=\"a\"><description>A</description></machine>\n";
    const QByteArray bigXml = xmlHead + machine.repeated(4000) + "</mame>\n";
    // What each run is, a file beside the stand-in ("-MAME": no MAME at all) and its bytes,
    // the start of the problem (nullptr: updated) and the largest file that may be written.
    constexpr rlim_t any = RLIM_INFINITY;
    // clang-format off
    const std::tuple<const char*, bool, const char*, QByteArray, const char*, rlim_t> cases[] = {
        {"classic", false, nullptr, {}, nullptr, any},
        {"exit code", false, "standin-exit.txt", "6", "MAME ended with exit code 6", any},
        {"crashes half-way", false, "standin-crash.txt", "300", "MAME stopped before it had finished", any},
        {"stops inside a block", false, "standin-listinfo.txt", digdug + "game (\n\tname x\n", "MAME's output stops inside a block", any},
        {"no whole game", false, "standin-listinfo.txt", digdug.chopped(6), "MAME's output holds no games", any},
        {"disk full", false, "standin-listinfo.txt", digdug.repeated(2000), "the new list could not be written: ", 64 * 1024},
        {"MAME missing", false, "-MAME", {}, "MAME could not be started (MAME not found in ", any},
        {"cancelled", false, "standin-delay.txt", "20000", "the update was cancelled", any},
        {"today", true, nullptr, {}, nullptr, any},
        {"today: crashes half-way", true, "standin-crash.txt", "700", "MAME stopped before it had finished", any},
        {"today: cut short", true, "standin-listxml.xml", xmlHead + machine, "MAME's catalogue could not be read: ", any},
        {"today: disk full", true, "standin-listxml.xml", bigXml, "the new list could not be written: ", 16 * 1024},
    };
    // clang-format on
    for (const auto& [what, today, file, bytes, problem, sizeLimit] : cases) {
        SCOPED_TRACE(what);
        restart();
        writeGames(kOldList);
        settings.write("Emulator", "Kind", today ? "today" : "classic");
        if (today)
            writeFile("standin-version.txt", "0.251 (unknown)");
        testfiles::installStandin(path("MAME"));
        if (file && file[0] == '-')
            QFile::remove(path(file + 1));
        else if (file)
            writeFile(file, bytes);
        started();
        QTimer poll; // presses Cancel as soon as the run's progress window exists
        QObject::connect(&poll, &QTimer::timeout, [this] {
            if (auto* progress = form->findChild<QProgressDialog*>())
                progress->findChild<QPushButton*>()->click();
        });
        if (QLatin1StringView(what) == "cancelled")
            poll.start(50);
        QElapsedTimer elapsed;
        elapsed.start();
        {
            const FileSizeLimit limit(sizeLimit);
            form->UpdateGamesMenu->trigger();
        }
        EXPECT_LT(elapsed.elapsed(), 10'000); // a cancelled run does not wait for MAME's end
        if (problem) {
            EXPECT_TRUE(lastMessage().startsWith(u"The games list was not updated: "_qs +
                                                 QString::fromUtf8(problem)))
                << lastMessage().toStdString();
            EXPECT_TRUE(lastMessage().endsWith(".\nThe list file " + path("KvCfg/Korvane.gam") +
                                               " is left as it was."));
            EXPECT_EQ(read("KvCfg/Korvane.gam"), kOldList);
        } else {
            EXPECT_EQ(lastMessage(), u"Game list updated!"_qs);
        }
        EXPECT_EQ(form->games()->rowCount(), problem ? 3 : 4);
        // Nothing of the run is left behind: no new file, no lock.
        EXPECT_EQ(QDir(path("KvCfg")).entryList(QDir::Files | QDir::Hidden),
                  QStringList{"Korvane.gam"});
        QFile::remove(path(file ? file : "-"));
        QFile::remove(path("standin-version.txt"));
    }
}

TEST_F(ListUpdate, holdsTheProgramDirectoryAgainstASecondKorvane)
{
    writeFile("standin-delay.txt", "1500");
    started();
    MainForm second(realPlatform);
    second.Form_Load();
    const QString refusal =
        "Another Korvane is updating the games list (or verifying) in " + dir.path() + u'.';
    QStringList saidMeanwhile;
    QTimer::singleShot(300, [&] {
        second.UpdateGamesMenu->trigger();
        second.VerifyAllRomsMenu->trigger(); // its question answered Ok by the fake
        second.GamesListView->selectRow(0);
        second.VerifyCurrentRomMenu->trigger();
        saidMeanwhile = messages.texts();
    });
    form->UpdateGamesMenu->trigger();
    EXPECT_EQ(saidMeanwhile.mid(saidMeanwhile.size() - 4),
              (QStringList{refusal, u"This can be very very long :)\r\n\r\nProceed anyway?"_qs,
                           refusal, refusal}));
    EXPECT_EQ(lastMessage(), u"Game list updated!"_qs);
    // One run of the stand-in: the first window's.
    EXPECT_EQ(read("standin-mame.log").count("arg -listinfo\n"), 1);
}

// An installed program's first start has no list to show: the window comes up at once with
// the hint and, once MAME is known, offers to make the list. The hint goes with the list.
TEST_F(ListUpdate, aNewProgramDirOffersToMakeTheListOnceMameIsKnown)
{
    realPlatform.newProgramDir = true;
    settings.write("Emulator", "Kind", "today");
    writeFile("standin-version.txt", "0.251 (unknown)");
    for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
        SCOPED_TRACE(answer == MessageAnswer::Ok ? "yes" : "no");
        restart();
        QFile::remove(path("KvCfg/Korvane.gam"));
        messages.answers = {answer};
        started();
        QTest::qWait(100);
        const QString offer = u"Update the games list from MAME 0.251 now?"_qs;
        EXPECT_EQ(messages.shown.value(0).buttons, MessageButtons::YesNo);
        if (answer == MessageAnswer::Ok) {
            EXPECT_EQ(messages.texts(), (QStringList{offer, u"Game list updated!"_qs}));
            EXPECT_GT(form->games()->rowCount(), 0);
            EXPECT_TRUE(form->statusText().startsWith(
                u"The games list holds %1 games."_qs.arg(form->games()->rowCount())))
                << form->statusText().toStdString();
        } else {
            EXPECT_EQ(messages.texts(), QStringList{offer});
            EXPECT_TRUE(form->statusText().startsWith(u"There is no games list yet"_qs));
        }
    }
}

} // namespace
