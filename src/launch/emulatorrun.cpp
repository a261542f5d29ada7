#include "launch/emulatorrun.h"

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
    return result;
}

// Waits until run ends; Cancel on progress ends it. The wait blocks in short slices and
// handles events between them, so the window keeps painting and Cancel answers, while the
// end of a quick run is seen the moment it happens. When showLater is set, the first moment
// takes no user input, and progress is shown only if the run is still going after it.
EmulatorRunResult waitFor(RedirectedRun& run, const QString& program, QProgressDialog& progress,
                          bool showLater)
{
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
        if (quiet && elapsed.hasExpired(kQuietMilliseconds)) {
            quiet = false;
            progress.show();
        }
        QCoreApplication::processEvents(quiet ? QEventLoop::ExcludeUserInputEvents
                                              : QEventLoop::AllEvents);
    }
    // finished() and anything else the end brought along.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(cancel);

    EmulatorRunResult result;
    result.program = program;
    if (cancelled) {
        result.status = EmulatorRunResult::Status::Cancelled;
        return result;
    }
    result.status = EmulatorRunResult::Status::Ended;
    result.exitedNormally = run.exitedNormally();
    result.exitCode = run.exitCode();
    return result;
}

} // namespace

EmulatorRunResult runEmulator(Processes& processes, const QString& commandLine,
                              const QString& outputPath, QWidget* owner, const QString& what,
                              ErrorOutput errors)
{
    RedirectedStart start = processes.startRedirected(commandLine, outputPath, errors);
    if (!start.run)
        return notStarted(start);

    QProgressDialog progress(what, QStringLiteral("Cancel"), 0, 0, owner);
    progress.setWindowTitle(appTitle());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    // Shown by waitFor, not by the dialog's own timer.
    progress.setMinimumDuration(std::numeric_limits<int>::max());
    return waitFor(*start.run, start.program, progress, true);
}

EmulatorRunResult runEmulator(Processes& processes, const QString& commandLine,
                              const QString& outputPath, QProgressDialog& progress,
                              ErrorOutput errors)
{
    if (progress.wasCanceled()) {
        EmulatorRunResult result;
        result.status = EmulatorRunResult::Status::Cancelled;
        return result;
    }
    RedirectedStart start = processes.startRedirected(commandLine, outputPath, errors);
    if (!start.run)
        return notStarted(start);
    return waitFor(*start.run, start.program, progress, false);
}
