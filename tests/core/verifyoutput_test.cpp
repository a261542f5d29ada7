#include "verify/verifyoutput.h"

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
    struct Case
    {
        QByteArray output;
        std::optional<QStringList> lines;
    };
    const Case cases[] = {
        {"", std::nullopt},
        {"\r\n", QStringList{""}},
        {"a\r\nb", QStringList{"a", "b"}},
        {"a\nb\n", QStringList{"a", "b"}},
        {"a\r\n\r\n", QStringList{"a", ""}},
        {"caf\xe9\r\n", QStringList{"caf\u00e9"}}, // an 8-bit output
        {numbered(52), std::nullopt},
        {numbered(51) + "x", std::nullopt},
        {QByteArray(100000, '\n'), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.output.left(40).toStdString());
        EXPECT_EQ(verifyOutputLines(c.output), c.lines);
    }
    EXPECT_EQ(verifyOutputLines(numbered(51))->size(), 51);
    EXPECT_EQ(verifyFirstLine(""), QString());
    EXPECT_EQ(verifyFirstLine("1 romsets found, 1 were OK.\r\nmore"),
              QStringLiteral("1 romsets found, 1 were OK."));
}

TEST(VerifyOutput, theMessageAndTheReport)
{
    EXPECT_EQ(verifyMessage(QStringLiteral("pacman"), {"1 romsets found, 1 were OK.", "x"}),
              QStringLiteral("Romset pacman correct..."));
    EXPECT_EQ(verifyMessage(QStringLiteral("pacman"), {"a", "", "b"}),
              QStringLiteral("Romset pacman incorrect...\r\n\r\na\r\n\r\nb"));
    EXPECT_EQ(
        verifyReport({}),
        QByteArray("These romsets are bad or missing. (NO GOOD DUMPS gives 'bad'...)\r\n\r\n"));
    EXPECT_TRUE(verifyReport({"a", "b"}).endsWith("\r\n\r\na\r\nb\r\n"));
    EXPECT_EQ(trimSpaces(QStringLiteral("  pac man \t ")), QStringLiteral("pac man \t"));
}

} // namespace
