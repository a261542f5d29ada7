#include "platform/localprocesses.h"

#include "platform/commandwords.h"
#include "platform/programlookup.h"

#include <QProcess>
#include <QStringList>

LocalProcesses::LocalProcesses(const QString& programDir, const QString& pathVariable,
                               const QStringList& systemDirectories)
    : m_programDir(programDir)
    , m_pathVariable(pathVariable)
    , m_systemDirectories(systemDirectories)
{}

namespace {

// A child process whose output goes to a file.
class LocalRun final : public RedirectedRun
{
public:
    LocalRun() { connect(&m_process, &QProcess::finished, this, &RedirectedRun::finished); }
    ~LocalRun() override
    {
        // A run dropped while its program still runs ends it rather than leave it behind.
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
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
        m_process.kill();
    }
    bool waitForFinished(int milliseconds) override
    {
        return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(milliseconds);
    }

    QProcess m_process;

private:
    bool m_killed = false;
};

} // namespace

QString LocalProcesses::resolve(const QString& commandLine, QStringList* arguments,
                                QString* error) const
{
    *arguments = splitCommandWords(commandLine);
    if (arguments->isEmpty()) {
        *error = QStringLiteral("The command line names no program.");
        return {};
    }
    const QString word = arguments->takeFirst();
    const QString program = findProgram(word, m_programDir, m_pathVariable, m_systemDirectories);
    if (program.isEmpty()) {
        QString places = m_programDir + QStringLiteral(", on PATH");
        for (const QString& dir : m_systemDirectories)
            places += QStringLiteral(" or in ") + dir;
        *error = word + QStringLiteral(" not found in ") + places;
        return word;
    }
    return program;
}

ProcessStart LocalProcesses::StartProcess(const QString& commandLine, WindowStyle style)
{
    // The style is not passed on: on Linux the window manager and the started program
    // decide how its window comes up, and nothing lets one program impose a maximized or
    // minimized state on another's window at start.
    Q_UNUSED(style);

    ProcessStart result;
    QStringList words;
    result.program = resolve(commandLine, &words, &result.error);
    if (!result.error.isEmpty())
        return result;

    // Detached: the program's standard input and output are not captured, it is not a
    // child left to reap, and it keeps running if Korvane ends first.
    qint64 pid = 0;
    if (!QProcess::startDetached(result.program, words, m_programDir, &pid) || pid <= 0) {
        result.error = result.program + QStringLiteral(" could not be started");
        return result;
    }
    result.taskId = pid;
    return result;
}

RedirectedStart LocalProcesses::startRedirected(const QString& commandLine,
                                                const QString& outputPath, ErrorOutput errors)
{
    RedirectedStart result;
    QStringList words;
    result.program = resolve(commandLine, &words, &result.error);
    if (!result.error.isEmpty())
        return result;

    auto run = std::make_unique<LocalRun>();
    QProcess& process = run->m_process;
    process.setWorkingDirectory(m_programDir);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(outputPath, QIODevice::Truncate);
    process.setProcessChannelMode(errors == ErrorOutput::InOutput
                                      ? QProcess::MergedChannels
                                      : QProcess::ForwardedErrorChannel);
    process.start(result.program, words, QIODevice::ReadOnly);
    if (!process.waitForStarted(10'000)) {
        result.error =
            result.program + QStringLiteral(" could not be started: ") + process.errorString();
        return result;
    }
    result.run = std::move(run);
    return result;
}

ProcessAnswer LocalProcesses::ask(const QString& commandLine, int milliseconds)
{
    ProcessAnswer answer;
    QStringList words;
    answer.program = resolve(commandLine, &words, &answer.error);
    if (!answer.error.isEmpty())
        return answer;

    QProcess process;
    process.setWorkingDirectory(m_programDir);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(answer.program, words, QIODevice::ReadOnly);
    if (!process.waitForStarted(milliseconds)) {
        answer.error =
            answer.program + QStringLiteral(" could not be started: ") + process.errorString();
        return answer;
    }
    if (!process.waitForFinished(milliseconds)) {
        process.kill();
        process.waitForFinished(5000);
        answer.error = answer.program + QStringLiteral(" did not answer in time");
        return answer;
    }
    answer.ended = process.exitStatus() == QProcess::NormalExit;
    answer.exitCode = process.exitCode();
    answer.output = process.readAllStandardOutput();
    return answer;
}

QString LocalProcesses::programPath(const QString& word) const
{
    return findProgram(word, m_programDir, m_pathVariable, m_systemDirectories);
}
