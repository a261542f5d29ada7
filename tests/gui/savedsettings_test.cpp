// The default option set and the per-game files, as the user meets them in the window.

#include "options/defaultoptions.h"
#include "options/gamesettingsfile.h"
#include "programfixture.h"
#include "ui/settings/optionsettings.h"

namespace {

using enum OptionId;

class SavedSettings : public ProgramFixture
{
protected:
    SavedSettings() { writeGames(goodGames({"smashtv", "robotron", "../escape"})); }

    OptionPanel& panel() { return *form->options(); }
    QString label() const { return form->CommandlineLabel->text(); }
    bool deleteEnabled() const { return form->DeleteCurrentGameCfgMenu->isEnabled(); }
    QString kvPath(const char* name) const { return gameSettingsPath(dir.path(), name); }
    void press(const QKeySequence& key) { QTest::keySequence(form.get(), key); }

    // The option set of an empty store (its values are pinned with the settings file's bytes).
    static OptionSet defaults()
    {
        OptionSet set;
        loadDefaultOptions(FakeSettingsStore(),
                           [&](OptionId id, const OptionValue& v) { return set.setValue(id, v); });
        return set;
    }
};

// A fresh start shows the defaults; F5 saves the game's options, which a click brings back;
// F8 deletes the file after asking.
TEST_F(SavedSettings, F5SavesTheGamesOptionsAClickBringsThemBackAndF8DeletesThem)
{
    shown();
    EXPECT_EQ(panel().read(), defaults());
    EXPECT_TRUE(deleteEnabled()); // until the first game is clicked
    clickRow(0);
    panel().apply(ScanlinesCombo, 2);
    panel().apply(AdditionalParamCheck, 1);
    panel().apply(AdditionalParamText, u" -a, \"b\" "_qs);
    const OptionSet saved = panel().read();
    press(Qt::Key_F5);
    ASSERT_TRUE(QFile::exists(kvPath("smashtv")));
    EXPECT_FALSE(deleteEnabled()); // saving changes nothing in the window
    clickRow(1);
    EXPECT_EQ(panel().read(), defaults());
    clickRow(0);
    EXPECT_EQ(panel().read(), saved);
    EXPECT_TRUE(deleteEnabled());

    // Cancel keeps the file, OK deletes it and the panel stays as it is.
    messages.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    press(Qt::Key_F8);
    EXPECT_TRUE(QFile::exists(kvPath("smashtv")));
    press(Qt::Key_F8);
    EXPECT_FALSE(QFile::exists(kvPath("smashtv")));
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, u"Really delete smashtv's configuration ?"_qs);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(panel().read(), saved);
    EXPECT_TRUE(deleteEnabled());
    press(Qt::Key_F8); // no file: nothing to ask
    EXPECT_EQ(messages.shown.size(), 2);
}

TEST_F(SavedSettings, aFileThatCannotBeAppliedIsShownAndTheDefaultsFollow)
{
    // clang-format off
    const std::tuple<const char*, int, const char*, const char*> cases[] = {
        {"no file", 0, nullptr, "#53   info:/"},
        {"a refused value after good ones", 0, "\"VideoCombo.ListIndex\",\"2\"\r\n\"CheatCheck.Value\",\"7\"\r\n",
         "#380   info:CheatCheck.Value/7"},
        {"a key without a value", 0, "\"VideoCombo.ListIndex\",\"2\"\r\n\"CheatCheck.Value\"", "#62   info:CheatCheck.Value/2"},
        {"no Boolean", 0, "\"OriginalMameOption.Value\",\"yes\"", "#13   info:OriginalMameOption.Value/yes"},
        {"out of range", 0, "\"JoyCombo.ListIndex\",\"70000\"", "#6   info:JoyCombo.ListIndex/70000"},
        {"a name that is no file name", 2, nullptr, "#52   info:/"},
    };
    // clang-format on
    for (const auto& [what, row, contents, error] : cases) {
        SCOPED_TRACE(what);
        restart();
        shown();
        if (contents)
            writeFile("KvCfg/smashtv.kv", contents);
        clickRow(1); // robotron has a good file: the item is enabled, the panel shows it
        writeFile("KvCfg/robotron.kv", "\"VideoCombo.ListIndex\",\"5\"");
        clickRow(1);
        ASSERT_TRUE(deleteEnabled());
        clickRow(row);
        EXPECT_EQ(label(), u"Error in [LoadCfg] "_qs + QLatin1StringView(error));
        EXPECT_EQ(panel().read(), defaults());
        EXPECT_FALSE(deleteEnabled());
        QFile::remove(path("KvCfg/robotron.kv"));
    }

    // A good file afterwards: applied, the item enabled, the label left as it was.
    writeFile("KvCfg/smashtv.kv",
              "\"JoyCombo.ListIndex\",\"4\"\r\n\"AdditionalParamCheck.Value\",\"1\"\r\n");
    clickRow(0);
    EXPECT_EQ(label(), u"Error in [LoadCfg] #52   info:/"_qs);
    EXPECT_TRUE(deleteEnabled());
    EXPECT_EQ(panel().read().number(JoyCombo), 4);
    EXPECT_TRUE(panel().control(AdditionalParamText)->isEnabled());

    // Without KvCfg.
    QDir(path("KvCfg")).removeRecursively();
    clickRow(1);
    EXPECT_EQ(label(), u"Error in [LoadCfg] #76   info:/"_qs);
}

TEST_F(SavedSettings, whatCannotBeSavedOrDeletedIsSaidAndTouchesNothing)
{
    shown();
    OptionSettings& commands = *form->optionSettings();
    const QString eek = u"Eek! Error in DCGCM_C module"_qs;
    commands.SaveCurrentGameCfgMenu_Click(); // no game selected
    EXPECT_EQ(form->statusText(), u"No game is selected: there are no game settings to save."_qs);
    commands.DeleteCurrentGameCfgMenu_Click();
    EXPECT_EQ(messages.texts(), QStringList{eek});

    messages.shown.clear();
    clickRow(2); // "../escape"
    commands.SaveCurrentGameCfgMenu_Click();
    commands.DeleteCurrentGameCfgMenu_Click();
    EXPECT_EQ(messages.texts(), (QStringList{"The settings of ../escape could not be saved to " +
                                                 kvPath("../escape") + ": bad file name",
                                             eek}));
    EXPECT_FALSE(QFile::exists(path("escape.kv")));

    // A directory in the file's place: neither saved nor deleted.
    messages.shown.clear();
    ASSERT_TRUE(QDir().mkpath(kvPath("smashtv")));
    clickRow(0);
    EXPECT_EQ(label(), u"Error in [LoadCfg] #75   info:/"_qs);
    commands.SaveCurrentGameCfgMenu_Click();
    commands.DeleteCurrentGameCfgMenu_Click();
    ASSERT_EQ(messages.shown.size(), 3);
    EXPECT_TRUE(messages.shown[0].text.startsWith("The settings of smashtv could not be saved to " +
                                                  kvPath("smashtv") + ": "));
    EXPECT_EQ(messages.shown[2].text, eek);
    EXPECT_TRUE(QFileInfo(kvPath("smashtv")).isDir());
}

// A stored default that cannot be used is said once and start-up goes on; Shift+F5 stores the
// panel as the defaults, which the next load brings back.
TEST_F(SavedSettings, storedDefaultsAreCheckedAndShiftF5StoresThem)
{
    settings.values.insert({"Options", "OriginalMameOption"}, "yes");
    settings.values.insert({"Options", "JoyCombo"}, "40");
    settings.values.insert({"Options", "VideoCombo"}, "3");
    shown();
    EXPECT_EQ(form->games()->rowCount(), 3);
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.shown[0].text.contains(u"OriginalMameOption"_qs));
    EXPECT_EQ(messages.shown[1].text,
              u"The saved default settings give JoyCombo the value \"40\", which it cannot "
              u"take. JoyCombo is set to \"0\" instead; save the default settings (Shift+F5) "
              u"to store a good value."_qs);
    OptionSet expected = defaults();
    expected.setValue(VideoCombo, 3);
    EXPECT_EQ(panel().read(), expected);

    clickRow(0); // no file: the defaults again, without the messages again
    clickRow(1);
    EXPECT_EQ(messages.shown.size(), 2);
    settings.values.insert({"Options", "JoyCombo"}, "41");
    clickRow(0);
    EXPECT_EQ(messages.shown.size(), 3);

    panel().apply(AlternateMameOption, true);
    panel().apply(JoyCombo, -1);
    panel().apply(BeamText, u" 1,5 "_qs);
    press(Qt::SHIFT | Qt::Key_F5);
    // The 29 options, beside the version that the notice at start-up stored and the last game.
    EXPECT_EQ(settings.values.size(), kOptionCount + 2);

    const OptionSet saved = panel().read();
    panel().apply(VideoCombo, 4);
    form->optionSettings()->LoadDefaultCfg();
    EXPECT_EQ(panel().read(), saved);

    settings.failWrites = true;
    press(Qt::SHIFT | Qt::Key_F5);
    EXPECT_EQ(form->statusText(),
              u"The default settings could not be saved in /fake/Korvane.ini."_qs);
}

} // namespace
