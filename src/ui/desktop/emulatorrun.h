#pragma once

#include "mame/mamerun.h"
#include "platform/processes.h"

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

// The progress window of a wait for MAME: titled with the program's title, with Cancel,
// application-modal, neither closing nor resetting itself. maximum is 0 for one run (busy) or
// the length of a series of runs.
std::unique_ptr<QProgressDialog> makeRunProgress(QWidget* owner, const QString& label, int maximum);

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

// The same, for one run of a series that shows its own progress (see the second runEmulator).
EmulatorRunResult runEmulatorPiped(Processes& processes, const Command& command,
                                   const OutputTaker& take, QProgressDialog& progress);
