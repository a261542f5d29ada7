#pragma once

#include "catalogue/catalogueentry.h"
#include "mame/commandline.h"
#include "mame/romsets.h"
#include "ui/catalogue/personallists.h"

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class FindBar;
class GameListModel;
class GameListView;
class QAction;
class QComboBox;
class QMenu;
class QPoint;
class QWidget;
class SnapshotImages;
struct Platform;

// The game list: its loading, its list-type chooser, the user's work in it (choosing a
// game, sorting, the context menu, starting a game) and its views.
class GameList final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameList)

public:
    using StatusReport = std::function<void(const QString&)>;

    struct Controls
    {
        QWidget* window; // shows the count of games in its caption
        GameListView* GamesListView;
        QComboBox* GamesListTypeCombo;
        QMenu* RightClickMenu;
        QAction* FullscreenMenu;
        QWidget* StatusBar;    // a sibling of the list that the full window never covers
        FindBar* findBar;      // shown along the list's bottom edge while finding
        QAction* FavoriteMenu; // in RightClickMenu: its text follows the selected game
    };

    GameList(Platform& platform, Controls controls, GameListModel* model, StatusReport reportStatus,
             QObject* parent = nullptr);

    // Rebuilds the list for the list type the chooser shows now: puts the columns back,
    // reads the game list file (the hack list file for home hacks) and keeps the games the
    // list type admits, in the order of the last column clicked. The selected game stays
    // selected when the new rows hold it. A missing game list file is reported and leaves
    // the rows as they were; a missing hack list empties them.
    void LoadGameList();

    // The MAME in use is now this one: its ROM folders decide which games are available, and
    // its snapshot folder what the icons show. Nothing changes while it is not known yet
    // (info.notAsked).
    void setMame(const MameInfo& info);
    const RomSets& romSets() const { return m_romSets; }
    const SnapshotImages& snapshots() const { return *m_snapshots; }

    // The user chose a list type: remember it, then load the list.
    void GamesListTypeCombo_Click();

    // The user chose row: show it in the status bar and remember it as the last game, then
    // tell currentGameChanged.
    void GamesListView_ItemClick(int row);
    // At start-up: selects the game clicked last ("Games"/LastUsed), scrolled into view, and
    // tells currentGameChanged as a click does (its settings come onto the panel). The status
    // bar keeps what start-up said there, and nothing is stored. Nothing when the list does
    // not hold the game.
    void selectLastUsed();
    // Sorts by column from now on, ascending, keeping the selected game in view; the column
    // is kept for the next start.
    void GamesListView_ColumnClick(int column);
    void GamesListView_DblClick();
    void GamesListView_KeyPress(int key);
    // A right press inside the selected row's band opens RightClickMenu at the pointer; pos
    // is in the coordinates of the view's viewport.
    void GamesListView_MouseDown(Qt::MouseButton button, const QPoint& pos);

    void ViewAsDetailsMenu_Click();
    void ViewAsIconsMenu_Click();
    // Lets the list cover the whole window above the status bar, or puts it back.
    void FullscreenMenu_Click();
    // The window's client area is this much larger than its design size: the list takes it.
    void setGrowth(QSize pixels);

    // Opens the find field along the list's bottom edge (the list gives up its height), or
    // puts the focus back in it.
    void FindMenu_Click();
    // Shows only the rows of the list type that hold every word of text.
    void FindText_Change(const QString& text);
    // Down in the find field: into the list, on the selected row or else the first.
    void FindText_Down();
    // Enter in the find field: starts the selected game, or, when it does not show, the first
    // row, which is chosen as a click chooses it.
    void FindText_Enter();
    // Closes the find field: every row shows again, the selected game selected and in view.
    void FindClose_Click();
    bool isFinding() const;

    // Marks the selected game as a favorite, or takes its mark away; "Favorites" follows.
    void FavoriteMenu_Click();
    // A game that was started ended well: it goes into the history (see PersonalLists::played)
    // and "Recently played", when it shows, puts it first.
    void gamePlayed(const Play& play, const QString& description);

    // The current game: the selected row, or nullptr when none is selected. While finding, a
    // selected game that the rows found leave out is still the current game.
    const CatalogueEntry* selectedGame() const;
    // The cells of the selected row that a launch gives MAME, or nullopt when none is selected.
    std::optional<SelectedGame> selectedForLaunch() const;
    // The selected row's short name, or nullopt when none is selected.
    std::optional<QString> selectedName() const;
    // The list type the chooser shows, -1 for none.
    int listType() const;
    // The short names of the rows, in the order the list shows them.
    QStringList shownNames() const;
    // The description of the row whose short name is name; empty when no row has it.
    QString descriptionOf(const QString& name) const;

    QString gameListPath() const;
    QString hackListPath() const;

Q_SIGNALS:
    // The user chose the game with this short name: by a click, also on the game chosen
    // already, or by moving the selection. Never sent by a load or a sort.
    void currentGameChanged(const QString& name);
    // A double click or Enter in the list: start the selected game as Play does, also when
    // no game is selected.
    void launchRequested();

private:
    // The rows of list type type, read from its file; nullopt when the file is missing.
    // *games counts the games of the file, *complete tells whether it was read to its end.
    std::optional<std::vector<CatalogueEntry>> readRows(int type, int* games, bool* complete);
    void showRows(std::vector<CatalogueEntry> rows);
    // What the ROM folders hold has changed: the rows follow, the selected game stays.
    void romSetsChanged();
    // Grey for the games that are not available, unless no ROM folder exists at all.
    void showAvailability();
    void reportWhenNoSets();
    // Puts the list (and the find field under it) in its place for the mode and the window.
    void placeList();
    // Selects the game chosen last while finding when the rows show it and none is selected;
    // the caption and the field's count follow the rows.
    void afterFind();
    // Selects row, as a click selects it.
    void choose(int row);
    // Reads the rows of the list type again, the columns and the selected game kept.
    void showRowsAgain();
    // FavoriteMenu's text for the selected game.
    void showFavoriteItem();

    Platform& m_platform;
    Controls m_controls;
    GameListModel* m_model;
    StatusReport m_reportStatus;
    // The column the rows are sorted by once the user has clicked one, else -1.
    int m_sortColumn = -1;
    // "Recently played" shows the game played last first until a column is clicked while it
    // shows: the column then sorts it, until it is chosen again.
    int m_recentSortColumn = -1;
    bool m_fullWindow = false;
    QSize m_growth{0, 0};
    // While finding: the short name of the game chosen last, which stays the current game while
    // the rows found leave it out.
    QString m_findChosen;
    bool m_listSeen = false; // a game list file was read at this start
    bool m_hinted = false;   // the status bar says there is no list
    RomSets m_romSets;
    SnapshotImages* m_snapshots;
    GameAvailability m_availability; // of the game list file last read
    PersonalLists m_personal;
    // Set while the program itself changes the rows or the selection, which the user did not
    // choose.
    bool m_quiet = false;
};

// The window caption after a load that shows count rows.
QString gamesAvailableCaption(int count);
QString loadingCaption();
