#pragma once

#include "platform/toplevelwindows.h"

// This program's own top-level windows, for platforms whose window list the program cannot
// read (Wayland, offscreen): each window is known by its QWindow.
class OwnTopLevelWindows final : public TopLevelWindows
{
public:
    quintptr first() override;
    quintptr next(quintptr window) override;
    QString title(quintptr window, int maxChars) override;
};
