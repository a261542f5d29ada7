#include "platform/ownwindows.h"

#include <QGuiApplication>
#include <QWindow>

namespace {

quintptr idOf(const QWindow* window)
{
    return reinterpret_cast<quintptr>(window);
}

} // namespace

quintptr OwnTopLevelWindows::first()
{
    const QWindowList windows = QGuiApplication::topLevelWindows();
    return windows.isEmpty() ? 0 : idOf(windows.first());
}

quintptr OwnTopLevelWindows::next(quintptr window)
{
    // The list is read afresh each time: a window that has gone is simply not found, and
    // the walk ends rather than touching it.
    const QWindowList windows = QGuiApplication::topLevelWindows();
    for (qsizetype i = 0; i + 1 < windows.size(); ++i) {
        if (idOf(windows[i]) == window)
            return idOf(windows[i + 1]);
    }
    return 0;
}

QString OwnTopLevelWindows::title(quintptr window, int maxChars)
{
    for (const QWindow* candidate : QGuiApplication::topLevelWindows()) {
        if (idOf(candidate) == window)
            return candidate->title().left(maxChars);
    }
    return {};
}
