#pragma once

#include "platform/toplevelwindows.h"

#include <cstdint>
#include <vector>

struct xcb_connection_t;

// Every top-level window of the X display, this program's and other programs': the window
// manager's client list in stacking order, or the root window's children when no window
// manager publishes one. Each window is known by its X identifier. The list is read once
// by first() and walked from that copy; a window that has gone since simply has no title.
class X11TopLevelWindows final : public TopLevelWindows
{
public:
    // connection stays owned by its opener (Qt's xcb platform) and must outlive this list.
    explicit X11TopLevelWindows(xcb_connection_t* connection);

    quintptr first() override;
    quintptr next(quintptr window) override;
    QString title(quintptr window, int maxChars) override;

private:
    std::uint32_t atom(const char* name);
    std::vector<std::uint32_t> clientsOf(std::uint32_t root);

    xcb_connection_t* m_connection;
    std::uint32_t m_clientListStacking = 0;
    std::uint32_t m_netWmName = 0;
    std::uint32_t m_utf8String = 0;
    std::vector<std::uint32_t> m_windows; // top-most first
    std::size_t m_position = 0;           // where the walk is in m_windows
};
