// valuetext_test.cpp: the numbers read from the texts of stored options.

#include "options/valuetext.h"

#include <QString>

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace {

// The leading number, with a point as its decimal separator whatever the locale ("3,7" and
// "2.5001"), rounded half to even, within the size the value is held in.
TEST(ValueText, wholeNumbersTakeTheLeadingNumberRoundedHalfToEven)
{
    const struct
    {
        const char* text;
        std::optional<int> expected;
    } cases[] = {
        // clang-format off
        {"0", 0}, {"6", 6}, {"-1", -1}, {"+3", 3},
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"-3.5", -4}, {"2.4999", 2}, {"2.5001", 3},
        {"0.5", 0}, {"1.5", 2}, {".5", 0}, {"1.", 1}, {"-0.4", 0},
        {"  7", 7}, {"\t7", 7}, {"12abc", 12}, {"4 5", 4}, {"3,7", 3}, {"1e3", 1}, {"0x10", 0},
        {"abc", 0}, {"", 0}, {".", 0}, {"-", 0}, {"+-1", 0}, {"- 1", 0},
        {"32767", 32767}, {"-32768", -32768}, {"32767.4", 32767}, {"32767.5", std::nullopt},
        {"32768", std::nullopt}, {"-32769", std::nullopt},
        {"99999999999999999999999999999999999999", std::nullopt},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(valuetext::toInt16(QString::fromLatin1(c.text)), c.expected) << c.text;
    // The slider's values are 32-bit.
    EXPECT_EQ(valuetext::toInt32(u"2147483647"), 2147483647);
    EXPECT_EQ(valuetext::toInt32(u"-2147483648"), std::numeric_limits<qint32>::min());
    EXPECT_FALSE(valuetext::toInt32(u"2147483648").has_value());
}

} // namespace
