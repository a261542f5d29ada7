#include "options/valuetext.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace valuetext {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

struct Scan
{
    double value = 0.0;
    bool found = false; // at least one digit
    qsizetype end = 0;  // the position after the number, or 0 when none was found
};

// Reads the number at the start of text, after leading blanks.
Scan scanNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
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
        return {};

    Scan scan{0.0, true, i};
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), scan.value);
    (void)end;
    if (error == std::errc::result_out_of_range)
        scan.value = std::numeric_limits<double>::infinity();
    if (negative)
        scan.value = -scan.value;
    return scan;
}

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

double leadingNumber(QStringView text)
{
    return scanNumber(text).value;
}

std::optional<qint64> wholeNumber(QStringView text, qint64 minimum, qint64 maximum)
{
    // nearbyint rounds in the current rounding mode, which is round-half-to-even.
    const double rounded = std::nearbyint(leadingNumber(text));
    if (!(rounded >= static_cast<double>(minimum) && rounded <= static_cast<double>(maximum)))
        return std::nullopt;
    return static_cast<qint64>(rounded);
}

std::optional<qint16> toInt16(QStringView text)
{
    return toWhole<qint16>(text);
}

std::optional<qint32> toInt32(QStringView text)
{
    return toWhole<qint32>(text);
}

std::optional<bool> toBoolean(QStringView text)
{
    if (text.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    const Scan scan = scanNumber(text);
    if (!scan.found)
        return std::nullopt;
    for (qsizetype i = scan.end; i < text.size(); ++i) {
        if (!isBlank(text[i]))
            return std::nullopt;
    }
    return scan.value != 0.0;
}

} // namespace valuetext
