#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QtGlobal>

#include <memory>

// How the started program's window should come up. Linux cannot impose a window state on
// another program, so these are hints.
enum class WindowStyle
{
    MinimizedWithFocus,
    MaximizedWithFocus,
};

// What a start gave: the task identifier (the process ID, 0 when nothing was started), the
// program that was looked for (as resolved when it was found) and, when nothing started, why.
struct ProcessStart
{
    qint64 taskId = 0;
    QString program;
    QString error;
};

// A program running with its standard output going into a file. It runs until it ends by
// itself or is ended with kill(); finished() is sent once, either way, from the event loop.
class RedirectedRun : public QObject
{
    Q_OBJECT

public:
    virtual bool isRunning() const = 0;
    // Once finished: whether it ended by itself (neither killed nor crashed), and its code.
    virtual bool exitedNormally() const = 0;
    virtual int exitCode() const = 0;
    // Ends the program; finished() follows.
    virtual void kill() = 0;
    // Blocks until the program has ended or milliseconds have passed; true when it has
    // ended. Returns at once when the program ends, which an event loop may not notice for
    // a while.
    virtual bool waitForFinished(int milliseconds) = 0;

Q_SIGNALS:
    void finished();
};

// What a redirected start gave: the running program, or nullptr and why nothing started.
struct RedirectedStart
{
    std::unique_ptr<RedirectedRun> run;
    QString program;
    QString error;
};

// Where a redirected run's standard error goes: where Korvane's goes, or into its output
// file with its standard output, in the order the program wrote them.
enum class ErrorOutput
{
    Forwarded,
    InOutput,
};

// What a program answered to a short question: its standard output, once it has ended.
struct ProcessAnswer
{
    bool ended = false; // it ended by itself within the time allowed
    int exitCode = 0;
    QByteArray output;
    QString program; // as resolved, or the word that found nothing
    QString error;   // why nothing started, when nothing did
};

// Starting outside programs by command line. Nothing ever runs through a shell.
class Processes
{
public:
    virtual ~Processes() = default;

    // Splits commandLine into words, looks the program up and starts it detached, in the
    // program directory. Returns at once.
    virtual ProcessStart StartProcess(const QString& commandLine, WindowStyle style) = 0;

    // Starts the program of commandLine as StartProcess does, but as a child whose standard
    // output is written to outputPath (created, or emptied first); its standard error goes
    // where errors says and its standard input is empty. Returns once it has started.
    virtual RedirectedStart startRedirected(const QString& commandLine, const QString& outputPath,
                                            ErrorOutput errors = ErrorOutput::Forwarded) = 0;

    // Runs the program of commandLine in the program directory, with an empty standard
    // input and its standard error dropped, and waits at most milliseconds for it to end;
    // a program still running then is ended. For questions a program answers at once.
    virtual ProcessAnswer ask(const QString& commandLine, int milliseconds) = 0;

    // The absolute path of the program that the first word of a command line names, as
    // StartProcess would find it; empty when there is none.
    virtual QString programPath(const QString& word) const = 0;
};
