#pragma once

#include <QStringView>
#include <QtGlobal>

#include <optional>

// Conversions of option value texts, the same in the settings store and in per-game files.
namespace valuetext {

// The decimal number at the start of text: leading blanks (spaces, tabs) skipped, an
// optional sign, digits, an optional point and fraction digits; the point is the decimal
// separator whatever the locale. 0 when the text does not begin with a number. A number too
// large for a double gives an infinity.
double leadingNumber(QStringView text);

// leadingNumber rounded to the nearest whole number, a half going to the even neighbour
// (2.5 gives 2, 3.5 gives 4); nullopt when the result lies outside minimum to maximum.
std::optional<qint64> wholeNumber(QStringView text, qint64 minimum, qint64 maximum);

// Whole numbers of the sizes that option values are held in.
std::optional<qint16> toInt16(QStringView text);
std::optional<qint32> toInt32(QStringView text);

// "True" or "False" in any letter case, or a text that is a number and nothing else (blanks
// around it allowed), which is false when it is zero. nullopt for any other text.
std::optional<bool> toBoolean(QStringView text);

} // namespace valuetext
