// windowsearch_test.cpp: finding a top-level window by a text in its title.

#include "launch/windowsearch.h"

#include "fakes/fakedesktop.h"

#include <gtest/gtest.h>

namespace {

struct SearchCase
{
    const char* what;
    QStringList titles; // top-most first; window n is the n-th title
    QString text;
    quintptr found;
};

TEST(WindowSearch, FindsTheFirstWindowWhoseTitleHoldsTheText)
{
    const QString x = QStringLiteral("x");
    const QString cmd = QStringLiteral("COMMAND");
    const SearchCase cases[] = {
        {"no windows", {}, cmd, 0},
        {"no title holds it", {QStringLiteral("Korvane"), QStringLiteral("xterm")}, cmd, 0},
        {"empty text, untitled windows passed over", {{}, {}, QStringLiteral("Korvane"), x}, {}, 3},
        {"empty text, no titled window", {{}, {}}, {}, 0},
        {"first match wins", {x, QStringLiteral("command.txt - edit"), cmd}, cmd, 2},
        {"lower-case title", {QStringLiteral("c:\\windows\\command.com")}, cmd, 1},
        {"lower-case text", {QStringLiteral("COMMAND.COM")}, QStringLiteral("command"), 1},
        {"non-ASCII, lower-case title",
         {QStringLiteral("Spielstände")},
         QStringLiteral("STÄNDE"),
         1},
        {"non-ASCII, lower-case text",
         {QStringLiteral("SPIELSTÄNDE")},
         QStringLiteral("stände"),
         1},
        {"full upper-casing", {QStringLiteral("STRASSE")}, QStringLiteral("straße"), 1},
        {"ends at character 255", {x.repeated(248) + cmd}, cmd, 1},
        {"ends at 255, title longer", {x.repeated(248) + cmd + x.repeated(40)}, cmd, 1},
        {"ends at character 256", {x.repeated(249) + cmd}, cmd, 0},
        {"only past character 255", {x.repeated(300) + cmd, x}, cmd, 0},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeTopLevelWindows windows;
        windows.titles = c.titles;
        EXPECT_EQ(FindWindowByTitle(windows, c.text), c.found);
    }
}

// A window list that never ends: each window is followed by another, or by one seen before.
class EndlessWindows final : public TopLevelWindows
{
public:
    explicit EndlessWindows(bool circle)
        : m_circle(circle)
    {}
    quintptr first() override { return 1; }
    quintptr next(quintptr window) override { return m_circle ? 3 - window : window + 1; }
    QString title(quintptr, int) override { return QStringLiteral("xterm"); }

private:
    bool m_circle;
};

TEST(WindowSearch, GivesUpOnAWindowListThatNeverEnds)
{
    for (const bool circle : {false, true}) {
        EndlessWindows windows(circle);
        EXPECT_EQ(FindWindowByTitle(windows, QStringLiteral("COMMAND")), 0u) << circle;
    }
}

} // namespace
