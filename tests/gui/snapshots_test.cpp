// Snapshots in the icon view: which file is a game's snapshot, where MAME keeps them, and the
// icon view showing one.

#include "mame/snapshots.h"
#include "programfixture.h"
#include "ui/catalogue/snapshotimages.h"

#include <QBuffer>
#include <QImage>
#include <QListView>

namespace {

QByteArray png(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

class Snapshots : public ProgramFixture
{
protected:
    // Writes snap/relative with bytes, modified seconds after a fixed time.
    void writeSnap(const QString& relative, const QByteArray& bytes, int seconds = 0)
    {
        writeFile("snap/" + relative, bytes);
        QFile file(path("snap/" + relative));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::fromSecsSinceEpoch(1'700'000'000 + seconds),
                                     QFileDevice::FileModificationTime));
    }
};

// A game's snapshot is the newest PNG of its folder, else its own PNG, shown 4:3 (3:4 upright)
// as an arcade monitor shows it; with neither, or a file that is no PNG or cannot be read, it
// has none.
TEST_F(Snapshots, aGameShowsTheNewestOfItsOwnSnapshotsElseItsPacksOne)
{
    writeSnap("pacman.png", png({320, 240}, Qt::red));
    writeSnap("galaga.png", png({320, 240}, Qt::red));
    writeSnap("galaga/0000.png", png({240, 320}, Qt::green), 20); // taken again later
    writeSnap("galaga/0001.png", png({320, 240}, Qt::blue), 10);
    writeSnap("galaga/notes.txt", "words", 30);
    writeSnap("xevious/0000.png", png({320, 240}, Qt::blue), 10);
    writeSnap("xevious/0001.png", png({320, 240}, Qt::green), 10); // the same second
    writeSnap("pong/0000.png", png({1552, 240}, Qt::white));       // MAME's pixels for Pong
    writeSnap("bosco.png", "GIF89a, not a PNG");
    writeSnap("digdug.png", png({320, 240}, Qt::red).first(40)); // cut short
    writeSnap("mappy.png", png({320, 240}, Qt::red).replace(0, 8, "\x89PNX\r\n\x1a\n"));
    QDir().mkpath(path("snap/dkong.png")); // a folder, not a file
    const struct
    {
        const char* game;
        QSize size; // scaled into 64x48; 0x0: no image
        QColor colour;
    } cases[] = {
        {"pacman", {64, 48}, Qt::red},
        {"galaga", {36, 48}, Qt::green},
        {"xevious", {64, 48}, Qt::green},
        {"pong", {64, 48}, Qt::white}, // as the monitor showed it, 4:3
        {"bosco", {0, 0}, {}},
        {"digdug", {0, 0}, {}},
        {"mappy", {0, 0}, {}},
        {"dkong", {0, 0}, {}},
        {"nosnap", {0, 0}, {}},
        {"../snap/pacman", {0, 0}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.game);
        const QImage image = loadSnapshot(files, path("snap"), c.game, {64, 48});
        EXPECT_EQ(image.size(), c.size);
        if (!image.isNull()) {
            EXPECT_EQ(image.pixelColor(image.rect().center()), c.colour);
        }
    }
}

TEST_F(Snapshots, areInTodaysMamesSnapshotDirectoryOrTheClassicMamesSnap)
{
    qputenv("KORVANE_TEST_SHOTS", "/srv/shots");
    const struct
    {
        MameDialect dialect;
        const char* directory;
        QString folder;
    } cases[] = {
        {MameDialect::Today, "$HOME/.mame/snap", QDir::homePath() + "/.mame/snap"},
        {MameDialect::Today, "${KORVANE_TEST_SHOTS}/x ", "/srv/shots/x"},
        {MameDialect::Today, "my snaps", path("my snaps")},
        {MameDialect::Today, "", path("snap")},
        {MameDialect::Classic, "/ignored", path("snap")},
    };
    for (const auto& c : cases) {
        MameInfo mame;
        mame.dialect = c.dialect;
        mame.snapshotDirectory = QString::fromUtf8(c.directory);
        EXPECT_EQ(snapshotFolder(mame, dir.path()), c.folder) << c.directory;
    }
}

// The icon view draws the snapshot where the icon was, also one taken in a game just played or
// copied into the folder; the report keeps its icon.
TEST_F(Snapshots, theIconViewShowsAGamesSnapshotInPlaceOfItsIcon)
{
    writeGames(goodGames({"bosco", "pacman", "galaga"}));
    writeSnap("pacman/0000.png", png({320, 240}, QColor(200, 0, 200)));
    MainForm& w = shown();
    w.ViewAsIconsMenu->trigger();
    QListView* icons = w.GamesListView->iconView();
    const QModelIndex pacman = w.games()->index(1, 0);
    ASSERT_EQ(w.games()->row(1).name, u"pacman"_qs);

    const auto magentaIn = [&](const QModelIndex& index) {
        const QImage shot = icons->viewport()->grab(icons->visualRect(index)).toImage();
        int count = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                count += shot.pixelColor(x, y) == QColor(200, 0, 200) ? 1 : 0;
        return count;
    };
    ASSERT_TRUE(
        testfiles::eventually([&] { return pacman.data(GameListModel::SnapshotRole).isValid(); }));
    QCoreApplication::processEvents();
    // Scaled to its cell, the image fills most of the area above the text.
    EXPECT_GT(magentaIn(pacman), 1000);
    EXPECT_EQ(magentaIn(w.games()->index(0, 0)), 0);
    EXPECT_TRUE(w.games()->index(0, 0).data(GameListModel::SnapshotRole).isNull());
    EXPECT_EQ(w.games()->index(1, 0).data(Qt::DecorationRole).typeId(), QMetaType::QIcon);

    // A snapshot taken in a game just played shows at once.
    writeSnap("bosco/0000.png", png({320, 240}, QColor(200, 0, 200)));
    w.gameList()->gamePlayed({u"bosco"_qs, QDateTime::currentDateTimeUtc(), 60}, u"Bosconian"_qs);
    const QModelIndex bosco = w.games()->index(0, 0);
    ASSERT_TRUE(
        testfiles::eventually([&] { return bosco.data(GameListModel::SnapshotRole).isValid(); }));
    QCoreApplication::processEvents();
    EXPECT_GT(magentaIn(bosco), 1000);

    // One copied into the folder shows by itself.
    writeSnap("galaga.png", png({320, 240}, QColor(200, 0, 200)));
    const QModelIndex galaga = w.games()->index(2, 0);
    EXPECT_TRUE(
        testfiles::eventually([&] { return galaga.data(GameListModel::SnapshotRole).isValid(); }));
}

} // namespace
