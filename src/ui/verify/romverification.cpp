#include "ui/verify/romverification.h"

#include "catalogue/catalogueentry.h"
#include "catalogue/listtype.h"
#include "mame/mameinuse.h"
#include "mame/mamewords.h"
#include "mame/verification.h"
#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"
#include "ui/catalogue/gamelist.h"
#include "ui/desktop/emulatorrun.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QWidget>

#include <algorithm>

namespace {

// How often the progress of a long run is redrawn at most: redrawing for every set would
// cost more than a quick emulator takes.
constexpr qint64 kProgressIntervalMs = 100;

// Well within what Linux passes to a program (2 MiB of arguments and environment, 128 KiB a
// word); each run of MAME costs most of a second before it verifies anything, so the fewer
// the runs the better.
constexpr qsizetype kCommandLineLimit = 100'000;

} // namespace

RomVerification::RomVerification(Platform& platform, MameInUse& mameInUse, GameList& gameList,
                                 QWidget* window, QAction* VerifyCurrentRomMenu, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_mameInUse(mameInUse)
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

std::optional<QByteArray> RomVerification::readOutput(qint64 limit) const
{
    const auto device = m_platform.files.openForReading(outputPath());
    if (!device)
        return std::nullopt;
    return device->read(limit + 1);
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
    const MameInfo mame = m_mameInUse.identify(QStringLiteral("MAME.EXE"));
    const std::optional<EmulatorRunResult> run =
        runOne(verifyCommand(mame, {name}), name, oneSetErrors(mame));
    if (!run)
        return;
    const std::optional<QString> message =
        oneSetMessage(mame, name, takeOutput(largestOneSetAnswer(mame)), *run);
    if (!message) {
        failed();
        return;
    }
    m_platform.messages.show(*message, appTitle(), MessageButtons::Ok);
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
    const MameInfo mame = m_mameInUse.identify(QStringLiteral("MAME.EXE"));
    m_window->showMinimized();

    const QStringList names = m_gameList.shownNames();
    const int count = static_cast<int>(names.size());
    // The full list is every game of the catalogue, which today's MAME verifies quickest when
    // it is asked about no set in particular; the games found by a find are only some of it.
    const bool everyGame = m_gameList.listType() == FullList && !m_gameList.isFinding();
    // A top-level window of its own: the main window is minimized, and this one must stay.
    const std::unique_ptr<QProgressDialog> shown = makeRunProgress(nullptr, QString(), count);
    QProgressDialog& progress = *shown;
    progress.setMinimumWidth(progress.fontMetrics().averageCharWidth() * 48);
    progress.setMinimumDuration(0);
    progress.show();

    const Verdicts verdicts = verifyAll(mame, names, everyGame, progress);
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

    const QString report = QDir::toNativeSeparators(reportPath());
    QString reason;
    if (!m_platform.files.writeAtomically(reportPath(), verifyReport(verdicts.notGood), &reason)) {
        m_platform.messages.show(
            QStringLiteral("The report could not be written to %1: %2").arg(report, reason),
            appTitle(), MessageButtons::Ok);
    } else if (verdicts.cancelled) {
        m_platform.messages.show(
            QStringLiteral("Verification cancelled after %1 of %2 sets.\r\n%3\r\n"
                           "See the results in: %4")
                .arg(countWithSeparators(verdicts.judged), countWithSeparators(count),
                     verifyCounts(verdicts.good, verdicts.notGood.size()), report),
            appTitle(), MessageButtons::Ok);
    } else {
        m_platform.messages.show(
            QStringLiteral("Verify done!\r\n%1\r\nSee the results in: %2")
                .arg(verifyCounts(verdicts.good, verdicts.notGood.size()), report),
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

RomVerification::Verdicts RomVerification::verifyAll(const MameInfo& mame, const QStringList& names,
                                                     bool everyGame, QProgressDialog& progress)
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
    // (a name MAME could misread among them) as not good.
    const auto judgeUpTo = [&](int end, const QSet<QString>& good) {
        for (; verdicts.judged < end; ++verdicts.judged) {
            const QString& name = trimmed[verdicts.judged];
            if (!isUsableSetName(name) || !good.contains(name))
                verdicts.notGood.append(name);
            else
                ++verdicts.good;
        }
    };

    QElapsedTimer sinceDrawn;
    qsizetype first = 0; // the run's first name in asked
    for (const VerifyRun& run : verifyRuns(mame, asked, everyGame, m_commandLineLimit)) {
        const int from = positions[first];
        const int to = positions[first + run.names.size() - 1];
        first += run.names.size();
        judgeUpTo(from, {});
        if (!mame.verifiesManySets()) {
            if (verdicts.judged == 0 || sinceDrawn.hasExpired(kProgressIntervalMs)) {
                progress.setLabelText(QStringLiteral("Verifying %1 of %2: %3")
                                          .arg(from + 1)
                                          .arg(count)
                                          .arg(run.names.first()));
                progress.setValue(verdicts.judged);
                sinceDrawn.start();
            }
        } else {
            progress.setLabelText(
                verifiesInOnePass(mame, everyGame)
                    ? QStringLiteral("Verifying all %1 sets...").arg(countWithSeparators(count))
                : from == to ? QStringLiteral("Verifying set %1 of %2...").arg(from + 1).arg(count)
                             : QStringLiteral("Verifying sets %1\u2013%2 of %3...")
                                   .arg(from + 1)
                                   .arg(to + 1)
                                   .arg(count));
            progress.setValue(verdicts.judged);
            sinceDrawn.start();
        }

        // MAME's answer is read as it comes, and the progress moves with its verdicts.
        VerifyAnswer answer(mame, run.names);
        const auto take = [&](QByteArrayView piece) {
            answer.take(piece);
            if (sinceDrawn.hasExpired(kProgressIntervalMs)) {
                progress.setValue(std::min(from + answer.done(), to));
                sinceDrawn.start();
            }
            return true;
        };
        // Standard error stays out of the answer: nothing on it is a verdict.
        EmulatorRunResult result;
        if (mame.verifiesManySets()) {
            result = runEmulatorPiped(m_platform.processes, run.command, take, progress);
        } else {
            // A set a run, and a few lines an answer: the wait for a piped run lets a pipe
            // fill for a moment, which thousands of runs would each pay for; a file costs none.
            m_platform.files.remove(outputPath(), nullptr);
            result = runEmulator(m_platform.processes, run.command, outputPath(), progress);
            if (const std::optional<QByteArray> output = readOutput(largestOneSetAnswer(mame)))
                answer.take(*output);
        }
        if (stopsTheSeries(result, verdicts))
            return verdicts;
        answer.finish();
        // Whatever the exit code: an unknown name or a bad set ends a run of today's MAME with
        // one, after the verdicts of the others. A crash leaves no verdict to trust.
        judgeUpTo(to + 1, result.crashed() ? QSet<QString>() : answer.good());
    }
    judgeUpTo(count, {});
    return verdicts;
}
