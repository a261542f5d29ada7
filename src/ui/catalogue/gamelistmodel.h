#pragma once

#include "catalogue/catalogueentry.h"
#include "catalogue/gamefinder.h"

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
    // The tooltip of a row, asked by its short name when the tooltip is shown; an empty text
    // shows none.
    void setToolTips(std::function<QString(const QString& name)> toolTip);

    // Replaces every row at once; with a sort column, the rows come in ordered as sort()
    // orders them ascending. While a find is set, only the new rows it matches show.
    void setRows(std::vector<CatalogueEntry> rows, int sortColumn = -1);

    // Shows only the rows that hold every one of words (see findWords), in their order; no
    // words show every row again. The rows change in place, without a reset: the selection and
    // the current row stay on their games where those still show.
    void setFindWords(const QStringList& words);
    bool isFinding() const { return !m_words.isEmpty(); }
    // Folds the texts that finding compares now, so that the first keystroke does not wait.
    void prepareFinding();
    // Every row of the list, shown or not.
    int allRowCount() const { return static_cast<int>(m_rows.size()); }
    // The game of the row with this short name, shown or not; nullptr when none has it.
    const CatalogueEntry* findGame(const QString& name) const;
    // The shown row whose short name is name, or -1.
    int shownRowOf(const QString& name) const;

    // The text colour of the games that are not available; nullopt: drawn as the others.
    void setUnavailableColor(std::optional<QColor> color);
    // Decides again for every row whether it is available.
    void updateAvailability(const std::function<bool(const CatalogueEntry&)>& available);

    // The shown row at index.
    const CatalogueEntry& row(int index) const
    {
        return m_rows[static_cast<size_t>(isFinding() ? m_shown[static_cast<size_t>(index)]
                                                      : index)];
    }
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
    // The rows that match m_words, from the whole list or, when the words only narrow the
    // last find, from the rows shown now.
    std::vector<int> matchingRows(bool narrowing);
    // The place in m_rows of shown row index.
    int sourceOf(int index) const
    {
        return isFinding() ? m_shown[static_cast<size_t>(index)] : index;
    }
    // The places in m_rows of the shown rows of indexes.
    std::vector<int> sourcesOf(const QModelIndexList& indexes) const;
    // The shown row of the game at place source of m_rows, or -1 when it does not show.
    int shownOf(int source) const;
    // Puts the persistent indexes before, whose games were at places sources of m_rows, on the
    // rows where those games show now; those that no longer show become invalid.
    void movePersistentIndexes(const QModelIndexList& before, const std::vector<int>& sources);

    std::vector<CatalogueEntry> m_rows; // every row of the list
    QStringList m_words;                // what is found; empty when every row shows
    std::vector<int> m_shown;           // while finding: the places in m_rows of the rows shown
    FindIndex m_findIndex;              // built at the first find after the rows change
    SnapshotImages* m_snapshots = nullptr;
    std::function<QString(const QString&)> m_toolTip;
    QIcon m_romIcon;
    QIcon m_badRomIcon;
    std::optional<QColor> m_unavailableColor;
};
