#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class Files;

// The games the user marked as favorites, by short name, in the order they were marked. The
// file (KvCfg/Favorites.txt) holds one name a line. A name the game list does not hold stays
// in it: a list update that drops a game keeps its mark for the update that brings it back.
class FavoriteGames
{
public:
    FavoriteGames(Files& files, QString path);

    // Reads the file; a missing one holds no favorites. False, with *error, when the file is
    // there but cannot be read: the favorites are then none.
    bool load(QString* error);

    bool contains(const QString& name) const { return m_lookup.contains(name); }
    const QStringList& names() const { return m_names; }

    // Marks name as a favorite or takes its mark away, and writes the whole file. When the
    // file cannot be written nothing changes, neither the file nor the marks, and *error says
    // why: the marks are always those the next start reads.
    bool set(const QString& name, bool favorite, QString* error);

private:
    Files& m_files;
    QString m_path;
    QStringList m_names;
    QSet<QString> m_lookup; // the same names: the list asks once for each of its games
};
