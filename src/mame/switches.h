#pragma once

#include "options/optionset.h"

#include <QStringView>

#include <span>

// What each option gives each MAME, side by side: the one table the command line is built
// from. The option table (options/) says what the panel shows and what is stored.

// Whether today's MAME has a switch for the option. The options it has none for drive the
// classic MAME's DOS hardware (the OPL chip, sample bits, VESA, the VGA frequency...): they
// give today's line nothing, and the panel greys them out. Written here alone.
bool usedByTodaysMame(OptionId id);

// The switches a combo entry stands for in each MAME's line ("-vesa -vesamode vesa2b "), each
// switch followed by a space, empty where the entry passes nothing. Today's column is only
// written for the options today's MAME uses.
struct EntrySwitches
{
    QStringView classic;
    QStringView today = {};
};

// The switches of each entry of a combo whose piece is one of fixed switches, in entry order;
// empty for the combos whose piece is a switch followed by the entry's number or text
// (sound card, sample rate, sample bits, VGA frequency, resolution).
std::span<const EntrySwitches> entrySwitches(OptionId combo);
