#pragma once

#include "mame/mame.h"

#include <QString>

class Files;

// Where MAME keeps the snapshots the user takes of a game, and which one is the game's.

// The folder MAME writes its snapshots to, absolute: today's MAME's snapshot_directory
// (variables expanded as in its ROM path; "snap" when it has none), the classic MAME's "snap".
// A relative folder is taken from the program directory, where MAME runs.
QString snapshotFolder(const MameInfo& mame, const QString& programDir);

// The snapshot of the game with short name in folder: the newest .png in folder/name/, where
// MAME puts each snapshot the user takes (0000.png, 0001.png...), else folder/name.png, as
// snapshot packs hold them. Empty when there is none. Only names and times are read; no
// file is opened. Safe to call from any thread when files is.
QString snapshotFile(const Files& files, const QString& folder, const QString& name);
