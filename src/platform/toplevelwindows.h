#pragma once

#include <QString>
#include <QtGlobal>

// The desktop's top-level windows, in the window manager's stacking order from the top, each
// known by an identifier that is never 0.
class TopLevelWindows
{
public:
    virtual ~TopLevelWindows() = default;

    // The first window, or 0 when there is none.
    virtual quintptr first() = 0;
    // The window after window, or 0 when it was the last.
    virtual quintptr next(quintptr window) = 0;
    // The window's title, at most maxChars characters of it; empty for a window without one.
    virtual QString title(quintptr window, int maxChars) = 0;
};
