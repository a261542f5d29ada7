#include "../gui/gameblocks.h"
#include "programsession.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Where the controls are in the main window's client area, in twips.
constexpr QPoint kListType{8983, 180};
constexpr QPoint kCheat{7380, 1657};
constexpr QPoint kPlayback{7920, 2737};
constexpr QPoint kRecordings{9223, 2737};
constexpr QPoint kRecord{7920, 3157};
constexpr QPoint kPlay{8586, 3930};
constexpr QPoint kJoystick{8586, 6765};

constexpr int kUpdateGamesItem = 1; // in the Tools menu
constexpr int kVerifyAllItem = 3;

// In list order. Clones, a Neo-Geo game and preliminary drivers are mixed so that each list
// type shows a number of games of its own.
const QByteArray kCatalogue =
    goodGames({"galeforc"}) + gameBlock("galefrcj", "J", "1990", "galeforc", "galeforc", "good") +
    gameBlock("galefrcp", "P", "1990", "galeforc", "galeforc", "preliminary") +
    gameBlock("mirebog", "M", "1990", nullptr, nullptr, "preliminary") + goodGames({"quartzon"}) +
    gameBlock("thundkic", "T", "1990", nullptr, "neogeo", "good") +
    gameBlock("zyxtrek", "Z", "1990", nullptr, nullptr, "preliminary");

// The words MAME receives for a game with the default option set, then the switches.
QStringList played(const QString& game, const QStringList& switches = {})
{
    return QStringList{game, "-soundcard", "-1"} + switches;
}

class Korvane : public ProgramSession
{
protected:
    void SetUp() override
    {
        ProgramSession::SetUp();
        writeFile("KvCfg/Korvane.gam", kCatalogue);
        writeFile("KvCfg/Korvane.hck",
                  gameBlock("galefrch", "G", "1990", "galeforc", "galeforc", "good") +
                      gameBlock("mirebogx", "M", "1990", "mirebog", "mirebog", "good"));
        // galeforc and quartzon are good sets, mirebog a bad one, the others are missing.
        writeFile("roms/galeforc.zip", QByteArray());
        QDir(path("roms")).mkdir("quartzon");
        writeFile("roms/mirebog.bad", "mb.1a\nmb.2a\n");
    }

    ::testing::AssertionResult lastGameIs(const QString& name)
    {
        return waitUntil([&] { return setting("Games/LastUsed") == name; }, "last game " + name);
    }
};

// The first start shows About before the main window; the next does not, and shows the list
// type chosen last.
TEST_F(Korvane, FirstStartShowsAboutAndEachListTypeIsKeptForTheNextStart)
{
    ASSERT_TRUE(QDir(QFileInfo(settingsFile()).path()).removeRecursively());
    launch();
    ASSERT_TRUE(answer("About...", "Return"));
    ASSERT_TRUE(waitForMainWindow());
    ASSERT_TRUE(waitForCaption(7));
    // The games of each list type in turn, down to "Only prelim drivers".
    for (const int games : {5, 6, 1, 2, 4, 3}) {
        chooseInCombo(kListType, 1);
        ASSERT_TRUE(waitForCaption(games));
    }
    stop();

    ASSERT_TRUE(start());
    EXPECT_FALSE(xdesktop::findWindow("^About\\.\\.\\.$")) << "About came again";
    EXPECT_TRUE(waitForCaption(3)) << "only prelim drivers, chosen last";
}

// A recording is offered for playback at once, without a restart. A downloaded hack list and
// a recording's file name try to give MAME switches of their own: the hack is refused with a
// message, the file name reaches MAME as one word.
TEST_F(Korvane, ChosenGameIsRecordedAndPlayedBackAndNoFieldOfAFileAddsAWordForMame)
{
    ASSERT_TRUE(start());
    chooseRow(0);
    ASSERT_TRUE(lastGameIs("galeforc"));
    clickAt(kRecord);
    ASSERT_TRUE(ranAs(1, played("galeforc", {"-record", "galeforc"})));
    // Until the recording is offered, Playback says there is nothing to play back.
    ASSERT_TRUE(waitUntil(
        [&] {
            clickAt(kPlayback);
            return runs().size() >= 2;
        },
        "the recording played back"));
    EXPECT_EQ(runs()[1], played("galeforc", {"-playback", "galeforc"}));

    writeFile("KvCfg/Korvane.hck",
              gameBlock("hx9", "Hostile Hack", "1990",
                        "pong -video none -seconds_to_run 6 -autoboot_script hx9/boot.lua", "pong",
                        "good") +
                  gameBlock("galefrch", "G", "1990", "galeforc", "galeforc", "good"));
    writeFile("INP/a -autoboot_script evil.lua.INP", "x");
    chooseInCombo(kListType, 4); // Home hacks
    ASSERT_TRUE(waitForCaption(2));
    chooseRow(0);
    ASSERT_TRUE(lastGameIs("hx9"));
    clickAt(kPlay);
    ASSERT_TRUE(answer("Korvane", "Return")); // the refusal
    chooseRow(1);
    ASSERT_TRUE(lastGameIs("galefrch"));
    chooseInCombo(kRecordings, -1); // the new file, before galeforc
    clickAt(kPlayback);
    const QStringList hostile{"galeforc",
                              "-romdir",
                              "galefrch",
                              "-soundcard",
                              "-1",
                              "-playback",
                              "a -autoboot_script evil.lua"};
    EXPECT_TRUE(waitUntil([&] { return runs().last() == hostile; }, "the file played back"));
    for (const QStringList& run : runs())
        EXPECT_FALSE(run.contains("-autoboot_script")) << run.join(u' ').toStdString();
}

// "Available games" follows the ROM folder: a set copied in shows at once. A game MAME cannot
// start (the stand-in replays the real MAME's missing files) is explained in a message once
// MAME has ended.
TEST_F(Korvane, AvailableGamesFollowTheRomFolderAndAPlayThatMameCannotStartIsExplained)
{
    ASSERT_TRUE(start());
    chooseInCombo(kListType, 7);
    ASSERT_TRUE(waitForCaption(2)) << "galeforc and quartzon";
    writeFile("roms/ZYXTREK.7z", QByteArray());
    ASSERT_TRUE(waitForCaption(3)) << "zyxtrek copied in";
    testfiles::replay(path(""), testfiles::recordedRun("pacman"));
    chooseRow(0);
    ASSERT_TRUE(lastGameIs("galeforc"));
    clickAt(kPlay);
    ASSERT_TRUE(ranAs(1, played("galeforc")));
    EXPECT_TRUE(answer("Korvane", "Return"));
}

// Ctrl+F finds a game by its short name and Enter starts it; Ctrl+D marks the chosen game as
// a favorite, which "Favorites" shows at the next start.
TEST_F(Korvane, AGameFoundWithCtrlFStartsAndAFavoriteIsListedAtTheNextStart)
{
    ASSERT_TRUE(start());
    press({"ctrl+f", "z", "y", "x"});
    ASSERT_TRUE(waitForCaption(1)) << "zyxtrek alone";
    press({"Return"});
    ASSERT_TRUE(ranAs(1, played("zyxtrek")));
    EXPECT_TRUE(lastGameIs("zyxtrek"));
    press({"Escape"});
    ASSERT_TRUE(waitForCaption(7));
    chooseRow(4);
    ASSERT_TRUE(lastGameIs("quartzon"));
    press({"ctrl+d"});
    ASSERT_TRUE(waitUntil([&] { return readFile("KvCfg/Favorites.txt") == "quartzon\n"; },
                          "quartzon in the favorites file"));
    stop();

    ASSERT_TRUE(start());
    chooseInCombo(kListType, 8);
    EXPECT_TRUE(waitForCaption(1)) << "quartzon alone";
}

// F5 saves a game's settings, which it plays with and F8 deletes; F12 gives the list the
// whole window and back.
TEST_F(Korvane, GameSettingsAreSavedRestoredAndDeletedAndTheListFillsTheWindow)
{
    ASSERT_TRUE(start());
    chooseRow(0);
    ASSERT_TRUE(lastGameIs("galeforc"));
    clickAt(kCheat);
    chooseInCombo(kJoystick, 2); // "Auto detection"
    press({"F5"});
    const QString file = path("KvCfg/galeforc.kv");
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(file); }, file));
    // A game without a file of its own plays with the default set; galeforc with its own.
    chooseRow(1);
    press({"Return"});
    ASSERT_TRUE(ranAs(1, played("galefrcj")));
    chooseRow(0);
    press({"Return"});
    ASSERT_TRUE(ranAs(2, played("galeforc", {"-cheat", "-joy", "auto"})));

    // Cancelled, the file stays: F8 asks again, which it does only when there is a file.
    press({"F8"});
    ASSERT_TRUE(answer("Korvane", "Escape"));
    press({"F8"});
    ASSERT_TRUE(answer("Korvane", "Return"));
    EXPECT_TRUE(waitUntil([&] { return !QFile::exists(file); }, "galeforc.kv to go"));

    // In the full window the list covers the option panel: a click there chooses a row.
    press({"F12"});
    clickAt(kCheat);
    ASSERT_TRUE(waitUntil([&] { return setting("Games/LastUsed") != "galeforc"; },
                          "a row chosen where the option panel was"));
    const QString covering = setting("Games/LastUsed");
    press({"F12"});
    clickAt(kCheat); // the check box again
    clickAt(kPlay);
    EXPECT_TRUE(ranAs(3, played(covering, {"-cheat"})));
}

// F9 verifies one set and Tools verifies them all; an update from a MAME that fails keeps
// the old list, one that succeeds replaces it.
TEST_F(Korvane, VerifiesAndUpdatesTheListThroughMame)
{
    const QByteArray fresh = goodGames({"arcwing", "bramblex", "cindertx"});
    writeFile("standin-listinfo.txt", fresh);
    ASSERT_TRUE(start());
    for (const int row : {0, 3}) {
        chooseRow(row);
        press({"F9"});
        ASSERT_TRUE(answer("Korvane", "Return"));
    }
    EXPECT_EQ(runs(),
              (QList<QStringList>{{"galeforc", "-verifyroms"}, {"mirebog", "-verifyroms"}}));

    chooseToolsItem(kVerifyAllItem);
    ASSERT_TRUE(answer("Korvane", "Return")); // proceed
    ASSERT_TRUE(
        waitUntil([&] { return QFile::exists(path("Korvane_VerifyReport.txt")); }, "the report"));
    ASSERT_TRUE(answer("Korvane", "Return")); // done
    EXPECT_EQ(readFile("Korvane_VerifyReport.txt"),
              "These romsets are bad or missing. (NO GOOD DUMPS gives 'bad'...)\r\n\r\n"
              "galefrcj\r\ngalefrcp\r\nmirebog\r\nthundkic\r\nzyxtrek\r\n");
    EXPECT_EQ(runs().size(), 2 + 7);

    writeFile("standin-exit.txt", "6");
    chooseToolsItem(kUpdateGamesItem);
    ASSERT_TRUE(answer("Korvane", "Return"));
    EXPECT_EQ(readFile("KvCfg/Korvane.gam"), kCatalogue);
    EXPECT_TRUE(waitForCaption(7));
    ASSERT_TRUE(QFile::remove(path("standin-exit.txt")));
    chooseToolsItem(kUpdateGamesItem);
    ASSERT_TRUE(waitForCaption(3));
    ASSERT_TRUE(answer("Korvane", "Return"));
    EXPECT_EQ(readFile("KvCfg/Korvane.gam"), fresh);
    EXPECT_EQ(runs().mid(9), QList<QStringList>(2, {"-listinfo"}));
}

} // namespace
