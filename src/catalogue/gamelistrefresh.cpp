#include "catalogue/gamelistrefresh.h"

#include "catalogue/gamelist.h"
#include "catalogue/gamelistreader.h"
#include "catalogue/listxml.h"
#include "launch/emulatorrun.h"
#include "launch/mameidentity.h"
#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"

#include <QBuffer>
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
    QString problem;
    const QString kvCfg = QDir(m_platform.programDir).filePath(QStringLiteral("KvCfg"));
    if (!m_platform.files.isDirectory(kvCfg)) {
        problem =
            QStringLiteral("the directory %1 does not exist").arg(QDir::toNativeSeparators(kvCfg));
    } else if (MameIdentity(m_platform).identify(QStringLiteral("MAME")).kind == MameKind::Today) {
        problem = updateFromXml(target);
    } else {
        problem = updateFromListInfo(target);
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

QString GameListRefresh::runInto(const QString& commandLine, const QString& outputPath)
{
    // Never judge a run by what an earlier one left behind.
    m_platform.files.remove(outputPath, nullptr);
    const EmulatorRunResult run =
        runEmulator(m_platform.processes, commandLine, outputPath, m_window,
                    QStringLiteral("Updating the games list..."));
    switch (run.status) {
    case EmulatorRunResult::Status::NotStarted:
        return QStringLiteral("MAME could not be started (%1)").arg(run.error);
    case EmulatorRunResult::Status::Cancelled:
        return QStringLiteral("the update was cancelled");
    case EmulatorRunResult::Status::Ended:
        if (!run.exitedNormally)
            return QStringLiteral("MAME stopped before it had finished");
        if (run.exitCode != 0)
            return QStringLiteral("MAME ended with exit code %1").arg(run.exitCode);
        break;
    }
    return {};
}

QString GameListRefresh::updateFromListInfo(const QString& target)
{
    // Beside the old file, so that the new one can be renamed over it in one step.
    const QString newFile = target + QStringLiteral(".new");
    QString problem = runInto(QStringLiteral("MAME -listinfo"), newFile);
    if (problem.isEmpty())
        problem = problemWithUpdate(newFile);
    if (problem.isEmpty()) {
        QString reason;
        if (!m_platform.files.moveOver(newFile, target, &reason))
            problem = QStringLiteral("the new list could not replace the old one: %1").arg(reason);
    }
    if (!problem.isEmpty())
        m_platform.files.remove(newFile, nullptr);
    return problem;
}

QString GameListRefresh::updateFromXml(const QString& target)
{
    // Today's MAME prints XML; it is kept only until it has been turned into the list text.
    const QString xmlFile = target + QStringLiteral(".xml");
    QString problem = runInto(QStringLiteral("MAME -listxml"), xmlFile);
    QBuffer list;
    list.open(QIODevice::WriteOnly);
    if (problem.isEmpty()) {
        if (const auto xml = m_platform.files.openForReading(xmlFile)) {
            const ListXmlConversion converted = convertListXml(*xml, list);
            if (!converted.ok)
                problem =
                    QStringLiteral("MAME's catalogue could not be read: %1").arg(converted.error);
            else if (converted.games == 0)
                problem = QStringLiteral("MAME's output holds no games");
        } else {
            problem = QStringLiteral("MAME's output could not be read");
        }
    }
    m_platform.files.remove(xmlFile, nullptr);
    if (problem.isEmpty()) {
        QString reason;
        if (!m_platform.files.writeAtomically(target, list.data(), &reason))
            problem = QStringLiteral("the new list could not be written: %1").arg(reason);
    }
    return problem;
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
