#include "platform/localprocesses.h"

#include "platform/programlookup.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSocketNotifier>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <vector>

#include <csignal>
#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
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

// How often a watched program is looked at to see whether it has ended; the end of its output
// makes it be looked at at once.
constexpr int kReapMilliseconds = 100;
// The most a watched program's output is read in one go, so that one that prints without end
// leaves the event loop its turn.
constexpr qsizetype kReadAtOnce = 1 << 20;

// Starts the program in a session of its own (so that neither Korvane's end nor its terminal
// reaches it), in dir, with an empty standard input and its standard output and error both
// into one pipe, whose reading end (not blocking) goes to *output. It ignores a broken pipe:
// once Korvane has ended, what it prints is lost and it runs on. 0 when it did not start,
// with the reason in *error.
pid_t startInSession(const QString& program, const QStringList& arguments, const QString& dir,
                     int* output, QString* error)
{
    // All the child uses is made before the fork: between the fork and the exec, the child
    // may only make the calls that are safe in a signal handler.
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        words.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const QByteArray directory = QFile::encodeName(dir);

    int pipe[2];
    int report[2]; // closed by the exec; before that, the child writes why it failed
    if (::pipe2(pipe, O_CLOEXEC) != 0) {
        *error = program + QStringLiteral(" could not be started: ") + qt_error_string(errno);
        return 0;
    }
    if (::pipe2(report, O_CLOEXEC) != 0) {
        *error = program + QStringLiteral(" could not be started: ") + qt_error_string(errno);
        ::close(pipe[0]);
        ::close(pipe[1]);
        return 0;
    }
    const int input = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setsid();
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGPIPE, &ignore, nullptr);
        sigset_t none;
        ::sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        if (::dup2(input, STDIN_FILENO) >= 0 && ::dup2(pipe[1], STDOUT_FILENO) >= 0 &&
            ::dup2(pipe[1], STDERR_FILENO) >= 0 && ::chdir(directory.constData()) == 0)
            ::execv(argv[0], argv.data());
        const int failure = errno;
        [[maybe_unused]] const ssize_t told = ::write(report[1], &failure, sizeof failure);
        ::_exit(127);
    }
    int failure = pid < 0 ? errno : 0;
    ::close(pipe[1]);
    ::close(report[1]);
    if (input >= 0)
        ::close(input);
    ssize_t got = 0;
    if (pid > 0) {
        do
            got = ::read(report[0], &failure, sizeof failure);
        while (got < 0 && errno == EINTR);
    }
    ::close(report[0]);
    if (pid < 0 || got > 0) {
        if (pid > 0)
            ::waitpid(pid, nullptr, 0);
        ::close(pipe[0]);
        *error = program + QStringLiteral(" could not be started: ") + qt_error_string(failure);
        return 0;
    }
    ::fcntl(pipe[0], F_SETFL, O_NONBLOCK);
    *output = pipe[0];
    return pid;
}

// A program that StartProcess started: its output is read as it comes, of which the end is
// kept, and it is reaped once it has ended. Dropped while the program runs, it leaves it
// running.
class WatchedRun final : public QObject
{
public:
    WatchedRun(pid_t pid, int output, ProcessWatch watch, QObject* parent)
        : QObject(parent)
        , m_pid(pid)
        , m_output(output)
        , m_reader(output, QSocketNotifier::Read)
        , m_watch(std::move(watch))
    {
        m_started.start();
        connect(&m_reader, &QSocketNotifier::activated, this, [this] {
            if (!take()) { // every writer has gone: the program has ended, or is ending
                m_reader.setEnabled(false);
                reap();
            }
        });
        connect(&m_poll, &QTimer::timeout, this, &WatchedRun::reap);
        m_poll.start(kReapMilliseconds);
    }
    ~WatchedRun() override
    {
        // The notifier lets go of the descriptor before it is closed, and its number reused.
        m_reader.setEnabled(false);
        ::close(m_output);
    }

private:
    // Takes what the program has written; false once every writer has gone.
    bool take()
    {
        char buffer[64 * 1024];
        for (qsizetype taken = 0; taken < kReadAtOnce;) {
            const ssize_t size = ::read(m_output, buffer, sizeof buffer);
            if (size < 0 && errno == EINTR)
                continue;
            if (size <= 0)
                return size < 0;
            m_tail.append(buffer, size);
            keepTheEnd(2 * m_watch.keptBytes);
            taken += size;
        }
        return true;
    }

    // Drops the start of the output when more than most is kept.
    void keepTheEnd(qsizetype most)
    {
        if (m_tail.size() <= most)
            return;
        m_tail.remove(0, m_tail.size() - m_watch.keptBytes);
        m_cut = true;
    }

    void reap()
    {
        int status = 0;
        const pid_t reaped = ::waitpid(m_pid, &status, WNOHANG);
        if (reaped == 0 || (reaped < 0 && errno == EINTR))
            return;
        m_poll.stop();
        if (reaped == m_pid && m_reader.isEnabled())
            take(); // what it wrote last
        m_reader.setEnabled(false);
        deleteLater();
        if (reaped != m_pid || !m_watch.context || !m_watch.ended)
            return;
        keepTheEnd(m_watch.keptBytes);
        ProcessEnd end;
        end.signalled = WIFSIGNALED(status);
        end.code = end.signalled ? WTERMSIG(status) : WEXITSTATUS(status);
        end.output = std::move(m_tail);
        end.outputCut = m_cut;
        end.milliseconds = m_started.elapsed();
        // From the event loop, not from within this run, which is going.
        QTimer::singleShot(0, m_watch.context.data(), [ended = m_watch.ended, end] { ended(end); });
    }

    const pid_t m_pid;
    const int m_output;
    QSocketNotifier m_reader;
    QTimer m_poll;
    QElapsedTimer m_started;
    const ProcessWatch m_watch;
    QByteArray m_tail;
    bool m_cut = false;
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

ProcessStart LocalProcesses::StartProcess(const Command& command, WindowStyle style,
                                          ProcessWatch watch)
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
    int output = -1;
    const pid_t pid =
        startInSession(result.program, command.arguments, m_programDir, &output, &result.error);
    if (pid <= 0)
        return result;
    new WatchedRun(pid, output, std::move(watch), m_watched.get());
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
