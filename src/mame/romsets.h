#pragma once

#include "catalogue/catalogueentry.h"
#include "mame/mame.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
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

// The sets present in the ROM folders, kept up to date: a set NAME is present when a folder
// holds NAME.zip, NAME.7z or a folder NAME, letter case ignored (MAME lowercases the names it
// finds). Only names are read; no file is opened.
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
    // The lowercased names of the sets present.
    const QSet<QString>& present() const { return m_present; }

    // Lists the folders again now; sends changed when what they hold differs.
    void rescan();

Q_SIGNALS:
    void changed();

private:
    const Files& m_files;
    QStringList m_folders;
    std::vector<std::unique_ptr<QObject>> m_watches;
    QTimer* m_settle;
    QSet<QString> m_present;
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

    // Whether MAME finds what game needs among present (lowercased set names): it needs no
    // file, or its own set is present, or all its files lie in its parent's set and that is
    // present; and the BIOS its romof chain reaches is present. A set that lacks a file still
    // counts: only verification looks inside.
    bool isAvailable(const CatalogueEntry& game, const QSet<QString>& present) const;

private:
    QString biosOf(const CatalogueEntry& game) const;

    QHash<QString, QString> m_romof; // for the games that take ROMs from another set
    QSet<QString> m_bios;
};
