#include "platform/localprocesses.h"

#include "platform/commandwords.h"
#include "platform/programlookup.h"

#include <QProcess>
#include <QStringList>

LocalProcesses::LocalProcesses(const QString& programDir, const QString& pathVariable)
    : m_programDir(programDir)
    , m_pathVariable(pathVariable)
{}

ProcessStart LocalProcesses::StartProcess(const QString& commandLine, WindowStyle style)
{
    // The style is not passed on: on Linux the window manager and the started program
    // decide how its window comes up, and nothing lets one program impose a maximized or
    // minimized state on another's window at start.
    Q_UNUSED(style);

    ProcessStart result;
    QStringList words = splitCommandWords(commandLine);
    if (words.isEmpty()) {
        result.error = QStringLiteral("The command line names no program.");
        return result;
    }

    const QString word = words.takeFirst();
    const QString program = findProgram(word, m_programDir, m_pathVariable);
    if (program.isEmpty()) {
        result.program = word;
        result.error =
            word + QStringLiteral(" not found in ") + m_programDir + QStringLiteral(" or on PATH");
        return result;
    }

    // Detached: the program's standard input and output are not captured, it is not a
    // child left to reap, and it keeps running if Korvane ends first.
    result.program = program;
    qint64 pid = 0;
    if (!QProcess::startDetached(program, words, m_programDir, &pid) || pid <= 0) {
        result.error = program + QStringLiteral(" could not be started");
        return result;
    }
    result.taskId = pid;
    return result;
}
