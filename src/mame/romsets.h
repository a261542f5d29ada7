#pragma once

#include "catalogue/catalogueentry.h"
#include "mame/mame.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

class Files;
class QTimer;

// Where MAME looks for ROM sets, which sets are there, and which games MAME can start with
// them.

// $NAME and ${NAME} replaced by the environment's value (nothing when it has none), and a ~
// that begins the path by the home folder, as MAME reads the folders of its ROM path. A $ that
// begins no name stays.
QString expandPathVariables(const QString& path);

// The folders MAME looks in for ROM sets, in its order, each absolute: today's MAME's own ROM
// path (MameInfo::rompath, "roms" when it has none); for the classic MAME, the rompath line of
// the mame.cfg in the program directory, else "roms". Relative folders are taken from the
// program directory, where MAME runs.
QStringList romFolders(const MameInfo& mame, const Files& files, const QString& programDir);

// The rompath of a classic mame.cfg: the value of its first "rompath = ..." line (the key in
// any letter case), without blanks or quotes at its ends; empty when no line names one.
QString rompathOfClassicConfig(QByteArrayView config);

// A set of set names, letter case ignored (A to Z; MAME lowercases the names it finds). It
// keeps a 64-bit hash of each name rather than the name: tens of thousands of names are
// looked up for every change in the ROM folders, and a name of one set taken for another's
// (one chance in 10^10 or so) would only grey a row wrongly.
class RomSetNames
{
public:
    // The hash of a name; the same for a name in the file system's bytes (UTF-8) and in text.
    static std::uint64_t hash(std::string_view name);
    static std::uint64_t hash(QStringView name);

    void insert(std::string_view name) { insertHash(hash(name)); }
    void insert(QStringView name) { insertHash(hash(name)); }
    bool contains(QStringView name) const { return containsHash(hash(name)); }
    bool containsHash(std::uint64_t hash) const;
    std::size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }

    friend bool operator==(const RomSetNames& a, const RomSetNames& b);

private:
    void insertHash(std::uint64_t hash);

    std::vector<std::uint64_t> m_slots; // open addressing; 0 marks a free slot
    std::size_t m_count = 0;
};

// The sets present in the ROM folders, kept up to date: a set NAME is present when a folder
// holds NAME.zip, NAME.7z or a folder NAME, letter case ignored. Only names are read; no file
// is opened.
class RomSets final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RomSets)

public:
    explicit RomSets(const Files& files, QObject* parent = nullptr);
    ~RomSets() override;

    // Looks in these folders from now on, and watches them: a change in any sends changed
    // shortly after it (changes in quick succession, as a copy of many sets makes, give one).
    // The same folders again change nothing.
    void setFolders(const QStringList& folders);
    const QStringList& folders() const { return m_folders; }

    // Whether any of the folders exists. When none does, MAME has nowhere to look, and no game
    // is to be taken for missing.
    bool anyFolderExists() const { return m_anyFolder; }
    // The names of the sets present.
    const RomSetNames& present() const { return m_present; }

    // Lists the folders again now; sends changed when what they hold differs.
    void rescan();

Q_SIGNALS:
    void changed();

private:
    const Files& m_files;
    QStringList m_folders;
    std::vector<std::unique_ptr<QObject>> m_watches;
    QTimer* m_settle;
    RomSetNames m_present;
    bool m_anyFolder = false;
};

// What each game of a catalogue needs before MAME starts it, as the catalogue says: its own
// set, its parent's (when all its files are merged there), or none, and the BIOS set its
// romof chain reaches.
class GameAvailability
{
public:
    // Forgets the catalogue, before it is read again.
    void clear();
    // Each game and each BIOS set of the catalogue, as they are read.
    void addGame(const CatalogueEntry& game);
    void addBios(const QString& name);

    // Whether MAME finds what game needs among present: it needs no file, or its own set is
    // present, or all its files lie in its parent's set and that is present; and the BIOS its
    // romof chain reaches is present. A set that lacks a file still counts: only verification
    // looks inside.
    bool isAvailable(const CatalogueEntry& game, const RomSetNames& present) const;
    // The first half of that, which the game's own entry decides: whether its files are there
    // (the BIOS aside). A game for which this is false is not available, whatever follows it.
    static bool hasFiles(const CatalogueEntry& game, const RomSetNames& present);

private:
    // The hash of the BIOS set that game's romof chain reaches: its romof, or its romof's; 0
    // when none. MAME's chains are no longer: a clone's romof is its parent, a parent's its
    // BIOS.
    std::uint64_t biosOf(const CatalogueEntry& game) const;

    // The games that take ROMs from another set, with that set (hashes), in catalogue order.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> m_romof;
    RomSetNames m_bios;
    // The games whose romof is a BIOS, with it: worked out once the catalogue is read, for
    // the BIOS sets may come after their games.
    mutable std::unordered_map<std::uint64_t, std::uint64_t> m_onBios;
    mutable bool m_onBiosKnown = false;
};
