#include "programfixture.h"
#include "ui/catalogue/gamelist.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/desktop/twips.h"

#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QHeaderView>
#include <QTimer>
#include <QTreeView>

namespace {

// Six games: a parent with a clone, two Neo-Geo games (one a clone), a game that only
// takes ROMs from a set that is itself a Neo-Geo game, and one with a preliminary driver.
QByteArray catalogue()
{
    return gameBlock("parent", "Parent", "1981", nullptr, nullptr, "good") +
           gameBlock("clone", "Clone", "1982", "parent", "parent", "good") +
           gameBlock("neo1", "Neo One", "1991", nullptr, "neogeo", "good") +
           gameBlock("neo2", "Neo Two", "1992", "neo1", "neogeo", "preliminary") +
           gameBlock("neochild", "Neo Child", "1993", "neo1", "neo1", "imperfect") +
           gameBlock("prelim", "Prelim", "1984", nullptr, nullptr, "preliminary");
}

QByteArray hacks()
{
    return gameBlock("hackdir", "A Hack", "2001", "parent", "parent", "good");
}

using GameListTest = ProgramFixture;

TEST_F(GameListTest, eachListTypeShowsItsGamesAndCountsThemInTheCaption)
{
    writeFile(QStringLiteral("KvCfg/Korvane.gam"), catalogue());
    writeFile(QStringLiteral("KvCfg/Korvane.hck"), hacks());
    struct Case
    {
        int listType;
        QStringList names;
    };
    const Case cases[] = {
        {0, {"parent", "clone", "neo1", "neo2", "neochild", "prelim"}},
        {1, {"parent", "neo1", "prelim"}},
        {2, {"parent", "clone", "neochild", "prelim"}},
        {3, {"neo1", "neo2"}},
        {4, {"hackdir"}},
        {5, {"parent", "clone", "neo1"}},
        {6, {"neo2", "neochild", "prelim"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listType);
        choose(c.listType);
        EXPECT_EQ(names(), c.names);
        EXPECT_EQ(window().windowTitle(), gamesAvailableCaption(int(c.names.size())));
        EXPECT_EQ(settings.values.value({"Games", "ListType"}), QString::number(c.listType));
    }
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(GameListTest, rowsCarryTheEntryInTheirColumnsAndTheImageKey)
{
    writeFile(QStringLiteral("KvCfg/Korvane.gam"), catalogue());
    choose(0);
    const GameListModel& model = *window().games();
    QAbstractItemModelTester tester(window().games(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    const QStringList headers{"Game", "Year", "Clone of", "Name", "Manufacturer"};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headers[c]);
    const QStringList cells{"Clone", "1982", "parent", "clone", "Maker"};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(model.data(model.index(1, c), Qt::DisplayRole).toString(), cells[c]);
    EXPECT_EQ(model.data(model.index(1, 0), GameListModel::ImageKeyRole).toString(), "ROM");
    EXPECT_EQ(model.data(model.index(5, 0), GameListModel::ImageKeyRole).toString(), "BADROM");
    EXPECT_FALSE(model.data(model.index(1, 0), Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
}

TEST_F(GameListTest, aMissingGameListIsReportedAndTheRowsStay)
{
    writeFile(QStringLiteral("KvCfg/Korvane.gam"), catalogue());
    choose(0);
    const QString caption = window().windowTitle();
    QFile::remove(path(QStringLiteral("KvCfg/Korvane.gam")));

    for (int listType : {1, 4}) {
        messages.shown.clear();
        choose(listType);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text, QStringLiteral("Gamelist unavailable."));
        EXPECT_EQ(window().games()->rowCount(), 6);
        EXPECT_EQ(window().windowTitle(), caption);
    }
}

TEST_F(GameListTest, homeHacksWithoutTheHackListSayWhyAndShowNoGame)
{
    writeFile(QStringLiteral("KvCfg/Korvane.gam"), catalogue());
    choose(0);
    choose(4);
    EXPECT_EQ(messages.texts(), QStringList{"Hack list unavailable."});
    EXPECT_FALSE(window().statusText().contains(QStringLiteral("games list")));
    EXPECT_EQ(window().games()->rowCount(), 0);
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Brimwork's Korvane - 0 games available"));
}

TEST_F(GameListTest, everyLoadPutsTheColumnWidthsBack)
{
    writeFile(QStringLiteral("KvCfg/Korvane.gam"), catalogue());
    QHeaderView* header = window().GamesListView->reportView()->header();
    header->resizeSection(0, 10);
    header->resizeSection(4, 300);
    choose(0);
    const int widths[] = {3000, 480, 960, 960, 1200};
    for (int c = 0; c < 5; ++c)
        EXPECT_EQ(header->sectionSize(c), twips::toPixelsX(header, widths[c])) << c;
    // Also when the file is missing: the columns are rebuilt before the check.
    QFile::remove(path(QStringLiteral("KvCfg/Korvane.gam")));
    header->resizeSection(0, 10);
    choose(0);
    EXPECT_EQ(header->sectionSize(0), twips::toPixelsX(header, 3000));
}

TEST_F(GameListTest, aListTypeThatCannotBeStoredIsReportedInTheStatusBar)
{
    writeFile(QStringLiteral("KvCfg/Korvane.gam"), catalogue());
    settings.failWrites = true;
    choose(1);
    EXPECT_TRUE(window().statusText().contains(QStringLiteral("/fake/Korvane.ini")))
        << window().statusText().toStdString();
    EXPECT_EQ(window().games()->rowCount(), 3); // the list still follows the choice
}

TEST_F(GameListTest, anEmptyListFileIsNamedAndTheLoadingCaptionIsShownWhileLoading)
{
    writeFile(QStringLiteral("KvCfg/Korvane.gam"), "");
    choose(0);
    EXPECT_EQ(window().windowTitle(), gamesAvailableCaption(0));
    EXPECT_EQ(window().statusText(), QStringLiteral("The list file ") +
                                         QDir::toNativeSeparators(path("KvCfg/Korvane.gam")) +
                                         QStringLiteral(" holds no games."));

    writeFile(QStringLiteral("KvCfg/Korvane.gam"), catalogue());
    window().show();
    QString shownWhileLoading;
    QTimer::singleShot(0,
                       [this, &shownWhileLoading] { shownWhileLoading = window().windowTitle(); });
    choose(0);
    EXPECT_EQ(shownWhileLoading, loadingCaption());
    EXPECT_EQ(window().windowTitle(), gamesAvailableCaption(6));
}

} // namespace
