#include "ui/desktop/emulatorrun.h"

#include "platform/appinfo.h"
#include "platform/processes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressDialog>

#include <limits>

namespace {

// How long a run may take before its progress dialog comes up.
constexpr qint64 kQuietMilliseconds = 400;
// How long the wait blocks at most before the window is painted and Cancel looked at.
constexpr int kSliceMilliseconds = 30;

EmulatorRunResult notStarted(const RedirectedStart& start)
{
    EmulatorRunResult result;
    result.program = start.program;
    result.error = start.error;
    result.outputFailed = start.outputFailed;
    return result;
}

// What a run of a series gives when its progress was cancelled before it started.
EmulatorRunResult cancelledBefore()
{
    EmulatorRunResult result;
    result.status = EmulatorRunResult::Status::Cancelled;
    return result;
}

// Waits until run ends; Cancel on progress ends it. The wait blocks in short slices and
// handles events between them, so the window keeps painting and Cancel answers, while the
// end of a quick run is seen the moment it happens. When showLater is set, the first moment
// takes no user input, and progress is shown only if the run is still going after it. A
// piped run's output goes to take after each slice, and the rest of it after the end.
EmulatorRunResult waitFor(RedirectedRun& run, const QString& program, QProgressDialog& progress,
                          bool showLater, const OutputTaker& take = {})
{
    bool stopped = false;
    const auto takeOutput = [&] {
        if (!take || stopped)
            return;
        const QByteArray output = run.takeOutput();
        if (!output.isEmpty() && !take(output)) {
            stopped = true;
            run.kill();
        }
    };
    bool cancelled = false;
    const QMetaObject::Connection cancel =
        QObject::connect(&progress, &QProgressDialog::canceled, &run, [&cancelled, &run] {
            cancelled = true;
            run.kill();
        });
    QElapsedTimer elapsed;
    elapsed.start();
    bool quiet = showLater;
    while (!run.waitForFinished(kSliceMilliseconds)) {
        takeOutput();
        if (quiet && elapsed.hasExpired(kQuietMilliseconds)) {
            quiet = false;
            progress.show();
        }
        QCoreApplication::processEvents(quiet ? QEventLoop::ExcludeUserInputEvents
                                              : QEventLoop::AllEvents);
    }
    takeOutput();
    // finished() and anything else the end brought along.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(cancel);

    EmulatorRunResult result;
    result.program = program;
    if (cancelled || stopped) {
        result.status =
            cancelled ? EmulatorRunResult::Status::Cancelled : EmulatorRunResult::Status::Stopped;
        return result;
    }
    result.status = EmulatorRunResult::Status::Ended;
    result.exitedNormally = run.exitedNormally();
    result.exitCode = run.exitCode();
    return result;
}

} // namespace

std::unique_ptr<QProgressDialog> makeRunProgress(QWidget* owner, const QString& label, int maximum)
{
    auto progress =
        std::make_unique<QProgressDialog>(label, QStringLiteral("Cancel"), 0, maximum, owner);
    progress->setWindowTitle(appTitle());
    progress->setWindowModality(Qt::ApplicationModal);
    progress->setAutoClose(false);
    progress->setAutoReset(false);
    return progress;
}

namespace {

// The progress of a run that has the window to itself: shown by waitFor, not by the dialog's
// own timer, and only once the run lasts.
std::unique_ptr<QProgressDialog> quietProgress(QWidget* owner, const QString& what)
{
    std::unique_ptr<QProgressDialog> progress = makeRunProgress(owner, what, 0);
    progress->setMinimumDuration(std::numeric_limits<int>::max());
    return progress;
}

} // namespace

EmulatorRunResult runEmulator(Processes& processes, const Command& command,
                              const QString& outputPath, QWidget* owner, const QString& what,
                              ErrorOutput errors)
{
    RedirectedStart start = processes.startRedirected(command, outputPath, errors);
    if (!start.run)
        return notStarted(start);
    return waitFor(*start.run, start.program, *quietProgress(owner, what), true);
}

EmulatorRunResult runEmulator(Processes& processes, const Command& command,
                              const QString& outputPath, QProgressDialog& progress,
                              ErrorOutput errors)
{
    if (progress.wasCanceled())
        return cancelledBefore();
    RedirectedStart start = processes.startRedirected(command, outputPath, errors);
    if (!start.run)
        return notStarted(start);
    return waitFor(*start.run, start.program, progress, false);
}

EmulatorRunResult runEmulatorPiped(Processes& processes, const Command& command,
                                   const OutputTaker& take, QProgressDialog& progress)
{
    if (progress.wasCanceled())
        return cancelledBefore();
    RedirectedStart start = processes.startPiped(command);
    if (!start.run)
        return notStarted(start);
    return waitFor(*start.run, start.program, progress, false, take);
}

EmulatorRunResult runEmulatorPiped(Processes& processes, const Command& command,
                                   const OutputTaker& take, QWidget* owner, const QString& what)
{
    RedirectedStart start = processes.startPiped(command);
    if (!start.run)
        return notStarted(start);
    return waitFor(*start.run, start.program, *quietProgress(owner, what), true, take);
}
