#include "ui/catalogue/gamelistrefresh.h"

#include "mame/catalogueupdate.h"
#include "mame/mameinuse.h"
#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"
#include "ui/catalogue/gamelist.h"
#include "ui/desktop/emulatorrun.h"

#include <QDir>
#include <QTimer>

#include <optional>

GameListRefresh::GameListRefresh(Platform& platform, MameInUse& mameInUse, GameList& gameList,
                                 QWidget* window, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_mameInUse(mameInUse)
    , m_gameList(gameList)
    , m_window(window)
{
    connect(&mameInUse, &MameInUse::identified, this, &GameListRefresh::offerFirstList);
}

void GameListRefresh::offerFirstList(const MameInfo& mame)
{
    if (m_offered || !m_platform.newProgramDir || mame.notAsked || mame.program.isEmpty() ||
        m_platform.files.exists(m_gameList.gameListPath()))
        return;
    m_offered = true;
    const QString which = mame.isToday() ? QStringLiteral("MAME ") + mame.version
                                         : QStringLiteral("the classic MAME");
    // From the event loop: MAME is identified while the window comes on screen, and the
    // question waits for the user.
    QTimer::singleShot(0, this, [this, which] {
        if (m_platform.messages.show(
                QStringLiteral("Update the games list from %1 now?").arg(which), appTitle(),
                MessageButtons::YesNo) == MessageAnswer::Ok)
            UpdateGamesMenu_Click();
    });
}

void GameListRefresh::UpdateGamesMenu_Click()
{
    const QString target = m_gameList.gameListPath();
    QString problem;
    const QString kvCfg = QDir(m_platform.programDir).filePath(QStringLiteral("KvCfg"));
    std::unique_ptr<FileLock> lock;
    if (!m_platform.files.isDirectory(kvCfg)) {
        problem =
            QStringLiteral("the directory %1 does not exist").arg(QDir::toNativeSeparators(kvCfg));
    } else {
        bool refused = false;
        lock = lockProgramDirectory(m_platform, &refused);
        if (refused)
            return;
        problem = update(target, m_mameInUse.identify(QStringLiteral("MAME")));
    }

    m_gameList.LoadGameList();
    if (problem.isEmpty()) {
        m_platform.messages.show(QStringLiteral("Game list updated!"), appTitle(),
                                 MessageButtons::Ok);
        return;
    }
    m_platform.messages.show(QStringLiteral("The games list was not updated: %1.\n"
                                            "The list file %2 is left as it was.")
                                 .arg(problem, QDir::toNativeSeparators(target)),
                             appTitle(), MessageButtons::Ok);
}

QString GameListRefresh::update(const QString& target, const MameInfo& mame)
{
    QString error;
    const std::unique_ptr<FileReplacement> list = m_platform.files.startReplacing(target, &error);
    if (!list)
        return QStringLiteral("the new list could not be made: %1").arg(error);
    CatalogueUpdate update(mame, *list);
    const EmulatorRunResult run = runEmulatorPiped(
        m_platform.processes, update.command(),
        [&update](QByteArrayView output) { return update.take(output); }, m_window,
        QStringLiteral("Updating the games list..."));
    if (QString problem = update.problem(run); !problem.isEmpty())
        return problem;
    if (!list->commit(&error))
        return QStringLiteral("the new list could not replace the old one: %1").arg(error);
    return {};
}

void GameListRefresh::WriteOptimizedMenu_Click()
{
    m_platform.messages.show(QStringLiteral("Later..."), appTitle(), MessageButtons::Ok);
}
