#include "verify/romverification.h"

#include "catalogue/catalogueentry.h"
#include "catalogue/gamelist.h"
#include "launch/emulatorrun.h"
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

} // namespace

RomVerification::RomVerification(Platform& platform, GameList& gameList, QWidget* window,
                                 QAction* VerifyCurrentRomMenu, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_gameList(gameList)
    , m_window(window)
    , m_verifyCurrentRomMenu(VerifyCurrentRomMenu)
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

std::optional<QByteArray> RomVerification::readOutput() const
{
    const auto device = m_platform.files.openForReading(outputPath());
    if (!device)
        return std::nullopt;
    return device->read(kLargestOutput + 1);
}

void RomVerification::failed()
{
    m_platform.messages.show(QStringLiteral("Hmmm some problem occured... :'("), appTitle(),
                             MessageButtons::Ok);
    m_window->showNormal();
}

void RomVerification::VerifyCurrentRomMenu_Click()
{
    const CatalogueEntry* game = m_gameList.selectedGame();
    if (!game) {
        failed();
        return;
    }
    const QString name = game->name;
    // Never judge this set by what an earlier run left behind.
    m_platform.files.remove(outputPath(), nullptr);
    const EmulatorRunResult run =
        runEmulator(m_platform.processes, verifyCommand(name), outputPath(), m_window,
                    QStringLiteral("Verifying %1...").arg(name));
    if (run.status == EmulatorRunResult::Status::NotStarted) {
        m_platform.messages.show(QStringLiteral("mame is not found..."), appTitle(),
                                 MessageButtons::Ok);
    } else if (run.status == EmulatorRunResult::Status::Cancelled) {
        m_platform.files.remove(outputPath(), nullptr);
        failed();
        return;
    }

    const std::optional<QByteArray> output = readOutput();
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

void RomVerification::VerifyAllRomsMenu_Click()
{
    if (m_platform.messages.show(QStringLiteral("This can be very very long :)\r\n\r\n"
                                                "Proceed anyway?"),
                                 appTitle(), MessageButtons::OkCancel) != MessageAnswer::Ok)
        return;
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

    QStringList notGood;
    int judged = 0;
    bool cancelled = false;
    QElapsedTimer sinceDrawn;
    for (const QString& entry : names) {
        const QString name = trimSpaces(entry);
        if (judged == 0 || sinceDrawn.hasExpired(kProgressIntervalMs)) {
            progress.setLabelText(
                QStringLiteral("Verifying %1 of %2: %3").arg(judged + 1).arg(count).arg(name));
            progress.setValue(judged);
            sinceDrawn.start();
        }
        m_platform.files.remove(outputPath(), nullptr);
        const EmulatorRunResult run =
            runEmulator(m_platform.processes, verifyCommand(name), outputPath(), progress);
        if (run.status == EmulatorRunResult::Status::NotStarted) {
            // Once is enough: without an emulator every other set would fail the same way.
            progress.hide();
            m_platform.messages.show(QStringLiteral("mame crashed?\n") + run.error, appTitle(),
                                     MessageButtons::Ok);
            m_platform.files.remove(outputPath(), nullptr);
            m_window->showNormal();
            return;
        }
        if (run.status == EmulatorRunResult::Status::Cancelled) {
            cancelled = true;
            break;
        }
        // A set without output is judged by an empty line, which is not the success line.
        const std::optional<QByteArray> output = readOutput();
        if (!output || verifyFirstLine(*output) != kVerifySuccessLine)
            notGood.append(name);
        ++judged;
    }
    progress.hide();

    const QString reportName = appTitle() + QStringLiteral("_VerifyReport.txt");
    QString reason;
    m_platform.files.remove(outputPath(), nullptr);
    if (!m_platform.files.writeAtomically(reportPath(), verifyReport(notGood), &reason)) {
        m_platform.messages.show(QStringLiteral("The report could not be written to %1: %2")
                                     .arg(QDir::toNativeSeparators(reportPath()), reason),
                                 appTitle(), MessageButtons::Ok);
    } else if (cancelled) {
        m_platform.messages.show(QStringLiteral("Verification cancelled after %1 of %2 sets.\r\n"
                                                "See the results in: %3")
                                     .arg(judged)
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
