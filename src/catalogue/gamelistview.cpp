#include "catalogue/gamelistview.h"

#include "catalogue/gamecolumns.h"
#include "platform/twips.h"

#include <QHeaderView>
#include <QTreeView>

GameListView::GameListView(QWidget* parent)
    : QStackedWidget(parent)
    , m_report(new QTreeView(this))
{
    m_report->setObjectName(QStringLiteral("GamesListReport"));
    // A flat list of tens of thousands of rows: no tree decoration, and uniform heights so
    // that the view never measures every row.
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_report->setSelectionMode(QAbstractItemView::SingleSelection);
    m_report->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_report->setIconSize(QSize(16, 16));
    m_report->setTextElideMode(Qt::ElideRight);
    m_report->header()->setStretchLastSection(false);
    m_report->header()->setSectionsMovable(false);
    m_report->header()->setHighlightSections(false);
    addWidget(m_report);
}

void GameListView::setModel(QAbstractItemModel* model)
{
    m_report->setModel(model);
    resetColumns();
}

QItemSelectionModel* GameListView::selectionModel() const
{
    return m_report->selectionModel();
}

void GameListView::setLabelEditing(bool enabled)
{
    m_report->setEditTriggers(enabled ? QAbstractItemView::EditKeyPressed |
                                            QAbstractItemView::SelectedClicked
                                      : QAbstractItemView::NoEditTriggers);
}

void GameListView::resetColumns()
{
    QHeaderView* header = m_report->header();
    for (int i = 0; i < static_cast<int>(kGameColumns.size()) && i < header->count(); ++i)
        header->resizeSection(
            i, twips::toPixelsX(this, kGameColumns[static_cast<size_t>(i)].widthTwips));
}

int GameListView::selectedRow() const
{
    const QItemSelectionModel* selection = selectionModel();
    if (!selection)
        return -1;
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}
