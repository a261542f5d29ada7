#include "ui/catalogue/gamelistview.h"

#include "catalogue/gamecolumns.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/desktop/twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <algorithm>

namespace {

// An icon's cell in twips: the large icon with up to three lines of its text below.
constexpr int kIconCellWidth = 1440;
constexpr int kIconCellHeight = 1260;
constexpr int kIconGap = 90;
// Pixels around a snapshot within its cell, for the focus frame.
constexpr int kSnapshotMargin = 8;

// Gives every icon the same cell, so that the view asks no row for its size: with tens of
// thousands of rows, measuring each text would cost more than showing them. A game's
// snapshot, once read, takes the place of its icon.
class IconCellDelegate final : public QStyledItemDelegate
{
    Q_DISABLE_COPY_MOVE(IconCellDelegate)

public:
    IconCellDelegate(QSize size, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_size(size)
    {}

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return m_size;
    }

    // Whole lines of text only: a line cut through its middle reads as a fault, so the text
    // ends with the last line that fits whole, elided when more follows.
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt(option);
        initStyleOption(&opt, index);
        const QWidget* widget = opt.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
        const int line = opt.fontMetrics.height();
        if (line > 0 && text.height() > line)
            opt.rect.setBottom(opt.rect.bottom() - text.height() % line);
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    }

protected:
    // The text starts right under the icon, however many lines it takes.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
        const QVariant snapshot = index.data(GameListModel::SnapshotRole);
        if (snapshot.isValid()) {
            const auto image = snapshot.value<QPixmap>();
            option->icon = QIcon(image);
            option->decorationSize = image.deviceIndependentSize().toSize();
        }
    }

private:
    QSize m_size;
};

} // namespace

GameListView::GameListView(QWidget* parent)
    : QStackedWidget(parent)
    , m_report(new QTreeView(this))
    , m_icons(new QListView(this))
{
    m_report->setObjectName(QStringLiteral("GamesListReport"));
    // A flat list of tens of thousands of rows: no tree decoration, and uniform heights so
    // that the view never measures every row.
    m_report->setRootIsDecorated(false);
    m_report->setItemsExpandable(false);
    m_report->setUniformRowHeights(true);
    m_report->setAllColumnsShowFocus(true);
    m_report->setIconSize(QSize(16, 16));
    QHeaderView* header = m_report->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    // The header sorts through columnClicked alone: the view's own sorting would turn the
    // order round on a second click.
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &GameListView::columnClicked);

    m_icons->setObjectName(QStringLiteral("GamesListIcons"));
    m_icons->setViewMode(QListView::IconMode);
    m_icons->setMovement(QListView::Static);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setIconSize(QSize(32, 32));
    m_icons->setWordWrap(true);
    m_icons->setUniformItemSizes(true);
    m_icons->setGridSize(twips::toPixels(this, 0, 0, kIconCellWidth, kIconCellHeight).size());
    m_icons->setItemDelegate(new IconCellDelegate(
        twips::toPixels(this, 0, 0, kIconCellWidth - kIconGap, kIconCellHeight - kIconGap).size(),
        m_icons));

    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_report), static_cast<QAbstractItemView*>(m_icons)})
        configure(view);
    addWidget(m_report);
    addWidget(m_icons);
}

void GameListView::configure(QAbstractItemView* view)
{
    // One game at a time, always its whole row, whichever view selected it.
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setTextElideMode(Qt::ElideRight);
    // Keys reach the view, the mouse its viewport.
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
    connect(view, &QAbstractItemView::clicked, this, &GameListView::clicked);
}

void GameListView::setModel(QAbstractItemModel* model)
{
    m_report->setModel(model);
    // One selection for both views: switching keeps the selected game and the current row.
    m_icons->setModel(model);
    QItemSelectionModel* unused = m_icons->selectionModel();
    m_icons->setSelectionModel(m_report->selectionModel());
    if (unused != m_report->selectionModel())
        delete unused;
    connect(m_report->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        m_pressChose = true;
        if (const int row = selectedRow(); row >= 0)
            Q_EMIT rowChosen(row);
    });
    resetColumns();
}

QItemSelectionModel* GameListView::selectionModel() const
{
    return m_report->selectionModel();
}

QAbstractItemView* GameListView::currentView() const
{
    return static_cast<QAbstractItemView*>(currentWidget());
}

void GameListView::showReport()
{
    bringToFront(m_report);
}

void GameListView::showIcons()
{
    bringToFront(m_icons);
}

void GameListView::bringToFront(QAbstractItemView* view)
{
    const bool focused = currentView()->hasFocus();
    setCurrentWidget(view);
    if (focused)
        view->setFocus();
    scrollToSelection();
}

QSize GameListView::snapshotBox() const
{
    const QSize cell =
        twips::toPixels(this, 0, 0, kIconCellWidth - kIconGap, kIconCellHeight - kIconGap).size();
    const int textHeight = 2 * m_icons->fontMetrics().lineSpacing();
    return QSize(cell.width() - kSnapshotMargin, cell.height() - textHeight - kSnapshotMargin);
}

void GameListView::setLabelEditing(bool enabled)
{
    const QAbstractItemView::EditTriggers triggers =
        enabled ? QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                : QAbstractItemView::NoEditTriggers;
    m_report->setEditTriggers(triggers);
    m_icons->setEditTriggers(triggers);
}

void GameListView::resetColumns()
{
    for (int i = 0; i < static_cast<int>(kGameColumns.size()); ++i)
        setColumnWidth(i, kGameColumns[static_cast<size_t>(i)].widthTwips);
}

void GameListView::setColumnWidth(int column, int widthTwips)
{
    QHeaderView* header = m_report->header();
    if (column < header->count())
        header->resizeSection(column, twips::toPixelsX(this, widthTwips) +
                                          (column == 0 ? m_firstColumnExtra : 0));
}

void GameListView::setFirstColumnExtra(int pixels)
{
    QHeaderView* header = m_report->header();
    // A width the user gave the column stays, grown or shrunk by the change.
    if (header->count() > 0)
        header->resizeSection(0, std::max(0, header->sectionSize(0) + pixels - m_firstColumnExtra));
    m_firstColumnExtra = pixels;
}

void GameListView::showSortColumn(int column)
{
    QHeaderView* header = m_report->header();
    header->setSortIndicatorShown(true);
    header->setSortIndicator(column, Qt::AscendingOrder);
}

int GameListView::selectedRow() const
{
    const QItemSelectionModel* selection = selectionModel();
    if (!selection)
        return -1;
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void GameListView::selectRow(int row)
{
    QItemSelectionModel* selection = selectionModel();
    if (row < 0) {
        selection->clear();
        return;
    }
    selection->setCurrentIndex(m_report->model()->index(row, 0),
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void GameListView::scrollToSelection(QAbstractItemView::ScrollHint hint)
{
    if (const int row = selectedRow(); row >= 0)
        currentView()->scrollTo(m_report->model()->index(row, 0), hint);
}

QRect GameListView::selectedRowRect() const
{
    const int row = selectedRow();
    return row < 0 ? QRect() : currentView()->visualRect(m_report->model()->index(row, 0));
}

void GameListView::clicked(const QModelIndex& index)
{
    // A click that selected its row has been told by the selection already; one on the row
    // that was selected before is told here. The second click of a double click is neither.
    if (m_pressChose || !selectionModel()->isRowSelected(index.row()))
        return;
    m_pressChose = true;
    Q_EMIT rowChosen(index.row());
}

bool GameListView::eventFilter(QObject* watched, QEvent* event)
{
    const bool viewport = watched == m_report->viewport() || watched == m_icons->viewport();
    switch (event->type()) {
    case QEvent::ContextMenu:
        // The list opens its menu on the right press itself, and nothing else may.
        return true;
    case QEvent::KeyPress: {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        // Enter held down starts its game once, not once for every repeat of the key.
        if (!enter || !press->isAutoRepeat())
            Q_EMIT keyPressed(key);
        return enter;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        if (!viewport)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool left = mouse->button() == Qt::LeftButton;
        if (left && event->type() == QEvent::MouseButtonPress)
            m_pressChose = false;
        Q_EMIT mousePressed(mouse->button(), mouse->position().toPoint());
        if (left && event->type() == QEvent::MouseButtonDblClick)
            Q_EMIT doubleClicked();
        // Qt's views select the row under any press; only the left one may.
        return !left;
    }
    case QEvent::MouseButtonRelease:
        return viewport && static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton;
    default:
        return false;
    }
}
