#include "programfixture.h"

#include <QContextMenuEvent>
#include <QMenu>

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

    // The recordings PlaybackCombo offers, by name.
    QStringList playbackEntries()
    {
        QStringList names;
        for (int i = 0; i < form->PlaybackCombo->count(); ++i)
            names.append(form->PlaybackCombo->itemData(i).toString().chopped(4));
        return names;
    }
    // A recording in INP, made on that day of March 2024.
    void writeRecording(const QString& name, const QByteArray& bytes, int day)
    {
        writeFile("INP/" + name, bytes);
        QFile file(path("INP/" + name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2024, 3, day), QTime(12, 0)),
                                     QFileDevice::FileModificationTime));
    }
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
        EXPECT_EVENTUALLY_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(lastMessage().startsWith(u"MAME could not start Smash: required files are "
                                             u"missing.\n\npacman.6e NOT FOUND (tried in "
                                             u"pacman puckman)\n"_qs));
        EXPECT_EQ(messages.shown.last().details.toUtf8(), output);
        EXPECT_EQ(lastMessage().endsWith("\n\nThe recording it began, " + made + ", was removed."),
                  removed);
        EXPECT_EQ(QFile::exists(path("INP/" + made)), !removed);
        EXPECT_EVENTUALLY_EQ(playbackEntries().contains(name), !removed);
    }
}

// A recording of today's MAME plays the game it was made of, whichever row is selected; the
// list names that game (by its short name when the list does not hold it) and the date. A
// file whose header cannot be read plays the selected game, as the classic MAME's always did.
TEST_F(GameLaunch, aRecordingPlaysTheGameItWasMadeOf)
{
    writeGames(gameBlock("smashtv", "Smash", "1990", nullptr, nullptr, "good") +
               gameBlock("pong", "Pong (Rev E)", "1972", nullptr, nullptr, "good"));
    const QByteArray pong = testfiles::read(testfiles::recordedRun("pong", ".inp"));
    const auto of = [&pong](const char* machine) {
        return QByteArray(pong).replace(0x14, 12, QByteArray(machine).leftJustified(12, '\0'));
    };
    writeRecording("pong.inp", pong, 9);
    writeRecording("other.inp", of("breakout"), 8);
    writeRecording("hack.inp", of("P"), 8);
    writeRecording("evil.inp", of("-video"), 7);
    writeRecording("old.inp", "x", 6);
    MainForm& w = started();
    const auto on = [](int day) -> QString {
        return u" \u2014 "_qs +
               QLocale::system().toString(QDate(2024, 3, day), QLocale::ShortFormat);
    };
    EXPECT_EQ(comboTexts(*w.PlaybackCombo),
              (QStringList{u"pong \u2014 Pong (Rev E)"_qs + on(9), u"hack \u2014 P"_qs + on(8),
                           u"other \u2014 breakout"_qs + on(8), u"evil \u2014 -video"_qs + on(7),
                           "old" + on(6)}));
    select(0);
    for (const int index : {0, 2, 4, 3}) {
        w.PlaybackCombo->setCurrentIndex(index);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
    }
    EXPECT_EQ(startedLines(), (QStringList{"MAME pong -soundcard -1 -playback pong",
                                           "MAME breakout -soundcard -1 -playback other",
                                           "MAME smashtv -soundcard -1 -playback old"}));
    EXPECT_TRUE(lastMessage().startsWith(u"The row \"-video\" gives the short name \"-video\", "
                                         u"which cannot be passed to MAME: "_qs));

    // The hack list does not hold pong; a hack whose parent made the recording keeps its
    // directory.
    choose(4);
    EXPECT_EQ(w.PlaybackCombo->itemText(0), u"pong \u2014 pong"_qs + on(9));
    select(0);
    w.PlaybackCombo->setCurrentIndex(1);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(startedLines().last(), u"MAME P -romdir H -soundcard -1 -playback hack"_qs);
}

TEST_F(GameLaunch, aRecordingIsDeletedFromTheListsMenuAfterAYes)
{
    writeRecording("keep.inp", "x", 1);
    writeRecording("gone.inp", "x", 2);
    MainForm& w = started();
    const QPoint at = w.PlaybackCombo->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, w.PlaybackCombo->mapToGlobal(at));
    QCoreApplication::sendEvent(w.PlaybackCombo, &click);
    QMenu* menu = w.PlaybackCombo->findChild<QMenu*>();
    ASSERT_TRUE(menu && menu->isVisible());
    menu->hide();
    QAction* remove = menu->findChild<QAction*>("DeleteRecordingMenu");
    ASSERT_TRUE(remove);
    messages.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    remove->trigger();
    EXPECT_TRUE(QFile::exists(path("INP/gone.inp")));
    remove->trigger();
    EXPECT_FALSE(QFile::exists(path("INP/gone.inp")));
    EXPECT_EQ(messages.texts(), QStringList(2, "Delete the recording gone?"));
    EXPECT_EQ(messages.shown.last().buttons, MessageButtons::YesNo);
    EXPECT_EQ(playbackEntries(), QStringList{"keep"});

    // Gone already when the user says Yes.
    QFile::remove(path("INP/keep.inp"));
    remove->trigger();
    EXPECT_TRUE(lastMessage().startsWith(u"The recording keep could not be deleted: "_qs));
    EXPECT_TRUE(playbackEntries().isEmpty());
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

TEST_F(GameLaunch, recordingsAreOfferedNewestFirstAndFollowTheDirectory)
{
    // A name MAME could misread is not offered; one with blanks and dashes is, as one word.
    int day = 1;
    for (const char* name : {"b.INP", "a.inp", "c.INP", "notes.txt", "-autoboot_script.INP",
                             ".hidden.INP", "c -x.INP"})
        writeRecording(QString::fromUtf8(name), "x", day++);
    MainForm& w = started();
    EXPECT_EQ(playbackEntries(), (QStringList{"c -x", "c", "a", "b"}));
    EXPECT_EQ(w.PlaybackCombo->currentIndex(), 0);
    select(0);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_EQ(startedLines(), QStringList{"MAME smashtv -soundcard -1 -playback c -x"});
    processes.started.clear();
    QFile::remove(path("INP/c -x.INP"));
    EXPECT_EVENTUALLY_EQ(playbackEntries(), (QStringList{"c", "a", "b"}));

    // A recording made while the program runs shows by itself; the chosen one stays chosen.
    w.PlaybackCombo->setCurrentIndex(2);
    writeFile("INP/0first.Inp", "x");
    EXPECT_EVENTUALLY_EQ(playbackEntries(), (QStringList{"0first", "c", "a", "b"}));
    EXPECT_EQ(playbackEntries().value(w.PlaybackCombo->currentIndex()), u"b"_qs);

    // A right press reads INP again and selects the first; it starts nothing.
    QTest::mouseClick(w.Command1, Qt::RightButton);
    EXPECT_EQ(w.PlaybackCombo->currentIndex(), 0);
    EXPECT_TRUE(processes.started.isEmpty());

    // INP removed, then made again with a recording in it.
    QDir(path("INP")).removeRecursively();
    EXPECT_EVENTUALLY_EQ(w.PlaybackCombo->count(), 0);
    EXPECT_EQ(w.PlaybackCombo->currentIndex(), -1);
    QDir(dir.path()).mkpath("INP");
    QTest::qWait(200);
    writeFile("INP/again.INP", "x");
    EXPECT_EVENTUALLY_EQ(playbackEntries(), QStringList{"again"});

    // Without INP, Playback starts nothing and says why; a start says INP is missing.
    QDir(path("INP")).removeRecursively();
    EXPECT_EVENTUALLY_EQ(w.PlaybackCombo->count(), 0);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(processes.started.isEmpty());
    EXPECT_EQ(w.statusText(), u"There is no recording to play back."_qs);
    restart();
    EXPECT_TRUE(started().statusText().startsWith("The recordings directory " + path("INP") +
                                                  " does not exist: recordings cannot be listed."));
}

} // namespace
