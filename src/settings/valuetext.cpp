#include "settings/valuetext.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace valuetext {

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;

    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    // Collect the digits as ASCII for from_chars, which ignores the locale.
    std::string number;
    bool anyDigit = false;
    auto takeDigits = [&] {
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            number.push_back(static_cast<char>(text[i].unicode()));
            anyDigit = true;
            ++i;
        }
    };
    takeDigits();
    if (i < n && text[i] == u'.') {
        number.push_back('.');
        ++i;
        takeDigits();
    }
    if (!anyDigit)
        return 0.0;

    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range)
        value = std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

std::optional<qint64> wholeNumber(QStringView text, qint64 minimum, qint64 maximum)
{
    // nearbyint rounds in the current rounding mode, which is round-half-to-even.
    const double rounded = std::nearbyint(leadingNumber(text));
    if (!(rounded >= static_cast<double>(minimum) && rounded <= static_cast<double>(maximum)))
        return std::nullopt;
    return static_cast<qint64>(rounded);
}

namespace {

template <typename Int>
std::optional<Int> toWhole(QStringView text)
{
    const auto value =
        wholeNumber(text, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max());
    if (!value)
        return std::nullopt;
    return static_cast<Int>(*value);
}

} // namespace

std::optional<qint16> toInt16(QStringView text)
{
    return toWhole<qint16>(text);
}

std::optional<qint32> toInt32(QStringView text)
{
    return toWhole<qint32>(text);
}

} // namespace valuetext
