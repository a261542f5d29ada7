#include "ui/catalogue/gamelist.h"

#include "catalogue/gamecolumns.h"
#include "catalogue/gamefinder.h"
#include "catalogue/gamelistreader.h"
#include "catalogue/listtype.h"
#include "mame/snapshots.h"
#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"
#include "platform/settingsstore.h"
#include "ui/catalogue/findbar.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/catalogue/snapshotimages.h"
#include "ui/desktop/twips.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QIODevice>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QScopedValueRollback>
#include <QWidget>

#include <optional>
#include <utility>
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

namespace {

// The list's rectangle and the width of its first column, in twips, in each mode. The top
// edge stays at 0; the full window reaches down to the status bar.
struct ListPlacement
{
    int left;
    int width;
    int height;
    int firstColumnWidth;
};
// What the status bar says of a game the user chose: "Pac-Man ©1980 Namco".
QString chosenText(const CatalogueEntry& game)
{
    return game.description + QStringLiteral(" \u00A9") + game.year + u' ' + game.manufacturer;
}

constexpr ListPlacement kNormalPlacement{120, 6972, 4452, 3000};
constexpr ListPlacement kFullWindowPlacement{0, 10092, 7092, 6000};

} // namespace

GameList::GameList(Platform& platform, Controls controls, GameListModel* model,
                   StatusReport reportStatus, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_controls(controls)
    , m_model(model)
    , m_reportStatus(std::move(reportStatus))
    , m_romSets(platform.files)
    , m_snapshots(new SnapshotImages(platform.files, this))
    , m_personal(platform, m_reportStatus)
{
    m_snapshots->setBox(m_controls.GamesListView->snapshotBox());
    m_model->setSnapshots(m_snapshots);
    for (int i = 0; i < kListTypeCount; ++i)
        m_controls.GamesListTypeCombo->addItem(listTypeName(i));
    m_personal.load();
    m_model->setToolTips([this](const QString& name) { return m_personal.playedText(name); });
    // The column clicked last sorts the list again from the first load on; none stored (or
    // none that names a column) keeps the file's order.
    bool stored = false;
    const int column =
        platform.settings.read(QStringLiteral("Games"), QStringLiteral("SortColumn"), QString())
            .toInt(&stored);
    if (stored && column >= 0 && column < static_cast<int>(kGameColumns.size()))
        m_sortColumn = column;
    connect(&m_romSets, &RomSets::changed, this, &GameList::romSetsChanged);
    // activated, not currentIndexChanged: only the user's choice stores the list type;
    // restoring it at start-up must not write it back or load twice.
    connect(m_controls.GamesListTypeCombo, &QComboBox::activated, this,
            &GameList::GamesListTypeCombo_Click);
    GameListView* view = m_controls.GamesListView;
    connect(view, &GameListView::rowChosen, this, [this](int row) {
        if (!m_quiet)
            GamesListView_ItemClick(row);
    });
    connect(view, &GameListView::columnClicked, this, &GameList::GamesListView_ColumnClick);
    connect(view, &GameListView::doubleClicked, this, &GameList::GamesListView_DblClick);
    connect(view, &GameListView::keyPressed, this, &GameList::GamesListView_KeyPress);
    connect(view, &GameListView::mousePressed, this, &GameList::GamesListView_MouseDown);
    FindBar* find = m_controls.findBar;
    connect(find, &FindBar::textEdited, this, &GameList::FindText_Change);
    connect(find, &FindBar::intoList, this, &GameList::FindText_Down);
    connect(find, &FindBar::startRequested, this, &GameList::FindText_Enter);
    connect(find, &FindBar::closeRequested, this, &GameList::FindClose_Click);
    connect(view, &GameListView::rowChosen, this, &GameList::showFavoriteItem);
    connect(m_controls.RightClickMenu, &QMenu::aboutToShow, this, &GameList::showFavoriteItem);
    connect(m_controls.FavoriteMenu, &QAction::triggered, this, &GameList::FavoriteMenu_Click);
    showFavoriteItem();
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
    m_controls.GamesListView->resetColumns();
    m_recentSortColumn = -1;

    // Only the game list file decides whether any list is available: without it the old
    // rows stay. Without the hack list, "Home hacks" shows no rows rather than games that
    // are no hacks.
    if (!m_platform.files.isReadableFile(gameListPath())) {
        // In a program directory made at this start no list can exist yet: the hint says
        // what to do, and the window comes up at once. A list that was there and is gone is
        // worth a message.
        if (!m_platform.newProgramDir || m_listSeen)
            m_platform.messages.show(QStringLiteral("Gamelist unavailable."), appTitle(),
                                     MessageButtons::Ok);
        m_reportStatus(QStringLiteral("There is no games list yet: Tools > Update the games "
                                      "list makes one from MAME."));
        m_hinted = true;
        return;
    }
    const int type = listType();
    const bool hacks = listTypeReadsHackList(type);
    if (hacks && !m_platform.files.isReadableFile(hackListPath())) {
        showRows({});
        m_platform.messages.show(QStringLiteral("Hack list unavailable."), appTitle(),
                                 MessageButtons::Ok);
        return;
    }

    m_controls.window->setWindowTitle(loadingCaption());
    // The load holds the event loop: let the caption reach the screen first. No user input
    // is taken meanwhile.
    if (m_controls.window->isVisible())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    int games = 0;
    bool complete = false;
    std::optional<std::vector<CatalogueEntry>> rows = readRows(type, &games, &complete);
    showRows(rows ? std::move(*rows) : std::vector<CatalogueEntry>());
    showAvailability();
    const QString file = QDir::toNativeSeparators(hacks ? hackListPath() : gameListPath());
    if (!complete) {
        m_reportStatus(QStringLiteral("The list file %1 could not be read to its end.").arg(file));
    } else if (games == 0) {
        // Left behind by a catalogue run that failed, most likely: say so rather than show
        // an empty list with nothing to explain it.
        m_reportStatus(QStringLiteral("The list file %1 holds no games.").arg(file));
    } else {
        if (!hacks)
            m_listSeen = true;
        // The hint of a start without a list never stays beside one.
        if (std::exchange(m_hinted, false) && !hacks)
            m_reportStatus(
                QStringLiteral("The games list holds %1 games.").arg(QLocale().toString(games)));
        reportWhenNoSets();
    }
}

std::optional<std::vector<CatalogueEntry>> GameList::readRows(int type, int* games, bool* complete)
{
    const bool hacks = listTypeReadsHackList(type);
    auto device = m_platform.files.openForReading(hacks ? hackListPath() : gameListPath());
    if (!device)
        return std::nullopt;
    // The whole catalogue tells what each game needs (a clone's parent and BIOS may come
    // after it), so availability is decided once it is read. Home hacks bring their own ROM
    // folder and are taken as they are.
    std::vector<CatalogueEntry> rows;
    const bool available = type == AvailableGames;
    if (!hacks)
        m_availability.clear();
    *complete = ReadGameList(
        *device,
        [&](CatalogueEntry&& entry) {
            ++*games;
            if (!hacks)
                m_availability.addGame(entry);
            // A game whose files are missing is no available game: it goes at once.
            if (available ? GameAvailability::hasFiles(entry, m_romSets.present())
                          : listTypeAdmits(type, entry) && m_personal.admits(type, entry.name))
                rows.push_back(std::move(entry));
        },
        nullptr,
        hacks ? BiosSink() : [this](const QString& bios) { m_availability.addBios(bios); });
    // Without any ROM folder nothing is grey, and only the Available list needs to know.
    if (!hacks && (available || m_romSets.anyFolderExists())) {
        for (CatalogueEntry& row : rows)
            row.available = m_availability.isAvailable(row, m_romSets.present());
    }
    if (available)
        std::erase_if(rows, [](const CatalogueEntry& row) { return !row.available; });
    m_personal.order(type, rows);
    return rows;
}

void GameList::setMame(const MameInfo& info)
{
    if (info.notAsked)
        return;
    m_romSets.setFolders(romFolders(info, m_platform.files, m_platform.programDir));
    m_snapshots->setFolder(snapshotFolder(info, m_platform.programDir));
}

void GameList::romSetsChanged()
{
    const int type = listType();
    if (listTypeReadsHackList(type))
        return;
    if (type == AvailableGames) {
        // Read again: the rows to show are others now.
        showRowsAgain();
    } else {
        m_model->updateAvailability([this](const CatalogueEntry& row) {
            return m_availability.isAvailable(row, m_romSets.present());
        });
    }
    showAvailability();
    reportWhenNoSets();
}

void GameList::showRowsAgain()
{
    // The columns stay as the user left them.
    int games = 0;
    bool complete = false;
    if (std::optional<std::vector<CatalogueEntry>> rows = readRows(listType(), &games, &complete))
        showRows(std::move(*rows));
}

void GameList::showAvailability()
{
    const bool grey = m_romSets.anyFolderExists() && !listTypeReadsHackList(listType());
    m_model->setUnavailableColor(grey ? std::optional(m_controls.GamesListView->palette().color(
                                            QPalette::Disabled, QPalette::Text))
                                      : std::nullopt);
}

void GameList::reportWhenNoSets()
{
    if (listType() != AvailableGames || m_romSets.folders().isEmpty() ||
        !m_romSets.present().empty())
        return;
    QStringList folders;
    for (const QString& folder : m_romSets.folders())
        folders.append(QDir::toNativeSeparators(folder));
    m_reportStatus(QStringLiteral("No ROM sets found in %1. Put each set's .zip in one of them; "
                                  "the list follows.")
                       .arg(folders.join(QStringLiteral(", "))));
}

void GameList::showRows(std::vector<CatalogueEntry> rows)
{
    const QScopedValueRollback quiet(m_quiet, true);
    std::optional<CatalogueEntry> kept;
    if (const CatalogueEntry* game = selectedGame())
        kept = *game;
    // The old rows go and the new ones come, already sorted, in one reset of the view.
    const int column = listType() == RecentlyPlayed ? m_recentSortColumn : m_sortColumn;
    m_model->setRows(std::move(rows), column);
    m_controls.GamesListView->showSortColumn(column);
    m_controls.window->setWindowTitle(gamesAvailableCaption(m_model->rowCount()));
    m_controls.findBar->showCount(m_model->rowCount(), m_model->allRowCount());
    if (!kept)
        return;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        if (m_model->row(row) == *kept) {
            m_controls.GamesListView->selectRow(row);
            m_controls.GamesListView->scrollToSelection();
            return;
        }
    }
}

void GameList::GamesListTypeCombo_Click()
{
    const int index = m_controls.GamesListTypeCombo->currentIndex();
    if (!m_platform.settings.write(QStringLiteral("Games"), QStringLiteral("ListType"),
                                   QString::number(index))) {
        m_reportStatus(QStringLiteral("The list type could not be saved in %1.")
                           .arg(m_platform.settings.location()));
    }
    LoadGameList();
}

void GameList::GamesListView_ItemClick(int row)
{
    const CatalogueEntry& game = m_model->row(row);
    if (isFinding())
        m_findChosen = game.name;
    m_reportStatus(chosenText(game));
    if (!m_platform.settings.write(QStringLiteral("Games"), QStringLiteral("LastUsed"),
                                   game.name)) {
        m_reportStatus(QStringLiteral("The last game could not be saved in %1.")
                           .arg(m_platform.settings.location()));
    }
    Q_EMIT currentGameChanged(game.name);
}

void GameList::selectLastUsed()
{
    const QString name =
        m_platform.settings.read(QStringLiteral("Games"), QStringLiteral("LastUsed"), QString());
    const int row = name.isEmpty() ? -1 : m_model->shownRowOf(name);
    if (row < 0)
        return;
    {
        const QScopedValueRollback quiet(m_quiet, true);
        m_controls.GamesListView->selectRow(row);
        m_controls.GamesListView->scrollToSelection();
    }
    Q_EMIT currentGameChanged(name);
}

void GameList::GamesListView_ColumnClick(int column)
{
    const QScopedValueRollback quiet(m_quiet, true);
    if (column != m_sortColumn &&
        !m_platform.settings.write(QStringLiteral("Games"), QStringLiteral("SortColumn"),
                                   QString::number(column))) {
        m_reportStatus(QStringLiteral("The sort column could not be saved in %1.")
                           .arg(m_platform.settings.location()));
    }
    m_sortColumn = column;
    m_recentSortColumn = column;
    m_model->sort(column, Qt::AscendingOrder);
    m_controls.GamesListView->showSortColumn(column);
    m_controls.GamesListView->scrollToSelection();
}

void GameList::GamesListView_DblClick()
{
    Q_EMIT launchRequested();
}

void GameList::GamesListView_KeyPress(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        Q_EMIT launchRequested();
    else if (key == Qt::Key_Escape && isFinding())
        FindClose_Click();
}

void GameList::GamesListView_MouseDown(Qt::MouseButton button, const QPoint& pos)
{
    if (button != Qt::RightButton)
        return;
    // Only the selected row's band counts, across the list's whole width, its edges not.
    const QRect band = m_controls.GamesListView->selectedRowRect();
    if (band.isNull() || pos.y() <= band.top() || pos.y() >= band.top() + band.height())
        return;
    const QWidget* viewport = m_controls.GamesListView->currentView()->viewport();
    m_controls.RightClickMenu->popup(viewport->mapToGlobal(pos));
}

void GameList::ViewAsDetailsMenu_Click()
{
    m_controls.GamesListView->showReport();
}

void GameList::ViewAsIconsMenu_Click()
{
    m_controls.GamesListView->showIcons();
}

void GameList::FullscreenMenu_Click()
{
    m_fullWindow = !m_fullWindow;
    placeList();
    GameListView* view = m_controls.GamesListView;
    view->setColumnWidth(0,
                         (m_fullWindow ? kFullWindowPlacement : kNormalPlacement).firstColumnWidth);
    // Full size, the list lies over every other control but the status bar; back in its
    // place, under them as it was built.
    if (m_fullWindow) {
        view->stackUnder(m_controls.StatusBar);
        m_controls.findBar->stackUnder(m_controls.StatusBar);
    } else {
        view->lower();
    }
    // The action checks itself when triggered; the mode decides.
    m_controls.FullscreenMenu->setChecked(m_fullWindow);
}

void GameList::setGrowth(QSize pixels)
{
    if (pixels == m_growth)
        return;
    m_growth = pixels;
    placeList();
    m_controls.GamesListView->setFirstColumnExtra(pixels.width());
}

void GameList::placeList()
{
    const ListPlacement& p = m_fullWindow ? kFullWindowPlacement : kNormalPlacement;
    GameListView* view = m_controls.GamesListView;
    QRect area = twips::toPixels(view, p.left, 0, p.width, p.height);
    area.setSize(area.size() + m_growth);
    FindBar* find = m_controls.findBar;
    if (find->isVisible()) {
        const int height = find->sizeHint().height();
        find->setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
        area.setHeight(area.height() - height);
    }
    view->setGeometry(area);
}

bool GameList::isFinding() const
{
    return m_controls.findBar->isVisible();
}

void GameList::FindMenu_Click()
{
    FindBar* find = m_controls.findBar;
    if (!isFinding()) {
        const CatalogueEntry* game = selectedGame();
        m_findChosen = game ? game->name : QString();
        m_model->prepareFinding();
        find->field()->clear();
        find->showCount(m_model->rowCount(), m_model->allRowCount());
        find->show();
        find->raise();
        placeList();
        m_controls.GamesListView->scrollToSelection();
    }
    find->takeFocus();
}

void GameList::FindText_Change(const QString& text)
{
    {
        const QScopedValueRollback quiet(m_quiet, true);
        m_model->setFindWords(findWords(text));
    }
    afterFind();
}

void GameList::afterFind()
{
    GameListView* view = m_controls.GamesListView;
    if (view->selectedRow() < 0 && !m_findChosen.isEmpty()) {
        const int row = m_model->shownRowOf(m_findChosen);
        if (row >= 0) {
            const QScopedValueRollback quiet(m_quiet, true);
            view->selectRow(row);
        }
    }
    if (view->selectedRow() >= 0)
        view->scrollToSelection();
    else
        view->currentView()->scrollToTop();
    m_controls.window->setWindowTitle(gamesAvailableCaption(m_model->rowCount()));
    m_controls.findBar->showCount(m_model->rowCount(), m_model->allRowCount());
}

void GameList::choose(int row)
{
    {
        const QScopedValueRollback quiet(m_quiet, true);
        m_controls.GamesListView->selectRow(row);
        m_controls.GamesListView->scrollToSelection();
    }
    GamesListView_ItemClick(row);
}

void GameList::FindText_Down()
{
    if (m_controls.GamesListView->selectedRow() < 0 && m_model->rowCount() > 0)
        choose(0);
    m_controls.GamesListView->currentView()->setFocus(Qt::OtherFocusReason);
}

void GameList::FindText_Enter()
{
    if (m_controls.GamesListView->selectedRow() < 0) {
        // Nothing found: nothing to start.
        if (m_model->rowCount() == 0)
            return;
        choose(0);
    }
    Q_EMIT launchRequested();
}

void GameList::FindClose_Click()
{
    if (!isFinding())
        return;
    m_controls.findBar->hide();
    {
        const QScopedValueRollback quiet(m_quiet, true);
        m_model->setFindWords({});
    }
    placeList();
    afterFind();
    // Among every row again: the game with the rows around it, not at the list's edge.
    m_controls.GamesListView->scrollToSelection(QAbstractItemView::PositionAtCenter);
    m_findChosen.clear();
    m_controls.GamesListView->currentView()->setFocus(Qt::OtherFocusReason);
}

void GameList::FavoriteMenu_Click()
{
    const CatalogueEntry* game = selectedGame();
    if (!game || !m_personal.toggleFavorite(*game))
        return;
    if (listType() == Favorites)
        showRowsAgain();
    showFavoriteItem();
}

void GameList::showFavoriteItem()
{
    const CatalogueEntry* game = selectedGame();
    m_controls.FavoriteMenu->setText(game && m_personal.isFavorite(game->name)
                                         ? QStringLiteral("Remove from favorites")
                                         : QStringLiteral("Add to favorites"));
}

void GameList::gamePlayed(const Play& play, const QString& description)
{
    m_personal.played(play, description);
    // F12 in MAME takes a snapshot: the icon view shows it now, not at the next start.
    m_snapshots->forget(play.name);
    if (listType() == RecentlyPlayed)
        showRowsAgain();
}

const CatalogueEntry* GameList::selectedGame() const
{
    const int row = m_controls.GamesListView->selectedRow();
    if (row >= 0)
        return &m_model->row(row);
    return isFinding() && !m_findChosen.isEmpty() ? m_model->findGame(m_findChosen) : nullptr;
}

std::optional<SelectedGame> GameList::selectedForLaunch() const
{
    const CatalogueEntry* game = selectedGame();
    if (!game)
        return std::nullopt;
    return SelectedGame{game->name, game->cloneof, game->description};
}

std::optional<QString> GameList::selectedName() const
{
    const std::optional<SelectedGame> game = selectedForLaunch();
    return game ? std::optional(game->name) : std::nullopt;
}

int GameList::listType() const
{
    return m_controls.GamesListTypeCombo->currentIndex();
}

QStringList GameList::shownNames() const
{
    QStringList names;
    names.reserve(m_model->rowCount());
    for (int row = 0; row < m_model->rowCount(); ++row)
        names.append(m_model->row(row).name);
    return names;
}

QString GameList::descriptionOf(const QString& name) const
{
    const CatalogueEntry* game = m_model->findGame(name);
    return game ? game->description : QString();
}
