#pragma once

#include <QAbstractItemView>
#include <QStackedWidget>

class QAbstractItemModel;
class QItemSelectionModel;
class QListView;
class QModelIndex;
class QTreeView;

// The game list's view: a report with the five columns, or large icons with the text below,
// both over one model and one selection. It turns the user's presses, clicks and keys into
// the list's events; what they do is up to whoever listens.
class GameListView final : public QStackedWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameListView)

public:
    explicit GameListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model);
    QItemSelectionModel* selectionModel() const;
    QTreeView* reportView() const { return m_report; }
    QListView* iconView() const { return m_icons; }
    // The view on show, report or icons.
    QAbstractItemView* currentView() const;

    // Show the rows as a report or as icons; rows, columns, order and selection stay.
    void showReport();
    void showIcons();

    // The box a game's snapshot is scaled to fit in an icon's cell, leaving room for two
    // lines of its text.
    QSize snapshotBox() const;

    // Whether the user may edit item labels in place.
    void setLabelEditing(bool enabled);

    // Puts the columns back to their standard widths.
    void resetColumns();
    // What the window gained in width goes to the first column, on top of its width.
    void setFirstColumnExtra(int pixels);
    void setColumnWidth(int column, int widthTwips);
    // Marks column as the one the rows are sorted by, ascending.
    void showSortColumn(int column);

    // The selected row, or -1 when none is selected.
    int selectedRow() const;
    // Selects row (none for -1) and makes it the current one, without scrolling.
    void selectRow(int row);
    void scrollToSelection(QAbstractItemView::ScrollHint hint = QAbstractItemView::EnsureVisible);
    // The selected row's rectangle in the coordinates of the current view's viewport, as
    // mousePressed reports positions; null when no row is selected.
    QRect selectedRowRect() const;

Q_SIGNALS:
    // The user made row the selected one, or clicked it while it was selected already: once
    // per click, and for each keyboard move. Programmatic selection changes send it too; the
    // listener knows when it changes the selection itself.
    void rowChosen(int row);
    void columnClicked(int column);
    // A press of any button, a double click's second press included, at pos in the current
    // viewport. Only the left button reaches the view: the others never change the selection.
    void mousePressed(Qt::MouseButton button, const QPoint& pos);
    // A left double click anywhere in the list, on a row or not.
    void doubleClicked();
    // A key pressed in the list. Return and Enter go no further.
    void keyPressed(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void configure(QAbstractItemView* view);
    // Brings view to the front, keeping the focus in the list and the selection in sight.
    void bringToFront(QAbstractItemView* view);
    void clicked(const QModelIndex& index);

    QTreeView* m_report;
    QListView* m_icons;
    int m_firstColumnExtra = 0;
    // Whether the left press under way has already chosen its row, by selecting it.
    bool m_pressChose = false;
};
