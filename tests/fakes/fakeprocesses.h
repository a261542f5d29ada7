#pragma once

#include "platform/processes.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QString>
#include <QThread>
#include <QTimer>

#include <functional>

// Records each command line instead of starting anything. Detached starts answer with a
// scripted start; redirected runs write a scripted output and end with a scripted exit code,
// from the event loop, as a real program would.
class FakeProcesses final : public Processes
{
public:
    struct Started
    {
        QString commandLine;
        WindowStyle style;
    };

    // What a redirected run of one command line does.
    struct Answer
    {
        QByteArray output;
        int exitCode = 0;
        bool starts = true;
        bool hangs = false; // runs until killed
    };

    class Run final : public RedirectedRun
    {
    public:
        Run(bool hangs, int exitCode)
            : m_exitCode(exitCode)
        {
            if (!hangs)
                QTimer::singleShot(0, this, [this] { end(); });
        }
        bool isRunning() const override { return m_running; }
        bool exitedNormally() const override { return !m_killed; }
        int exitCode() const override { return m_exitCode; }
        void kill() override
        {
            m_killed = true;
            QTimer::singleShot(0, this, [this] { end(); });
        }
        bool waitForFinished(int) override
        {
            // The end comes from the event loop, which the caller runs between waits.
            if (m_running)
                QThread::msleep(1);
            return !m_running;
        }

    private:
        void end()
        {
            if (!m_running)
                return;
            m_running = false;
            Q_EMIT finished();
        }

        bool m_running = true;
        bool m_killed = false;
        int m_exitCode;
    };

    ProcessStart StartProcess(const QString& commandLine, WindowStyle style) override
    {
        started.append({commandLine, style});
        return result;
    }

    RedirectedStart startRedirected(const QString& commandLine, const QString& outputPath,
                                    ErrorOutput errors = ErrorOutput::Forwarded) override
    {
        redirected.append(commandLine);
        lastErrors = errors;
        const Answer answer = answers.value(commandLine, defaultAnswer);
        if (onStart)
            onStart(commandLine);
        if (!answer.starts)
            return {nullptr, QStringLiteral("MAME"), QStringLiteral("MAME not found")};
        QFile file(outputPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {nullptr, QStringLiteral("/fake/MAME"), file.errorString()};
        file.write(answer.output);
        return {
            std::make_unique<Run>(answer.hangs, answer.exitCode), QStringLiteral("/fake/MAME"), {}};
    }

    // A question is answered from answers too; an answer that hangs is one not given in time.
    ProcessAnswer ask(const QString& commandLine, int) override
    {
        asked.append(commandLine);
        const QString word = commandLine.section(u' ', 0, 0);
        const QString program = programPath(word);
        if (program.isEmpty())
            return {false, 0, {}, word, word + QStringLiteral(" not found")};
        const Answer answer = answers.value(commandLine, questionAnswer);
        if (!answer.starts || answer.hangs)
            return {false, 0, {}, program, program + QStringLiteral(" did not answer")};
        return {true, answer.exitCode, answer.output, program, {}};
    }

    QString programPath(const QString& word) const override
    {
        return programs.value(word, defaultProgram);
    }

    QList<Started> started;
    ProcessStart result{4242, QStringLiteral("/fake/MAME"), {}};

    QStringList redirected;
    QHash<QString, Answer> answers;
    Answer defaultAnswer;
    ErrorOutput lastErrors = ErrorOutput::Forwarded;

    QStringList asked;
    Answer questionAnswer; // what a question not in answers gets: no output, as the classic MAME
    // Where a program word leads: programs, else defaultProgram (empty: found nowhere).
    QHash<QString, QString> programs;
    QString defaultProgram = QStringLiteral("/fake/MAME");
    std::function<void(const QString&)> onStart;
};
