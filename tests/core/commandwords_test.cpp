// commandwords_test.cpp: splitting a command line into words without a shell.

#include "platform/commandwords.h"

#include <gtest/gtest.h>

namespace {

// Blanks and double quotes are all that count: whatever reaches a command line (a user's
// extra parameters, an alternate build's text) can only become words handed to the program.
TEST(SplitCommandWordsTest, SplitsAtBlanksAndDoubleQuotesAndKeepsShellCharactersLiterally)
{
    const struct
    {
        const char* line;
        QStringList expected;
    } cases[] = {
        // clang-format off
        {"", {}}, {" \t  ", {}}, {"MAME", {"MAME"}},
        {"MAME smashtv -soundcard -1 ", {"MAME", "smashtv", "-soundcard", "-1"}},
        {"  a  \t\t b\t", {"a", "b"}}, {"\ta b  ", {"a", "b"}},
        {"MAME \"Super Game\" x", {"MAME", "Super Game", "x"}},
        {"a\"b c\"d", {"ab cd"}}, {"\"a\"\"b\"", {"ab"}}, {"\"\"", {""}}, {"a \"\" b", {"a", "", "b"}},
        {"a\"\"", {"a"}}, {"\"  \"", {"  "}}, {"a \"b c", {"a", "b c"}}, {"a \"", {"a", ""}},
        {"-rompath \"roms\thacks\"", {"-rompath", "roms\thacks"}},
        {"x; touch /tmp/owned", {"x;", "touch", "/tmp/owned"}}, {"$(reboot)", {"$(reboot)"}},
        {"a&&b | c > out 2>&1 <in", {"a&&b", "|", "c", ">", "out", "2>&1", "<in"}},
        {"`id` $HOME ~ *.zip (x) {y}", {"`id`", "$HOME", "~", "*.zip", "(x)", "{y}"}},
        {"a\\ b c\\\"d", {"a\\", "b", "c\\d"}}, {"'single quoted'", {"'single", "quoted'"}},
        {"a\nb", {"a\nb"}},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitCommandWords(QString::fromUtf8(c.line)), c.expected) << c.line;
}

} // namespace
