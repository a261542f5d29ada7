#pragma once

#include "catalogue/catalogueentry.h"

#include <QString>

class SettingsStore;

// The list types of GamesListTypeCombo, by index; the index is what the settings store keeps.
enum ListType : int
{
    FullList = 0,
    AllExceptClones = 1,
    AllExceptNeoGeo = 2,
    OnlyNeoGeo = 3,
    HomeHacks = 4,
    OnlyGoodDrivers = 5,
    OnlyPrelimDrivers = 6,
    AvailableGames = 7, // the games whose sets are in the ROM folders (CatalogueEntry::available)
    // The user's own lists: which games they hold is kept in files of their own, so
    // listTypeAdmits admits every entry and the game list picks them.
    Favorites = 8,
    RecentlyPlayed = 9, // the games played, the one played last first
};

inline constexpr int kListTypeCount = 10;

// The entry text of list type index in GamesListTypeCombo.
QString listTypeName(int index);

// Whether list type index shows entry. An index that names no list type (none selected)
// shows every entry.
bool listTypeAdmits(int index, const CatalogueEntry& entry);

// The list type to select at start-up: "Games"/ListType as a whole number (its leading
// number, rounded half to even; 0 without one). A value that names no list type selects 0,
// "Full list".
int restoredListType(const SettingsStore& settings);

// Whether list type index reads the hack list file instead of the game list file.
inline bool listTypeReadsHackList(int index)
{
    return index == HomeHacks;
}
