#pragma once

#include <QString>
#include <QtGlobal>

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

// Starting outside programs by command line. Nothing ever runs through a shell.
class Processes
{
public:
    virtual ~Processes() = default;

    // Splits commandLine into words, looks the program up and starts it detached, in the
    // program directory. Returns at once.
    virtual ProcessStart StartProcess(const QString& commandLine, WindowStyle style) = 0;
};
