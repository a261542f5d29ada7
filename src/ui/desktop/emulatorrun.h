#pragma once

#include "platform/processes.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>

class FileLock;
class QProgressDialog;
class QWidget;
struct Platform;

// How a run of the emulator with its output in a file or a pipe ended.
struct EmulatorRunResult
{
    enum class Status
    {
        NotStarted, // error says why
        Cancelled,  // the user ended it
        Stopped,    // its output could not be taken any more, and it was ended
        Ended,      // by itself: see exitedNormally and exitCode
    };

    Status status = Status::NotStarted;
    bool exitedNormally = false; // false when it crashed
    int exitCode = 0;
    QString program;
    QString error;
    bool outputFailed = false; // not started because the output file could not be made

    bool succeeded() const { return status == Status::Ended && exitedNormally && exitCode == 0; }
    // Ended by a signal rather than by itself: nothing it wrote can be trusted.
    bool crashed() const { return status == Status::Ended && !exitedNormally; }
};

// Runs command in the program directory with its standard output in outputPath and returns
// when it has ended. While it runs, a modal progress dialog over owner says `what` and
// offers Cancel, which ends the emulator and whatever it started. The dialog comes up only
// when the run lasts longer than a moment, so a quick answer does not flash a window; until
// then the window keeps painting but takes no input.
EmulatorRunResult runEmulator(Processes& processes, const Command& command,
                              const QString& outputPath, QWidget* owner, const QString& what,
                              ErrorOutput errors = ErrorOutput::Forwarded);

// The same, for one run of a series that shows its own progress: progress is on screen
// already and its Cancel ends this run. A progress that was cancelled before the start
// starts nothing and gives Cancelled.
EmulatorRunResult runEmulator(Processes& processes, const Command& command,
                              const QString& outputPath, QProgressDialog& progress,
                              ErrorOutput errors = ErrorOutput::Forwarded);

// Takes a piece of a run's standard output as it comes; false when it cannot take any more,
// which ends the run (Stopped).
using OutputTaker = std::function<bool(QByteArrayView)>;

// The same as the first, with the standard output coming through a pipe and handed to take
// while the emulator runs, so that nothing of it need be kept.
EmulatorRunResult runEmulatorPiped(Processes& processes, const Command& command,
                                   const OutputTaker& take, QWidget* owner, const QString& what);

// The lock that one Korvane at a time holds over a program directory while it updates the
// games list or verifies all sets, so that a second one cannot spoil the first one's list or
// report. When another living Korvane holds it, the user is told, *refused is set and
// nullptr returned: start nothing. When the lock cannot be made at all (KvCfg missing or
// read-only), nullptr is returned too, without *refused: the command goes on and meets that
// failure itself.
std::unique_ptr<FileLock> lockProgramDirectory(Platform& platform, bool* refused);
