#include "platform/x11windows.h"

#include <xcb/xcb.h>
#include <xcb/xproto.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

// Every request here is a checked one: an error (a window destroyed while the list is
// walked) comes back with the reply and is dropped, instead of reaching Qt's event queue
// as a warning about the connection.

namespace {

struct FreeDeleter
{
    void operator()(void* block) const { std::free(block); }
};

template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

// How many windows the client list is read for at most, and so the longest list walked.
constexpr std::uint32_t kMaxListed = 65536;

Reply<xcb_get_property_reply_t> propertyReply(xcb_connection_t* connection,
                                              xcb_get_property_cookie_t cookie)
{
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection, cookie, &error));
    std::free(error);
    return reply;
}

// The property's bytes when it holds 8-bit text of the given type (any type for 0).
QByteArray textOf(const xcb_get_property_reply_t* reply, xcb_atom_t type = 0)
{
    if (!reply || reply->format != 8 || (type != 0 && reply->type != type))
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply)),
                      xcb_get_property_value_length(reply));
}

} // namespace

X11TopLevelWindows::X11TopLevelWindows(xcb_connection_t* connection)
    : m_connection(connection)
{
    m_clientListStacking = atom("_NET_CLIENT_LIST_STACKING");
    m_netWmName = atom("_NET_WM_NAME");
    m_utf8String = atom("UTF8_STRING");
}

std::uint32_t X11TopLevelWindows::atom(const char* name)
{
    // Created when missing, so that a window manager started later is still recognised.
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(m_connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_generic_error_t* error = nullptr;
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection, cookie, &error));
    std::free(error);
    return reply ? reply->atom : std::uint32_t(XCB_ATOM_NONE);
}

std::vector<std::uint32_t> X11TopLevelWindows::clientsOf(std::uint32_t root)
{
    std::vector<std::uint32_t> windows;
    // The window manager's list runs from the bottom of the stack to the top; the root's
    // children do the same. Both are turned round so that the top-most window comes first.
    if (m_clientListStacking != XCB_ATOM_NONE) {
        const auto list = propertyReply(
            m_connection, xcb_get_property(m_connection, 0, root, m_clientListStacking,
                                           XCB_ATOM_WINDOW, 0, kMaxListed));
        if (list && list->type == XCB_ATOM_WINDOW && list->format == 32) {
            const auto* first =
                static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
            windows.assign(first, first + xcb_get_property_value_length(list.get()) / 4);
            std::reverse(windows.begin(), windows.end());
            return windows;
        }
    }
    xcb_generic_error_t* error = nullptr;
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, root), &error));
    std::free(error);
    if (tree) {
        const xcb_window_t* first = xcb_query_tree_children(tree.get());
        windows.assign(first, first + xcb_query_tree_children_length(tree.get()));
        std::reverse(windows.begin(), windows.end());
    }
    return windows;
}

quintptr X11TopLevelWindows::first()
{
    m_windows.clear();
    m_position = 0;
    for (auto roots = xcb_setup_roots_iterator(xcb_get_setup(m_connection)); roots.rem;
         xcb_screen_next(&roots)) {
        const std::vector<std::uint32_t> clients = clientsOf(roots.data->root);
        m_windows.insert(m_windows.end(), clients.begin(), clients.end());
    }
    return m_windows.empty() ? 0 : m_windows.front();
}

quintptr X11TopLevelWindows::next(quintptr window)
{
    std::size_t position = m_position;
    if (position >= m_windows.size() || m_windows[position] != window) {
        const auto found = std::find(m_windows.begin(), m_windows.end(), window);
        if (found == m_windows.end())
            return 0;
        position = std::size_t(found - m_windows.begin());
    }
    m_position = position + 1;
    return m_position < m_windows.size() ? m_windows[m_position] : 0;
}

QString X11TopLevelWindows::title(quintptr window, int maxChars)
{
    if (maxChars <= 0 || window == 0 || window > std::numeric_limits<xcb_window_t>::max())
        return {};
    const auto id = static_cast<xcb_window_t>(window);
    // maxChars 32-bit units hold maxChars characters in UTF-8 as well as in Latin-1.
    const auto units = static_cast<std::uint32_t>(maxChars);
    const xcb_get_property_cookie_t netName =
        xcb_get_property(m_connection, 0, id, m_netWmName, m_utf8String, 0, units);
    const xcb_get_property_cookie_t name = xcb_get_property(m_connection, 0, id, XCB_ATOM_WM_NAME,
                                                            XCB_GET_PROPERTY_TYPE_ANY, 0, units);

    const QByteArray utf8 = textOf(propertyReply(m_connection, netName).get(), m_utf8String);
    if (!utf8.isEmpty()) {
        xcb_discard_reply(m_connection, name.sequence);
        return QString::fromUtf8(utf8).left(maxChars);
    }
    // WM_NAME is Latin-1 text (STRING), unless its owner wrote UTF-8 and said so.
    const auto legacy = propertyReply(m_connection, name);
    const QByteArray text = textOf(legacy.get());
    if (legacy && legacy->type == m_utf8String)
        return QString::fromUtf8(text).left(maxChars);
    return QString::fromLatin1(text).left(maxChars);
}
