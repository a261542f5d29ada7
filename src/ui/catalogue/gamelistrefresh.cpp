#include "ui/catalogue/gamelistrefresh.h"

#include "catalogue/gamelistreader.h"
#include "mame/listxml.h"
#include "mame/mameidentity.h"
#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"
#include "ui/catalogue/gamelist.h"
#include "ui/desktop/emulatorrun.h"

#include <QDir>

#include <optional>

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
    std::unique_ptr<FileLock> lock;
    if (!m_platform.files.isDirectory(kvCfg)) {
        problem =
            QStringLiteral("the directory %1 does not exist").arg(QDir::toNativeSeparators(kvCfg));
    } else {
        bool refused = false;
        lock = lockProgramDirectory(m_platform, &refused);
        if (refused)
            return;
        const bool today =
            MameIdentity(m_platform).identify(QStringLiteral("MAME")).kind == MameKind::Today;
        problem = update(target, today);
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

QString GameListRefresh::update(const QString& target, bool today)
{
    QString error;
    const std::unique_ptr<FileReplacement> list = m_platform.files.startReplacing(target, &error);
    if (!list)
        return QStringLiteral("the new list could not be made: %1").arg(error);

    // Today's MAME prints XML, which becomes the list text as it comes: nothing of the
    // quarter gigabyte is kept. The classic MAME prints the list text itself.
    std::optional<ListXmlConverter> converter;
    if (today)
        converter.emplace(*list);
    const auto take = [&](QByteArrayView output) {
        if (converter)
            return converter->feed(output);
        return list->write(output.data(), output.size()) == output.size();
    };
    const Command command{QStringLiteral("MAME"),
                          {today ? QStringLiteral("-listxml") : QStringLiteral("-listinfo")}};
    const EmulatorRunResult run = runEmulatorPiped(m_platform.processes, command, take, m_window,
                                                   QStringLiteral("Updating the games list..."));
    switch (run.status) {
    case EmulatorRunResult::Status::NotStarted:
        return QStringLiteral("MAME could not be started (%1)").arg(run.error);
    case EmulatorRunResult::Status::Cancelled:
        return QStringLiteral("the update was cancelled");
    case EmulatorRunResult::Status::Stopped:
        // Only a failed write, or a catalogue the conversion cannot go on with, stops a run.
        if (!converter || !list->writeError().isEmpty())
            return QStringLiteral("the new list could not be written: %1").arg(list->writeError());
        return QStringLiteral("MAME's catalogue could not be read: %1")
            .arg(converter->finish().error);
    case EmulatorRunResult::Status::Ended:
        if (!run.exitedNormally)
            return QStringLiteral("MAME stopped before it had finished");
        if (run.exitCode != 0)
            return QStringLiteral("MAME ended with exit code %1").arg(run.exitCode);
        break;
    }

    if (converter) {
        const ListXmlConversion converted = converter->finish();
        if (!list->writeError().isEmpty())
            return QStringLiteral("the new list could not be written: %1").arg(list->writeError());
        if (!converted.ok)
            return QStringLiteral("MAME's catalogue could not be read: %1").arg(converted.error);
        if (converted.games == 0)
            return QStringLiteral("MAME's output holds no games");
    } else if (const QString problem = problemWithListInfo(*list); !problem.isEmpty()) {
        return problem;
    }
    if (!list->commit(&error))
        return QStringLiteral("the new list could not replace the old one: %1").arg(error);
    return {};
}

QString GameListRefresh::problemWithListInfo(FileReplacement& list)
{
    if (!list.seek(0))
        return QStringLiteral("the new list could not be read back");
    int games = 0;
    bool cutShort = false;
    // The reader hands over only blocks that are complete, so one is enough to know that
    // the output is a catalogue.
    if (!ReadGameList(
            list, [&games](CatalogueEntry&&) { ++games; }, &cutShort))
        return QStringLiteral("the new list could not be read back");
    if (games == 0)
        return QStringLiteral("MAME's output holds no games");
    if (cutShort)
        return QStringLiteral("MAME's output stops inside a block");
    return {};
}

void GameListRefresh::WriteOptimizedMenu_Click()
{
    m_platform.messages.show(QStringLiteral("Later..."), appTitle(), MessageButtons::Ok);
}
