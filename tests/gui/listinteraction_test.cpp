#include "programfixture.h"
#include "ui/catalogue/gamelist.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/desktop/picturebutton.h"
#include "ui/desktop/twips.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

#include <functional>

namespace {

// Four games whose five columns each sort in another order, with "?" cells in three of
// them, in file order.
QByteArray catalogue()
{
    return gameBlock("pacman", "Pac-Man", "1980", nullptr, nullptr, "good")
               .replace("Maker", "Namco") +
           gameBlock("mspacman", "Ms. Pac-Man", "1981", "pacman", "pacman", "good")
               .replace("Maker", "Midway") +
           gameBlock("xevious", "galaga", "?", nullptr, nullptr, "good").replace("Maker", "?") +
           gameBlock("bosco", "Bosconian", "1981", nullptr, nullptr, "imperfect")
               .replace("Maker", "Namco");
}

class ListInteractionTest : public ProgramFixture
{
protected:
    ListInteractionTest()
    {
        writeFile(QStringLiteral("KvCfg/Korvane.gam"), catalogue());
        writeFile(QStringLiteral("KvCfg/Korvane.hck"),
                  gameBlock("hackdir", "A Hack", "2001", "pacman", "pacman", "good"));
    }

    GameListView& view() { return *form->GamesListView; }
    QWidget* viewport() { return view().currentView()->viewport(); }

    QPoint centreOf(const char* name)
    {
        const int row = names().indexOf(QLatin1StringView(name));
        return view().currentView()->visualRect(form->games()->index(row, 0)).center();
    }

    void click(const char* name) { clickRow(int(names().indexOf(QLatin1StringView(name)))); }

    void clickHeader(int column)
    {
        QHeaderView* header = view().reportView()->header();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
    }

    QString selected() const
    {
        const CatalogueEntry* game = form->gameList()->selectedGame();
        return game ? game->name : QString();
    }

    // Whether the selected row lies wholly inside the visible part of the list.
    bool selectionInView() { return viewport()->rect().contains(view().selectedRowRect()); }
};

TEST_F(ListInteractionTest, aClickShowsTheGameRemembersItAndTellsItsName)
{
    struct Case
    {
        int listType;
        const char* name;
        const char* status;
    };
    const Case cases[] = {
        {0, "pacman", "Pac-Man \u00A91980 Namco"},
        {0, "xevious", "galaga \u00A9? ?"},
        {4, "hackdir", "A Hack \u00A92001 Maker"},
    };
    MainForm& w = shown();
    QSignalSpy chosen(w.gameList(), &GameList::currentGameChanged);
    for (const bool icons : {false, true}) {
        (icons ? w.ViewAsIconsMenu : w.ViewAsDetailsMenu)->trigger();
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            choose(c.listType);
            chosen.clear();
            click(c.name);
            EXPECT_EQ(w.statusText(), QString::fromUtf8(c.status));
            EXPECT_EQ(settings.values.value({"Games", "LastUsed"}), c.name);
            ASSERT_EQ(chosen.size(), 1);
            EXPECT_EQ(chosen[0][0].toString(), c.name);
            EXPECT_EQ(w.RecText->text(), c.name);
            EXPECT_EQ(w.VerifyCurrentRomMenu->text(), QStringLiteral("Verify ") + c.name);
        }
    }
    settings.failWrites = true;
    click("hackdir"); // the game chosen already counts again
    EXPECT_EQ(w.statusText(),
              QStringLiteral("The last game could not be saved in /fake/Korvane.ini."));
    EXPECT_EQ(chosen.size(), 2);
}

TEST_F(ListInteractionTest, everyChoiceOfTheUserReactsOnceAndLoadsAndSortsNever)
{
    MainForm& w = shown();
    QSignalSpy chosen(w.gameList(), &GameList::currentGameChanged);
    click("mspacman");
    click("mspacman");
    // A double click comes as a press, a release, a double-click press and a release.
    const QPoint pacman = centreOf("pacman");
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, pacman);
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, pacman);
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, pacman);
    EXPECT_EQ(processes.started.size(), 1);
    QTest::keyClick(view().currentView(), Qt::Key_Down);
    QTest::keyClicks(view().currentView(), QStringLiteral("bos")); // type-ahead on the Game column
    QStringList told;
    for (const QList<QVariant>& signal : chosen)
        told.append(signal[0].toString());
    EXPECT_EQ(told, (QStringList{"mspacman", "mspacman", "pacman", "mspacman", "bosco"}));

    const QString status = w.statusText();
    choose(0);
    clickHeader(1);
    w.ViewAsIconsMenu->trigger();
    EXPECT_EQ(chosen.size(), 5);
    EXPECT_EQ(w.statusText(), status);
    EXPECT_EQ(selected(), QStringLiteral("bosco"));
}

TEST_F(ListInteractionTest, aColumnClickSortsAscendingByItsTextAndKeepsTheSelection)
{
    MainForm& w = shown();
    QAbstractItemModelTester tester(w.games(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    click("xevious");
    QSignalSpy chosen(w.gameList(), &GameList::currentGameChanged);
    // Each sort starts from the order the one before left, which rows of equal text keep.
    struct Case
    {
        int column;
        QStringList names;
    };
    const Case cases[] = {
        {0, {"bosco", "xevious", "mspacman", "pacman"}}, // letter case ignored
        {1, {"pacman", "bosco", "mspacman", "xevious"}}, // "?" after the digits
        {2, {"pacman", "bosco", "xevious", "mspacman"}}, // "?" before the letters
        {3, {"bosco", "mspacman", "pacman", "xevious"}},
        {4, {"xevious", "mspacman", "bosco", "pacman"}},
        {4, {"xevious", "mspacman", "bosco", "pacman"}}, // never the other way round
    };
    const QHeaderView* header = view().reportView()->header();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        clickHeader(c.column);
        EXPECT_EQ(names(), c.names);
        EXPECT_EQ(selected(), QStringLiteral("xevious"));
        EXPECT_EQ(header->sortIndicatorSection(), c.column);
        EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    }
    EXPECT_EQ(chosen.size(), 0);

    // The icons show the same rows in the same order, with the same selection.
    w.ViewAsIconsMenu->trigger();
    const QListView* icons = view().iconView();
    ASSERT_EQ(view().currentView(), icons);
    EXPECT_EQ(icons->viewMode(), QListView::IconMode);
    EXPECT_EQ(icons->iconSize(), QSize(32, 32));
    EXPECT_EQ(names(), cases[5].names);
    EXPECT_EQ(selected(), QStringLiteral("xevious"));
    EXPECT_FALSE(w.ViewAsIconsMenu->isCheckable() || w.ViewAsDetailsMenu->isCheckable());
}

TEST_F(ListInteractionTest, theSortStaysOnAcrossReloadsWithTheSelectedGameInView)
{
    // More games than the list shows at once; every other one a clone. Their descriptions
    // run the other way round from the file.
    QByteArray games;
    for (int i = 0; i < 60; ++i) {
        const QByteArray name = QByteArray("g") + QByteArray::number(i).rightJustified(2, '0');
        const QByteArray description = "Game " + QByteArray::number(99 - i);
        games += gameBlock(name, description, "1990", i % 2 ? "g00" : nullptr, nullptr, "good");
    }
    writeFile(QStringLiteral("KvCfg/Korvane.gam"), games);
    MainForm& w = shown();
    click("g00");
    clickHeader(0);
    EXPECT_EQ(names().last(), QStringLiteral("g00"));
    EXPECT_TRUE(selectionInView());

    for (const int listType : {1, 0}) {
        SCOPED_TRACE(listType);
        choose(listType);
        const QStringList shown = names();
        ASSERT_EQ(shown.size(), listType == 1 ? 30 : 60);
        EXPECT_EQ(shown.first(), listType == 1 ? QStringLiteral("g58") : QStringLiteral("g59"));
        EXPECT_EQ(shown.last(), QStringLiteral("g00"));
        EXPECT_EQ(selected(), QStringLiteral("g00"));
        EXPECT_TRUE(selectionInView());
    }
    EXPECT_EQ(w.windowTitle(), gamesAvailableCaption(60));
}

TEST_F(ListInteractionTest, enterAndDoubleClicksStartAsPlayDoesAndOtherKeysDoNot)
{
    MainForm& w = shown();
    w.PlayButton->click();
    const QString withoutGame = processes.started.last().commandLine;
    click("mspacman");
    w.PlayButton->click();
    const QString withGame = processes.started.last().commandLine;
    ASSERT_NE(withGame, withoutGame);

    auto key = [this](Qt::Key k) {
        return [this, k] { QTest::keyClick(view().currentView(), k); };
    };
    // Held down: the first press and the key's repeats.
    auto held = [this] {
        for (const bool repeat : {false, true, true, true}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), repeat);
            QApplication::sendEvent(view().currentView(), &press);
        }
    };
    auto doubleClick = [this](bool onRow) {
        return [this, onRow] {
            const QPoint below(5, viewport()->height() - 5);
            QTest::mouseDClick(viewport(), Qt::LeftButton, {},
                               onRow ? centreOf("mspacman") : below);
        };
    };
    struct Case
    {
        const char* what;
        bool gameSelected;
        std::function<void()> act;
        bool starts;
    };
    const Case cases[] = {
        {"Return", true, key(Qt::Key_Return), true},
        {"Enter", true, key(Qt::Key_Enter), true},
        {"Return, no game", false, key(Qt::Key_Return), true},
        {"Return held down", true, held, true},
        {"Space", true, key(Qt::Key_Space), false},
        {"a letter", true, key(Qt::Key_M), false},
        {"Down", true, key(Qt::Key_Down), false},
        {"double click on the row", true, doubleClick(true), true},
        {"double click below the rows", true, doubleClick(false), true},
        {"double click, no game", false, doubleClick(false), true},
    };
    for (const bool icons : {false, true}) {
        (icons ? w.ViewAsIconsMenu : w.ViewAsDetailsMenu)->trigger();
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (icons ? " (icons)" : ""));
            if (c.gameSelected)
                click("mspacman");
            else
                view().selectRow(-1);
            processes.started.clear();
            c.act();
            ASSERT_EQ(processes.started.size(), c.starts ? 1 : 0);
            if (c.starts) {
                EXPECT_EQ(processes.started[0].commandLine,
                          c.gameSelected ? withGame : withoutGame);
            }
        }
    }
}

TEST_F(ListInteractionTest, onlyARightPressStrictlyInsideTheSelectedRowsBandOpensTheMenu)
{
    MainForm& w = shown();
    QSignalSpy shows(w.RightClickMenu, &QMenu::aboutToShow);
    for (const bool icons : {false, true}) {
        SCOPED_TRACE(icons ? "icons" : "report");
        (icons ? w.ViewAsIconsMenu : w.ViewAsDetailsMenu)->trigger();
        view().selectRow(-1);
        QTest::mouseClick(viewport(), Qt::RightButton, {}, centreOf("bosco"));
        EXPECT_EQ(shows.size(), 0);
        EXPECT_EQ(selected(), QString());

        click("mspacman");
        const QRect band = view().selectedRowRect();
        // T + H lies on the next row of the report, which a right press does not select.
        const struct
        {
            int y;
            bool opens;
        } cases[] = {{band.top(), false},
                     {band.top() + 1, true},
                     {band.top() + band.height() - 1, true},
                     {band.top() + band.height(), false}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.y - band.top());
            shows.clear();
            const QPoint at(viewport()->width() - 3, c.y);
            QTest::mouseClick(viewport(), Qt::RightButton, {}, at);
            QTest::mouseDClick(viewport(), Qt::RightButton, {}, at); // a quick second press
            QTest::mouseClick(viewport(), Qt::MiddleButton, {}, at);
            EXPECT_EQ(shows.size(), c.opens ? 2 : 0);
            if (c.opens) {
                EXPECT_EQ(w.RightClickMenu->pos(), viewport()->mapToGlobal(at));
            }
            w.RightClickMenu->hide();
            EXPECT_EQ(selected(), QStringLiteral("mspacman"));
        }
    }
}

TEST_F(ListInteractionTest, fullWindowCoversTheOtherControlsAndReturnsExactly)
{
    MainForm& w = shown();
    const QWidget* client = w.client();
    const QHeaderView* header = view().reportView()->header();
    struct Mode
    {
        QRect twips;
        int firstColumn;
        bool full;
    };
    const Mode normal{{120, 0, 6972, 4452}, 3000, false};
    const Mode full{{0, 0, 10092, 7092}, 6000, true};
    auto expectMode = [&](const Mode& m, int firstColumn) {
        const QRect& r = m.twips;
        EXPECT_EQ(view().geometry(), twips::toPixels(client, r.x(), r.y(), r.width(), r.height()));
        EXPECT_EQ(header->sectionSize(0), twips::toPixelsX(header, firstColumn));
        EXPECT_EQ(w.FullscreenMenu->isChecked(), m.full);
        // What shows in the General group and on the status bar.
        const QPoint general = twips::toPixels(client, 8000, 1500, 1, 1).topLeft();
        const QPoint status = twips::toPixels(client, 5000, 7200, 1, 1).topLeft();
        EXPECT_EQ(view().isAncestorOf(client->childAt(general)), m.full);
        const QWidget* atStatus = client->childAt(status);
        EXPECT_TRUE(atStatus == w.StatusBar || w.StatusBar->isAncestorOf(atStatus));
    };
    expectMode(normal, normal.firstColumn);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        QTest::keyClick(&w, Qt::Key_F12);
        const Mode& m = i % 2 == 0 ? full : normal;
        expectMode(m, m.firstColumn);
    }
    QTest::keyClick(&w, Qt::Key_F12);
    choose(1); // a load puts the first column back, not the rectangle
    expectMode(full, normal.firstColumn);
}

} // namespace
