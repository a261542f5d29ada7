#pragma once

#include "catalogue/catalogueentry.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>

#include <functional>
#include <optional>
#include <vector>

class SnapshotImages;

// The rows of the game list: one catalogue entry per row, in the order they were added.
// Other parts of the program read the selected game through row().
class GameListModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameListModel)

public:
    // The icon key ("ROM" or "BADROM") of a row, on every column.
    static constexpr int ImageKeyRole = Qt::UserRole;
    // The key of a column ("Description", "Year", ...), from headerData.
    static constexpr int ColumnKeyRole = Qt::UserRole + 1;
    // The game's snapshot as a QPixmap, once it has been read (asking for it starts the
    // reading; dataChanged tells when it is there); an invalid value until then or when there
    // is none. Only the icon view asks: the report keeps its small icons.
    static constexpr int SnapshotRole = Qt::UserRole + 2;

    explicit GameListModel(QObject* parent = nullptr);

    // The icons shown for the two image keys, in every size the views use.
    void setIcons(const QIcon& rom, const QIcon& badRom);
    // Where SnapshotRole takes the snapshots from; none when nullptr.
    void setSnapshots(SnapshotImages* snapshots);

    // Replaces every row at once; with a sort column, the rows come in ordered as sort()
    // orders them ascending.
    void setRows(std::vector<CatalogueEntry> rows, int sortColumn = -1);

    // The text colour of the games that are not available; nullopt: drawn as the others.
    void setUnavailableColor(std::optional<QColor> color);
    // Decides again for every row whether it is available.
    void updateAvailability(const std::function<bool(const CatalogueEntry&)>& available);

    const CatalogueEntry& row(int index) const { return m_rows[static_cast<size_t>(index)]; }
    // Approximate memory held by the rows, for the benchmark.
    std::size_t memoryUsage() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Orders the rows by the text of one column; rows with equal texts keep their order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    static const QString& cell(const CatalogueEntry& entry, int column);

private:
    void snapshotArrived(const QString& name, int row);

    std::vector<CatalogueEntry> m_rows;
    SnapshotImages* m_snapshots = nullptr;
    QIcon m_romIcon;
    QIcon m_badRomIcon;
    std::optional<QColor> m_unavailableColor;
};
