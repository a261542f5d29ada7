#pragma once

#include "platform/processes.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <memory>

// Starts programs on this machine: the program word is looked up with findProgram, the
// arguments are handed over as they are, and the program runs in the program directory. No
// shell is involved at any point.
class LocalProcesses final : public Processes
{
public:
    // pathVariable is the ':'-separated list searched after the program directory, and
    // systemDirectories are searched after it; tests pass their own, and none of the
    // machine's, so that they never start an emulator installed there.
    LocalProcesses(const QString& programDir, const QString& pathVariable,
                   const QStringList& systemDirectories = {});

    ProcessStart StartProcess(const Command& command, WindowStyle style,
                              ProcessWatch watch = {}) override;
    RedirectedStart startRedirected(const Command& command, const QString& outputPath,
                                    ErrorOutput errors = ErrorOutput::Forwarded) override;
    RedirectedStart startPiped(const Command& command) override;
    ProcessAnswer ask(const Command& command, int milliseconds) override;
    QString programPath(const QString& word) const override;

private:
    // The program that command names; empty, with the reason in *error, when there is none.
    QString resolve(const Command& command, QString* error) const;
    // Starts command as a child with its output in the file at outputPath, or through a pipe
    // when outputPath is nullptr.
    RedirectedStart startChild(const Command& command, const QString* outputPath,
                               ErrorOutput errors);

    Q_DISABLE_COPY_MOVE(LocalProcesses)

    const QString m_programDir;
    const QString m_pathVariable;
    const QStringList m_systemDirectories;
    // The parent of the programs StartProcess watches; dropped, it leaves them running.
    const std::unique_ptr<QObject> m_watched = std::make_unique<QObject>();
};
