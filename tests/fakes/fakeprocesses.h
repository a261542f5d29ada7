#pragma once

#include "platform/processes.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QString>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <functional>
#include <utility>

// Records each command instead of starting anything. Game starts answer with a scripted start
// and end; redirected and piped runs give a scripted output and end with a scripted exit code,
// or crash, from the event loop, as a real program would. Scripts are found by the command's
// text (its words joined by blanks).
class FakeProcesses final : public Processes
{
public:
    struct Started
    {
        Command command;
        QString commandLine; // command.text()
        WindowStyle style;
    };

    // What a redirected run of one command line does.
    struct Answer
    {
        QByteArray output;
        int exitCode = 0;
        bool starts = true;
        bool hangs = false;   // runs until killed
        bool crashes = false; // ends by a signal, after its output
        qint64 lasts = 0;     // milliseconds a started game runs
    };

    class Run final : public RedirectedRun
    {
    public:
        Run(const Answer& answer, bool piped)
            : m_answer(answer)
            , m_output(piped ? answer.output : QByteArray())
        {
            if (!answer.hangs)
                QTimer::singleShot(0, this, [this] { end(); });
        }
        bool isRunning() const override { return m_running; }
        bool exitedNormally() const override { return !m_killed && !m_answer.crashes; }
        int exitCode() const override { return m_answer.exitCode; }
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
        QByteArray takeOutput() override { return std::exchange(m_output, {}); }

    private:
        void end()
        {
            if (std::exchange(m_running, false))
                Q_EMIT finished();
        }

        bool m_running = true;
        bool m_killed = false;
        const Answer m_answer;
        QByteArray m_output;
    };

    // A started game ends as answers (else defaultAnswer) says, from the event loop; one that
    // hangs never ends.
    ProcessStart StartProcess(const Command& command, WindowStyle style,
                              ProcessWatch watch = {}) override
    {
        started.append({command, command.text(), style});
        if (onStart)
            onStart(command.text());
        const Answer answer = answers.value(command.text(), defaultAnswer);
        if (result.taskId != 0 && watch.context && watch.ended && !answer.hangs) {
            const ProcessEnd end{answer.crashes, answer.crashes ? SIGSEGV : answer.exitCode,
                                 answer.output, false, answer.lasts};
            QTimer::singleShot(0, watch.context.data(), [ended = watch.ended, end] { ended(end); });
        }
        return result;
    }

    RedirectedStart startRedirected(const Command& command, const QString& outputPath,
                                    ErrorOutput errors = ErrorOutput::Forwarded) override
    {
        lastErrors = errors;
        return begin(command, outputPath);
    }

    RedirectedStart startPiped(const Command& command) override { return begin(command, {}); }

    // A question is answered from answers too; an answer that hangs is one not given in time.
    ProcessAnswer ask(const Command& command, int) override
    {
        asked.append(command.text());
        const QString program = programPath(command.program);
        if (program.isEmpty())
            return {false, 0, {}, command.program, command.program + QStringLiteral(" not found")};
        // A question not in answers gets no output, as the classic MAME gives.
        const Answer answer = answers.value(command.text());
        if (!answer.starts || answer.hangs)
            return {false, 0, {}, program, program + QStringLiteral(" did not answer")};
        return {!answer.crashes, answer.exitCode, answer.output, program, {}};
    }

    QString programPath(const QString& word) const override
    {
        return programs.value(word, defaultProgram);
    }

    QList<Started> started;
    ProcessStart result{4242, QStringLiteral("/fake/MAME"), {}};

    QStringList redirected; // the text of each redirected or piped run's command
    QHash<QString, Answer> answers;
    Answer defaultAnswer;
    ErrorOutput lastErrors = ErrorOutput::Forwarded;

    QStringList asked;
    // Where a program word leads: programs, else defaultProgram (empty: found nowhere).
    QHash<QString, QString> programs;
    QString defaultProgram = QStringLiteral("/fake/MAME");
    std::function<void(const QString&)> onStart;

private:
    // A run whose output goes into the file at outputPath, or through the pipe without one.
    RedirectedStart begin(const Command& command, const QString& outputPath)
    {
        redirected.append(command.text());
        const Answer answer = answers.value(command.text(), defaultAnswer);
        if (onStart)
            onStart(command.text());
        if (!answer.starts)
            return {nullptr, "MAME", "MAME not found"};
        const bool piped = outputPath.isEmpty();
        QFile file(outputPath);
        if (!piped && !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return {nullptr, "/fake/MAME", outputPath + " cannot be written: " + file.errorString(),
                    true};
        if (file.isOpen())
            file.write(answer.output);
        return {std::make_unique<Run>(answer, piped), "/fake/MAME", {}};
    }
};
