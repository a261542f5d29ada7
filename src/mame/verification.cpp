#include "mame/verification.h"

#include "platform/textcodec.h"

#include <QIODevice>

namespace {

// More than 51 lines of the classic MAME's ever take; an output larger than this is not read.
constexpr qint64 kLargestClassicAnswer = 1 << 20;

// One set's answer of today's MAME is a few hundred lines at most.
constexpr qint64 kLargestTodayAnswer = 16 << 20;

// A line of today's MAME's answer that is longer than this is no verdict.
constexpr qint64 kLongestVerdictLine = 4096;

const QString kProgram = QStringLiteral("MAME.EXE");
const QString kVerifySwitch = QStringLiteral("-verifyroms");

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

Command verifyCommand(const MameInfo& mame, const QStringList& names)
{
    if (!mame.verifiesManySets())
        return {kProgram, {names.value(0), kVerifySwitch}};
    return {kProgram, QStringList{kVerifySwitch} + names};
}

QList<QStringList> verifyRuns(const MameInfo& mame, const QStringList& names, qsizetype limit)
{
    if (mame.verifiesManySets())
        return verifyBatches(names, Command{kProgram, {kVerifySwitch}}.text().size(), limit);
    QList<QStringList> runs;
    for (const QString& name : names)
        runs.append({name});
    return runs;
}

ErrorOutput oneSetErrors(const MameInfo& mame)
{
    return mame.verifiesManySets() ? ErrorOutput::InOutput : ErrorOutput::Forwarded;
}

qint64 largestOneSetAnswer(const MameInfo& mame)
{
    return mame.verifiesManySets() ? kLargestTodayAnswer : kLargestClassicAnswer;
}

std::optional<QString> oneSetMessage(const MameInfo& mame, const QString& name,
                                     const std::optional<QByteArray>& answer,
                                     const EmulatorRunResult& run)
{
    if (!answer || answer->size() > largestOneSetAnswer(mame))
        return std::nullopt;
    if (!mame.verifiesManySets()) {
        const std::optional<QStringList> lines = verifyOutputLines(*answer);
        if (!lines)
            return std::nullopt;
        return verifyMessage(name, *lines, run.crashed());
    }
    if (answer->isEmpty())
        return std::nullopt;
    const bool good = run.status == EmulatorRunResult::Status::Ended && run.exitedNormally &&
                      goodSets(*answer).contains(name);
    QStringList lines = shownVerifyLines(*answer);
    if (run.crashed())
        lines.append(kVerifyCrashedLine.toString());
    return verifyMessage(name, good, lines);
}

QSet<QString> goodSetsOfAnswer(const MameInfo& mame, const QStringList& names, QIODevice& answer)
{
    if (!mame.verifiesManySets()) {
        const QByteArray first = answer.readLine(kLargestClassicAnswer);
        if (names.isEmpty() || verifyFirstLine(first) != kVerifySuccessLine)
            return {};
        return {names.first()};
    }
    QSet<QString> good;
    bool inLongLine = false;
    for (;;) {
        const QByteArray piece = answer.readLine(kLongestVerdictLine);
        if (piece.isEmpty())
            break;
        const bool ended = piece.endsWith('\n');
        if (!inLongLine && (ended || answer.atEnd()))
            good.unite(goodSets(piece));
        inLongLine = !ended;
    }
    return good;
}
