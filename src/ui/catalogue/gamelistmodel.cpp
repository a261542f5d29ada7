#include "ui/catalogue/gamelistmodel.h"

#include "catalogue/gamecolumns.h"
#include "ui/catalogue/snapshotimages.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

// The row numbers of rows in the order of one column's text, letter case ignored; rows with
// equal texts keep their order.
std::vector<int> sortedOrder(const std::vector<CatalogueEntry>& rows, int column,
                             Qt::SortOrder order)
{
    // Fold every text once, then compare the folded texts: folding inside each of the
    // million comparisons would cost several times the sort itself.
    std::vector<QString> keys;
    keys.reserve(rows.size());
    for (const CatalogueEntry& entry : rows)
        keys.push_back(GameListModel::cell(entry, column).toCaseFolded());
    std::vector<int> result(rows.size());
    std::iota(result.begin(), result.end(), 0);
    auto less = [&keys](int a, int b) {
        return QString::compare(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)],
                                Qt::CaseSensitive) < 0;
    };
    if (order == Qt::AscendingOrder)
        std::stable_sort(result.begin(), result.end(), less);
    else
        std::stable_sort(result.begin(), result.end(),
                         [&less](int a, int b) { return less(b, a); });
    return result;
}

std::vector<CatalogueEntry> reordered(std::vector<CatalogueEntry> rows,
                                      const std::vector<int>& order)
{
    std::vector<CatalogueEntry> result;
    result.reserve(rows.size());
    for (const int from : order)
        result.push_back(std::move(rows[static_cast<size_t>(from)]));
    return result;
}

} // namespace

GameListModel::GameListModel(QObject* parent)
    : QAbstractTableModel(parent)
{}

void GameListModel::setIcons(const QIcon& rom, const QIcon& badRom)
{
    m_romIcon = rom;
    m_badRomIcon = badRom;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void GameListModel::setSnapshots(SnapshotImages* snapshots)
{
    m_snapshots = snapshots;
    connect(snapshots, &SnapshotImages::arrived, this, &GameListModel::snapshotArrived);
    connect(snapshots, &SnapshotImages::cleared, this, [this] {
        if (rowCount() > 0)
            Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, 0), {SnapshotRole});
    });
}

void GameListModel::setToolTips(std::function<QString(const QString&)> toolTip)
{
    m_toolTip = std::move(toolTip);
}

void GameListModel::snapshotArrived(const QString& name, int row)
{
    // The rows may have been sorted, found or read again since the image was asked for.
    if (row < 0 || row >= rowCount() || this->row(row).name != name) {
        row = shownRowOf(name);
        if (row < 0)
            return;
    }
    Q_EMIT dataChanged(index(row, 0), index(row, 0), {SnapshotRole});
}

const CatalogueEntry* GameListModel::findGame(const QString& name) const
{
    const auto found = std::find_if(m_rows.begin(), m_rows.end(),
                                    [&name](const CatalogueEntry& e) { return e.name == name; });
    return found == m_rows.end() ? nullptr : &*found;
}

int GameListModel::shownRowOf(const QString& name) const
{
    for (int row = 0; row < rowCount(); ++row) {
        if (this->row(row).name == name)
            return row;
    }
    return -1;
}

int GameListModel::shownOf(int source) const
{
    if (!isFinding())
        return source;
    // The rows shown keep the list's order, so their places in m_rows ascend.
    const auto found = std::lower_bound(m_shown.begin(), m_shown.end(), source);
    return found != m_shown.end() && *found == source ? static_cast<int>(found - m_shown.begin())
                                                      : -1;
}

std::vector<int> GameListModel::sourcesOf(const QModelIndexList& indexes) const
{
    std::vector<int> sources;
    sources.reserve(static_cast<size_t>(indexes.size()));
    for (const QModelIndex& index : indexes)
        sources.push_back(sourceOf(index.row()));
    return sources;
}

void GameListModel::movePersistentIndexes(const QModelIndexList& before,
                                          const std::vector<int>& sources)
{
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int row = shownOf(sources[static_cast<size_t>(i)]);
        after.append(row < 0 ? QModelIndex() : index(row, before[i].column()));
    }
    changePersistentIndexList(before, after);
}

void GameListModel::prepareFinding()
{
    if (m_findIndex.isEmpty())
        m_findIndex.build(m_rows);
}

std::vector<int> GameListModel::matchingRows(bool narrowing)
{
    prepareFinding();
    return m_findIndex.matching(m_words, narrowing ? &m_shown : nullptr);
}

void GameListModel::setFindWords(const QStringList& words)
{
    if (words == m_words)
        return;
    // More letters or more words only drop rows: look among those shown now.
    const bool narrowing =
        isFinding() && !words.isEmpty() && words.join(u' ').startsWith(m_words.join(u' '));
    // The rows change without a reset, which would lose the selection and the scroll
    // position: the views lay the rows out again and the persistent indexes follow the games.
    Q_EMIT layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    const std::vector<int> sources = sourcesOf(before);
    m_words = words;
    m_shown = isFinding() ? matchingRows(narrowing) : std::vector<int>();
    movePersistentIndexes(before, sources);
    Q_EMIT layoutChanged();
}

void GameListModel::setRows(std::vector<CatalogueEntry> rows, int sortColumn)
{
    // Ordered before the reset, so that the views lay the rows out once.
    if (sortColumn >= 0 && sortColumn < columnCount()) {
        const std::vector<int> order = sortedOrder(rows, sortColumn, Qt::AscendingOrder);
        rows = reordered(std::move(rows), order);
    }
    beginResetModel();
    m_rows = std::move(rows);
    m_findIndex.clear();
    m_shown = isFinding() ? matchingRows(false) : std::vector<int>();
    endResetModel();
}

std::size_t GameListModel::memoryUsage() const
{
    // A string's heap block: a header of 16 bytes, UTF-16 text and its terminator, rounded
    // up to malloc's 16-byte granularity. Shared texts (the "?" marker) count once.
    auto heap = [](const QString& s) -> std::size_t {
        if (s.isEmpty() || s.isSharedWith(absentValue()))
            return 0;
        return (16 + (static_cast<std::size_t>(s.size()) + 1) * 2 + 15) / 16 * 16;
    };
    std::size_t total = m_rows.capacity() * sizeof(CatalogueEntry);
    for (const CatalogueEntry& e : m_rows) {
        total += heap(e.name) + heap(e.description) + heap(e.year) + heap(e.cloneof) +
                 heap(e.romof) + heap(e.manufacturer);
    }
    return total;
}

int GameListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return static_cast<int>(isFinding() ? m_shown.size() : m_rows.size());
}

int GameListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(kGameColumns.size());
}

const QString& GameListModel::cell(const CatalogueEntry& entry, int column)
{
    switch (column) {
    case YearColumn:
        return entry.year;
    case CloneofColumn:
        return entry.cloneof;
    case NameColumn:
        return entry.name;
    case ManufacturerColumn:
        return entry.manufacturer;
    default:
        return entry.description;
    }
}

QVariant GameListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const CatalogueEntry& entry = row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return cell(entry, index.column());
    case Qt::DecorationRole:
        if (index.column() != DescriptionColumn)
            return {};
        return entry.imageKey == ImageKey::Rom ? m_romIcon : m_badRomIcon;
    case ImageKeyRole:
        return imageKeyText(entry.imageKey);
    case SnapshotRole:
        if (const QPixmap image =
                m_snapshots ? m_snapshots->image(entry.name, index.row()) : QPixmap();
            !image.isNull())
            return image;
        return {};
    case Qt::ForegroundRole:
        if (m_unavailableColor && !entry.available)
            return *m_unavailableColor;
        return {};
    case Qt::ToolTipRole:
        if (const QString tip = m_toolTip ? m_toolTip(entry.name) : QString(); !tip.isEmpty())
            return tip;
        return {};
    default:
        return {};
    }
}

void GameListModel::setUnavailableColor(std::optional<QColor> color)
{
    if (color == m_unavailableColor)
        return;
    m_unavailableColor = color;
    if (rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                           {Qt::ForegroundRole});
}

void GameListModel::updateAvailability(const std::function<bool(const CatalogueEntry&)>& available)
{
    bool changed = false;
    for (CatalogueEntry& entry : m_rows) {
        const bool now = available(entry);
        changed = changed || now != entry.available;
        entry.available = now;
    }
    if (changed && m_unavailableColor && rowCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                           {Qt::ForegroundRole});
}

QVariant GameListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    const GameColumn& column = kGameColumns[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole)
        return column.header.toString();
    if (role == ColumnKeyRole)
        return column.key.toString();
    return {};
}

Qt::ItemFlags GameListModel::flags(const QModelIndex& index) const
{
    // Rows are never edited in place.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
                           : Qt::NoItemFlags;
}

void GameListModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= columnCount() || m_rows.empty())
        return;
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<int> sources = sourcesOf(before);

    const std::vector<int> newOrder = sortedOrder(m_rows, column, order);
    m_rows = reordered(std::move(m_rows), newOrder);
    if (!m_findIndex.isEmpty())
        m_findIndex.reorder(newOrder);
    // Where each game went, to keep the selection, the current row and the rows found on the
    // same games.
    std::vector<int> newPlaceOf(newOrder.size());
    for (size_t i = 0; i < newOrder.size(); ++i)
        newPlaceOf[static_cast<size_t>(newOrder[i])] = static_cast<int>(i);
    for (int& source : sources)
        source = newPlaceOf[static_cast<size_t>(source)];
    for (int& shown : m_shown)
        shown = newPlaceOf[static_cast<size_t>(shown)];
    std::sort(m_shown.begin(), m_shown.end());
    movePersistentIndexes(before, sources);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
