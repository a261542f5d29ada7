#pragma once

#include <QString>
#include <QStringView>

#include <string_view>

// What may stand as one word of MAME's command line when the word comes from a file or was
// typed as a name. MAME reads any word that begins with '-' as a switch, so a name that did
// would add a switch of its own choosing (-autoboot_script runs a Lua script, which can run
// any program): such names are refused before anything starts.

// A set name (a short name, a parent's name, a home hack's directory): not empty, only ASCII
// letters, digits, '_' and '-', and not beginning with '-'. MAME's own set names are all of
// this form.
bool isUsableSetName(QStringView name);
bool isUsableSetName(std::string_view name);

// A recording name typed by the user, which names a file in INP: not empty, without '/' or a
// control character, and beginning with neither '-' nor '.' (so it is no switch, no hidden
// file and no way out of INP). Blanks are allowed: the name is one word whatever it holds.
bool isUsableRecordingName(QStringView name);

// What the user is told of a name that was refused: why such a name cannot be given to MAME.
inline constexpr QStringView kSetNameRule =
    u"a set name holds only letters, digits, '_' and '-', and does not begin with '-'";
inline constexpr QStringView kRecordingNameRule =
    u"a recording name may not be empty, hold '/' or a control character, or begin with '-' "
    u"or '.'";

// A text quoted in a message: in double quotes, each control character shown as '?', and cut
// short when long, so that a hostile name can neither break the message's lines nor swamp it.
QString quotedForMessage(QStringView text);

// The message for a game row whose set cannot be given to MAME: the row is named by its
// description, then the refused name in its role ("short name", "parent", "hack directory")
// and the rule it breaks. The caller adds what was not done.
QString refusedSetNameMessage(QStringView description, QStringView role, QStringView name);

// The same for a recording name.
QString refusedRecordingNameMessage(QStringView name);
