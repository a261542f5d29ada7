// verification_test.cpp: how MAME's answers to a verification are read and judged.

#include "mame/verification.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {

const MameInfo kClassic;
const MameInfo kToday = [] {
    MameInfo today;
    today.dialect = MameDialect::Today;
    return today;
}();

// What an answer says once read a byte at a time, as a pipe may hand it over.
VerifyAnswer readByBytes(const MameInfo& mame, const QStringList& names, QByteArrayView output)
{
    VerifyAnswer answer(mame, names);
    for (qsizetype i = 0; i < output.size(); ++i)
        answer.take(output.sliced(i, 1));
    answer.finish();
    return answer;
}

QByteArray numbered(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "line " + QByteArray::number(i) + "\r\n";
    return text;
}

TEST(VerifyOutput, linesAreReadUpToFiftyOne)
{
    const struct
    {
        QByteArray output;
        std::optional<QStringList> lines;
    } cases[] = {
        // clang-format off
        {"", std::nullopt}, {"\r\n", QStringList{""}}, {"a\r\nb", QStringList{"a", "b"}},
        {"a\nb\n", QStringList{"a", "b"}}, {"a\r\n\r\n", QStringList{"a", ""}},
        {"caf\xe9\r\n", QStringList{"caf\u00e9"}}, // an 8-bit output
        {numbered(52), std::nullopt}, {numbered(51) + "x", std::nullopt},
        {QByteArray(100000, '\n'), std::nullopt},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(verifyOutputLines(c.output), c.lines) << c.output.left(40).toStdString();
    EXPECT_EQ(verifyOutputLines(numbered(51))->size(), 51);
    EXPECT_EQ(verifyFirstLine(""), QString());
}

// The verdicts and the report as the user reads them are pinned with the window's verify
// tests; here, the near misses they do not try, and the trimming of a set's name.
TEST(VerifyOutput, onlyTheClassicCountLineToTheLetterMeansGood)
{
    for (const char* near : {"1 romsets found, 1 were OK. ", "1 Romsets found, 1 were OK.",
                             "\n1 romsets found, 1 were OK."}) {
        EXPECT_TRUE(verifyMessage("pacman", {near}).contains(u"incorrect")) << near;
        EXPECT_TRUE(readByBytes(kClassic, {"pacman"}, near).good().isEmpty()) << near;
    }
    EXPECT_EQ(readByBytes(kClassic, {"pacman"}, "1 romsets found, 1 were OK.\r\nx").good(),
              QSet<QString>{"pacman"});
    EXPECT_EQ(verifyFirstLine("1 romsets found, 1 were OK.\r\nmore"),
              "1 romsets found, 1 were OK.");
    EXPECT_EQ(trimSpaces("  pac man \t "), "pac man \t");
}

TEST(VerifyOutput, todaysMameCallsASetGoodOnlyInItsOwnVerdictLine)
{
    const struct
    {
        const char* what;
        QByteArray output;
        QSet<QString> good;
    } cases[] = {
        {"good", "romset pong is good\n", {"pong"}},
        {"good, with its parent", "romset pacman [puckman] is good\n", {"pacman"}},
        {"best available", "romset pong is best available\r\n", {"pong"}},
        {"best available, with its parent", "romset a2600p [a2600] is best available", {"a2600p"}},
        {"bad after its ROM lines",
         "pacman      : pacman.6e (4096 bytes) - INCORRECT CHECKSUM:\r\n"
         "EXPECTED: CRC(c1e6ab10)\r\n   FOUND: CRC(c71c0011)\r\n"
         "romset pacman [puckman] is bad\r\n",
         {}},
        {"absent", "romset \"pacman\" not found!\n", {}},
        {"unknown", "No matching systems found for 'pacman'\n", {}},
        {"the closing count", "1 romsets found, 1 were OK.\n", {}},
        {"more words after", "romset pacman is good enough\n", {}},
        {"another letter case", "Romset pacman is good\n", {}},
        {"a longer name sharing a prefix",
         "romset pacman [puckman] is bad\r\nromset pacmanf [puckman] is good\r\n"
         "romset pong is best available\nNo matching systems found for 'nosuch'\n",
         {"pacmanf", "pong"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(goodSets(c.output), c.good) << c.what;
        EXPECT_EQ(readByBytes(kToday, {"pacman"}, c.output).good(), c.good) << c.what;
    }
    // A line too long to be a verdict is skipped whole, and the next is read.
    const QByteArray longLine = "romset " + QByteArray(5000, 'x') + " is good\n";
    EXPECT_EQ(readByBytes(kToday, {}, QByteArray(longLine + "romset pong is good")).good(),
              QSet<QString>{"pong"});
}

// Today's MAME gives its verdicts in the order of the set names, the devices after the games:
// the last verdict tells how many of the names asked it is done with.
TEST(VerifyOutput, todaysMameIsDoneWithTheNamesUpToItsLastVerdict)
{
    const QStringList names{"pong", "galaga", "pacman", "zwackery"}; // in list order
    const struct
    {
        QByteArray output;
        int done;
    } cases[] = {
        {"galaga      : gg1.bin (4096 bytes) - NOT FOUND\n", 0}, // its verdict is still to come
        {"romset galaga is bad\n", 1},
        {"romset pacman [puckman] is good\n", 2}, // galaga had no files
        {"romset pacmanf [puckman] is bad\n", 2}, // not asked about, between two that were
        {"romset pong is good\nromset a2600 is good\n", 3}, // a device: never back
        {"romset zzyzx is good\n", 4},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readByBytes(kToday, names, c.output).done(), c.done) << c.output.toStdString();
}

// Sixty lines are the window's verify tests'.
TEST(VerifyOutput, todaysMameOutputIsShownUpToFiftyLines)
{
    const QStringList fifty = shownVerifyLines(numbered(50));
    ASSERT_EQ(fifty.size(), 50);
    EXPECT_EQ(fifty.last(), "line 49");
    EXPECT_EQ(shownVerifyLines(numbered(51)), QStringList(fifty) << "\u2026 and 1 more line");
}

// The singular and the window's own counts are the window's verify tests'; here, thousands
// in any locale.
TEST(VerifyOutput, countsAreWrittenWithACommaBetweenThousands)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(verifyCounts(165, 39207), "165 sets are good, 39,207 are not.");
    EXPECT_EQ(verifyCounts(1234567, 1), "1,234,567 sets are good, 1 is not.");
    QLocale::setDefault(before);
}

TEST(VerifyOutput, setNamesAreBatchedWithinTheCommandLineLimit)
{
    const QStringList names{"ab", "cde", "f", "ghijklmnop", "q"};
    // The fixed part is 10 long; each name adds a space and itself.
    const struct
    {
        qsizetype limit;
        QList<QStringList> batches;
    } cases[] = {
        {100, {names}},
        {19, {{"ab", "cde", "f"}, {"ghijklmnop"}, {"q"}}}, // 10 + 3 + 4 + 2 exactly
        {18, {{"ab", "cde"}, {"f"}, {"ghijklmnop"}, {"q"}}},
        {13, {{"ab"}, {"cde"}, {"f"}, {"ghijklmnop"}, {"q"}}}, // over-long: a batch alone
    };
    for (const auto& c : cases)
        EXPECT_EQ(verifyBatches(names, 10, c.limit), c.batches) << c.limit;
    EXPECT_TRUE(verifyBatches({}, 10, 100).isEmpty());
}

} // namespace
