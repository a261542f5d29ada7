#include "mame/romsets.h"

#include "platform/localfiles.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// {dir} is the program directory, {home} the home folder.
TEST(RomFolders, comeFromMamesRomPathWithVariablesExpandedAndRelativeFoldersInTheProgramDir)
{
    qputenv("KORVANE_TEST_ROMS", "/srv/sets");
    qunsetenv("KORVANE_TEST_UNSET");
    const struct
    {
        MameDialect dialect;
        const char* rompath;
        const char* config; // the program directory's mame.cfg, when there is one
        QStringList folders;
    } cases[] = {
        {MameDialect::Today,
         "$HOME/mame/roms;/usr/local/share/games/mame/roms;/usr/share/games/mame/roms",
         nullptr,
         {"{home}/mame/roms", "/usr/local/share/games/mame/roms", "/usr/share/games/mame/roms"}},
        {MameDialect::Today,
         "${KORVANE_TEST_ROMS}/a; roms ;~/x;$KORVANE_TEST_UNSET/b;;cost$;${KORVANE_TEST_ROMS",
         "rompath = ignored",
         {"/srv/sets/a", "{dir}/roms", "{home}/x", "/b", "{dir}/cost$",
          "{dir}/${KORVANE_TEST_ROMS"}},
        {MameDialect::Today, "", nullptr, {"{dir}/roms"}},
        {MameDialect::Classic, "/ignored", nullptr, {"{dir}/roms"}},
        {MameDialect::Classic,
         nullptr,
         "[directory]\r\n; rompath = comment\r\nROMPath = \"sets;/opt/roms\"\r\nrompath = second",
         {"{dir}/sets", "/opt/roms"}},
        {MameDialect::Classic, nullptr, "[directory]\nsamplepath = samples\n", {"{dir}/roms"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rompath ? c.rompath : c.config);
        QTemporaryDir dir;
        if (c.config)
            testfiles::write(dir.filePath("mame.cfg"), c.config);
        MameInfo mame;
        mame.dialect = c.dialect;
        mame.rompath = QString::fromUtf8(c.rompath);
        QStringList expected;
        for (QString folder : c.folders)
            expected.append(
                folder.replace("{dir}", dir.path()).replace("{home}", QDir::homePath()));
        EXPECT_EQ(romFolders(mame, LocalFiles(), dir.path()), expected);
    }
}

// Whether names holds exactly these (a few others are tried too).
bool holdsExactly(const RomSetNames& names, const QStringList& expected)
{
    for (const char* other : {"readme", "notes", "notes.zip", "", "a", "b"}) {
        if (names.contains(QString::fromLatin1(other)))
            return false;
    }
    for (const QString& name : expected) {
        if (!names.contains(name) || !names.contains(name.toUpper()))
            return false;
    }
    return names.size() == std::size_t(expected.size());
}

// A set is its .zip, its .7z or its folder, in any letter case, in any of the folders; the
// folders are watched, also one that does not exist yet.
TEST(RomSets, areTheZipsSevenZipsAndFoldersOfTheRomFoldersAndFollowThem)
{
    QTemporaryDir dir;
    const auto at = [&dir](const char* relative) { return dir.filePath(relative); };
    for (const char* file : {"a/Pong.ZIP", "a/galaxian.7z", "a/readme.txt", "a/notes.zip.txt",
                             "a/.zip", "a/MSLUG/201-p1.p1", "b/pong.zip"})
        testfiles::write(at(file));
    QFile::link(at("a/MSLUG"), at("b/NeoGeo"));
    LocalFiles files;
    RomSets sets(files);
    int changed = 0;
    QObject::connect(&sets, &RomSets::changed, [&changed] { ++changed; });

    sets.setFolders({at("missing")});
    EXPECT_FALSE(sets.anyFolderExists());
    sets.setFolders({at("a"), at("b"), at("later/roms")});
    EXPECT_TRUE(sets.anyFolderExists());
    EXPECT_TRUE(holdsExactly(sets.present(), {"galaxian", "mslug", "neogeo", "pong"}));
    EXPECT_EQ(changed, 1);
    sets.setFolders({at("a"), at("b"), at("later/roms")});
    EXPECT_EQ(changed, 1);

    const std::vector<std::pair<std::function<void()>, QStringList>> steps = {
        {[&] { testfiles::write(at("a/bosco.zip")); },
         {"bosco", "galaxian", "mslug", "neogeo", "pong"}},
        {[&] { QFile::remove(at("a/galaxian.7z")); }, {"bosco", "mslug", "neogeo", "pong"}},
        {[&] { testfiles::write(at("later/roms/dkong.zip")); },
         {"bosco", "dkong", "mslug", "neogeo", "pong"}},
    };
    for (const auto& [step, present] : steps) {
        const int before = changed;
        step();
        EXPECT_TRUE(testfiles::eventually([&] { return changed > before; }));
        EXPECT_TRUE(holdsExactly(sets.present(), present));
    }
}

CatalogueEntry game(const char* name, const char* cloneof, const char* romof, RomNeeds roms)
{
    CatalogueEntry entry;
    entry.name = name;
    if (cloneof)
        entry.cloneof = cloneof;
    if (romof)
        entry.romof = romof;
    entry.roms = roms;
    return entry;
}

TEST(GameAvailability, isDecidedAsMameLooksForTheFilesBeforeItStartsAGame)
{
    const CatalogueEntry games[] = {
        game("pong", nullptr, nullptr, RomNeeds::Nothing),
        game("puckman", nullptr, nullptr, RomNeeds::OwnFiles),
        game("pacman", "puckman", "puckman", RomNeeds::OwnFiles),     // split from its parent
        game("pacmanm", "puckman", "puckman", RomNeeds::ParentFiles), // all in its parent's set
        game("mslug", nullptr, "neogeo", RomNeeds::OwnFiles),
        game("mslugc", "mslug", "mslug", RomNeeds::ParentFiles), // its BIOS two steps away
        game("neofree", nullptr, "neogeo", RomNeeds::Nothing),
    };
    GameAvailability availability;
    availability.addBios("neogeo");
    for (const CatalogueEntry& entry : games)
        availability.addGame(entry);

    const std::pair<QStringList, QStringList> cases[] = {
        {{}, {"pong"}},
        {{"puckman"}, {"pong", "puckman", "pacmanm"}},
        {{"pacman"}, {"pong", "pacman"}},
        {{"mslug"}, {"pong"}},
        {{"mslug", "neogeo"}, {"pong", "mslug", "mslugc", "neofree"}},
        {{"neogeo"}, {"pong", "neofree"}},
    };
    for (const auto& [sets, expected] : cases) {
        SCOPED_TRACE(sets.join(',').toStdString());
        RomSetNames present;
        for (const QString& set : sets)
            present.insert(set);
        QStringList available;
        for (const CatalogueEntry& entry : games) {
            if (availability.isAvailable(entry, present))
                available.append(entry.name);
        }
        EXPECT_EQ(available, expected);
    }
}

} // namespace
