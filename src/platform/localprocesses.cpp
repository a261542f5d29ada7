#include "platform/localprocesses.h"

#include "platform/programlookup.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QThread>

#include <algorithm>

#include <csignal>
#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

LocalProcesses::LocalProcesses(const QString& programDir, const QString& pathVariable,
                               const QStringList& systemDirectories)
    : m_programDir(programDir)
    , m_pathVariable(pathVariable)
    , m_systemDirectories(systemDirectories)
{}

namespace {

// The pipe of a piped run, and how long the output of a program that writes little at a time
// is left to gather in it.
constexpr int kPipeBytes = 1 << 20;
constexpr int kNapMilliseconds = 10;

// A child started in a process group of its own, so that ending it ends whatever it started
// too: an emulator that runs helpers, or a script that stands in for the emulator.
void startOwnGroup(QProcess& process)
{
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
}

// Ends the child and every process of its group. Only while the child runs: once it has been
// reaped, its number may belong to another process.
void killGroup(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    if (const qint64 pid = process.processId(); pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
    process.kill();
}

// A child process whose output goes to a file or through a pipe.
class LocalRun final : public RedirectedRun
{
public:
    explicit LocalRun(bool piped)
        : m_piped(piped)
    {
        connect(&m_process, &QProcess::finished, this, &RedirectedRun::finished);
        if (!piped) {
            startOwnGroup(m_process);
            return;
        }
        // A pipe of 1 MiB rather than 64 KiB holds what a program prints while the pipe is
        // left to fill (see waitForFinished).
        m_process.setChildProcessModifier([] {
            ::setpgid(0, 0);
            ::fcntl(STDOUT_FILENO, F_SETPIPE_SZ, kPipeBytes);
        });
    }
    ~LocalRun() override
    {
        // A run dropped while its program still runs ends it rather than leave it behind.
        if (m_process.state() != QProcess::NotRunning) {
            killGroup(m_process);
            m_process.waitForFinished(5000);
        }
    }

    bool isRunning() const override { return m_process.state() != QProcess::NotRunning; }
    bool exitedNormally() const override
    {
        return !m_killed && m_process.exitStatus() == QProcess::NormalExit;
    }
    int exitCode() const override { return m_process.exitCode(); }
    void kill() override
    {
        m_killed = true;
        killGroup(m_process);
    }
    bool waitForFinished(int milliseconds) override
    {
        if (m_process.state() == QProcess::NotRunning)
            return true;
        // QProcess reads the pipe into its own buffer while it waits, so the program is never
        // held up by a full pipe. But it wakes for every write, and a program that writes a
        // few bytes at a time (MAME prints its catalogue in hundreds of thousands of writes)
        // would then pay for a wake-up each: while the output comes in small pieces, the pipe
        // is left to fill for a moment and taken at once.
        if (m_piped && m_lastTaken < kPipeBytes / 4) {
            QThread::msleep(static_cast<unsigned long>(std::min(milliseconds, kNapMilliseconds)));
            return m_process.waitForFinished(0);
        }
        return m_process.waitForFinished(milliseconds);
    }
    QByteArray takeOutput() override
    {
        if (!m_piped)
            return {};
        QByteArray output = m_process.readAllStandardOutput();
        m_lastTaken = output.size();
        return output;
    }

    QProcess m_process;

private:
    const bool m_piped;
    bool m_killed = false;
    qsizetype m_lastTaken = 0;
};

} // namespace

QString LocalProcesses::resolve(const Command& command, QString* error) const
{
    if (command.program.isEmpty()) {
        *error = QStringLiteral("The command names no program.");
        return {};
    }
    const QString program =
        findProgram(command.program, m_programDir, m_pathVariable, m_systemDirectories);
    if (program.isEmpty()) {
        QString places = m_programDir + QStringLiteral(", on PATH");
        for (const QString& dir : m_systemDirectories)
            places += QStringLiteral(" or in ") + dir;
        *error = command.program + QStringLiteral(" not found in ") + places;
    }
    return program;
}

ProcessStart LocalProcesses::StartProcess(const Command& command, WindowStyle style)
{
    // The style is not passed on: on Linux the window manager and the started program
    // decide how its window comes up, and nothing lets one program impose a maximized or
    // minimized state on another's window at start.
    Q_UNUSED(style);

    ProcessStart result;
    result.program = resolve(command, &result.error);
    if (result.program.isEmpty()) {
        result.program = command.program;
        return result;
    }

    // Detached: the program's standard input and output are not captured, it is not a
    // child left to reap, and it keeps running if Korvane ends first.
    qint64 pid = 0;
    if (!QProcess::startDetached(result.program, command.arguments, m_programDir, &pid) ||
        pid <= 0) {
        result.error = result.program + QStringLiteral(" could not be started");
        return result;
    }
    result.taskId = pid;
    return result;
}

RedirectedStart LocalProcesses::startChild(const Command& command, const QString* outputPath,
                                           ErrorOutput errors)
{
    RedirectedStart result;
    result.program = resolve(command, &result.error);
    if (result.program.isEmpty()) {
        result.program = command.program;
        return result;
    }
    // The output file is made here, not by the child, so that a file that cannot be made
    // is told apart from a program that cannot start.
    if (outputPath) {
        QFile output(*outputPath);
        if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            result.error =
                QStringLiteral("%1 cannot be written: %2").arg(*outputPath, output.errorString());
            result.outputFailed = true;
            return result;
        }
    }

    auto run = std::make_unique<LocalRun>(outputPath == nullptr);
    QProcess& process = run->m_process;
    process.setWorkingDirectory(m_programDir);
    process.setStandardInputFile(QProcess::nullDevice());
    if (outputPath)
        process.setStandardOutputFile(*outputPath, QIODevice::Truncate);
    process.setProcessChannelMode(errors == ErrorOutput::InOutput
                                      ? QProcess::MergedChannels
                                      : QProcess::ForwardedErrorChannel);
    process.start(result.program, command.arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(10'000)) {
        result.error =
            result.program + QStringLiteral(" could not be started: ") + process.errorString();
        return result;
    }
    result.run = std::move(run);
    return result;
}

RedirectedStart LocalProcesses::startRedirected(const Command& command, const QString& outputPath,
                                                ErrorOutput errors)
{
    return startChild(command, &outputPath, errors);
}

RedirectedStart LocalProcesses::startPiped(const Command& command)
{
    return startChild(command, nullptr, ErrorOutput::Forwarded);
}

ProcessAnswer LocalProcesses::ask(const Command& command, int milliseconds)
{
    ProcessAnswer answer;
    answer.program = resolve(command, &answer.error);
    if (answer.program.isEmpty()) {
        answer.program = command.program;
        return answer;
    }

    QProcess process;
    startOwnGroup(process);
    process.setWorkingDirectory(m_programDir);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    const QDeadlineTimer deadline(milliseconds);
    process.start(answer.program, command.arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(milliseconds)) {
        answer.error =
            answer.program + QStringLiteral(" could not be started: ") + process.errorString();
        return answer;
    }
    // Taken as it comes, so that an answer that does not end costs no more than the limit
    // and what one read brings.
    QByteArray output;
    const auto stop = [&](const QString& why) {
        killGroup(process);
        process.waitForFinished(5000);
        answer.error = answer.program + why;
        return answer;
    };
    for (;;) {
        output += process.readAllStandardOutput();
        if (output.size() > kLongestAnswer)
            return stop(QStringLiteral(" said more than %1 KiB").arg(kLongestAnswer / 1024));
        if (process.state() == QProcess::NotRunning)
            break;
        if (deadline.hasExpired())
            return stop(QStringLiteral(" did not answer in time"));
        if (!process.waitForReadyRead(static_cast<int>(deadline.remainingTime())) &&
            process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
            // Its output has ended before the program: only its end is awaited now.
            process.waitForFinished(static_cast<int>(deadline.remainingTime()));
        }
    }
    answer.ended = process.exitStatus() == QProcess::NormalExit;
    answer.exitCode = process.exitCode();
    answer.output = std::move(output);
    return answer;
}

QString LocalProcesses::programPath(const QString& word) const
{
    return findProgram(word, m_programDir, m_pathVariable, m_systemDirectories);
}
