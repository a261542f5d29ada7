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

    RedirectedStart startRedirected(const QString& commandLine, const QString& outputPath) override
    {
        redirected.append(commandLine);
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

    QList<Started> started;
    ProcessStart result{4242, QStringLiteral("/fake/MAME"), {}};

    QStringList redirected;
    QHash<QString, Answer> answers;
    Answer defaultAnswer;
    std::function<void(const QString&)> onStart;
};
