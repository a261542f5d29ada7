#include "programfixture.h"

namespace {

class GameLaunch : public ProgramFixture
{
protected:
    GameLaunch()
    {
        writeGames(gameBlock("smashtv", "Smash", "1990", nullptr, nullptr, "good") +
                   gameBlock("clone", "Clone", "1990", "smashtv", "smashtv", "good"));
        writeHacks(gameBlock("H", "Hack", "2001", "P", "P", "good"));
    }

    void press(QWidget* button, Qt::MouseButton which)
    {
        QTest::mousePress(button, which);
        QTest::mouseRelease(button, which);
    }
    QStringList playbackEntries() { return comboTexts(*form->PlaybackCombo); }
};

// Playback starts on a press of any button but the right one, never from the keyboard.
TEST_F(GameLaunch, playRecordPlaybackAndHomeHacksPassTheirSwitches)
{
    writeFile("INP/a.INP", "x");
    MainForm& w = shown();
    w.Command2->click(); // before any row is selected
    select(0);           // which offers the game's name for the recording
    w.Command1->setFocus();
    QTest::keyClick(w.Command1, Qt::Key_Space);
    w.Command1->click();
    w.PlayButton->click();
    w.Command2->click();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QTest::mouseClick(w.Command1, Qt::MiddleButton);
    QTest::mouseDClick(w.Command1, Qt::LeftButton); // a quick second press
    EXPECT_EQ(w.CommandlineLabel->text(), u"MAME smashtv -soundcard -1 -playback a "_qs);
    choose(4); // a home hack starts its parent with its directory
    select(0);
    w.PlayButton->click();
    EXPECT_EQ(
        startedLines(),
        (QStringList{"MAME -soundcard -1 -record Default", "MAME smashtv -soundcard -1",
                     "MAME smashtv -soundcard -1 -record smashtv",
                     "MAME smashtv -soundcard -1 -playback a",
                     "MAME smashtv -soundcard -1 -playback a",
                     "MAME smashtv -soundcard -1 -playback a", "MAME P -romdir H -soundcard -1"}));

    // A start that names no program, or whose program does not start, is said in the status
    // bar; MAME is not even asked which it is.
    processes.started.clear();
    processes.asked.clear();
    w.options()->apply(OptionId::AlternateMameOption, true);
    w.options()->apply(OptionId::AlternateMameText, u"   "_qs);
    w.PlayButton->click();
    EXPECT_TRUE(processes.started.isEmpty());
    EXPECT_TRUE(processes.asked.isEmpty());
    EXPECT_EQ(w.CommandlineLabel->text(), u"    P -romdir H -soundcard -1 "_qs);
    EXPECT_EQ(w.statusText(), u"No MAME build is named: choose Original MAME or type the "
                              u"alternate build's name."_qs);
    processes.result = {0, "MAME", "MAME not found in /games or on PATH"};
    w.options()->apply(OptionId::OriginalMameOption, true);
    w.PlayButton->click();
    EXPECT_EQ(w.statusText(),
              u"The game could not be started: MAME not found in /games or on PATH."_qs);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(GameLaunch, todaysMameGetsItsOwnSwitchesAndTheUnusedOptionsRest)
{
    writeFile("MAME", "today's");
    processes.defaultProgram = path("MAME");
    processes.answers[path("MAME") + " -version"] = {"0.251 (unknown)", 0};
    processes.answers[path("MAME") + " -showconfig"] = {"rompath                   roms\n", 0};
    writeFile("INP/my run.inp", "x");
    MainForm& w = started();
    // Said in place of the status bar's first text.
    EXPECT_EQ(w.statusText(), "MAME in use: MAME 0.251 at " + path("MAME") + u'.');
    OptionPanel& panel = *w.options();
    for (const OptionId id : {OptionId::DepthCombo, OptionId::SbOplCheck}) {
        EXPECT_FALSE(panel.control(id)->isEnabled());
        EXPECT_EQ(panel.control(id)->toolTip(), u"Not used by MAME 0.251"_qs);
    }
    EXPECT_TRUE(panel.control(OptionId::VideoCombo)->isEnabled());
    select(0);
    panel.apply(OptionId::AudioCombo, 1); // Silence
    panel.apply(OptionId::DepthCombo, 1); // kept, but passes nothing
    w.PlayButton->click();
    w.RecText->setText("my take");
    w.Command2->click();
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    choose(4);
    select(0);
    panel.apply(OptionId::AudioCombo, 1);
    w.PlayButton->click();
    // Each name one word whatever it holds, as the command line's own tests pin.
    EXPECT_EQ(startedLines(),
              (QStringList{"MAME smashtv -sound none",
                           "MAME smashtv -sound none -input_directory INP -record my take.inp",
                           "MAME smashtv -sound none -input_directory INP -playback my run.inp",
                           "MAME P -rompath H;roms -sound none"}));
    EXPECT_EQ(w.CommandlineLabel->text(), u"MAME P -rompath \"H;roms\" -sound none "_qs);

    // The classic MAME again: the controls and their tips come back.
    settings.write("Emulator", "Kind", "classic");
    w.mameInUse()->identifyOptions();
    EXPECT_TRUE(panel.control(OptionId::DepthCombo)->isEnabled());
    EXPECT_EQ(panel.control(OptionId::DepthCombo)->toolTip(),
              optionInfo(OptionId::DepthCombo).toolTip.toString());
}

// A game MAME did not start is named with the reason and MAME's lines; a recording that the
// failed run made in its first seconds goes, an older one or a longer run's stays.
TEST_F(GameLaunch, aFailedStartIsExplainedAndItsEmptyRecordingRemoved)
{
    writeFile("MAME", "today's");
    processes.defaultProgram = path("MAME");
    processes.answers[path("MAME") + " -version"] = {"0.251 (unknown)", 0};
    const QByteArray output = testfiles::read(testfiles::recordedRun("pacman"));
    processes.defaultAnswer = {output, 2};
    writeFile("INP/older.inp", "older");
    QString made;
    processes.onStart = [&](const QString&) { writeFile("INP/" + made, "MAMEINP"); };
    MainForm& w = started();
    select(0);
    for (const auto& [name, lasts, removed] :
         {std::tuple{"new", 4000, true}, std::tuple{"older", 4000, false},
          std::tuple{"late", 5000, false}}) {
        SCOPED_TRACE(name);
        made = QString::fromUtf8(name) + ".inp";
        processes.defaultAnswer.lasts = lasts;
        messages.shown.clear();
        w.RecText->setText(name);
        w.Command2->click();
        QTRY_COMPARE(messages.shown.size(), 1);
        EXPECT_TRUE(lastMessage().startsWith(u"MAME could not start Smash: required files are "
                                             u"missing.\n\npacman.6e NOT FOUND (tried in "
                                             u"pacman puckman)\n"_qs));
        EXPECT_EQ(messages.shown.last().details.toUtf8(), output);
        EXPECT_EQ(lastMessage().endsWith("\n\nThe recording it began, " + made + ", was removed."),
                  removed);
        EXPECT_EQ(QFile::exists(path("INP/" + made)), !removed);
        QTRY_COMPARE(playbackEntries().contains(name), !removed);
    }
}

// A row or a recording whose name MAME could take for switches starts nothing at all: MAME is
// neither asked nor started, and the user is told which name and why.
TEST_F(GameLaunch, namesMameCouldMisreadStartNothing)
{
    writeHacks(gameBlock("hx9", "Hostile Hack", "2001",
                         "pong -video none -autoboot_script hx9/boot.lua", nullptr, "good"));
    MainForm& w = started();
    processes.asked.clear();
    choose(4);
    select(0);
    w.PlayButton->click();
    choose(0);
    select(0);
    w.RecText->setText("-autoboot_script");
    w.Command2->click();
    EXPECT_TRUE(processes.started.isEmpty());
    EXPECT_TRUE(processes.asked.isEmpty());
    // Why a set name is refused is said in full by the verification's refusal.
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_TRUE(messages.texts()[0].startsWith(
        u"The row \"Hostile Hack\" gives the parent \"pong -video none -autoboot_script "
        u"hx9/boot.lua\", which cannot be passed to MAME: "_qs));
    EXPECT_EQ(messages.texts()[1],
              u"The recording name \"-autoboot_script\" cannot be passed to MAME: a recording "
              u"name may not be empty, hold '/' or a control character, or begin with '-' or "
              u"'.'. Nothing was started."_qs);
}

// Start-up never waits on MAME before the window shows, and a program that a per-game file
// names is asked which MAME it is when a game starts with it, not when its row is clicked.
TEST_F(GameLaunch, mameIsAskedAfterTheWindowShowsAndAFilesProgramOnlyWhenItPlays)
{
    writeFile("KvCfg/smashtv.kv", "\"OriginalMameOption.Value\",\"False\"\r\n"
                                  "\"AlternateMameOption.Value\",\"True\"\r\n"
                                  "\"AlternateMameText.Text\",\"evilmame\"\r\n");
    processes.programs.insert("evilmame", "/fake/evilmame");
    MainForm& w = window();
    w.Form_Load();
    QCoreApplication::processEvents();
    EXPECT_TRUE(processes.asked.isEmpty());
    w.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(processes.asked, QStringList{"/fake/MAME -version"});
    select(0);
    QTest::qWait(600); // longer than the program's changes take to settle
    EXPECT_EQ(processes.asked, QStringList{"/fake/MAME -version"});
    w.PlayButton->click();
    EXPECT_EQ(processes.asked, (QStringList{"/fake/MAME -version", "/fake/evilmame -version"}));
    EXPECT_EQ(startedLines(), QStringList{"evilmame smashtv -soundcard -1"});
}

// The playback list offers the recordings in INP by name without regard to case, and follows
// the directory while the program runs.
TEST_F(GameLaunch, recordingsAreOfferedByNameAndFollowTheDirectory)
{
    // A name MAME could misread is not offered; one with blanks and dashes is, as one word.
    for (const char* name : {"b.INP", "a.inp", "c.INP", "notes.txt", "-autoboot_script.INP",
                             ".hidden.INP", "c -x.INP"})
        writeFile(u"INP/"_qs + QLatin1StringView(name), "x");
    MainForm& w = started();
    EXPECT_EQ(playbackEntries(), (QStringList{"a", "b", "c -x", "c"}));
    EXPECT_EQ(w.PlaybackCombo->currentIndex(), 0);
    select(0);
    w.PlaybackCombo->setCurrentIndex(2);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(startedLines(), QStringList{"MAME smashtv -soundcard -1 -playback c -x"});
    processes.started.clear();
    QFile::remove(path("INP/c -x.INP"));
    QTRY_COMPARE(playbackEntries(), (QStringList{"a", "b", "c"}));

    // A recording made while the program runs shows by itself; the chosen one stays chosen.
    w.PlaybackCombo->setCurrentIndex(2);
    writeFile("INP/0first.Inp", "x");
    QTRY_COMPARE(playbackEntries(), (QStringList{"0first", "a", "b", "c"}));
    EXPECT_EQ(w.PlaybackCombo->currentText(), u"c"_qs);

    // A right press reads INP again and selects the first; it starts nothing.
    QTest::mouseClick(w.Command1, Qt::RightButton);
    EXPECT_EQ(w.PlaybackCombo->currentIndex(), 0);
    EXPECT_TRUE(processes.started.isEmpty());

    // INP removed, then made again with a recording in it.
    QDir(path("INP")).removeRecursively();
    QTRY_COMPARE(w.PlaybackCombo->count(), 0);
    EXPECT_EQ(w.PlaybackCombo->currentIndex(), -1);
    QDir(dir.path()).mkpath("INP");
    QTest::qWait(200);
    writeFile("INP/again.INP", "x");
    QTRY_COMPARE(playbackEntries(), QStringList{"again"});

    // Without INP, Playback starts nothing and says why; a start says INP is missing.
    QDir(path("INP")).removeRecursively();
    QTRY_COMPARE(w.PlaybackCombo->count(), 0);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(processes.started.isEmpty());
    EXPECT_EQ(w.statusText(), u"There is no recording to play back."_qs);
    restart();
    EXPECT_TRUE(started().statusText().startsWith("The recordings directory " + path("INP") +
                                                  " does not exist: recordings cannot be listed."));
}

} // namespace
