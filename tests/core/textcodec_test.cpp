#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TextCodec, utf8ValidityFollowsTheStandard)
{
    const struct
    {
        std::string bytes;
        bool valid;
    } cases[] = {
        // clang-format off
        {"", true}, {"plain ASCII, long enough for the eight-byte path", true},
        {"\xc3\xa9", true}, {"\xe2\x80\xa2", true}, {"\xf0\x9f\x8e\xae", true},
        {"\xf4\x8f\xbf\xbf", true}, {std::string("nul\0inside", 10), true},
        {"\xc3", false}, {"\xe2\x80", false},                              // cut short
        {"\x80", false},                                                   // lone continuation
        {"\xc0\xaf", false}, {"\xe0\x80\xaf", false}, {"\xf0\x80\x80\xaf", false}, // overlong
        {"\xed\xa0\x80", false},                                           // surrogate
        {"\xf4\x90\x80\x80", false},                                       // past U+10FFFF
        {"\xff", false}, {"Caf\xe9", false},                               // Windows-1252
        // clang-format on
    };
    // Whole, and in two chunks cut anywhere: a sequence split between them is completed by
    // the next.
    for (const auto& c : cases) {
        EXPECT_EQ(isValidUtf8(QByteArrayView(c.bytes.data(), qsizetype(c.bytes.size()))), c.valid)
            << c.bytes;
        for (std::size_t cut = 0; cut <= c.bytes.size(); ++cut) {
            Utf8Validator validator;
            validator.feed(c.bytes.data(), cut);
            validator.feed(c.bytes.data() + cut, c.bytes.size() - cut);
            EXPECT_EQ(validator.finish(), c.valid) << c.bytes << " cut at " << cut;
        }
    }
}

TEST(TextCodec, windows1252MapsItsOwnRangeAndLatin1)
{
    EXPECT_EQ(decodeWindows1252("\x95"), QString(QChar(0x2022)));
    EXPECT_EQ(decodeWindows1252("\x80\x9f"), QStringLiteral("\u20ac\u0178"));
    EXPECT_EQ(decodeWindows1252("\xa9\xe9\xff"), QStringLiteral("\u00a9\u00e9\u00ff"));
    EXPECT_EQ(decodeWindows1252("\x81\x8d"), QStringLiteral("\u0081\u008d"));
    EXPECT_EQ(decodeWindows1252(QByteArrayView("a\0b", 3)), QStringView(u"a\0b", 3).toString());
}

} // namespace
