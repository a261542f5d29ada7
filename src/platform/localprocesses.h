#pragma once

#include "platform/processes.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Starts programs on this machine: the first word of the command line is looked up with
// findProgram, the other words are handed over as they are, and the program runs detached
// in the program directory. No shell is involved at any point.
class LocalProcesses final : public Processes
{
public:
    // pathVariable is the ':'-separated list searched after the program directory, and
    // systemDirectories are searched after it; tests pass their own, and none of the
    // machine's, so that they never start an emulator installed there.
    LocalProcesses(const QString& programDir, const QString& pathVariable,
                   const QStringList& systemDirectories = {});

    ProcessStart StartProcess(const QString& commandLine, WindowStyle style) override;
    RedirectedStart startRedirected(const QString& commandLine, const QString& outputPath,
                                    ErrorOutput errors = ErrorOutput::Forwarded) override;
    ProcessAnswer ask(const QString& commandLine, int milliseconds) override;
    QString programPath(const QString& word) const override;

private:
    // The program and its arguments of commandLine; an empty program with the reason in
    // *error when there is none to start.
    QString resolve(const QString& commandLine, QStringList* arguments, QString* error) const;

    Q_DISABLE_COPY_MOVE(LocalProcesses)

    const QString m_programDir;
    const QString m_pathVariable;
    const QStringList m_systemDirectories;
};
