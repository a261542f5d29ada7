#include "platform/appinfo.h"
#include "programfixture.h"
#include "ui/catalogue/gamelist.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistview.h"

#include <QComboBox>
#include <QTreeView>

namespace {

class StartupTest : public ProgramFixture
{
protected:
    void writeLists()
    {
        writeFile(QStringLiteral("KvCfg/Korvane.gam"),
                  gameBlock("a", "A", "1980", nullptr, nullptr, "good") +
                      gameBlock("b", "B", "1981", "a", "a", "preliminary"));
        writeFile(QStringLiteral("KvCfg/Korvane.hck"),
                  gameBlock("h", "H", "2000", "a", "a", "good"));
    }
};

TEST_F(StartupTest, theStoredListTypeIsSelectedAndLoadedOnce)
{
    struct Case
    {
        const char* stored; // nullptr: no value stored
        int selected;
        int rows;
    };
    const Case cases[] = {
        {nullptr, 0, 2},       {"4", 4, 1},   {"1", 1, 1},  {"2.5", 2, 2},
        {"5.5", 6, 1},         {"abc", 0, 2}, {"7", 0, 2},  {"-1", 0, 2},
        {"99999999999", 0, 2}, {"", 0, 2},    {" 6", 6, 1}, {"6.4xyz", 6, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(absent)");
        form.reset();
        settings.values.clear();
        settings.writeCount = 0;
        // A start that has seen this version already, so the version notice writes nothing.
        settings.values.insert({"Options", "KvVersion"}, programVersionText());
        writeLists();
        if (c.stored)
            settings.values.insert({"Games", "ListType"}, QString::fromLatin1(c.stored));
        started();
        EXPECT_EQ(form->GamesListTypeCombo->currentIndex(), c.selected);
        EXPECT_EQ(form->games()->rowCount(), c.rows);
        EXPECT_EQ(form->windowTitle(), gamesAvailableCaption(c.rows));
        // Restoring is not choosing: nothing is written back.
        EXPECT_EQ(settings.writeCount, 0);
    }
}

TEST_F(StartupTest, aMissingGameListIsReportedOnceAndTheListStaysEmpty)
{
    started();
    EXPECT_EQ(messages.texts(), QStringList{"Gamelist unavailable."});
    EXPECT_EQ(form->games()->rowCount(), 0);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Brimwork's Korvane"));
    // A first start: the status bar says how to make the list, before which MAME is in use.
    EXPECT_TRUE(form->statusText().startsWith(
        QStringLiteral("There is no games list yet: Tools > Update the games list makes one "
                       "from MAME.  MAME in use: ")))
        << form->statusText().toStdString();
}

TEST_F(StartupTest, closingTheWindowIsNeverRefusedAndSavesNothing)
{
    writeLists();
    started();
    form->show();
    const int writes = settings.writeCount;
    EXPECT_TRUE(form->close());
    EXPECT_EQ(settings.writeCount, writes);
}

} // namespace
