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

// The MAME command line for a launch: 25 pieces joined in a fixed order, each empty or
// ending in its own space. game is the selected row, or nullopt when none is selected;
// listType is the index of GamesListTypeCombo's selected entry; extraSwitches is the
// caller's text ("-record NAME ", "-playback NAME " or empty), inserted unchanged.
// The only side effect is the message shown when JoyCombo's index has no joystick switch.
QString BuildCommandLine(const OptionSet& options, const std::optional<SelectedGame>& game,
                         int listType, const QString& extraSwitches, MessageBoxes& messages);
