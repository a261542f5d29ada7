#include "programfixture.h"

#include "catalogue/listtype.h"

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

// The rows of each list type, by its place in the combo.
const QStringList kRows[] = {
    {"parent", "clone", "neo1", "neo2", "neochild", "prelim"},
    {"parent", "neo1", "prelim"},
    {"parent", "clone", "neochild", "prelim"},
    {"neo1", "neo2"},
    {"hackdir"},
    {"parent", "clone", "neo1"},
    {"neo2", "neochild", "prelim"},
    {}, // no ROM folder, and every game needs files
    {}, // no favorites yet
    {}, // nothing played yet
};

class GameListLoading : public ProgramFixture
{
protected:
    GameListLoading()
    {
        writeGames(catalogue());
        writeHacks(gameBlock("hackdir", "A Hack", "2001", "parent", "parent", "good"));
    }
};

TEST_F(GameListLoading, eachListTypeShowsItsGamesCountsThemAndIsKeptForTheNextStart)
{
    window().show();
    for (int type = 0; type < kListTypeCount; ++type) {
        SCOPED_TRACE(type);
        QString shownWhileLoading;
        QTimer::singleShot(0, [&] { shownWhileLoading = form->windowTitle(); });
        choose(type);
        EXPECT_EQ(shownWhileLoading, loadingCaption());
        EXPECT_EQ(names(), kRows[type]);
        EXPECT_EQ(form->windowTitle(), gamesAvailableCaption(int(kRows[type].size())));
        EXPECT_EQ(settings.values.value({"Games", "ListType"}), QString::number(type));
    }
    EXPECT_TRUE(messages.shown.isEmpty());
    // A good driver's row shows the ROM image, the others the BADROM image; rows are never
    // edited in place. Which field each column shows is pinned by sorting on it.
    const GameListModel& model = *form->games();
    QAbstractItemModelTester tester(form->games(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    choose(OnlyPrelimDrivers);
    EXPECT_EQ(model.data(model.index(0, 0), GameListModel::ImageKeyRole).toString(), "BADROM");
    choose(0);
    EXPECT_EQ(model.data(model.index(0, 0), GameListModel::ImageKeyRole).toString(), "ROM");
    EXPECT_FALSE(model.data(model.index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);

    // A choice that cannot be stored is said, and the list follows it all the same.
    settings.failWrites = true;
    choose(1);
    EXPECT_EQ(form->statusText(), u"The list type could not be saved in /fake/Korvane.ini."_qs);
    EXPECT_EQ(names(), kRows[1]);

    // The next start selects the stored list type and loads it once, without storing it.
    settings.failWrites = false;
    const std::pair<const char*, int> cases[] = {
        {nullptr, 0}, {"4", 4}, {"5.5", 6}, {" 6", 6}, {"7", 7}, {"10", 0}, {"-1", 0}, {"abc", 0},
    };
    for (const auto& [stored, selected] : cases) {
        SCOPED_TRACE(stored ? stored : "(absent)");
        restart();
        // A start that has seen this version already, so the version notice writes nothing.
        settings.values = {{{"Options", "KvVersion"}, programVersionText()}};
        settings.writeCount = 0;
        if (stored)
            settings.values.insert({"Games", "ListType"}, QString::fromLatin1(stored));
        started();
        EXPECT_EQ(form->GamesListTypeCombo->currentIndex(), selected);
        EXPECT_EQ(names(), kRows[selected]);
        EXPECT_EQ(settings.writeCount, 0);
    }
}

TEST_F(GameListLoading, aLoadWithoutAUsableFileSaysWhy)
{
    // A first start: no list, and the status bar says how to make one, before which MAME
    // is in use.
    QFile::remove(path("KvCfg/Korvane.gam"));
    started();
    EXPECT_EQ(messages.texts(), QStringList{"Gamelist unavailable."});
    EXPECT_EQ(form->games()->rowCount(), 0);
    EXPECT_EQ(form->windowTitle(), u"Brimwork's Korvane"_qs);
    EXPECT_TRUE(form->statusText().startsWith(
        u"There is no games list yet: Tools > Update the games list makes one from MAME.  "
        u"MAME in use: "_qs))
        << form->statusText().toStdString();

    // Home hacks without the hack list: no games, rather than games that are no hacks.
    writeGames(catalogue());
    QFile::remove(path("KvCfg/Korvane.hck"));
    choose(0);
    messages.shown.clear();
    const QString status = form->statusText();
    choose(4);
    EXPECT_EQ(messages.texts(), QStringList{"Hack list unavailable."});
    EXPECT_EQ(form->statusText(), status);
    EXPECT_EQ(form->windowTitle(), gamesAvailableCaption(0));

    // The game list gone after a load: said each time, and the rows stay. The columns are
    // put back all the same.
    choose(0);
    QFile::remove(path("KvCfg/Korvane.gam"));
    QHeaderView* header = form->GamesListView->reportView()->header();
    for (int listType : {1, 4}) {
        messages.shown.clear();
        header->resizeSection(0, 10);
        choose(listType);
        EXPECT_EQ(messages.texts(), QStringList{"Gamelist unavailable."});
        EXPECT_EQ(form->games()->rowCount(), 6);
        EXPECT_EQ(form->windowTitle(), gamesAvailableCaption(6));
        EXPECT_EQ(header->sectionSize(0), twips::toPixelsX(header, 3000));
    }

    // An empty list file, which a failed update may leave, is named.
    writeGames("");
    choose(0);
    EXPECT_EQ(form->windowTitle(), gamesAvailableCaption(0));
    EXPECT_EQ(form->statusText(), "The list file " +
                                      QDir::toNativeSeparators(path("KvCfg/Korvane.gam")) +
                                      " holds no games.");
}

// The ROM folders of the classic MAME: roms in the program directory. Sets copied in or
// removed while the list shows change the available games and the grey at once, and the
// selected game stays selected.
TEST_F(GameListLoading, availableGamesAndTheGreyFollowTheSetsInTheRomFolders)
{
    writeGames(QByteArray(gameBlock("pong", "Pong", "1972", nullptr, nullptr, "good"))
                   .replace("\trom ( name a.1 size 1 crc 0 )\r\n", "") +
               catalogue());
    QDir(dir.path()).mkpath("roms");
    started();
    form->gameList()->setMame(MameInfo{});
    const GameListModel& model = *form->games();
    const auto grey = [&](int row) {
        return model.data(model.index(row, 0), Qt::ForegroundRole).isValid();
    };

    choose(AvailableGames);
    EXPECT_EQ(names(), QStringList{"pong"});
    EXPECT_EQ(form->windowTitle(), gamesAvailableCaption(1));
    EXPECT_TRUE(form->statusText().startsWith("No ROM sets found in " +
                                              QDir::toNativeSeparators(path("roms")) +
                                              ". Put each set's .zip in one of them; the list "
                                              "follows."))
        << form->statusText().toStdString();
    select(0);

    const std::pair<const char*, QStringList> steps[] = {
        {"roms/PARENT.zip", {"pong", "parent"}},
        {"roms/neo1.7z", {"pong", "parent"}}, // no Neo-Geo BIOS yet
        {"roms/neogeo/", {"pong", "parent", "neo1"}},
    };
    for (const auto& [set, expected] : steps) {
        SCOPED_TRACE(set);
        if (QByteArray(set).endsWith('/'))
            QDir(dir.path()).mkpath(set);
        else
            writeFile(set, {});
        EXPECT_TRUE(testfiles::eventually([&] { return names() == expected; }))
            << names().join(',').toStdString();
        EXPECT_EQ(form->gameList()->selectedName(), std::optional<QString>("pong"));
        EXPECT_EQ(form->windowTitle(), gamesAvailableCaption(int(expected.size())));
    }

    // Every list greys the games that are not available, and follows a set removed.
    choose(FullList);
    EXPECT_EQ(names().mid(0, 3), (QStringList{"pong", "parent", "clone"}));
    EXPECT_EQ(model.data(model.index(2, 1), Qt::ForegroundRole).value<QColor>(),
              form->GamesListView->palette().color(QPalette::Disabled, QPalette::Text));
    EXPECT_FALSE(grey(0) || grey(1) || grey(3));
    EXPECT_TRUE(grey(2));
    QFile::remove(path("roms/PARENT.zip"));
    EXPECT_TRUE(testfiles::eventually([&] { return grey(1); }));

    // Without any ROM folder, MAME has nowhere to look: nothing is grey.
    QDir(path("roms")).removeRecursively();
    EXPECT_TRUE(testfiles::eventually([&] { return !grey(1) && !grey(2); }));
}

} // namespace
