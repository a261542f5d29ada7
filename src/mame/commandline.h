#pragma once

#include "mame/mame.h"
#include "options/optionset.h"

#include <QString>
#include <QStringList>

#include <optional>

class MessageBoxes;

// The cells of the selected game row that a command line uses.
struct SelectedGame
{
    QString name;        // the "Name" cell: the short name (the hack's ROM directory for hacks)
    QString cloneof;     // the "Clone of" cell: the parent (the game MAME runs for a home hack)
    QString description; // the row's own text, which names the game to the user
};

// A command line, or a part of one: the text CommandlineLabel shows and the words MAME is
// given. The text is what the line has always looked like to the user; the words are what
// reaches MAME, each exactly one argument, so that a name read from a file or typed as a
// name stays one word whatever it holds. Only the texts the user types as switches (the
// additional parameters, and the alternate build with its own switches) are split into
// words, as a shell splits plain words.
struct CommandLine
{
    QString text;
    QStringList words;

    friend bool operator==(const CommandLine&, const CommandLine&) = default;
};

// The MAME command line for a launch: 25 pieces joined in a fixed order, each empty or
// ending in its own space. game is the selected row, or nullopt when none is selected;
// listType is the index of GamesListTypeCombo's selected entry; extraSwitches is the
// caller's piece (recordSwitches, playbackSwitches or nothing), inserted unchanged. The first
// word is the program; there is none when the alternate build's text is blank.
// mame says which MAME's line it is: the classic MAME's (0.36, the default) or today's
// (0.2xx), whose pieces stand in the same order, each empty where today's MAME has no switch
// for its option; today's MAME's own ROM path follows a home hack's directory.
// The only side effect is the message shown when JoyCombo's index has no joystick switch.
CommandLine BuildCommandLine(const OptionSet& options, const std::optional<SelectedGame>& game,
                             int listType, const CommandLine& extraSwitches, MessageBoxes& messages,
                             const MameInfo& mame = {});

// The extra switches of a recording under name and of the playback of the recording that
// PlaybackCombo shows as comboText, whose file in INP is fileName. The classic MAME is given
// the name as it stands and finds the file in its INP directory itself; today's MAME is
// pointed at INP and given the file's name, shown in double quotes when it holds a blank.
// Either way the name is one word. The caller checks the name first (mamewords.h).
CommandLine recordSwitches(const QString& name, const MameInfo& mame);
CommandLine playbackSwitches(const QString& comboText, const QString& fileName,
                             const MameInfo& mame);

// Why a launch cannot give MAME its names, or nullopt when it can: the selected row's short
// name (for a home hack, its parent and its directory) and, for a recording or a playback,
// the recording's name, each checked as mamewords.h says. The text names the row or the
// recording and the rule; nothing of such a launch is to be built, asked or started.
std::optional<QString> refusedLaunchNames(const std::optional<SelectedGame>& game, int listType,
                                          const std::optional<QString>& recordingName);

// The word that names the program to run: "MAME" when the original build is chosen, else the
// first word of the alternate build's text as the command line is split into words
// (splitCommandWords); nullopt when that text names no program (empty, blanks only, or an
// empty first word such as `""`).
std::optional<QString> programWord(const OptionSet& options);
