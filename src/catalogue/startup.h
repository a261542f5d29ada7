#pragma once

class SettingsStore;

// The list type to select at start-up: "Games"/ListType as a whole number (its leading
// number, rounded half to even; 0 without one). A value that names no list type selects 0,
// "Full list".
int restoredListType(const SettingsStore& settings);
