#include "verify/romverification.h"

#include "catalogue/catalogueentry.h"
#include "catalogue/gamelist.h"
#include "launch/emulatorrun.h"
#include "launch/mameidentity.h"
#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"
#include "verify/verifyoutput.h"

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

constexpr QStringView kVerifyMany = u"MAME.EXE -verifyroms";

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

QString RomVerification::verifyCommand(const QString& name) const
{
    return QStringLiteral("MAME.EXE ") + name + QStringLiteral(" -verifyroms");
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

std::optional<EmulatorRunResult> RomVerification::runOne(const QString& command,
                                                         const QString& name, ErrorOutput errors)
{
    // Never judge this set by what an earlier run left behind.
    m_platform.files.remove(outputPath(), nullptr);
    const EmulatorRunResult run = runEmulator(m_platform.processes, command, outputPath(), m_window,
                                              QStringLiteral("Verifying %1...").arg(name), errors);
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

void RomVerification::VerifyCurrentRomMenu_Click()
{
    const CatalogueEntry* game = m_gameList.selectedGame();
    if (!game) {
        failed();
        return;
    }
    const QString name = game->name;
    if (isTodaysMame(m_platform)) {
        verifyOneToday(name);
        return;
    }
    if (!runOne(verifyCommand(name), name, ErrorOutput::Forwarded))
        return;

    const std::optional<QByteArray> output = readOutput(kLargestOutput);
    const std::optional<QStringList> lines =
        output && output->size() <= kLargestOutput ? verifyOutputLines(*output) : std::nullopt;
    if (!lines) {
        failed(); // the output stays in KvCfg for a look at what went wrong
        return;
    }
    m_platform.messages.show(verifyMessage(name, *lines), appTitle(), MessageButtons::Ok);
    if (!m_platform.files.remove(outputPath(), nullptr))
        failed();
}

void RomVerification::verifyOneToday(const QString& name)
{
    if (!isPassableSetName(name)) {
        m_platform.messages.show(
            verifyMessage(name, false,
                          {QStringLiteral("MAME was not asked: a set name holds no blank or quote "
                                          "and does not begin with '-'.")}),
            appTitle(), MessageButtons::Ok);
        return;
    }
    QString command = kVerifyMany.toString();
    command.append(u' ').append(name);
    const std::optional<EmulatorRunResult> run = runOne(command, name, ErrorOutput::InOutput);
    if (!run)
        return;

    const std::optional<QByteArray> output = readOutput(kLargestTodayOutput);
    if (!output || output->isEmpty() || output->size() > kLargestTodayOutput) {
        failed(); // the output stays in KvCfg for a look at what went wrong
        return;
    }
    // Nothing a run that crashed wrote is trusted.
    const bool good = run->status == EmulatorRunResult::Status::Ended && run->exitedNormally &&
                      goodSets(*output).contains(name);
    m_platform.messages.show(verifyMessage(name, good, shownVerifyLines(*output)), appTitle(),
                             MessageButtons::Ok);
    if (!m_platform.files.remove(outputPath(), nullptr))
        failed();
}

void RomVerification::VerifyAllRomsMenu_Click()
{
    if (m_platform.messages.show(QStringLiteral("This can be very very long :)\r\n\r\n"
                                                "Proceed anyway?"),
                                 appTitle(), MessageButtons::OkCancel) != MessageAnswer::Ok)
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
        m_platform.messages.show(QStringLiteral("mame crashed?\n") + *verdicts.notStarted,
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
        m_platform.files.remove(outputPath(), nullptr);
        const EmulatorRunResult run =
            runEmulator(m_platform.processes, verifyCommand(name), outputPath(), progress);
        if (run.status == EmulatorRunResult::Status::NotStarted) {
            verdicts.notStarted = run.error;
            return verdicts;
        }
        if (run.status == EmulatorRunResult::Status::Cancelled) {
            verdicts.cancelled = true;
            return verdicts;
        }
        // A set without output is judged by an empty line, which is not the success line.
        const std::optional<QByteArray> output = readOutput(kLargestOutput);
        if (!output || verifyFirstLine(*output) != kVerifySuccessLine)
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
        if (isPassableSetName(trimmed.last())) {
            asked.append(trimmed.last());
            positions.append(i);
        }
    }
    // Judges the names of the list up to end: those MAME was asked about by good, the others
    // as not good.
    const auto judgeUpTo = [&](int end, const QSet<QString>& good) {
        for (; verdicts.judged < end; ++verdicts.judged) {
            const QString& name = trimmed[verdicts.judged];
            if (!isPassableSetName(name) || !good.contains(name))
                verdicts.notGood.append(name);
        }
    };

    qsizetype first = 0; // the batch's first name in asked
    for (const QStringList& batch : verifyBatches(asked, kVerifyMany.size(), m_commandLineLimit)) {
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

        QString command = kVerifyMany.toString();
        for (const QString& name : batch)
            command.append(u' ').append(name);
        m_platform.files.remove(outputPath(), nullptr);
        // Standard error stays out of the output: nothing on it is a verdict.
        const EmulatorRunResult run =
            runEmulator(m_platform.processes, command, outputPath(), progress);
        if (run.status == EmulatorRunResult::Status::NotStarted) {
            verdicts.notStarted = run.error;
            return verdicts;
        }
        if (run.status == EmulatorRunResult::Status::Cancelled) {
            verdicts.cancelled = true;
            return verdicts;
        }
        // Whatever the exit code: an unknown name or a bad set ends the run with one, after
        // the verdicts of the others. A crash leaves no verdict to trust.
        judgeUpTo(to + 1, run.exitedNormally ? goodSetsOfOutput() : QSet<QString>());
    }
    judgeUpTo(count, {});
    return verdicts;
}
