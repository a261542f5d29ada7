#include "catalogue/gamelist.h"

#include "catalogue/gamelistmodel.h"
#include "catalogue/gamelistreader.h"
#include "catalogue/gamelistview.h"
#include "catalogue/listtype.h"
#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"
#include "platform/settingsstore.h"

#include <QComboBox>
#include <QDir>
#include <QIODevice>
#include <QWidget>

#include <vector>

QString gamesAvailableCaption(int count)
{
    return QStringLiteral("Brimwork's Korvane - ") + QString::number(count) +
           QStringLiteral(" games available");
}

QString loadingCaption()
{
    return QStringLiteral("Brimwork's Korvane - Loading games... Please wait!");
}

GameList::GameList(Platform& platform, QWidget* window, GameListView* view, GameListModel* model,
                   QComboBox* listTypeCombo, StatusReport reportStatus, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_window(window)
    , m_view(view)
    , m_model(model)
    , m_listTypeCombo(listTypeCombo)
    , m_reportStatus(std::move(reportStatus))
{
    // activated, not currentIndexChanged: only the user's choice stores the list type;
    // restoring it at start-up must not write it back or load twice.
    connect(m_listTypeCombo, &QComboBox::activated, this, &GameList::GamesListTypeCombo_Click);
}

QString GameList::gameListPath() const
{
    return QDir(m_platform.programDir).filePath(QStringLiteral("KvCfg/Korvane.gam"));
}

QString GameList::hackListPath() const
{
    return QDir(m_platform.programDir).filePath(QStringLiteral("KvCfg/Korvane.hck"));
}

void GameList::LoadGameList()
{
    m_view->resetColumns();

    // Only the game list file decides whether any list is available; the hack list file is
    // checked as well when it is the one to read, so that choosing "Home hacks" without it
    // does not empty the list.
    if (!m_platform.files.isReadableFile(gameListPath())) {
        m_platform.messages.show(QStringLiteral("Gamelist unavailable."), appTitle(),
                                 MessageButtons::Ok);
        return;
    }
    const int listType = m_listTypeCombo->currentIndex();
    const bool hacks = listTypeReadsHackList(listType);
    if (hacks && !m_platform.files.isReadableFile(hackListPath())) {
        m_platform.messages.show(QStringLiteral("Hack list unavailable."), appTitle(),
                                 MessageButtons::Ok);
        return;
    }

    m_window->setWindowTitle(loadingCaption());

    std::vector<CatalogueEntry> rows;
    bool complete = false;
    if (auto device = m_platform.files.openForReading(hacks ? hackListPath() : gameListPath())) {
        complete = ReadGameList(*device, [&rows, listType](CatalogueEntry&& entry) {
            if (listTypeAdmits(listType, entry))
                rows.push_back(std::move(entry));
        });
    }
    // The old rows go and the new ones come in one reset of the view.
    m_model->setRows(std::move(rows));
    m_window->setWindowTitle(gamesAvailableCaption(m_model->rowCount()));
    if (!complete) {
        m_reportStatus(QStringLiteral("The list file %1 could not be read to its end.")
                           .arg(QDir::toNativeSeparators(hacks ? hackListPath() : gameListPath())));
    }
}

void GameList::GamesListTypeCombo_Click()
{
    const int index = m_listTypeCombo->currentIndex();
    if (!m_platform.settings.write(QStringLiteral("Games"), QStringLiteral("ListType"),
                                   QString::number(index))) {
        m_reportStatus(QStringLiteral("The list type could not be saved in %1.")
                           .arg(m_platform.settings.location()));
    }
    LoadGameList();
}
