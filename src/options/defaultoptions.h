#pragma once

#include "options/gamesettingsfile.h"

#include <QList>
#include <QString>

class SettingsStore;

// The default option set: the 29 keys of the settings store's "Options" section, each the
// bare option name with the same value text as the per-game files.

// A stored text that an option could not take, and what was done instead.
struct UnusableDefault
{
    OptionId id;
    QString storedText;
    int failure; // Overflow, TypeMismatch or Refused, as for the per-game files
};

// Reads the 29 keys in store order (an absent key reads as the option's default text) and
// applies each. A stored text that cannot be used does not stop the load: that option takes
// its default text instead, the others still load, and the text is listed for the caller to
// report.
QList<UnusableDefault> loadDefaultOptions(const SettingsStore& store, const ApplyOption& apply);

// Writes the 29 values to the store in one durable step; false when the store could not be
// written.
bool saveDefaultOptions(SettingsStore& store, const OptionSet& options);
