#include "launch/windowsearch.h"

#include "platform/toplevelwindows.h"

namespace {

// A title is read into a buffer of 256 characters, the last one for the terminating zero.
constexpr int kTitleChars = 255;

// No desktop has this many top-level windows: a list that goes on longer is changing under
// the walk (or going round in a circle), and the search gives up rather than hang.
constexpr int kMaxWindows = 100000;

} // namespace

quintptr FindWindowByTitle(TopLevelWindows& windows, const QString& text)
{
    const QString wanted = text.toUpper();
    quintptr window = windows.first();
    for (int step = 0; window != 0 && step < kMaxWindows; ++step) {
        const QString title = windows.title(window, kTitleChars);
        if (!title.isEmpty() && title.toUpper().contains(wanted))
            return window;
        window = windows.next(window);
    }
    return 0;
}
