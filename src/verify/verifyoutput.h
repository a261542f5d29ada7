#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// MAME's answer to "-verifyroms" for one set, and the report of a run over many.

// The line that opens the output of a good set, compared whole and exactly.
inline constexpr QStringView kVerifySuccessLine = u"1 romsets found, 1 were OK.";

// At most this many lines of one set's output are read; a longer output is not MAME's.
inline constexpr int kVerifyMaxLines = 51;

// The lines of an output, without their line ends (CR LF or LF). nullopt when it holds no
// line at all (an empty output) or more than kVerifyMaxLines.
std::optional<QStringList> verifyOutputLines(QByteArrayView output);

// The first line of an output; empty for an empty output.
QString verifyFirstLine(QByteArrayView output);

// What the user is told of one set: "Romset NAME correct...", or, when the first line is
// not the success line, "Romset NAME incorrect..." followed by an empty line and the
// output's lines, one a line (CR LF between them).
QString verifyMessage(const QString& name, const QStringList& lines);

// A name from the list, without the spaces at its ends (tabs are kept).
QString trimSpaces(const QString& name);

// The report of a run over many sets: its two heading lines and one line per set that was
// not good, CR LF after each.
QByteArray verifyReport(const QStringList& notGood);
