#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <memory>

// How the started program's window should come up. Linux cannot impose a window state on
// another program, so these are hints.
enum class WindowStyle
{
    MinimizedWithFocus,
    MaximizedWithFocus,
};

// A program to run and its arguments. The program word is looked up (see programPath);
// each argument reaches the program as exactly one word, as it stands, whatever it holds:
// nothing is ever split, quoted or interpreted on the way.
struct Command
{
    QString program;
    QStringList arguments;

    // The words joined by blanks, for messages and for telling runs apart; never split again.
    QString text() const
    {
        QString joined = program;
        for (const QString& argument : arguments)
            joined += u' ' + argument;
        return joined;
    }

    friend bool operator==(const Command&, const Command&) = default;
};

// What a start gave: the task identifier (the process ID, 0 when nothing was started), the
// program that was looked for (as resolved when it was found) and, when nothing started, why.
struct ProcessStart
{
    qint64 taskId = 0;
    QString program;
    QString error;
};

// How a program that StartProcess started ended, and the last of what it printed.
struct ProcessEnd
{
    bool signalled = false;  // ended by a signal (its number in code) rather than by itself
    int code = 0;            // the exit code, or the signal's number
    QByteArray output;       // the end of its standard output and error, merged as written
    bool outputCut = false;  // it printed more than was kept: output lacks its start
    qint64 milliseconds = 0; // from the start to the end
};

// Whom StartProcess tells of the program's end, and how much of its output to keep.
struct ProcessWatch
{
    QPointer<QObject> context; // nothing is told once it is gone
    qsizetype keptBytes = 0;   // the last this many bytes of the output are kept, no more
    std::function<void(const ProcessEnd&)> ended;
};

// A program running as Korvane's child, with its standard output going into a file or
// through a pipe. It runs until it ends by itself or is ended with kill(); finished() is
// sent once, either way, from the event loop.
class RedirectedRun : public QObject
{
    Q_OBJECT

public:
    virtual bool isRunning() const = 0;
    // Once finished: whether it ended by itself (neither killed nor crashed), and its code.
    virtual bool exitedNormally() const = 0;
    virtual int exitCode() const = 0;
    // Ends the program and every program it started; finished() follows.
    virtual void kill() = 0;
    // Blocks until the program has ended or milliseconds have passed; true when it has
    // ended. Returns at once when the program ends, which an event loop may not notice for
    // a while. A piped run's output keeps being taken in meanwhile, so the program never
    // waits for the pipe.
    virtual bool waitForFinished(int milliseconds) = 0;
    // What a piped run has written since the last call (all of it once it has ended); empty
    // for a run whose output goes into a file.
    virtual QByteArray takeOutput() = 0;

Q_SIGNALS:
    void finished();
};

// What a redirected or piped start gave: the running program, or nullptr and why nothing
// started.
struct RedirectedStart
{
    std::unique_ptr<RedirectedRun> run;
    QString program;
    QString error;
    // Nothing started because the output file could not be made (error says why), not for
    // want of the program.
    bool outputFailed = false;
};

// Where a redirected run's standard error goes: where Korvane's goes, or into its output
// file with its standard output, in the order the program wrote them.
enum class ErrorOutput
{
    Forwarded,
    InOutput,
};

// The longest answer to a question that is read; a program that says more is not answering.
inline constexpr qint64 kLongestAnswer = 64 * 1024;

// What a program answered to a short question: its standard output, once it has ended.
struct ProcessAnswer
{
    bool ended = false; // it ended by itself within the time allowed, saying no more than it may
    int exitCode = 0;
    QByteArray output;
    QString program; // as resolved, or the word that found nothing
    QString error;   // why there is no answer, when there is none
};

// Starting outside programs. Nothing ever runs through a shell, and no command is a text:
// each is a program word and a list of arguments.
class Processes
{
public:
    virtual ~Processes() = default;

    // Looks the program up and starts it in the program directory, in a session of its own,
    // with an empty standard input, and returns at once. It runs on whatever becomes of
    // Korvane: nothing ends it, and once Korvane has ended, what it prints goes nowhere.
    // Its standard output and error come through one pipe, read from the event loop, of
    // which the last watch.keptBytes are kept; once it has ended, watch.ended is called from
    // the event loop, unless watch.context is gone by then. Any number may run at once.
    virtual ProcessStart StartProcess(const Command& command, WindowStyle style,
                                      ProcessWatch watch = {}) = 0;

    // Starts the program as StartProcess does, but as a child, in a process group of its
    // own, whose standard output is written to outputPath (created, or emptied first); its
    // standard error goes where errors says and its standard input is empty. Returns once it
    // has started.
    virtual RedirectedStart startRedirected(const Command& command, const QString& outputPath,
                                            ErrorOutput errors = ErrorOutput::Forwarded) = 0;

    // The same, with the standard output coming through a pipe, to be taken with
    // takeOutput() while the program runs; standard error goes where Korvane's goes.
    virtual RedirectedStart startPiped(const Command& command) = 0;

    // Runs the program in the program directory, with an empty standard input and its
    // standard error dropped, and waits at most milliseconds for it to end; a program still
    // running then, or that has said more than kLongestAnswer, is ended. For questions a
    // program answers at once.
    virtual ProcessAnswer ask(const Command& command, int milliseconds) = 0;

    // The absolute path of the program that a program word names, as StartProcess would
    // find it; empty when there is none.
    virtual QString programPath(const QString& word) const = 0;
};
