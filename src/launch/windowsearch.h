#pragma once

#include <QString>
#include <QtGlobal>

class TopLevelWindows;

// The first top-level window, in the window manager's order from the top, whose title
// contains text, letter case ignored in both; 0 when there is none. Only the first 255
// characters of each title are searched, and windows without a title are passed over, so an
// empty text finds the first window that has a title.
quintptr FindWindowByTitle(TopLevelWindows& windows, const QString& text);
