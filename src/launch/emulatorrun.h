#pragma once

#include "platform/processes.h"

#include <QString>

class QProgressDialog;
class QWidget;

// How a run of the emulator with its output in a file ended.
struct EmulatorRunResult
{
    enum class Status
    {
        NotStarted, // error says why
        Cancelled,  // the user ended it
        Ended,      // by itself: see exitedNormally and exitCode
    };

    Status status = Status::NotStarted;
    bool exitedNormally = false; // false when it crashed
    int exitCode = 0;
    QString program;
    QString error;

    bool succeeded() const { return status == Status::Ended && exitedNormally && exitCode == 0; }
};

// Runs commandLine in the program directory with its standard output in outputPath and
// returns when it has ended. While it runs, a modal progress dialog over owner says `what`
// and offers Cancel, which ends the emulator. The dialog comes up only when the run lasts
// longer than a moment, so a quick answer does not flash a window; until then the window
// keeps painting but takes no input.
EmulatorRunResult runEmulator(Processes& processes, const QString& commandLine,
                              const QString& outputPath, QWidget* owner, const QString& what,
                              ErrorOutput errors = ErrorOutput::Forwarded);

// The same, for one run of a series that shows its own progress: progress is on screen
// already and its Cancel ends this run. A progress that was cancelled before the start
// starts nothing and gives Cancelled.
EmulatorRunResult runEmulator(Processes& processes, const QString& commandLine,
                              const QString& outputPath, QProgressDialog& progress,
                              ErrorOutput errors = ErrorOutput::Forwarded);
