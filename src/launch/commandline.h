#pragma once

#include "shell/optionset.h"

#include <QString>

#include <optional>

class MessageBoxes;

// The two cells of the selected game row that a command line uses.
struct SelectedGame
{
    QString name;    // the "Name" cell: the short name (the hack's ROM directory for home hacks)
    QString cloneof; // the "Clone of" cell: the parent (the game MAME runs for a home hack)
};

// What the line of today's MAME needs beyond the options.
struct TodayMame
{
    QString rompath; // today's MAME's own ROM path, kept after a home hack's directory
};

// The MAME command line for a launch: 25 pieces joined in a fixed order, each empty or
// ending in its own space. game is the selected row, or nullopt when none is selected;
// listType is the index of GamesListTypeCombo's selected entry; extraSwitches is the
// caller's text (recordSwitches, playbackSwitches or empty), inserted unchanged.
// today == nullptr builds the line of the classic MAME (0.36); otherwise the line of today's
// MAME (0.2xx), whose pieces stand in the same order, each empty where today's MAME has no
// switch for its option.
// The only side effect is the message shown when JoyCombo's index has no joystick switch.
QString BuildCommandLine(const OptionSet& options, const std::optional<SelectedGame>& game,
                         int listType, const QString& extraSwitches, MessageBoxes& messages,
                         const TodayMame* today = nullptr);

// The extra switches of a recording under name and of the playback of the recording that
// PlaybackCombo shows as comboText, whose file in INP is fileName. The classic MAME is given
// the name as it stands and finds the file in its INP directory itself; today's MAME is
// pointed at INP and given the file's name, in double quotes when it holds a blank.
QString recordSwitches(const QString& name, const TodayMame* today);
QString playbackSwitches(const QString& comboText, const QString& fileName, const TodayMame* today);

// The word that names the program to run: "MAME" when the original build is chosen, else the
// first word of the alternate build's text as the command line is split into words
// (splitCommandWords); nullopt when that text names no program (empty, blanks only, or an
// empty first word such as `""`).
std::optional<QString> programWord(const OptionSet& options);
