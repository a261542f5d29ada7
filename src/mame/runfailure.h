#pragma once

#include "mame/mame.h"

#include <QString>
#include <QtGlobal>

#include <optional>

struct ProcessEnd;

// Why a game that MAME ran did not start (or stopped), in words for the user, from how MAME
// ended and what it printed.

// How many of the lines that say why are shown; the others are counted.
inline constexpr int kRunFailureShownLines = 20;

// A recording whose MAME failed within this many milliseconds of its start holds MAME's
// header and no play: MAME writes the header as the machine starts, and a start that fails
// (missing files, a device that fails) ends well within it, while nobody plays a game worth
// keeping in so short a time. A recording of a run that failed later is kept: what was played
// until then can still be played back.
inline constexpr qint64 kEmptyRecordingMilliseconds = 5000;

struct RunFailure
{
    QString text;    // the reason in one sentence, then the lines of MAME's output that say why
    QString details; // all that was kept of MAME's output
};

// What to tell the user of a run of the game that ended as end says; game is the row's
// description (empty: MAME was started without a game). nullopt when MAME ended by itself
// with exit code 0. Today's MAME's exit codes are put into words, followed by the first
// kRunFailureShownLines lines of its output that say something about the game (not what the
// sound and display libraries print about this machine), then "… and N more lines". The
// classic MAME's codes mean nothing documented: the code is given, with the last lines of
// its output; so are the end by a signal, named, and an unknown code of today's MAME.
std::optional<RunFailure> runFailure(const MameInfo& mame, const QString& game,
                                     const ProcessEnd& end);

// Whether a recording made by the run that ended as end holds no play worth keeping: MAME
// failed (an exit code other than 0, or a signal) within kEmptyRecordingMilliseconds.
bool leavesEmptyRecording(const ProcessEnd& end);
