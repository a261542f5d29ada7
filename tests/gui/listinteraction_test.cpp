#include "programfixture.h"

#include "ui/catalogue/findbar.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>

#include <functional>

namespace {

// Four games whose five columns each sort in another order, with "?" cells in three of
// them, in file order.
QByteArray catalogue()
{
    return gameBlock("pacman", "Pac-Man", "1980", nullptr, nullptr, "good", "Namco") +
           gameBlock("mspacman", "Ms. Pac-Man", "1981", "pacman", "pacman", "good", "Midway") +
           gameBlock("xevious", "galaga", "?", nullptr, nullptr, "good", "?") +
           gameBlock("bosco", "Bosconian", "1981", nullptr, nullptr, "imperfect", "Namco");
}

class ListInteraction : public ProgramFixture
{
protected:
    ListInteraction()
    {
        writeGames(catalogue());
        writeHacks(gameBlock("hackdir", "A Hack", "2001", "pacman", "pacman", "good"));
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

    QString selected() const { return form->gameList()->selectedName().value_or(QString()); }

    // Whether the selected row lies wholly inside the visible part of the list.
    bool selectionInView() { return viewport()->rect().contains(view().selectedRowRect()); }
};

// A click, also on the game chosen already, shows the game in the status bar, remembers it,
// offers its name for a recording and names it in the verify item, in both views. Each choice
// of the user is told once, a double click's included; a load, a sort or a change of view
// chooses nothing.
TEST_F(ListInteraction, aChoiceShowsTheGameRemembersItAndTellsItsNameOnce)
{
    const std::tuple<int, const char*, const char*> cases[] = {
        {0, "pacman", "Pac-Man \u00A91980 Namco"},
        {0, "xevious", "galaga \u00A9? ?"},
        {4, "hackdir", "A Hack \u00A92001 Maker"},
    };
    MainForm& w = shown();
    QSignalSpy chosen(w.gameList(), &GameList::currentGameChanged);
    for (QAction* viewAs : {w.ViewAsIconsMenu, w.ViewAsDetailsMenu}) {
        viewAs->trigger();
        for (const auto& [listType, name, status] : cases) {
            SCOPED_TRACE(name);
            choose(listType);
            chosen.clear();
            click(name);
            EXPECT_EQ(w.statusText(), QString::fromUtf8(status));
            EXPECT_EQ(settings.values.value({"Games", "LastUsed"}), name);
            EXPECT_EQ(chosen, QList<QVariantList>{{QString(name)}});
            EXPECT_EQ(w.RecText->text(), name);
            EXPECT_EQ(w.VerifyCurrentRomMenu->text(), u"Verify "_qs + name);
        }
    }
    settings.failWrites = true;
    click("hackdir");
    EXPECT_EQ(w.statusText(), u"The last game could not be saved in /fake/Korvane.ini."_qs);
    EXPECT_EQ(chosen.size(), 2);

    settings.failWrites = false;
    choose(0);
    chosen.clear();
    processes.defaultAnswer.hangs = true; // the game it starts never ends into the status bar
    // A double click comes as a press, a release, a double-click press and a release.
    const QPoint pacman = centreOf("pacman");
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, pacman);
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, pacman);
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, pacman);
    EXPECT_EQ(processes.started.size(), 1);
    QTest::keyClick(view().currentView(), Qt::Key_Down);
    QTest::keyClicks(view().currentView(), u"bos"_qs); // type-ahead on the Game column
    const QString status = w.statusText();
    choose(0);
    clickHeader(1);
    w.ViewAsIconsMenu->trigger();
    EXPECT_EQ(chosen, (QList<QVariantList>{{"pacman"}, {"mspacman"}, {"bosco"}}));
    EXPECT_EQ(w.statusText(), status);
    EXPECT_EQ(selected(), u"bosco"_qs);
}

TEST_F(ListInteraction, aColumnClickSortsAscendingByItsTextAndKeepsTheSelection)
{
    MainForm& w = shown();
    QAbstractItemModelTester tester(w.games(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    click("xevious");
    QSignalSpy chosen(w.gameList(), &GameList::currentGameChanged);
    // Each sort starts from the order the one before left, which rows of equal text keep.
    const std::pair<int, QStringList> cases[] = {
        {0, {"bosco", "xevious", "mspacman", "pacman"}}, // letter case ignored
        {1, {"pacman", "bosco", "mspacman", "xevious"}}, // "?" after the digits
        {2, {"pacman", "bosco", "xevious", "mspacman"}}, // "?" before the letters
        {3, {"bosco", "mspacman", "pacman", "xevious"}},
        {4, {"xevious", "mspacman", "bosco", "pacman"}},
        {4, {"xevious", "mspacman", "bosco", "pacman"}}, // never the other way round
    };
    const QHeaderView* header = view().reportView()->header();
    for (const auto& [column, sorted] : cases) {
        SCOPED_TRACE(column);
        clickHeader(column);
        EXPECT_EQ(names(), sorted);
        EXPECT_EQ(selected(), u"xevious"_qs);
        EXPECT_EQ(header->sortIndicatorSection(), column);
        EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    }
    EXPECT_EQ(chosen.size(), 0);

    // The icons show the same rows in the same order, with the same selection.
    w.ViewAsIconsMenu->trigger();
    ASSERT_EQ(view().currentView(), view().iconView());
    EXPECT_EQ(view().iconView()->viewMode(), QListView::IconMode);
    EXPECT_EQ(names(), cases[5].second);
    EXPECT_EQ(selected(), u"xevious"_qs);
}

// The sort and the game chosen last also come back at the next start, the game with a
// click's reactions; Ctrl+Q then closes the window.
TEST_F(ListInteraction, theSortStaysOnAcrossReloadsAndStartsWithTheSelectedGameInView)
{
    // More games than the list shows at once; every other one a clone. Their descriptions
    // run the other way round from the file.
    QByteArray games;
    for (int i = 0; i < 60; ++i) {
        const QByteArray name = QByteArray("g") + QByteArray::number(i).rightJustified(2, '0');
        const QByteArray description = "Game " + QByteArray::number(99 - i);
        games += gameBlock(name, description, "1990", i % 2 ? "g00" : nullptr, nullptr, "good");
    }
    writeGames(games);
    shown();
    click("g00");
    clickHeader(0);
    EXPECT_EQ(names().last(), u"g00"_qs);
    EXPECT_TRUE(selectionInView());

    choose(1); // all except clones
    ASSERT_EQ(names().size(), 30);
    EXPECT_EQ(names().first(), u"g58"_qs);
    EXPECT_EQ(names().last(), u"g00"_qs);
    EXPECT_EQ(selected(), u"g00"_qs);
    EXPECT_TRUE(selectionInView());

    restart();
    shown();
    EXPECT_EQ(names().first(), u"g58"_qs);
    EXPECT_EQ(view().reportView()->header()->sortIndicatorSection(), 0);
    EXPECT_EQ(selected(), u"g00"_qs);
    EXPECT_TRUE(selectionInView());
    EXPECT_EQ(form->RecText->text(), u"g00"_qs);
    QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(ListInteraction, enterAndDoubleClicksStartAsPlayDoesAndOtherKeysDoNot)
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
    const std::tuple<const char*, bool, std::function<void()>, bool> cases[] = {
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
    for (QAction* viewAs : {w.ViewAsDetailsMenu, w.ViewAsIconsMenu}) {
        viewAs->trigger();
        for (const auto& [what, gameSelected, act, starts] : cases) {
            SCOPED_TRACE(QString(what + (u' ' + viewAs->text())).toStdString());
            if (gameSelected)
                click("mspacman");
            else
                view().selectRow(-1);
            processes.started.clear();
            act();
            EXPECT_EQ(startedLines(),
                      starts ? QStringList{gameSelected ? withGame : withoutGame} : QStringList{});
        }
    }
}

TEST_F(ListInteraction, onlyARightPressStrictlyInsideTheSelectedRowsBandOpensTheMenu)
{
    MainForm& w = shown();
    QSignalSpy shows(w.RightClickMenu, &QMenu::aboutToShow);
    for (QAction* viewAs : {w.ViewAsDetailsMenu, w.ViewAsIconsMenu}) {
        SCOPED_TRACE(viewAs->text().toStdString());
        viewAs->trigger();
        view().selectRow(-1);
        QTest::mouseClick(viewport(), Qt::RightButton, {}, centreOf("bosco"));
        EXPECT_EQ(shows.size(), 0);
        EXPECT_EQ(selected(), QString());

        click("mspacman");
        const QRect band = view().selectedRowRect();
        // T + H lies on the next row of the report, which a right press does not select.
        const std::pair<int, bool> cases[] = {{band.top(), false},
                                              {band.top() + 1, true},
                                              {band.top() + band.height() - 1, true},
                                              {band.top() + band.height(), false}};
        for (const auto& [y, opens] : cases) {
            SCOPED_TRACE(y - band.top());
            shows.clear();
            const QPoint at(viewport()->width() - 3, y);
            QTest::mouseClick(viewport(), Qt::RightButton, {}, at);
            QTest::mouseDClick(viewport(), Qt::RightButton, {}, at); // a quick second press
            QTest::mouseClick(viewport(), Qt::MiddleButton, {}, at);
            EXPECT_EQ(shows.size(), opens ? 2 : 0);
            if (opens) {
                EXPECT_EQ(w.RightClickMenu->pos(), viewport()->mapToGlobal(at));
            }
            w.RightClickMenu->hide();
            EXPECT_EQ(selected(), u"mspacman"_qs);
        }
    }
}

// F12 lets the list cover everything above the status bar, wider columns and all, and puts
// it back exactly; a load puts the first column back, not the list's place.
TEST_F(ListInteraction, fullWindowCoversTheOtherControlsAndReturnsExactly)
{
    MainForm& w = shown();
    const QWidget* client = w.client();
    const QHeaderView* header = view().reportView()->header();
    const QRect normal = view().geometry();
    const int firstColumn = header->sectionSize(0);
    const QPoint general = twips::toPixels(client, 8000, 1500, 1, 1).topLeft();
    const QPoint status = twips::toPixels(client, 5000, 7200, 1, 1).topLeft();
    for (int i = 1; i <= 5; ++i) {
        SCOPED_TRACE(i);
        QTest::keyClick(&w, Qt::Key_F12);
        const bool full = i % 2 == 1;
        EXPECT_EQ(w.FullscreenMenu->isChecked(), full);
        EXPECT_EQ(view().geometry() == normal, !full);
        EXPECT_EQ(view().geometry().width() == client->width(), full);
        EXPECT_EQ(header->sectionSize(0) > firstColumn, full);
        EXPECT_EQ(view().isAncestorOf(client->childAt(general)), full);
        const QWidget* atStatus = client->childAt(status);
        EXPECT_TRUE(atStatus == w.StatusBar || w.StatusBar->isAncestorOf(atStatus));
    }
    const QRect full = view().geometry();
    choose(1);
    EXPECT_EQ(view().geometry(), full);
    EXPECT_EQ(header->sectionSize(0), firstColumn);
}

// Finding narrows the rows in the list's order, keeps the selected game the current one even
// while it does not show, and closing shows every row with that game selected and in view.
TEST_F(ListInteraction, findingNarrowsTheRowsAndClosingBringsTheWholeListBack)
{
    MainForm& w = shown();
    QAbstractItemModelTester tester(w.games(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    QLineEdit* field = w.FindPanel->field();
    const QRect listArea = view().geometry();
    const QRect general = w.Frame5->geometry();
    click("bosco");
    QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(w.FindPanel->isVisible());
    EXPECT_TRUE(field->hasFocus());
    // The field takes the bottom of the list's place; nothing else moves.
    EXPECT_EQ(view().geometry().united(w.FindPanel->geometry()), listArea);
    EXPECT_EQ(w.Frame5->geometry(), general);

    const QLabel* count = w.FindPanel->findChild<QLabel*>(u"FindCount"_qs);
    const std::tuple<const char*, QStringList, const char*> typing[] = {
        {"nam", {"pacman", "bosco"}, "bosco"},
        {"namco 1981", {"bosco"}, "bosco"},
        {"pac", {"pacman", "mspacman"}, "bosco"}, // bosco is still the current game
        {"zzz", {}, "bosco"},
    };
    for (const auto& [typed, rows, current] : typing) {
        SCOPED_TRACE(typed);
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(typed));
        EXPECT_EQ(names(), rows);
        EXPECT_EQ(selected(), current);
        EXPECT_EQ(w.windowTitle(), gamesAvailableCaption(int(rows.size())));
        EXPECT_EQ(count->text(), u"%1 of 4"_qs.arg(rows.size()));
    }
    QTest::keyClicks(field, u"\b\b\bpac"_qs);
    clickHeader(0);
    EXPECT_EQ(names(), (QStringList{"mspacman", "pacman"}));
    // Down goes into the list on its first row, chosen as a click chooses it.
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(selected(), u"mspacman"_qs);
    EXPECT_EQ(w.RecText->text(), u"mspacman"_qs);
    EXPECT_EQ(w.statusText(), u"Ms. Pac-Man \u00A91981 Midway"_qs);
    EXPECT_TRUE(view().currentView()->hasFocus());

    QTest::keyClick(view().currentView(), Qt::Key_Escape);
    EXPECT_FALSE(w.FindPanel->isVisible());
    EXPECT_EQ(names(), (QStringList{"bosco", "xevious", "mspacman", "pacman"}));
    EXPECT_EQ(selected(), u"mspacman"_qs);
    EXPECT_TRUE(selectionInView());
    EXPECT_EQ(view().geometry(), listArea);
    EXPECT_EQ(w.windowTitle(), gamesAvailableCaption(4));

    // Opened again with a game that the rows found leave out, closing selects it again.
    w.FindMenu->trigger();
    QTest::keyClicks(field, u"xevious"_qs);
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_EQ(selected(), u"mspacman"_qs);
    EXPECT_EQ(names().size(), 4);
}

// Enter in the field starts the selected game when it shows, else the first row found, which
// is chosen first; with no row found, nothing starts.
TEST_F(ListInteraction, enterInTheFindFieldStartsTheSelectedOrTheFirstGameFound)
{
    MainForm& w = shown();
    QLineEdit* field = w.FindPanel->field();
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"pacman", "pac", "pacman"},
        {"pacman", "gal", "xevious"},
        {"pacman", "zzz", nullptr},
    };
    for (const auto& [selectedFirst, typed, starts] : cases) {
        SCOPED_TRACE(typed);
        click(selectedFirst);
        w.FindMenu->trigger();
        QTest::keyClicks(field, QString::fromLatin1(typed));
        processes.started.clear();
        QTest::keyClick(field, Qt::Key_Return);
        ASSERT_EQ(processes.started.size(), starts ? 1 : 0);
        if (starts) {
            EXPECT_TRUE(processes.started.last().commandLine.contains(u' ' + QString(starts)));
            EXPECT_EQ(selected(), starts);
            EXPECT_EQ(settings.values.value({"Games", "LastUsed"}), starts);
        }
        w.gameList()->FindClose_Click();
    }
}

// One letter on a list of 45,000 games, in place: the rows found are those that hold it, the
// selected game stays selected, and every row comes back with it.
TEST(FindInTheModel, oneLetterOnALargeListKeepsTheSelection)
{
    std::vector<CatalogueEntry> rows(45000);
    int withQ = 0;
    for (int i = 0; i < 45000; ++i) {
        rows[size_t(i)].name = u"g%1"_qs.arg(i);
        rows[size_t(i)].description = i % 7 == 0 ? u"Quiz %1"_qs.arg(i) : u"Game %1"_qs.arg(i);
        withQ += i % 7 == 0;
    }
    GameListModel model;
    model.setRows(std::move(rows));
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setModel(&model);
    view.selectionModel()->setCurrentIndex(model.index(44996, 0),
                                           QItemSelectionModel::ClearAndSelect);
    model.setFindWords(findWords(u"Q"));
    EXPECT_EQ(model.rowCount(), withQ);
    EXPECT_EQ(model.allRowCount(), 45000);
    EXPECT_EQ(model.row(view.currentIndex().row()).name, u"g44996"_qs);
    model.setFindWords({});
    EXPECT_EQ(model.rowCount(), 45000);
    EXPECT_EQ(view.currentIndex().row(), 44996);
}

} // namespace
