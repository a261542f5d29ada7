// The files of the user's own lists: the favorites and the history of the games played.

#include "catalogue/favorites.h"
#include "catalogue/playhistory.h"
#include "fakes/filesizelimit.h"
#include "platform/localfiles.h"
#include "testfiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PersonalFiles : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    LocalFiles files;
};

QDateTime utc(int day, int hour)
{
    return QDateTime(QDate(2026, 12, day), QTime(hour, 0), Qt::UTC);
}

// What a hand-edited file may hold still reads; each change writes the whole file again.
TEST_F(PersonalFiles, favoritesRoundTripAndKeepNamesTheListDoesNotHold)
{
    testfiles::write(path("Favorites.txt"), " pacman \r\n\ngalaga\npacman\nnolonger\n");
    FavoriteGames favorites(files, path("Favorites.txt"));
    QString error;
    ASSERT_TRUE(favorites.load(&error));
    EXPECT_EQ(favorites.names(), (QStringList{"pacman", "galaga", "nolonger"}));
    ASSERT_TRUE(favorites.set("galaga", false, &error));
    ASSERT_TRUE(favorites.set("digdug", true, &error));
    ASSERT_TRUE(favorites.set("digdug", true, &error));
    EXPECT_EQ(testfiles::read(path("Favorites.txt")), "pacman\nnolonger\ndigdug\n");

    FavoriteGames again(files, path("Favorites.txt"));
    ASSERT_TRUE(again.load(&error));
    EXPECT_EQ(again.names(), favorites.names());
    EXPECT_TRUE(again.contains("nolonger") && !again.contains("galaga"));

    FavoriteGames none(files, path("none/Favorites.txt"));
    EXPECT_TRUE(none.load(&error));
    EXPECT_TRUE(none.names().isEmpty());
}

// A full disk leaves each file whole, as it was: the favorites as the file holds them, the
// history with the play that could not be written, for the next write to take along.
TEST_F(PersonalFiles, aWriteThatFailsLeavesTheOldFileWhole)
{
    const QByteArray kept = "pacman\ngalaga\n";
    testfiles::write(path("Favorites.txt"), kept);
    FavoriteGames favorites(files, path("Favorites.txt"));
    PlayHistory history(files, path("History.txt"));
    QString error;
    ASSERT_TRUE(favorites.load(&error));
    ASSERT_TRUE(history.load().problem.isEmpty());
    ASSERT_TRUE(history.add({"pacman", utc(1, 10), 60}, &error));
    const QByteArray played = testfiles::read(path("History.txt"));
    {
        const FileSizeLimit limit(10);
        EXPECT_FALSE(favorites.set("digdug", true, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_FALSE(history.add({"pacman", utc(2, 10), 60}, &error));
    }
    EXPECT_EQ(testfiles::read(path("Favorites.txt")), kept);
    EXPECT_FALSE(favorites.contains("digdug"));
    EXPECT_EQ(testfiles::read(path("History.txt")), played);
    EXPECT_EQ(history.timesPlayed("pacman"), 2);
    ASSERT_TRUE(history.add({"galaga", utc(3, 10), 5}, &error));
    EXPECT_EQ(testfiles::read(path("History.txt")).count('\n'), 3);
}

// Plays come back as they were written; each game counts its plays and is ordered by the
// last time it started, whatever the order of the lines.
TEST_F(PersonalFiles, historyRoundTripCountsAndOrdersTheGames)
{
    PlayHistory history(files, path("History.txt"));
    ASSERT_TRUE(history.load().problem.isEmpty());
    QString error;
    for (const Play& play : {Play{"pacman", utc(1, 10), 192}, Play{"galaga", utc(3, 9), 45},
                             Play{"pacman", utc(2, 10), 3900}, Play{"bosco", utc(1, 11), 0}})
        ASSERT_TRUE(history.add(play, &error));
    EXPECT_EQ(testfiles::read(path("History.txt")).split('\n').first(),
              "pacman\t2026-12-01T10:00:00Z\t192");

    PlayHistory again(files, path("History.txt"));
    ASSERT_TRUE(again.load().problem.isEmpty());
    EXPECT_EQ(again.mostRecentFirst(), (QStringList{"galaga", "pacman", "bosco"}));
    EXPECT_EQ(again.timesPlayed("pacman"), 2);
    EXPECT_EQ(again.timesPlayed("digdug"), 0);
    EXPECT_EQ(again.lastStart("pacman"), utc(2, 10));
    EXPECT_FALSE(again.lastStart("digdug").isValid());
}

// A line that is not a play empties the history and sets the file aside, byte for byte,
// under a name no earlier damaged file has taken.
TEST_F(PersonalFiles, aDamagedHistoryIsSetAsideAndStartsEmpty)
{
    const QByteArray good = "pacman\t2026-12-01T10:00:00Z\t192\n";
    // clang-format off
    const std::tuple<const char*, QByteArray, int> cases[] = {
        {"binary junk", QByteArray("\x7f" "ELF\x02\x01\x00\x00\t\xff\xfe", 11), 1},
        {"a field missing", good + "galaga\t2026-12-02T10:00:00Z\n", 2},
        {"a field too many", good + good.chopped(1) + "\t1\n", 2},
        {"no date", good + "galaga\tyesterday\t5\n", 2},
        {"local time", "galaga\t2026-12-02T10:00:00\t5\n", 1},
        {"negative seconds", "galaga\t2026-12-02T10:00:00Z\t-5\n", 1},
        {"a name MAME is not given", "gal aga\t2026-12-02T10:00:00Z\t5\n", 1},
    };
    // clang-format on
    int damaged = 0;
    for (const auto& [what, bytes, line] : cases) {
        SCOPED_TRACE(what);
        testfiles::write(path("History.txt"), bytes);
        PlayHistory history(files, path("History.txt"));
        const PlayHistory::Damage damage = history.load();
        EXPECT_EQ(damage.problem, QStringLiteral("line %1 cannot be read").arg(line));
        const QString aside =
            path(++damaged == 1 ? QStringLiteral("History.txt.bad")
                                : QStringLiteral("History.txt.bad.%1").arg(damaged));
        EXPECT_EQ(damage.setAside, aside);
        EXPECT_EQ(testfiles::read(aside), bytes);
        EXPECT_FALSE(QFile::exists(path("History.txt")));
        EXPECT_TRUE(history.mostRecentFirst().isEmpty());
    }
}

TEST(PlayedTimeText, saysHoursMinutesAndSecondsThatCount)
{
    const std::pair<qint64, const char*> cases[] = {
        {0, "0 s"},          {45, "45 s"},          {60, "1 min"},
        {192, "3 min 12 s"}, {3599, "59 min 59 s"}, {3600, "1 h"},
        {3900, "1 h 5 min"}, {3959, "1 h 5 min"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(playedTimeText(seconds), QString::fromLatin1(text)) << seconds;
}

} // namespace
