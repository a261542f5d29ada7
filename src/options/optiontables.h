#pragma once

#include "options/optionset.h"

#include <QStringView>

#include <span>

// One entry of an option combo box: its text, its item data and the switches it passes to
// MAME. Only AudioCombo, SampleRateCombo, BitRateCombo and VGAFreqCombo carry item data that
// anything reads (the command line passes it after their switch); the other combos' entries
// carry 0. switchText is the fixed piece of the classic MAME's command line that the entry
// stands for, each switch followed by a space; it is empty for "Default" and for the combos
// whose piece is made from the item data or the entry's text. todaySwitchText is the same for
// today's MAME: empty where the entry passes nothing there, which is every entry of a combo
// that today's MAME has no switch for (see usedByTodaysMame).
struct ComboEntry
{
    QStringView text;
    int itemData = 0;
    QStringView switchText = {};
    QStringView todaySwitchText = {};
};

// The entries of the combo box of option id, in order; empty for an option that is not a
// combo box.
std::span<const ComboEntry> comboEntries(OptionId id);

// FrameskipSlider's range.
inline constexpr int kFrameskipMinimum = 0;
inline constexpr int kFrameskipMaximum = 11;
