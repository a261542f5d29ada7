#include "catalogue/gamelistrefresh.h"

#include "catalogue/gamelist.h"
#include "catalogue/gamelistreader.h"
#include "launch/emulatorrun.h"
#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"

#include <QDir>
#include <QIODevice>

GameListRefresh::GameListRefresh(Platform& platform, GameList& gameList, QWidget* window,
                                 QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_gameList(gameList)
    , m_window(window)
{}

void GameListRefresh::UpdateGamesMenu_Click()
{
    const QString target = m_gameList.gameListPath();
    // Beside the old file, so that the new one can be renamed over it in one step.
    const QString newFile = target + QStringLiteral(".new");
    QString problem;
    const QString kvCfg = QDir(m_platform.programDir).filePath(QStringLiteral("KvCfg"));
    if (!m_platform.files.isDirectory(kvCfg)) {
        problem =
            QStringLiteral("the directory %1 does not exist").arg(QDir::toNativeSeparators(kvCfg));
    } else {
        // Never judge a run by what an earlier one left behind.
        m_platform.files.remove(newFile, nullptr);
        const EmulatorRunResult run =
            runEmulator(m_platform.processes, QStringLiteral("MAME -listinfo"), newFile, m_window,
                        QStringLiteral("Updating the games list..."));
        switch (run.status) {
        case EmulatorRunResult::Status::NotStarted:
            problem = QStringLiteral("MAME could not be started (%1)").arg(run.error);
            break;
        case EmulatorRunResult::Status::Cancelled:
            problem = QStringLiteral("the update was cancelled");
            break;
        case EmulatorRunResult::Status::Ended:
            if (!run.exitedNormally)
                problem = QStringLiteral("MAME stopped before it had finished");
            else if (run.exitCode != 0)
                problem = QStringLiteral("MAME ended with exit code %1").arg(run.exitCode);
            else
                problem = problemWithUpdate(newFile);
            break;
        }
        if (problem.isEmpty()) {
            QString reason;
            if (!m_platform.files.moveOver(newFile, target, &reason))
                problem =
                    QStringLiteral("the new list could not replace the old one: %1").arg(reason);
        }
        if (!problem.isEmpty())
            m_platform.files.remove(newFile, nullptr);
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

QString GameListRefresh::problemWithUpdate(const QString& newFile)
{
    int games = 0;
    const auto device = m_platform.files.openForReading(newFile);
    if (!device)
        return QStringLiteral("MAME's output could not be read");
    // The reader hands over only blocks that are complete, so one is enough to know that
    // the output is a catalogue.
    const bool complete = ReadGameList(*device, [&games](CatalogueEntry&&) { ++games; });
    if (!complete)
        return QStringLiteral("MAME's output could not be read to its end");
    if (games == 0)
        return QStringLiteral("MAME's output holds no games");
    return {};
}

void GameListRefresh::WriteOptimizedMenu_Click()
{
    m_platform.messages.show(QStringLiteral("Later..."), appTitle(), MessageButtons::Ok);
}
