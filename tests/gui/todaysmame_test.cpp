// The games list made by the stand-in answering as today's MAME: -listxml turned into the
// list file, and the old list kept when the catalogue is not whole.

#include "catalogue/gamecolumns.h"
#include "catalogue/gamelistmodel.h"
#include "programfixture.h"

#include <QAction>

namespace {

class TodaysMameTest : public ProgramFixture
{
protected:
    TodaysMameTest()
    {
        useStandin();
        writeFile(u"standin-version.txt"_qs, "0.251 (unknown)");
        writeFile(u"KvCfg/Korvane.gam"_qs,
                  gameBlock("pacman", "Pac-Man", "1980", nullptr, nullptr, "good"));
    }
};

TEST_F(TodaysMameTest, anUpdateTurnsTheXmlCatalogueIntoTheList)
{
    MainForm& w = started();
    EXPECT_TRUE(w.statusText().endsWith(u"MAME in use: MAME 0.251 at " + path(u"MAME"_qs) + u'.'));
    w.UpdateGamesMenu->trigger();
    EXPECT_EQ(messages.texts().last(), u"Game list updated!"_qs);
    // The stand-in's four games; its BIOS is a resource and its device is left out.
    QStringList names;
    for (int row = 0; row < w.games()->rowCount(); ++row)
        names.append(w.games()->index(row, NameColumn).data().toString());
    names.sort();
    EXPECT_EQ(names, (QStringList{u"glimwart"_qs, u"glimwrtj"_qs, u"orbisque"_qs, u"tundrax"_qs}));
    EXPECT_FALSE(QFile::exists(path(u"KvCfg/Korvane.gam.xml"_qs)));

    // A catalogue cut short keeps the list there was.
    QFile xml(path(u"standin-listxml.xml"_qs));
    ASSERT_TRUE(xml.open(QIODevice::WriteOnly));
    xml.write("<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n<machine name=\"a\">"
              "<description>A</description></machine>\n");
    xml.close();
    const QByteArray before = [this] {
        QFile f(path(u"KvCfg/Korvane.gam"_qs));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    w.UpdateGamesMenu->trigger();
    EXPECT_TRUE(messages.texts().last().startsWith(
        u"The games list was not updated: MAME's catalogue could not be read: "_qs));
    QFile after(path(u"KvCfg/Korvane.gam"_qs));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_EQ(w.games()->rowCount(), 4);
}

} // namespace
