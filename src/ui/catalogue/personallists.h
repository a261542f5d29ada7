#pragma once

#include "catalogue/catalogueentry.h"
#include "catalogue/favorites.h"
#include "catalogue/playhistory.h"

#include <QString>

#include <functional>
#include <vector>

struct Platform;

// The user's own lists beside the game list: the favorites and what was played, each kept in
// its file in KvCfg. What cannot be written is said in the status bar.
class PersonalLists
{
public:
    using StatusReport = std::function<void(const QString&)>;

    PersonalLists(Platform& platform, StatusReport reportStatus);

    // Reads both files. A damaged history is named in a message, with where it was set aside.
    void load();

    // Whether list type type shows the game of this name: the user's own lists show their
    // games, any other list type every game.
    bool admits(int type, const QString& name) const;
    // "Recently played" shows the game played last first; other list types keep their order.
    void order(int type, std::vector<CatalogueEntry>& rows) const;

    bool isFavorite(const QString& name) const { return m_favorites.contains(name); }
    // Marks the game as a favorite, or takes its mark away, and says so. False when the file
    // could not be written: the mark is then as it was.
    bool toggleFavorite(const CatalogueEntry& game);

    // A game ran and MAME ended by itself: the play goes into the history, and the status bar
    // says how long it ran and how often it was played in all.
    void played(const Play& play, const QString& description);

    // "Played 7 times, last on 07/12/2026"; empty for a game never played.
    QString playedText(const QString& name) const;

private:
    Platform& m_platform;
    StatusReport m_reportStatus;
    FavoriteGames m_favorites;
    PlayHistory m_history;
};
