#include "verify/verifyoutput.h"

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

QString verifyMessage(const QString& name, const QStringList& lines)
{
    if (!lines.isEmpty() && lines.first() == kVerifySuccessLine)
        return QStringLiteral("Romset ") + name + QStringLiteral(" correct...");
    QString text = QStringLiteral("Romset ") + name + QStringLiteral(" incorrect...\r\n");
    for (const QString& line : lines)
        text += QStringLiteral("\r\n") + line;
    return text;
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
