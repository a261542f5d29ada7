#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class Files;

// One time a game ran: its short name, when MAME started (UTC) and how long it ran.
struct Play
{
    QString name;
    QDateTime start;
    qint64 seconds = 0;
};

// What was played, kept in a file of one play a line (KvCfg/History.txt): the short name, the
// start as ISO 8601 UTC and the seconds, separated by tabs, oldest first.
class PlayHistory
{
public:
    PlayHistory(Files& files, QString path);

    // What load found wrong with the file; nothing when problem is empty.
    struct Damage
    {
        QString problem;   // "line 3 cannot be read", or why the file cannot be read at all
        QString setAside;  // where the file went, empty when it could not be moved
        QString moveError; // why it could not be moved
    };

    // Reads the file; a missing one is an empty history. A file that cannot be read, or holds
    // a line that is not a play, starts the history empty and is set aside, never lost: it is
    // renamed to PATH.bad (PATH.bad.2 and on when that is taken). When it cannot be moved it
    // stays where it is, and no play is written over it at this start.
    Damage load();

    // Adds a play and writes the whole file. A file that cannot be written keeps the play
    // all the same (it was played): the next play that is written takes it along. False,
    // with *error, when it was not written.
    bool add(const Play& play, QString* error);

    int timesPlayed(const QString& name) const;
    // When the game last started; invalid when it never did.
    QDateTime lastStart(const QString& name) const;
    // The games played, each once, the one that started last first (of plays that started at
    // the same time, the one added later).
    QStringList mostRecentFirst() const;

private:
    struct Summary
    {
        int times = 0;
        QDateTime last;
        // Which play started last: of two that started in the same second (the file keeps no
        // less), the one added later.
        size_t lastPlay = 0;
    };
    // Counts the play at this index of m_plays.
    void count(size_t index);

    Files& m_files;
    QString m_path;
    std::vector<Play> m_plays;
    QHash<QString, Summary> m_games;
    bool m_writable = true; // false while a damaged file could not be set aside
};

// How long a game ran, as the status bar says it: "45 s", "3 min 12 s", "1 h 5 min".
QString playedTimeText(qint64 seconds);
