#include "ui/verify/romverification.h"

#include "catalogue/catalogueentry.h"
#include "mame/mameidentity.h"
#include "mame/mamewords.h"
#include "mame/verifyoutput.h"
#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"
#include "ui/catalogue/gamelist.h"
#include "ui/desktop/emulatorrun.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QIODevice>
#include <QProgressDialog>
#include <QWidget>

namespace {

// More than 51 lines of MAME's ever take; an output larger than this is not read whole.
constexpr qint64 kLargestOutput = 1 << 20;

// How often the progress of a long run is redrawn at most: redrawing for every set would
// cost more than a quick emulator takes.
constexpr qint64 kProgressIntervalMs = 100;

// One set's output of today's MAME is a few hundred lines at most; an output larger than
// this is not read.
constexpr qint64 kLargestTodayOutput = 16 << 20;

// A line of today's MAME's output that is longer than this is no verdict.
constexpr qint64 kLongestVerdictLine = 4096;

// Well within what Linux passes to a program (2 MiB of arguments and environment, 128 KiB a
// word); each run of MAME costs most of a second before it verifies anything, so the fewer
// the runs the better.
constexpr qsizetype kCommandLineLimit = 100'000;

// Today's MAME verifies many sets in one run: "MAME.EXE -verifyroms NAME...".
Command verifyManyCommand(const QStringList& names)
{
    return {QStringLiteral("MAME.EXE"), QStringList{QStringLiteral("-verifyroms")} + names};
}
constexpr qsizetype kVerifyManyLength = 20; // "MAME.EXE -verifyroms"

bool isTodaysMame(Platform& platform)
{
    return MameIdentity(platform).identify(QStringLiteral("MAME.EXE")).kind == MameKind::Today;
}

} // namespace

RomVerification::RomVerification(Platform& platform, GameList& gameList, QWidget* window,
                                 QAction* VerifyCurrentRomMenu, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_gameList(gameList)
    , m_window(window)
    , m_verifyCurrentRomMenu(VerifyCurrentRomMenu)
    , m_commandLineLimit(kCommandLineLimit)
{}

void RomVerification::showGame(const QString& name)
{
    m_verifyCurrentRomMenu->setText(QStringLiteral("Verify ") + name);
}

QString RomVerification::outputPath() const
{
    return QDir(m_platform.programDir).filePath(QStringLiteral("KvCfg/Verif.tmp"));
}

QString RomVerification::reportPath() const
{
    return QDir(m_platform.programDir).filePath(appTitle() + QStringLiteral("_VerifyReport.txt"));
}

Command RomVerification::verifyCommand(const QString& name) const
{
    return {QStringLiteral("MAME.EXE"), {name, QStringLiteral("-verifyroms")}};
}

std::optional<QByteArray> RomVerification::readOutput(qint64 limit) const
{
    const auto device = m_platform.files.openForReading(outputPath());
    if (!device)
        return std::nullopt;
    return device->read(limit + 1);
}

QSet<QString> RomVerification::goodSetsOfOutput() const
{
    QSet<QString> good;
    const auto device = m_platform.files.openForReading(outputPath());
    if (!device)
        return good;
    // Line by line: a run over thousands of sets writes megabytes.
    bool inLongLine = false;
    for (;;) {
        const QByteArray piece = device->readLine(kLongestVerdictLine);
        if (piece.isEmpty())
            break;
        const bool ended = piece.endsWith('\n');
        if (!inLongLine && (ended || device->atEnd()))
            good.unite(goodSets(piece));
        inLongLine = !ended;
    }
    return good;
}

void RomVerification::failed()
{
    m_platform.messages.show(QStringLiteral("Hmmm some problem occured... :'("), appTitle(),
                             MessageButtons::Ok);
    m_window->showNormal();
}

std::optional<EmulatorRunResult> RomVerification::runOne(const Command& command,
                                                         const QString& name, ErrorOutput errors)
{
    // Never judge this set by what an earlier run left behind.
    m_platform.files.remove(outputPath(), nullptr);
    const EmulatorRunResult run = runEmulator(m_platform.processes, command, outputPath(), m_window,
                                              QStringLiteral("Verifying %1...").arg(name), errors);
    if (run.status == EmulatorRunResult::Status::NotStarted && run.outputFailed) {
        // MAME was there; the place for its answer was not.
        m_platform.messages.show(QStringLiteral("Nothing was verified: %1.").arg(run.error),
                                 appTitle(), MessageButtons::Ok);
        m_window->showNormal();
        return std::nullopt;
    }
    if (run.status == EmulatorRunResult::Status::NotStarted) {
        // Said, and then judged by whatever output there is, as the classic run always was.
        m_platform.messages.show(QStringLiteral("mame is not found..."), appTitle(),
                                 MessageButtons::Ok);
    } else if (run.status == EmulatorRunResult::Status::Cancelled) {
        m_platform.files.remove(outputPath(), nullptr);
        failed();
        return std::nullopt;
    }
    return run;
}

std::optional<QByteArray> RomVerification::takeOutput(qint64 limit) const
{
    std::optional<QByteArray> output = readOutput(limit);
    // Read, whatever it held: the next run starts without it.
    m_platform.files.remove(outputPath(), nullptr);
    return output;
}

bool RomVerification::isPassable(const CatalogueEntry& game)
{
    if (isUsableSetName(game.name))
        return true;
    m_platform.messages.show(refusedSetNameMessage(game.description, u"short name", game.name) +
                                 QStringLiteral(" Nothing was verified."),
                             appTitle(), MessageButtons::Ok);
    return false;
}

void RomVerification::VerifyCurrentRomMenu_Click()
{
    const CatalogueEntry* game = m_gameList.selectedGame();
    if (!game) {
        failed();
        return;
    }
    if (!isPassable(*game))
        return;
    // Verif.tmp has one name in KvCfg: one Korvane at a time may run MAME into it.
    bool refused = false;
    const std::unique_ptr<FileLock> lock = lockProgramDirectory(m_platform, &refused);
    if (refused)
        return;
    const QString name = game->name;
    if (isTodaysMame(m_platform)) {
        verifyOneToday(name);
        return;
    }
    const std::optional<EmulatorRunResult> run =
        runOne(verifyCommand(name), name, ErrorOutput::Forwarded);
    if (!run)
        return;

    const std::optional<QByteArray> output = takeOutput(kLargestOutput);
    const std::optional<QStringList> lines =
        output && output->size() <= kLargestOutput ? verifyOutputLines(*output) : std::nullopt;
    if (!lines) {
        failed();
        return;
    }
    m_platform.messages.show(verifyMessage(name, *lines, run->crashed()), appTitle(),
                             MessageButtons::Ok);
}

void RomVerification::verifyOneToday(const QString& name)
{
    const std::optional<EmulatorRunResult> run =
        runOne(verifyManyCommand({name}), name, ErrorOutput::InOutput);
    if (!run)
        return;

    const std::optional<QByteArray> output = takeOutput(kLargestTodayOutput);
    if (!output || output->isEmpty() || output->size() > kLargestTodayOutput) {
        failed();
        return;
    }
    // Nothing a run that crashed wrote is trusted.
    const bool good = run->status == EmulatorRunResult::Status::Ended && run->exitedNormally &&
                      goodSets(*output).contains(name);
    QStringList lines = shownVerifyLines(*output);
    if (run->crashed())
        lines.append(kVerifyCrashedLine.toString());
    m_platform.messages.show(verifyMessage(name, good, lines), appTitle(), MessageButtons::Ok);
}

void RomVerification::VerifyAllRomsMenu_Click()
{
    if (m_platform.messages.show(QStringLiteral("This can be very very long :)\r\n\r\n"
                                                "Proceed anyway?"),
                                 appTitle(), MessageButtons::OkCancel) != MessageAnswer::Ok)
        return;
    bool refused = false;
    const std::unique_ptr<FileLock> lock = lockProgramDirectory(m_platform, &refused);
    if (refused)
        return;
    const bool today = isTodaysMame(m_platform);
    m_window->showMinimized();

    const QStringList names = m_gameList.shownNames();
    const int count = static_cast<int>(names.size());
    // A top-level window of its own: the main window is minimized, and this one must stay.
    QProgressDialog progress(QString(), QStringLiteral("Cancel"), 0, count);
    progress.setWindowTitle(appTitle());
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumWidth(progress.fontMetrics().averageCharWidth() * 48);
    progress.setMinimumDuration(0);
    progress.show();

    const Verdicts verdicts =
        today ? verifyAllToday(names, progress) : verifyAllClassic(names, progress);
    progress.hide();
    m_platform.files.remove(outputPath(), nullptr);
    if (verdicts.notStarted) {
        // Once is enough: without an emulator every other set would fail the same way.
        m_platform.messages.show(
            verdicts.outputFailed
                ? QStringLiteral("Nothing was verified: %1.").arg(*verdicts.notStarted)
                : QStringLiteral("mame crashed?\n") + *verdicts.notStarted,
            appTitle(), MessageButtons::Ok);
        m_window->showNormal();
        return;
    }
    if (verdicts.runs > 0 && verdicts.crashes == verdicts.runs && !verdicts.cancelled) {
        // Every set would be listed as bad for no fault of its own: the last report stays.
        m_platform.messages.show(QStringLiteral("MAME crashed on every set: nothing was verified."),
                                 appTitle(), MessageButtons::Ok);
        m_window->showNormal();
        return;
    }

    const QString reportName = appTitle() + QStringLiteral("_VerifyReport.txt");
    QString reason;
    if (!m_platform.files.writeAtomically(reportPath(), verifyReport(verdicts.notGood), &reason)) {
        m_platform.messages.show(QStringLiteral("The report could not be written to %1: %2")
                                     .arg(QDir::toNativeSeparators(reportPath()), reason),
                                 appTitle(), MessageButtons::Ok);
    } else if (verdicts.cancelled) {
        m_platform.messages.show(QStringLiteral("Verification cancelled after %1 of %2 sets.\r\n"
                                                "See the results in: %3")
                                     .arg(verdicts.judged)
                                     .arg(count)
                                     .arg(reportName),
                                 appTitle(), MessageButtons::Ok);
    } else {
        m_platform.messages.show(QStringLiteral("Verify done!\r\nSee the results in: ") +
                                     reportName,
                                 appTitle(), MessageButtons::Ok);
    }
    m_window->showNormal();
}

bool RomVerification::stopsTheSeries(const EmulatorRunResult& run, Verdicts& verdicts)
{
    if (run.status == EmulatorRunResult::Status::NotStarted) {
        verdicts.notStarted = run.error;
        verdicts.outputFailed = run.outputFailed;
        return true;
    }
    if (run.status == EmulatorRunResult::Status::Cancelled) {
        verdicts.cancelled = true;
        return true;
    }
    ++verdicts.runs;
    if (run.crashed())
        ++verdicts.crashes;
    return false;
}

RomVerification::Verdicts RomVerification::verifyAllClassic(const QStringList& names,
                                                            QProgressDialog& progress)
{
    Verdicts verdicts;
    const int count = static_cast<int>(names.size());
    QElapsedTimer sinceDrawn;
    for (const QString& entry : names) {
        const QString name = trimSpaces(entry);
        if (verdicts.judged == 0 || sinceDrawn.hasExpired(kProgressIntervalMs)) {
            progress.setLabelText(QStringLiteral("Verifying %1 of %2: %3")
                                      .arg(verdicts.judged + 1)
                                      .arg(count)
                                      .arg(name));
            progress.setValue(verdicts.judged);
            sinceDrawn.start();
        }
        // A name MAME could misread is not good, and MAME is not asked about it.
        if (!isUsableSetName(name)) {
            verdicts.notGood.append(name);
            ++verdicts.judged;
            continue;
        }
        m_platform.files.remove(outputPath(), nullptr);
        const EmulatorRunResult run =
            runEmulator(m_platform.processes, verifyCommand(name), outputPath(), progress);
        if (stopsTheSeries(run, verdicts))
            return verdicts;
        // A set without output is judged by an empty line, which is not the success line; a
        // run that crashed is not good whatever it printed first.
        const std::optional<QByteArray> output = takeOutput(kLargestOutput);
        if (run.crashed() || !output || verifyFirstLine(*output) != kVerifySuccessLine)
            verdicts.notGood.append(name);
        ++verdicts.judged;
    }
    return verdicts;
}

RomVerification::Verdicts RomVerification::verifyAllToday(const QStringList& names,
                                                          QProgressDialog& progress)
{
    Verdicts verdicts;
    const int count = static_cast<int>(names.size());
    QStringList trimmed;
    QStringList asked;    // the names MAME is asked about, in list order
    QList<int> positions; // where each of them stands in the list
    for (int i = 0; i < count; ++i) {
        trimmed.append(trimSpaces(names[i]));
        if (isUsableSetName(trimmed.last())) {
            asked.append(trimmed.last());
            positions.append(i);
        }
    }
    // Judges the names of the list up to end: those MAME was asked about by good, the others
    // as not good.
    const auto judgeUpTo = [&](int end, const QSet<QString>& good) {
        for (; verdicts.judged < end; ++verdicts.judged) {
            const QString& name = trimmed[verdicts.judged];
            if (!isUsableSetName(name) || !good.contains(name))
                verdicts.notGood.append(name);
        }
    };

    qsizetype first = 0; // the batch's first name in asked
    for (const QStringList& batch : verifyBatches(asked, kVerifyManyLength, m_commandLineLimit)) {
        const int from = positions[first];
        const int to = positions[first + batch.size() - 1];
        first += batch.size();
        judgeUpTo(from, {});
        progress.setLabelText(
            from == to ? QStringLiteral("Verifying set %1 of %2...").arg(from + 1).arg(count)
                       : QStringLiteral("Verifying sets %1\u2013%2 of %3...")
                             .arg(from + 1)
                             .arg(to + 1)
                             .arg(count));
        progress.setValue(verdicts.judged);

        m_platform.files.remove(outputPath(), nullptr);
        // Standard error stays out of the output: nothing on it is a verdict.
        const EmulatorRunResult run =
            runEmulator(m_platform.processes, verifyManyCommand(batch), outputPath(), progress);
        if (stopsTheSeries(run, verdicts))
            return verdicts;
        // Whatever the exit code: an unknown name or a bad set ends the run with one, after
        // the verdicts of the others. A crash leaves no verdict to trust.
        judgeUpTo(to + 1, run.crashed() ? QSet<QString>() : goodSetsOfOutput());
    }
    judgeUpTo(count, {});
    return verdicts;
}
