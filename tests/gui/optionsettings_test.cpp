// The default option set and the per-game files, as the user meets them in the window.

#include "options/gamesettingsfile.h"
#include "programfixture.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/desktop/picturebutton.h"
#include "ui/launch/launcher.h"
#include "ui/options/optionpanel.h"
#include "ui/settings/optionsettings.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

using enum OptionId;

class OptionSettingsTest : public ProgramFixture
{
protected:
    OptionSettingsTest()
    {
        writeFile(QStringLiteral("KvCfg/Korvane.gam"),
                  gameBlock("smashtv", "Smash", "1990", nullptr, nullptr, "good") +
                      gameBlock("robotron", "Robotron", "1982", nullptr, nullptr, "good") +
                      gameBlock("../escape", "Escape", "1990", nullptr, nullptr, "good"));
    }

    OptionPanel& panel() { return *form->options(); }
    QString label() const { return form->CommandlineLabel->text(); }
    bool deleteEnabled() const { return form->DeleteCurrentGameCfgMenu->isEnabled(); }
    QString kvPath(const char* name) const
    {
        return gameSettingsPath(dir.path(), QString::fromLatin1(name));
    }

    void press(const QKeySequence& key) { QTest::keySequence(form.get(), key); }

    // The option set of an empty store, as a fresh start shows it.
    static OptionSet defaults()
    {
        OptionSet set;
        for (const OptionInfo& info : optionInfos()) {
            if (info.kind != OptionKind::OptionButton && info.kind != OptionKind::TextField)
                set.setValue(info.id, 0);
        }
        set.setValue(AlternateMameText, QString());
        set.setValue(AdditionalParamText, QString());
        set.setValue(GammaText, QStringLiteral("1.20"));
        return set;
    }
};

TEST_F(OptionSettingsTest, aFreshStartShowsTheDefaultsAndAGameWithoutAFilePlaysAtOnce)
{
    shown();
    EXPECT_EQ(panel().read(), defaults());
    EXPECT_TRUE(deleteEnabled()); // until the first game is clicked

    clickRow(0); // without a file: #53 in the table below
    form->PlayButton->click();
    EXPECT_TRUE(messages.shown.isEmpty());
    ASSERT_EQ(processes.started.size(), 1);
    EXPECT_EQ(processes.started[0].commandLine, QStringLiteral("MAME smashtv -soundcard -1"));
}

TEST_F(OptionSettingsTest, aFileThatCannotBeAppliedIsShownAndTheDefaultsFollow)
{
    struct Case
    {
        const char* what;
        int row;
        const char* contents; // nullptr: no file
        const char* label;
    };
    const Case cases[] = {
        {"no file", 0, nullptr, "Error in [LoadCfg] #53   info:/"},
        {"a refused value after good ones", 0,
         "\"VideoCombo.ListIndex\",\"2\"\r\n\"CheatCheck.Value\",\"7\"\r\n",
         "Error in [LoadCfg] #380   info:CheatCheck.Value/7"},
        {"a key without a value", 0, "\"VideoCombo.ListIndex\",\"2\"\r\n\"CheatCheck.Value\"",
         "Error in [LoadCfg] #62   info:CheatCheck.Value/2"},
        {"no Boolean", 0, "\"OriginalMameOption.Value\",\"yes\"",
         "Error in [LoadCfg] #13   info:OriginalMameOption.Value/yes"},
        {"out of range", 0, "\"JoyCombo.ListIndex\",\"70000\"",
         "Error in [LoadCfg] #6   info:JoyCombo.ListIndex/70000"},
        // No option of ours in it: the game clicked before must not keep its options.
        {"not a settings file", 0, "not a settings file, really\n",
         "Error in [LoadCfg] #62   info:not a settings file/really"},
        {"a name that is no file name", 2, nullptr, "Error in [LoadCfg] #52   info:/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form.reset();
        shown();
        if (c.contents)
            writeFile(QStringLiteral("KvCfg/smashtv.kv"), c.contents);
        clickRow(1); // robotron has a good file: the item is enabled, the panel shows it
        writeFile(QStringLiteral("KvCfg/robotron.kv"), "\"VideoCombo.ListIndex\",\"5\"");
        clickRow(1);
        ASSERT_TRUE(deleteEnabled());
        clickRow(c.row);
        EXPECT_EQ(label(), QString::fromLatin1(c.label));
        EXPECT_EQ(panel().read(), defaults());
        EXPECT_FALSE(deleteEnabled());
        QFile::remove(path(QStringLiteral("KvCfg/robotron.kv")));
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("escape.kv"))));

    // A good file afterwards: applied, the item enabled, the label left as it was.
    writeFile(QStringLiteral("KvCfg/smashtv.kv"),
              "\"JoyCombo.ListIndex\",\"4\"\r\n\"AdditionalParamCheck.Value\",\"1\"\r\n");
    clickRow(0);
    EXPECT_EQ(label(), QStringLiteral("Error in [LoadCfg] #52   info:/"));
    EXPECT_TRUE(deleteEnabled());
    EXPECT_EQ(panel().read().number(JoyCombo), 4);
    EXPECT_TRUE(panel().control(AdditionalParamText)->isEnabled());

    // Without KvCfg.
    QDir(path(QStringLiteral("KvCfg"))).removeRecursively();
    clickRow(1);
    EXPECT_EQ(label(), QStringLiteral("Error in [LoadCfg] #76   info:/"));
}

TEST_F(OptionSettingsTest, F5SavesTheGamesOptionsAndAClickBringsThemBack)
{
    shown();
    clickRow(0);
    panel().apply(ScanlinesCombo, 2);
    panel().apply(AdditionalParamCheck, 1);
    panel().apply(AdditionalParamText, QStringLiteral(" -a, \"b\" "));
    const OptionSet saved = panel().read();
    press(Qt::Key_F5);
    ASSERT_TRUE(QFile::exists(kvPath("smashtv")));
    EXPECT_FALSE(deleteEnabled()); // saving changes nothing in the window

    clickRow(1);
    EXPECT_EQ(panel().read(), defaults());
    clickRow(0);
    EXPECT_EQ(panel().read(), saved);
    EXPECT_TRUE(deleteEnabled());

    // F8 asks first; Cancel keeps the file, OK deletes it and the panel stays as it is.
    messages.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    press(Qt::Key_F8);
    EXPECT_TRUE(QFile::exists(kvPath("smashtv")));
    press(Qt::Key_F8);
    EXPECT_FALSE(QFile::exists(kvPath("smashtv")));
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Really delete smashtv's configuration ?"));
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(panel().read(), saved);
    EXPECT_TRUE(deleteEnabled());

    press(Qt::Key_F8); // no file: nothing to ask
    EXPECT_EQ(messages.shown.size(), 2);
}

TEST_F(OptionSettingsTest, whatCannotBeSavedOrDeletedIsSaidAndTouchesNothing)
{
    shown();
    OptionSettings& commands = *form->optionSettings();
    commands.SaveCurrentGameCfgMenu_Click(); // no game selected
    EXPECT_EQ(form->statusText(),
              QStringLiteral("No game is selected: there are no game settings to save."));
    commands.DeleteCurrentGameCfgMenu_Click();
    EXPECT_EQ(messages.texts(), QStringList{"Eek! Error in DCGCM_C module"});

    messages.shown.clear();
    clickRow(2); // "../escape"
    commands.SaveCurrentGameCfgMenu_Click();
    commands.DeleteCurrentGameCfgMenu_Click();
    EXPECT_EQ(messages.texts(), (QStringList{"The settings of ../escape could not be saved to " +
                                                 kvPath("../escape") + ": bad file name",
                                             "Eek! Error in DCGCM_C module"}));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("escape.kv"))));

    // A directory in the file's place: neither saved nor deleted.
    messages.shown.clear();
    ASSERT_TRUE(QDir().mkpath(kvPath("smashtv")));
    clickRow(0);
    EXPECT_EQ(label(), QStringLiteral("Error in [LoadCfg] #75   info:/"));
    commands.SaveCurrentGameCfgMenu_Click();
    commands.DeleteCurrentGameCfgMenu_Click();
    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_TRUE(messages.shown[0].text.startsWith("The settings of smashtv could not be saved to " +
                                                  kvPath("smashtv") + ": "));
    EXPECT_EQ(messages.shown[2].text, QStringLiteral("Eek! Error in DCGCM_C module"));
    EXPECT_TRUE(QFileInfo(kvPath("smashtv")).isDir());
}

TEST_F(OptionSettingsTest, ShiftF5StoresTheDefaultsAndAFailedWriteIsReported)
{
    shown();
    panel().apply(AlternateMameOption, true);
    panel().apply(JoyCombo, -1);
    panel().apply(BeamText, QStringLiteral(" 1,5 "));
    press(Qt::SHIFT | Qt::Key_F5);
    auto stored = [this](const char* key) {
        return settings.values.value({"Options", QString::fromLatin1(key)});
    };
    EXPECT_EQ(stored("OriginalMameOption"), QStringLiteral("False"));
    EXPECT_EQ(stored("AlternateMameOption"), QStringLiteral("True"));
    EXPECT_EQ(stored("JoyCombo"), QStringLiteral("-1"));
    EXPECT_EQ(stored("BeamText"), QStringLiteral(" 1,5 "));
    EXPECT_EQ(stored("GammaText"), QStringLiteral("1.20"));
    // The 29 options, beside the version that the notice at start-up stored.
    EXPECT_EQ(settings.values.size(), kOptionCount + 1);

    const OptionSet saved = panel().read();
    panel().apply(VideoCombo, 4);
    form->optionSettings()->LoadDefaultCfg();
    EXPECT_EQ(panel().read(), saved);

    settings.failWrites = true;
    press(Qt::SHIFT | Qt::Key_F5);
    EXPECT_EQ(form->statusText(),
              QStringLiteral("The default settings could not be saved in /fake/Korvane.ini."));
}

TEST_F(OptionSettingsTest, aStoredDefaultThatCannotBeUsedIsSaidOnceAndStartUpGoesOn)
{
    settings.values.insert({"Options", "OriginalMameOption"}, "yes");
    settings.values.insert({"Options", "JoyCombo"}, "40");
    settings.values.insert({"Options", "VideoCombo"}, "3");
    shown();
    EXPECT_EQ(form->games()->rowCount(), 3);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[1].text,
              QStringLiteral("The saved default settings give JoyCombo the value \"40\", which it "
                             "cannot take. JoyCombo is set to \"0\" instead; save the default "
                             "settings (Shift+F5) to store a good value."));
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("OriginalMameOption")));
    OptionSet expected = defaults();
    expected.setValue(VideoCombo, 3);
    EXPECT_EQ(panel().read(), expected);

    clickRow(0); // no file: the defaults again, without the messages again
    clickRow(1);
    EXPECT_EQ(messages.shown.size(), 2);
    settings.values.insert({"Options", "JoyCombo"}, "41");
    clickRow(0);
    EXPECT_EQ(messages.shown.size(), 3);
}

} // namespace
