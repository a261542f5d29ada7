#include "mame/runfailure.h"

#include "platform/processes.h"
#include "platform/textcodec.h"

#include <QStringList>

#include <csignal>
#include <cstddef>

namespace {

// What the libraries MAME is built on print about the machine it runs on, whatever the game:
// the desktop session, and sound without a device or server to play on (MAME then runs
// silent); and MAME's own summary of how fast it ran. As MAME 0.251 prints them on Debian 12.
const char* const kUnrelatedLineStarts[] = {
    "error: XDG_RUNTIME_DIR",        // SDL, outside a desktop session
    "ALSA lib ",                     // no sound card, no sequencer device
    "Audio: Initialization failed.", // SDL's sound
    "PortAudio: ",
    "PortAudio error: ",
    "Cannot connect to server ", // JACK
    "jack server is not running",
    "JackShmReadWritePtr",
    "Home directory not accessible", // PulseAudio's client
    "Average speed: ",
};

bool saysSomethingAboutTheGame(const QString& line)
{
    if (line.trimmed().isEmpty())
        return false;
    for (const char* start : kUnrelatedLineStarts) {
        if (line.startsWith(QLatin1StringView(start)))
            return false;
    }
    return true;
}

// Today's MAME's documented exit codes: the sentence that says what each means (%1 is " " and
// the game, or nothing), and the start of the line of its output that says no more than it.
struct ExitCode
{
    int number;
    const char* sentence;
    const char* restated;
};

constexpr ExitCode kTodaysExitCodes[] = {
    {1, "MAME could not start%1: it failed a validity check.", nullptr},
    {2, "MAME could not start%1: required files are missing.",
     "Fatal error: Required files are missing"},
    {3, "MAME stopped%1 with a fatal error.", nullptr},
    {4, "MAME could not start%1: a device failed to start.", nullptr},
    {5, "MAME could not start%1: this MAME has no such system.", nullptr},
    {6, "MAME could not start%1: its configuration is invalid.", nullptr},
    {7, "MAME could not start%1: the files it was given are not ROMs.", nullptr},
    {8, "MAME could not start%1: only some of the files it was given were identified.", nullptr},
    {9, "MAME could not start%1: none of the files it was given were identified.", nullptr},
};

// The signals a program is ended by, named as the shell names them.
struct SignalName
{
    int number;
    const char* name;
    const char* meaning;
};

const SignalName kSignals[] = {
    {SIGHUP, "SIGHUP", "hang-up"},
    {SIGINT, "SIGINT", "interrupted"},
    {SIGQUIT, "SIGQUIT", "quit"},
    {SIGILL, "SIGILL", "illegal instruction"},
    {SIGABRT, "SIGABRT", "aborted"},
    {SIGBUS, "SIGBUS", "bus error"},
    {SIGFPE, "SIGFPE", "arithmetic error"},
    {SIGKILL, "SIGKILL", "killed"},
    {SIGSEGV, "SIGSEGV", "segmentation fault"},
    {SIGPIPE, "SIGPIPE", "broken pipe"},
    {SIGTERM, "SIGTERM", "terminated"},
};

// The entry of the table for number; nullptr when there is none.
template <typename Entry, std::size_t size>
const Entry* entryFor(const Entry (&table)[size], int number)
{
    for (const Entry& entry : table) {
        if (entry.number == number)
            return &entry;
    }
    return nullptr;
}

QString signalText(int number)
{
    const SignalName* known = entryFor(kSignals, number);
    if (!known)
        return QStringLiteral("signal %1").arg(number);
    return QStringLiteral("signal %1 (%2, %3)")
        .arg(QString::number(number), QLatin1StringView(known->name),
             QLatin1StringView(known->meaning));
}

// "… and 3 more lines", "… 1 earlier line": %1 in pattern is the count, %2 "line" or "lines".
QString counted(const char* pattern, qsizetype count)
{
    return QString::fromUtf8(pattern).arg(count).arg(count == 1 ? QStringLiteral("line")
                                                                : QStringLiteral("lines"));
}

// The first lines, then how many more follow: what MAME says first is why it did not start.
QStringList firstLines(QStringList lines)
{
    const qsizetype more = lines.size() - kRunFailureShownLines;
    if (more > 0) {
        lines.resize(kRunFailureShownLines);
        lines.append(counted("\u2026 and %1 more %2", more));
    }
    return lines;
}

// The last lines, after how many came before: what a program says last is nearest its end.
QStringList lastLines(QStringList lines)
{
    const qsizetype earlier = lines.size() - kRunFailureShownLines;
    if (earlier > 0) {
        lines.remove(0, earlier);
        lines.prepend(counted("\u2026 %1 earlier %2", earlier));
    }
    return lines;
}

} // namespace

std::optional<RunFailure> runFailure(const MameInfo& mame, const QString& game,
                                     const ProcessEnd& end)
{
    if (!end.signalled && end.code == 0)
        return std::nullopt;
    const QString output = decodeText(end.output, detectEncoding(end.output));
    QStringList lines =
        QString(output).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
    lines.removeIf([](const QString& line) { return !saysSomethingAboutTheGame(line); });

    const QString running = game.isEmpty() ? QString() : QStringLiteral(" running ") + game;
    const ExitCode* known =
        end.signalled || !mame.isToday() ? nullptr : entryFor(kTodaysExitCodes, end.code);
    QString text;
    if (end.signalled) {
        text = QStringLiteral("MAME%1 was ended by %2.").arg(running, signalText(end.code));
        lines = lastLines(lines);
    } else if (!known) {
        text = QStringLiteral("MAME%1 ended with exit code %2.")
                   .arg(running, QString::number(end.code));
        lines = lastLines(lines);
    } else {
        text = QString::fromUtf8(known->sentence)
                   .arg(game.isEmpty() ? QString() : QStringLiteral(" ") + game);
        if (known->restated) {
            lines.removeIf([known](const QString& line) {
                return line.startsWith(QLatin1StringView(known->restated));
            });
        }
        lines = firstLines(lines);
    }
    if (!lines.isEmpty())
        text += QStringLiteral("\n\n") + lines.join(u'\n');

    RunFailure failure{text, output};
    if (end.outputCut)
        failure.details.prepend(QStringLiteral("(MAME printed more: its first lines were not "
                                               "kept.)\n"));
    return failure;
}

bool leavesEmptyRecording(const ProcessEnd& end)
{
    return (end.signalled || end.code != 0) && end.milliseconds < kEmptyRecordingMilliseconds;
}
