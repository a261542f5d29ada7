#pragma once

#include <QStackedWidget>

class QAbstractItemModel;
class QItemSelectionModel;
class QTreeView;

// The game list's view: a report with the five columns. It shows the model it is given;
// whoever asks for the current game asks the selection model.
class GameListView final : public QStackedWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameListView)

public:
    explicit GameListView(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model);
    QItemSelectionModel* selectionModel() const;
    QTreeView* reportView() const { return m_report; }

    // Whether the user may edit item labels in place.
    void setLabelEditing(bool enabled);

    // Puts the columns back to their standard widths.
    void resetColumns();

    // The selected row, or -1 when none is selected.
    int selectedRow() const;

private:
    QTreeView* m_report;
};
