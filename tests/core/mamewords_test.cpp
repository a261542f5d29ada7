// mamewords_test.cpp: which names may stand as one word of MAME's command line.

#include "mame/mamewords.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A set name is letters, digits, '_' and '-', never first; a recording name is anything that
// stays a file in INP and is no switch.
TEST(MameWordsTest, SetNamesAndRecordingNames)
{
    const struct
    {
        const char* name;
        bool setName;
        bool recordingName;
    } cases[] = {
        {"pacman", true, true},   {"88games", true, true},   {"pac-man", true, true},
        {"_x", true, true},       {"", false, false},        {"-listxml", false, false},
        {"pac man", false, true}, {"a -b", false, true},     {"pac\tman", false, false},
        {"a\"b", false, true},    {"a;b", false, true},      {"a/b", false, false},
        {"..", false, false},     {".hidden", false, false}, {"a\nb", false, false},
        {"a\rb", false, false},   {"a\x7f", false, false},   {"caf\xc3\xa9", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isUsableSetName(QString::fromUtf8(c.name)), c.setName);
        EXPECT_EQ(isUsableSetName(std::string_view(c.name)), c.setName);
        EXPECT_EQ(isUsableRecordingName(QString::fromUtf8(c.name)), c.recordingName);
    }
}

TEST(MameWordsTest, ARefusedNameIsQuotedOnOneLineAndCutShort)
{
    EXPECT_EQ(quotedForMessage(u"a\nb\tc"), u"\"a?b?c\"");
    EXPECT_EQ(quotedForMessage(QString(100, u'x')), u'"' + QString(80, u'x') + u"\u2026\"");
}

} // namespace
