// Which MAME a program word names: the answer to -version, kept per program file, and the
// user's override.

#include "mame/mameidentity.h"
#include "programfixture.h"

namespace {

class MameIdentification : public ProgramFixture
{
protected:
    MameIdentification()
    {
        writeFile("MAME", "first build");
        processes.defaultProgram = path("MAME");
    }

    void answerAsToday()
    {
        processes.answers[version()] = {"0.251 (unknown)", 0};
        processes.answers[showConfig()] = {"rompath                   roms;/usr/share/roms\n", 0};
    }
    QString version() const { return path("MAME") + " -version"; }
    QString showConfig() const { return path("MAME") + " -showconfig"; }

    MameInfo identify() { return MameIdentity(platform).identify("MAME"); }
};

// Today's MAME answers -version with a version from 0.37 on; its rompath and snapshot
// directory come from -showconfig.
TEST_F(MameIdentification, readsTheVersionAndTheFoldersFromMamesAnswers)
{
    // The minor number is read as a whole number.
    // clang-format off
    const std::pair<const char*, std::optional<QString>> versions[] = {
        {"0.251 (unknown)", u"0.251"_qs}, {"0.37b5 (Jun 2000)", u"0.37"_qs}, {"0.0251", u"0.0251"_qs},
        {"0.99999999999999999999", u"0.99999999999999999999"_qs}, {"0.36", std::nullopt},
        {"", std::nullopt}, {" 0.251", std::nullopt}, {"MAME v0.251", std::nullopt},
        {"Usage: mame [options]", std::nullopt},
    };
    // clang-format on
    for (const auto& [answer, version] : versions)
        EXPECT_EQ(todaysMameVersion(answer), version) << answer;
    const std::tuple<const char*, const char*, const char*> configs[] = {
        {"#\n# CORE SEARCH PATH OPTIONS\n#\nhomepath                  .\n"
         "rompath                   roms;/usr/share/games/mame/roms\nhashpath    hash\n"
         "snapshot_directory        $HOME/.mame/snap\nsnapname %g/%i\n",
         "roms;/usr/share/games/mame/roms", "$HOME/.mame/snap"},
        {"rompath                   \"/srv/my roms;roms\"\r\nsnapshot_directory  \"my snaps\"\r\n",
         "/srv/my roms;roms", "my snaps"},
        {"rompathx                  no\nsnapshot_directoryx no\n", "", ""},
        {"homepath .\n", "", ""},
    };
    for (const auto& [config, rompath, snapshots] : configs) {
        EXPECT_EQ(rompathFromConfig(config), QString::fromUtf8(rompath)) << config;
        EXPECT_EQ(snapshotDirectoryFromConfig(config), QString::fromUtf8(snapshots)) << config;
    }
}

TEST_F(MameIdentification, anUnchangedProgramIsAskedOnce)
{
    answerAsToday();
    const MameInfo first = identify();
    EXPECT_EQ(first.dialect, MameDialect::Today);
    EXPECT_EQ(first.version, u"0.251"_qs);
    EXPECT_EQ(first.rompath, u"roms;/usr/share/roms"_qs);
    EXPECT_TRUE(first.asked);
    EXPECT_EQ(processes.asked, (QStringList{version(), showConfig()}));
    EXPECT_EQ(settings.read(u"Emulator"_qs, u"Kind"_qs, {}), u"auto"_qs);

    // Another start: the store answers.
    const MameInfo again = identify();
    EXPECT_FALSE(again.asked);
    EXPECT_EQ(again.dialect, MameDialect::Today);
    EXPECT_EQ(again.rompath, first.rompath);
    EXPECT_EQ(processes.asked.size(), 2);

    // A new build in its place is asked again: now it says nothing, so it is classic.
    writeFile("MAME", "another build, longer");
    processes.answers.clear();
    const MameInfo replaced = identify();
    EXPECT_TRUE(replaced.asked);
    EXPECT_EQ(replaced.dialect, MameDialect::Classic);
    EXPECT_EQ(processes.asked.size(), 3);
    EXPECT_EQ(identify().dialect, MameDialect::Classic);
    EXPECT_EQ(processes.asked.size(), 3);
}

TEST_F(MameIdentification, theUserCanOverrideTheAnswerAndNoAnswerIsTheClassicMame)
{
    settings.write(u"Emulator"_qs, u"Kind"_qs, u"classic"_qs);
    answerAsToday();
    EXPECT_EQ(identify().dialect, MameDialect::Classic);
    EXPECT_TRUE(processes.asked.isEmpty());

    // Said to be today's MAME, a program that answers nothing is; its rompath is asked.
    settings.write(u"Emulator"_qs, u"Kind"_qs, u"Today"_qs);
    processes.answers.remove(version());
    MameInfo info = identify();
    EXPECT_EQ(info.dialect, MameDialect::Today);
    EXPECT_EQ(info.rompath, u"roms;/usr/share/roms"_qs);
    // Back to the answer: the stored one, classic.
    settings.write(u"Emulator"_qs, u"Kind"_qs, u"auto"_qs);
    info = identify();
    EXPECT_EQ(info.dialect, MameDialect::Classic);
    EXPECT_FALSE(info.asked);

    // A program that never answers, or none at all, is the classic MAME.
    writeFile("MAME", "a third build");
    processes.answers[version()] = {"0.251", 0, true, true}; // never answers
    EXPECT_EQ(identify().dialect, MameDialect::Classic);

    processes.defaultProgram.clear();
    processes.asked.clear();
    const MameInfo none = identify();
    EXPECT_TRUE(none.program.isEmpty());
    EXPECT_TRUE(processes.asked.isEmpty());
    EXPECT_EQ(describeMame(none, "MAME"), u"no program MAME was found"_qs);
}

} // namespace
