// verification_test.cpp: how MAME's answers to a verification are read and judged.

#include "mame/verification.h"

#include <gtest/gtest.h>

namespace {

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
    for (const char* near : {"1 romsets found, 1 were OK. ", "1 Romsets found, 1 were OK."})
        EXPECT_TRUE(verifyMessage("pacman", {near}).contains(u"incorrect")) << near;
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
    for (const auto& c : cases)
        EXPECT_EQ(goodSets(c.output), c.good) << c.what;
}

// Sixty lines are the window's verify tests'.
TEST(VerifyOutput, todaysMameOutputIsShownUpToFiftyLines)
{
    const QStringList fifty = shownVerifyLines(numbered(50));
    ASSERT_EQ(fifty.size(), 50);
    EXPECT_EQ(fifty.last(), "line 49");
    EXPECT_EQ(shownVerifyLines(numbered(51)), QStringList(fifty) << "\u2026 and 1 more line");
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
