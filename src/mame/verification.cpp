#include "mame/verification.h"

#include "platform/textcodec.h"

#include <QLocale>

#include <algorithm>

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

// The set one line of today's MAME's output gives a verdict on, and whether it is good.
struct Verdict
{
    QByteArrayView name;
    bool good = false;
};

std::optional<Verdict> verdictOfLine(QByteArrayView line)
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
    if (rest != " is good" && rest != " is best available" && rest != " is bad")
        return std::nullopt;
    return Verdict{line.first(nameEnd), rest != " is bad"};
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
        if (const std::optional<Verdict> verdict = verdictOfLine(output.sliced(begin, end - begin));
            verdict && verdict->good)
            good.insert(QString::fromUtf8(verdict->name));
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

QString countWithSeparators(qsizetype number)
{
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(qint64(number));
}

QString verifyCounts(qsizetype good, qsizetype notGood)
{
    return (good == 1 ? QStringLiteral("1 set is good")
                      : countWithSeparators(good) + QStringLiteral(" sets are good")) +
           (notGood == 1 ? QStringLiteral(", 1 is not.")
                         : u", " + countWithSeparators(notGood) + QStringLiteral(" are not."));
}

Command verifyCommand(const MameInfo& mame, const QStringList& names)
{
    if (!mame.verifiesManySets())
        return {kProgram, {names.value(0), kVerifySwitch}};
    return {kProgram, QStringList{kVerifySwitch} + names};
}

QList<VerifyRun> verifyRuns(const MameInfo& mame, const QStringList& names, bool everyGame,
                            qsizetype limit)
{
    QList<VerifyRun> runs;
    if (!mame.verifiesManySets()) {
        for (const QString& name : names)
            runs.append({verifyCommand(mame, {name}), {name}});
    } else if (verifiesInOnePass(mame, everyGame)) {
        if (!names.isEmpty())
            runs.append({verifyCommand(mame, {}), names});
    } else {
        const qsizetype fixed = verifyCommand(mame, {}).text().size();
        for (const QStringList& batch : verifyBatches(names, fixed, limit))
            runs.append({verifyCommand(mame, batch), batch});
    }
    return runs;
}

bool verifiesInOnePass(const MameInfo& mame, bool everyGame)
{
    return everyGame && mame.verifiesManySets();
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

VerifyAnswer::VerifyAnswer(const MameInfo& mame, const QStringList& names)
    : m_manySets(mame.verifiesManySets())
    , m_inOrder(names)
{
    m_inOrder.sort();
}

void VerifyAnswer::take(QByteArrayView piece)
{
    while (!piece.isEmpty()) {
        const qsizetype end = piece.indexOf('\n');
        const QByteArrayView part = end < 0 ? piece : piece.first(end);
        if (!m_tooLong && m_line.size() + part.size() > kLongestVerdictLine) {
            m_tooLong = true;
            m_line.clear();
        }
        if (!m_tooLong)
            m_line += part;
        if (end < 0)
            return;
        if (!m_tooLong)
            readLine(m_line);
        m_line.clear();
        m_tooLong = false;
        piece = piece.sliced(end + 1);
    }
}

void VerifyAnswer::finish()
{
    if (!m_tooLong && !m_line.isEmpty())
        readLine(m_line);
    m_line.clear();
    m_tooLong = false;
}

void VerifyAnswer::readLine(QByteArrayView line)
{
    ++m_lines;
    if (!m_manySets) {
        // The classic MAME's verdict is its first line, for its one set.
        if (m_lines == 1 && !m_inOrder.isEmpty()) {
            if (line.endsWith('\r'))
                line.chop(1);
            if (line == kVerifySuccessLine.toLatin1())
                m_good.insert(m_inOrder.first());
            m_done = 1;
        }
        return;
    }
    const std::optional<Verdict> verdict = verdictOfLine(line);
    if (!verdict)
        return;
    const QString name = QString::fromUtf8(verdict->name);
    if (verdict->good)
        m_good.insert(name);
    // Every name before this one has had its turn, this one too. A device, verified after
    // the games, comes before some of them in that order: it never takes the count back.
    const auto at = std::lower_bound(m_inOrder.cbegin(), m_inOrder.cend(), name);
    const int done =
        static_cast<int>(at - m_inOrder.cbegin()) + (at != m_inOrder.cend() && *at == name ? 1 : 0);
    m_done = std::max(m_done, done);
}
