#include "catalogue/gamelistreader.h"

#include "testfiles.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An entry in one line, fields separated by '|', so that a table can state expectations; what
// a game needs of the ROM folders is added when it needs any file.
std::string brief(const CatalogueEntry& e)
{
    const QString line = e.name + u'|' + e.description + u'|' + e.year + u'|' + e.cloneof + u'|' +
                         e.romof + u'|' + e.manufacturer + u'|' + imageKeyText(e.imageKey);
    const char* const needs[] = {"", "|parent files", "|own files"};
    return line.toStdString() + needs[int(e.roms)];
}

std::vector<std::string> read(const QByteArray& text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    std::vector<std::string> entries;
    EXPECT_TRUE(ReadGameList(
        buffer, [&](CatalogueEntry&& e) { entries.push_back(brief(e)); }, nullptr,
        [&](const QString& bios) { entries.push_back("resource " + bios.toStdString()); }));
    return entries;
}

// MAME's lines, CR LF ended.
QByteArray lines(std::initializer_list<const char*> text)
{
    QByteArray result;
    for (const char* line : text)
        result += QByteArray(line) + "\r\n";
    return result;
}

const struct
{
    const char* what;
    QByteArray input;
    std::vector<std::string> expected;
} kCases[] = {
    // clang-format off
    {"every key line of a game block",
     lines({"game (", "\tname puckman", "\tdescription \"PuckMan (Japan set 1)\"", "\tyear 1980",
            "\tcloneof pacman", "\tromof pacman", "\tmanufacturer \"Namco\"",
            "\trom ( name namcopac.6e size 4096 crc fee263b3 )",
            "\tdriver ( status good color good sound good )", ")"}),
     {"puckman|PuckMan (Japan set 1)|1980|pacman|pacman|Namco|ROM|own files"}},
    {"absent key lines give '?', and a block without a driver line is BADROM at first",
     lines({"game (", "\tname lonely", ")"}), {"lonely|?|?|?|?|?|BADROM"}},
    {"cloneof and romof are reset to '?' for the next game",
     lines({"game (", "\tname clone", "\tcloneof parent", "\tromof parent", ")",
            "game (", "\tname parent", ")"}),
     {"clone|?|?|parent|parent|?|BADROM", "parent|?|?|?|?|?|BADROM"}},
    {"the driver status decides the image key by its first four characters",
     lines({"game (", "\tname a", "\tdriver ( status preliminary color good )", ")",
            "game (", "\tname b", "\tdriver ( status good )", ")",
            "game (", "\tname c", "\tdriver ( status goo )", ")",
            "game (", "\tname d", "\tdriver ( status   goodish", ")"}),
     {"a|?|?|?|?|?|BADROM", "b|?|?|?|?|?|ROM", "c|?|?|?|?|?|BADROM", "d|?|?|?|?|?|ROM"}},
    {"a block without a driver line keeps the image key of the block before",
     lines({"game (", "\tname good", "\tdriver ( status good )", ")",
            "game (", "\tname next", ")"}),
     {"good|?|?|?|?|?|ROM", "next|?|?|?|?|?|ROM"}},
    {"a resource block yields only its name, and its values carry into the next game",
     lines({"resource (", "\tname neogeo", "\tdescription \"Neo-Geo\"", "\tyear 1990",
            "\tmanufacturer \"SNK\"", ")", "game (", "\tname nam1975", "\tdescription \"NAM-1975\"",
            "\tromof neogeo", ")"}),
     {"resource neogeo", "nam1975|NAM-1975|1990|?|neogeo|SNK|BADROM"}},
    {"quoted values keep inner quotes and backslashes; only the last character drops",
     lines({"game (", "\tname q", "\tdescription \"Say \"Hi\" \\o/\"",
            "\tmanufacturer \"A \"B\" C\"", ")"}),
     {"q|Say \"Hi\" \\o/|?|?|?|A \"B\" C|BADROM"}},
    {"key lines indented with spaces or in another letter case are ignored",
     lines({"game (", "    name spaced", "\tName upper", "\tNAME shout", "\tname kept", ")"}),
     {"kept|?|?|?|?|?|BADROM"}},
    {"a game line indented with spaces still opens a block; spaces around ')' are trimmed",
     lines({"   game (", "\tname x", "  )  "}), {"x|?|?|?|?|?|BADROM"}},
    {"a tab before ')' does not end a block, nor does ')' outside a game",
     lines({")", "game (", "\tname x", "\t)", "\tyear 1999", ")"}), {"x|?|1999|?|?|?|BADROM"}},
    {"a ROM line is not a romof line",
     lines({"game (", "\tname x", "\trom ( name x.bin size 1 )", ")"}),
     {"x|?|?|?|?|?|BADROM|own files"}},
    {"files merged from the parent, never dumped, or on a disk",
     lines({"game (", "\tname merged", "\trom ( name a merge b size 1 )", ")",
            "game (", "\tname mixed", "\trom ( name a merge b )", "\trom ( name c )", ")",
            "game (", "\tname undumped", "\trom ( name a size 1 flags nodump )", ")",
            "game (", "\tname chd", "\tdisk ( name hdd sha1 0 )", ")",
            "game (", "\tname none", "\trom", ")"}),
     {"merged|?|?|?|?|?|BADROM|parent files", "mixed|?|?|?|?|?|BADROM|own files",
      "undumped|?|?|?|?|?|BADROM", "chd|?|?|?|?|?|BADROM|own files", "none|?|?|?|?|?|BADROM"}},
    {"values are trimmed of spaces but keep tabs",
     lines({"game (", "\tname   spaced   ", "\tyear \t1984", ")"}),
     {"spaced|?|\t1984|?|?|?|BADROM"}},
    {"a key line with nothing after its key word gives an empty text",
     lines({"game (", "\tname", "\tdescription", "\tmanufacturer \"", "\tyear ", ")"}),
     {"|||?|?||BADROM"}},
    {"the last block without a closing line yields nothing",
     lines({"game (", "\tname done", ")", "game (", "\tname open"}), {"done|?|?|?|?|?|BADROM"}},
    {"a line that only starts like a block opener does nothing",
     lines({"gamex (", "\tname x", ")", "game", "\tname y", ")"}), {}},
    {"the first five characters are compared exactly",
     lines({"game (", "\tnamex y", ")"}), {"x y|?|?|?|?|?|BADROM"}},
    // Line ends.
    {"lone CR ends lines", "game (\r\tname cr\r)\r", {"cr|?|?|?|?|?|BADROM"}},
    {"lone LF ends lines", "game (\n\tname lf\n)\n", {"lf|?|?|?|?|?|BADROM"}},
    {"mixed line ends", "game (\r\n\tname mix\n)\r", {"mix|?|?|?|?|?|BADROM"}},
    {"no line end after the last line", "game (\n\tname last\n)", {"last|?|?|?|?|?|BADROM"}},
    {"an empty file", "", {}},
    {"line ends only", "\r\n\r\n\n\r", {}},
    // Encodings.
    {"valid UTF-8 is decoded as UTF-8",
     "game (\n\tname ut\n\tdescription \"Caf\xc3\xa9 \xe2\x80\xa2\"\n)\n",
     {"ut|Caf\xc3\xa9 \xe2\x80\xa2|?|?|?|?|BADROM"}},
    {"anything else is Windows-1252, where 0x95 is the bullet",
     "game (\n\tname w\n\tdescription \"Caf\xe9 \x95\"\n\tmanufacturer \"\x80\"\n)\n",
     {"w|Caf\xc3\xa9 \xe2\x80\xa2|?|?|?|\xe2\x82\xac|BADROM"}},
    {"positions count characters: a multi-byte character before the value",
     "game (\n\tdriv\xc3\xa9r ( status good )\n\tname x\n)\n",
     {"x|?|?|?|?|?|ROM"}},
    {"the closing quote dropped is one character, not one byte",
     "game (\n\tname x\n\tdescription \"Ab\xc3\xa9\n)\n",
     {"x|Ab|?|?|?|?|BADROM"}},
    // clang-format on
};

TEST(GameListReader, yieldsTheEntriesOfTheBlocks)
{
    for (const auto& c : kCases)
        EXPECT_EQ(read(c.input), c.expected) << c.what;
}

TEST(GameListReader, bytesThatAreNotTextNeverStopTheRead)
{
    QByteArray junk;
    for (int i = 0; i < 200000; ++i)
        junk += static_cast<char>((i * 7919) % 256);
    junk += QByteArray("\ngame (\n\tname a\0b\n)\n", 20);
    const auto entries = read(junk);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], std::string("a\0b|?|?|?|?|?|BADROM", 20));
}

TEST(GameListReader, aLineLongerThanAChunkIsReadWhole)
{
    // Three megabytes in one line, across several chunks of the file reader.
    const QByteArray longName(3 << 20, 'n');
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.gam"));
    testfiles::write(path, "game (\r\n\tname " + longName + "\r\n)\r\ngame (\r\n\tname after\r\n)");

    std::vector<QString> names;
    ASSERT_TRUE(ReadGameList(path, [&](CatalogueEntry&& e) { names.push_back(e.name); }));
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].size(), longName.size());
    EXPECT_EQ(names[1], QStringLiteral("after"));
    // A file without line ends is one line; a missing file is none, and delivers nothing.
    EXPECT_TRUE(read(QByteArray(5 << 20, 'x')).empty());
    EXPECT_FALSE(ReadGameList(dir.filePath("none.gam"), [](CatalogueEntry&&) { ADD_FAILURE(); }));
}

} // namespace
