// The user's own lists in the window: favorites marked from the list's menu, and what was
// played, in "Recently played", the status bar and the rows' tooltips.

#include "catalogue/listtype.h"
#include "fakes/filesizelimit.h"
#include "programfixture.h"

#include <QHeaderView>
#include <QMenu>

namespace {

// The games of the list, in its file's order: short name and description.
const std::pair<const char*, const char*> kGames[] = {
    {"galaxian", "Galaxian"}, {"bosco", "Bosconian"}, {"amidar", "Amidar"}};

class PersonalLists : public ProgramFixture
{
protected:
    PersonalLists()
    {
        QByteArray games;
        for (const auto& [name, description] : kGames)
            games += gameBlock(name, description, "1981", nullptr, nullptr, "good");
        writeGames(games);
    }

    // Selects the game as a click does.
    void pick(const QString& name)
    {
        const int row = int(names().indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        select(row);
    }
    QString toolTip(const QString& name)
    {
        const GameListModel& model = *form->games();
        return model.data(model.index(int(names().indexOf(name)), 2), Qt::ToolTipRole).toString();
    }
};

// The menu item follows the selected game, and Ctrl+D does what it says. "Favorites" shows
// the marked games in the list's order, loses a row whose mark goes, and keeps a favorite
// through updates that drop the game and bring it back, and through a restart.
TEST_F(PersonalLists, favoritesFollowTheMenuAndSurviveUpdatesAndRestarts)
{
    useStandin();
    MainForm& w = shown();
    QAction* item = w.FavoriteMenu;
    for (const char* name : {"amidar", "galaxian", "bosco"}) {
        pick(name);
        EXPECT_EQ(item->text(), u"Add to favorites"_qs);
        QTest::keyClick(form.get(), Qt::Key_D, Qt::ControlModifier);
        EXPECT_EQ(item->text(), u"Remove from favorites"_qs);
    }
    EXPECT_EQ(w.statusText(), u"Bosconian is one of the favorites now."_qs);
    EXPECT_EQ(read("KvCfg/Favorites.txt"), "amidar\ngalaxian\nbosco\n");
    choose(Favorites);
    EXPECT_EQ(names(), (QStringList{"galaxian", "bosco", "amidar"}));
    form->gameList()->GamesListView_ColumnClick(0);
    EXPECT_EQ(names(), (QStringList{"amidar", "bosco", "galaxian"}));
    pick("bosco");
    item->trigger();
    EXPECT_EQ(names(), (QStringList{"amidar", "galaxian"}));
    EXPECT_EQ(w.statusText(), u"Bosconian is no longer one of the favorites."_qs);

    // A list without galaxian, then one with it again.
    for (const auto& [list, shown] :
         {std::pair{goodGames({"amidar", "zaxxon"}), QStringList{"amidar"}},
          std::pair{goodGames({"galaxian", "amidar"}), QStringList{"amidar", "galaxian"}}}) {
        writeFile("standin-listinfo.txt", list);
        w.UpdateGamesMenu->trigger();
        ASSERT_EQ(lastMessage(), u"Game list updated!"_qs);
        EXPECT_EQ(names(), shown);
        EXPECT_EQ(read("KvCfg/Favorites.txt"), "amidar\ngalaxian\n");
    }

    // A file that cannot be written: said, and the mark stays as the file has it.
    pick("galaxian");
    {
        const FileSizeLimit limit(4);
        item->trigger();
    }
    EXPECT_TRUE(w.statusText().startsWith("The favorites could not be saved in " +
                                          path("KvCfg/Favorites.txt") + ": "));
    EXPECT_EQ(item->text(), u"Remove from favorites"_qs);
    EXPECT_EQ(names(), (QStringList{"amidar", "galaxian"}));

    restart();
    shown();
    EXPECT_EQ(form->GamesListTypeCombo->currentIndex(), Favorites);
    EXPECT_EQ(names(), (QStringList{"amidar", "galaxian"}));
}

// A game that MAME ran and ended well was played: the status bar says for how long and how
// often, the history file keeps it and "Recently played" shows the last played first, also
// when a play comes while it shows. A start that failed is no play.
TEST_F(PersonalLists, aNormalEndIsAPlayAndRecentlyPlayedShowsTheLastFirst)
{
    writeFile("KvCfg/History.txt", "amidar\t2026-12-01T10:00:00Z\t60\n"
                                   "galaxian\t2026-12-02T10:00:00Z\t60\n"
                                   "amidar\t2026-11-30T10:00:00Z\t60\n");
    MainForm& w = shown();
    EXPECT_EQ(toolTip("amidar"), "Played 2 times, last on " +
                                     QLocale().toString(QDate(2026, 12, 1), QLocale::ShortFormat));
    EXPECT_TRUE(toolTip("bosco").isEmpty());

    const std::tuple<const char*, qint64, int, const char*> plays[] = {
        {"bosco", 45'000, 0, "Bosconian: played 45 s (once in all)."},
        {"amidar", 192'400, 0, "Amidar: played 3 min 12 s (3 times in all)."},
        {"galaxian", 3'900'000, 0, "Galaxian: played 1 h 5 min (2 times in all)."},
        {"bosco", 2'000, 2, nullptr},                                 // MAME refused to start it
        {"amidar", 1'000, 0, "Amidar: played 1 s (4 times in all)."}, // while the list shows
    };
    for (const auto& [name, lasts, exitCode, said] : plays) {
        SCOPED_TRACE(name);
        if (!said)
            choose(RecentlyPlayed);
        w.setStatusText({});
        processes.defaultAnswer = {{}, exitCode};
        processes.defaultAnswer.lasts = lasts;
        pick(name);
        w.PlayButton->click();
        if (said)
            EXPECT_EVENTUALLY_EQ(w.statusText(), QString::fromUtf8(said));
        else
            EXPECT_EVENTUALLY_EQ(messages.shown.size(), 1);
    }
    EXPECT_EQ(names(), (QStringList{"amidar", "galaxian", "bosco"}));
    EXPECT_EQ(w.GamesListView->reportView()->header()->sortIndicatorSection(), -1);
    EXPECT_EQ(read("KvCfg/History.txt").count('\n'), 7);

    // A column sorts "Recently played" as any list; chosen again, or at the next start, it
    // shows the last played first.
    form->gameList()->GamesListView_ColumnClick(0);
    EXPECT_EQ(names(), (QStringList{"amidar", "bosco", "galaxian"}));
    choose(RecentlyPlayed);
    EXPECT_EQ(names(), (QStringList{"amidar", "galaxian", "bosco"}));
    restart();
    shown();
    EXPECT_EQ(names(), (QStringList{"amidar", "galaxian", "bosco"}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PersonalLists, aDamagedHistoryIsNamedAndSetAside)
{
    const QByteArray junk("galaxian\t2026-12-02T10:00:00Z\t60\n\x89PNG\r\n\x1a\n\0\0", 40);
    writeFile("KvCfg/History.txt", junk);
    started();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(lastMessage(), "The history of the games played, " + path("KvCfg/History.txt") +
                                 ", is damaged: line 2 cannot be read.\n\nIt was set aside as " +
                                 path("KvCfg/History.txt.bad") + ", and the history starts empty.");
    EXPECT_EQ(read("KvCfg/History.txt.bad"), junk);
    EXPECT_TRUE(toolTip("galaxian").isEmpty());
    choose(RecentlyPlayed);
    EXPECT_TRUE(names().isEmpty());
}

} // namespace
