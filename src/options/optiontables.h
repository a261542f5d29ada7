#pragma once

#include "options/optionset.h"

#include <QStringView>

#include <span>

// One entry of an option combo box: its text and its item data. Only AudioCombo,
// SampleRateCombo, BitRateCombo and VGAFreqCombo carry item data that anything reads (the
// command line passes it after their switch); the other combos' entries carry 0. What each
// entry gives MAME is in mame/switches.h.
struct ComboEntry
{
    QStringView text;
    int itemData = 0;
};

// The entries of the combo box of option id, in order; empty for an option that is not a
// combo box.
std::span<const ComboEntry> comboEntries(OptionId id);

// FrameskipSlider's range.
inline constexpr int kFrameskipMinimum = 0;
inline constexpr int kFrameskipMaximum = 11;
