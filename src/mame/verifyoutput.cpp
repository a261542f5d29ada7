#include "mame/verifyoutput.h"

#include "platform/textcodec.h"

namespace {

QStringList splitLines(QByteArrayView output)
{
    QStringList lines = decodeText(output, detectEncoding(output)).split(u'\n');
    // A line end closes the last line: nothing after it is another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

// The name of a set that one line of today's MAME's output calls good, if it does.
std::optional<QByteArrayView> goodSetOfLine(QByteArrayView line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    if (!line.startsWith("romset "))
        return std::nullopt;
    line = line.sliced(7);
    const qsizetype nameEnd = line.indexOf(' ');
    if (nameEnd <= 0)
        return std::nullopt;
    QByteArrayView rest = line.sliced(nameEnd);
    if (rest.startsWith(" [")) {
        const qsizetype close = rest.indexOf(']');
        if (close < 0)
            return std::nullopt;
        rest = rest.sliced(close + 1);
    }
    if (rest != " is good" && rest != " is best available")
        return std::nullopt;
    return line.first(nameEnd);
}

} // namespace

std::optional<QStringList> verifyOutputLines(QByteArrayView output)
{
    // Counting line ends first keeps a huge output from being decoded whole.
    if (output.count('\n') > kVerifyMaxLines)
        return std::nullopt;
    const QStringList lines = splitLines(output);
    if (lines.isEmpty() || lines.size() > kVerifyMaxLines)
        return std::nullopt;
    return lines;
}

QString verifyFirstLine(QByteArrayView output)
{
    const qsizetype end = output.indexOf('\n');
    const QStringList lines = splitLines(end < 0 ? output : output.first(end + 1));
    return lines.isEmpty() ? QString() : lines.first();
}

QString verifyMessage(const QString& name, bool good, const QStringList& lines)
{
    if (good)
        return QStringLiteral("Romset ") + name + QStringLiteral(" correct...");
    QString text = QStringLiteral("Romset ") + name + QStringLiteral(" incorrect...\r\n");
    for (const QString& line : lines)
        text += QStringLiteral("\r\n") + line;
    return text;
}

QString verifyMessage(const QString& name, const QStringList& lines, bool crashed)
{
    if (crashed)
        return verifyMessage(name, false, lines + QStringList{kVerifyCrashedLine.toString()});
    return verifyMessage(name, !lines.isEmpty() && lines.first() == kVerifySuccessLine, lines);
}

QSet<QString> goodSets(QByteArrayView output)
{
    QSet<QString> good;
    qsizetype begin = 0;
    while (begin < output.size()) {
        qsizetype end = output.indexOf('\n', begin);
        if (end < 0)
            end = output.size();
        if (const std::optional<QByteArrayView> name =
                goodSetOfLine(output.sliced(begin, end - begin)))
            good.insert(QString::fromUtf8(*name));
        begin = end + 1;
    }
    return good;
}

QStringList shownVerifyLines(QByteArrayView output)
{
    QStringList lines = splitLines(output);
    if (lines.size() > kVerifyShownLines) {
        const qsizetype more = lines.size() - kVerifyShownLines;
        lines.resize(kVerifyShownLines);
        lines.append(QStringLiteral("\u2026 and %1 more %2")
                         .arg(more)
                         .arg(more == 1 ? QStringLiteral("line") : QStringLiteral("lines")));
    }
    return lines;
}

QList<QStringList> verifyBatches(const QStringList& names, qsizetype fixedLength, qsizetype limit)
{
    QList<QStringList> batches;
    qsizetype length = 0;
    for (const QString& name : names) {
        const qsizetype added = 1 + name.size();
        if (batches.isEmpty() || length + added > limit) {
            batches.append(QStringList());
            length = fixedLength;
        }
        batches.last().append(name);
        length += added;
    }
    return batches;
}

QString trimSpaces(const QString& name)
{
    qsizetype begin = 0;
    qsizetype end = name.size();
    while (begin < end && name[begin] == u' ')
        ++begin;
    while (end > begin && name[end - 1] == u' ')
        --end;
    return name.sliced(begin, end - begin);
}

QByteArray verifyReport(const QStringList& notGood)
{
    QByteArray report = "These romsets are bad or missing. (NO GOOD DUMPS gives 'bad'...)\r\n\r\n";
    for (const QString& name : notGood)
        report += name.toUtf8() + "\r\n";
    return report;
}
