#include "mame/mameinuse.h"
#include "programfixture.h"
#include "ui/catalogue/gamelist.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/desktop/picturebutton.h"
#include "ui/launch/launcher.h"
#include "ui/options/optionpanel.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class LauncherTest : public ProgramFixture
{
protected:
    LauncherTest()
    {
        writeFile(QStringLiteral("KvCfg/Korvane.gam"),
                  gameBlock("smashtv", "Smash", "1990", nullptr, nullptr, "good") +
                      gameBlock("clone", "Clone", "1990", "smashtv", "smashtv", "good"));
        writeFile(QStringLiteral("KvCfg/Korvane.hck"),
                  gameBlock("H", "Hack", "2001", "P", "P", "good"));
    }

    // The words of each start, the program's first.
    QList<QStringList> started_() const
    {
        QList<QStringList> lines;
        for (const auto& s : processes.started)
            lines.append(QStringList{s.command.program} + s.command.arguments);
        return lines;
    }

    // Words that hold no blank, written as one text.
    static QStringList words(const char* text)
    {
        return QString::fromUtf8(text).split(u' ', Qt::SkipEmptyParts);
    }

    void press(QWidget* button, Qt::MouseButton which)
    {
        QTest::mousePress(button, which);
        QTest::mouseRelease(button, which);
    }
};

TEST_F(LauncherTest, playRecordPlaybackAndHomeHacksPassTheirSwitches)
{
    writeFile(QStringLiteral("INP/a.INP"), "x");
    MainForm& w = started();
    w.Command2->click(); // before any row is selected
    select(0);           // which offers the game's name for the recording
    w.PlayButton->click();
    w.Command2->click();
    press(w.Command1, Qt::LeftButton);
    press(w.Command1, Qt::MiddleButton);
    QTest::mouseDClick(w.Command1, Qt::LeftButton); // a quick second press
    EXPECT_EQ(w.CommandlineLabel->text(),
              QStringLiteral("MAME smashtv -soundcard -1 -playback a "));
    choose(4); // a home hack starts its parent with its directory
    select(0);
    w.PlayButton->click();
    EXPECT_EQ(started_(), (QList<QStringList>{words("MAME -soundcard -1 -record Default"),
                                              words("MAME smashtv -soundcard -1"),
                                              words("MAME smashtv -soundcard -1 -record smashtv"),
                                              words("MAME smashtv -soundcard -1 -playback a"),
                                              words("MAME smashtv -soundcard -1 -playback a"),
                                              words("MAME smashtv -soundcard -1 -playback a"),
                                              words("MAME P -romdir H -soundcard -1")}));
    for (const auto& s : processes.started)
        EXPECT_EQ(s.style, WindowStyle::MaximizedWithFocus);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(LauncherTest, todaysMameGetsItsOwnSwitchesAndTheUnusedOptionsRest)
{
    writeFile(u"MAME"_qs, "today's");
    processes.defaultProgram = path(u"MAME"_qs);
    const QString asked = path(u"MAME"_qs);
    processes.answers[asked + u" -version"_qs] = {"0.251 (unknown)", 0};
    processes.answers[asked + u" -showconfig"_qs] = {"rompath                   roms\n", 0};
    writeFile(QStringLiteral("INP/my run.inp"), "x");
    MainForm& w = started();
    EXPECT_TRUE(w.statusText().endsWith(u"MAME in use: MAME 0.251 at " + path(u"MAME"_qs) + u'.'));
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
    w.RecText->setText(u"my take"_qs);
    w.Command2->click();
    press(w.Command1, Qt::LeftButton);
    choose(4);
    select(0);
    panel.apply(OptionId::AudioCombo, 1);
    w.PlayButton->click();
    EXPECT_EQ(
        started_(),
        (QList<QStringList>{
            words("MAME smashtv -sound none"),
            words("MAME smashtv -sound none -input_directory INP -record") << u"my take.inp"_qs,
            words("MAME smashtv -sound none -input_directory INP -playback") << u"my run.inp"_qs,
            words("MAME P -rompath H;roms -sound none")}));
    EXPECT_EQ(w.CommandlineLabel->text(), u"MAME P -rompath \"H;roms\" -sound none "_qs);

    // The classic MAME again: the controls and their tips come back.
    settings.write(u"Emulator"_qs, u"Kind"_qs, u"classic"_qs);
    w.mameInUse()->identifyOptions();
    EXPECT_TRUE(panel.control(OptionId::DepthCombo)->isEnabled());
    EXPECT_EQ(panel.control(OptionId::DepthCombo)->toolTip(),
              optionInfo(OptionId::DepthCombo).toolTip.toString());
}

// A row or a recording whose name MAME could take for switches starts nothing at all: MAME is
// neither asked nor started, and the user is told which name and why.
TEST_F(LauncherTest, namesMameCouldMisreadStartNothing)
{
    writeFile(QStringLiteral("KvCfg/Korvane.hck"),
              gameBlock("hx9", "Hostile Hack", "2001",
                        "pong -video none -autoboot_script hx9/boot.lua", nullptr, "good"));
    MainForm& w = started();
    processes.asked.clear();
    choose(4);
    select(0);
    w.PlayButton->click();
    choose(0);
    select(0);
    w.RecText->setText(u"-autoboot_script"_qs);
    w.Command2->click();
    EXPECT_TRUE(processes.started.isEmpty());
    EXPECT_TRUE(processes.asked.isEmpty());
    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.texts()[0],
              u"The row \"Hostile Hack\" gives the parent \"pong -video none -autoboot_script "
              u"hx9/boot.lua\", which cannot be passed to MAME: a set name holds only letters, "
              u"digits, '_' and '-', and does not begin with '-'. Nothing was started."_qs);
    EXPECT_EQ(messages.texts()[1],
              u"The recording name \"-autoboot_script\" cannot be passed to MAME: a recording "
              u"name may not be empty, hold '/' or a control character, or begin with '-' or "
              u"'.'. Nothing was started."_qs);
}

// Start-up never waits on MAME before the window shows, and a program that a per-game file
// names is asked which MAME it is when a game starts with it, not when its row is clicked.
TEST_F(LauncherTest, mameIsAskedAfterTheWindowShowsAndAFilesProgramOnlyWhenItPlays)
{
    writeFile(QStringLiteral("KvCfg/smashtv.kv"), "\"OriginalMameOption.Value\",\"False\"\r\n"
                                                  "\"AlternateMameOption.Value\",\"True\"\r\n"
                                                  "\"AlternateMameText.Text\",\"evilmame\"\r\n");
    processes.programs.insert(u"evilmame"_qs, u"/fake/evilmame"_qs);
    MainForm& w = window();
    w.Form_Load();
    QCoreApplication::processEvents();
    EXPECT_TRUE(processes.asked.isEmpty());
    w.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(processes.asked, QStringList{u"/fake/MAME -version"_qs});
    select(0);
    QTest::qWait(600); // longer than the program's changes take to settle
    EXPECT_EQ(processes.asked, QStringList{u"/fake/MAME -version"_qs});
    w.PlayButton->click();
    EXPECT_EQ(processes.asked,
              (QStringList{u"/fake/MAME -version"_qs, u"/fake/evilmame -version"_qs}));
    ASSERT_EQ(processes.started.size(), 1);
    EXPECT_EQ(processes.started[0].command.program, u"evilmame"_qs);
}

TEST_F(LauncherTest, optionsThatNameNoProgramStartNothing)
{
    MainForm& w = started();
    processes.asked.clear();
    select(0);
    w.options()->apply(OptionId::AlternateMameOption, true);
    w.options()->apply(OptionId::AlternateMameText, u"   "_qs);
    w.PlayButton->click();
    EXPECT_TRUE(processes.started.isEmpty());
    EXPECT_TRUE(processes.asked.isEmpty());
    EXPECT_EQ(w.CommandlineLabel->text(), u"    smashtv -soundcard -1 "_qs);
    EXPECT_EQ(w.statusText(), u"No MAME build is named: choose Original MAME or type the "
                              u"alternate build's name."_qs);
}

TEST_F(LauncherTest, recordingsAreListedByNameWithoutRegardToCase)
{
    writeFile(QStringLiteral("INP/b.INP"), "x");
    writeFile(QStringLiteral("INP/a.inp"), "x");
    writeFile(QStringLiteral("INP/c.INP"), "x");
    writeFile(QStringLiteral("INP/notes.txt"), "x");
    writeFile(QStringLiteral("INP/d.INP.bak"), "x");
    // A name MAME could misread is not offered; one with blanks and dashes is, as one word.
    writeFile(QStringLiteral("INP/-autoboot_script.INP"), "x");
    writeFile(QStringLiteral("INP/.hidden.INP"), "x");
    writeFile(QStringLiteral("INP/c -x.INP"), "x");
    QDir(dir.path()).mkpath(QStringLiteral("INP/dir.INP"));
    MainForm& w = started();
    auto entries = [&w] {
        QStringList list;
        for (int i = 0; i < w.PlaybackCombo->count(); ++i)
            list.append(w.PlaybackCombo->itemText(i));
        return list;
    };
    EXPECT_EQ(entries(), (QStringList{"a", "b", "c -x", "c"}));
    EXPECT_EQ(w.PlaybackCombo->currentIndex(), 0);
    select(0);
    w.PlaybackCombo->setCurrentIndex(2);
    press(w.Command1, Qt::LeftButton);
    ASSERT_EQ(processes.started.size(), 1);
    EXPECT_EQ(processes.started[0].command.arguments.mid(3),
              (QStringList{u"-playback"_qs, u"c -x"_qs}));
    processes.started.clear();
    QFile::remove(path(QStringLiteral("INP/c -x.INP")));
    QTRY_COMPARE(entries(), (QStringList{"a", "b", "c"}));

    // A recording made while the program runs shows by itself; the chosen one stays chosen.
    w.PlaybackCombo->setCurrentIndex(2);
    writeFile(QStringLiteral("INP/0first.Inp"), "x");
    QTRY_COMPARE(entries(), (QStringList{"0first", "a", "b", "c"}));
    EXPECT_EQ(w.PlaybackCombo->currentText(), QStringLiteral("c"));

    // A right press reads INP again and selects the first; it starts nothing.
    press(w.Command1, Qt::RightButton);
    EXPECT_EQ(w.PlaybackCombo->currentIndex(), 0);
    EXPECT_TRUE(processes.started.isEmpty());

    for (const char* name : {"0first.Inp", "a.inp", "b.INP", "c.INP"})
        QFile::remove(path(QStringLiteral("INP/") + QLatin1StringView(name)));
    QTRY_COMPARE(w.PlaybackCombo->count(), 0);
    EXPECT_EQ(w.PlaybackCombo->currentIndex(), -1);

    // INP removed and made again, then a recording in it.
    QDir(path(QStringLiteral("INP"))).removeRecursively();
    QTest::qWait(200);
    QDir(dir.path()).mkpath(QStringLiteral("INP"));
    QTest::qWait(200);
    writeFile(QStringLiteral("INP/again.INP"), "x");
    QTRY_COMPARE(entries(), QStringList{"again"});
}

TEST_F(LauncherTest, withoutARecordingsDirectoryPlaybackStartsNothingAndSaysWhy)
{
    QDir(path(QStringLiteral("INP"))).removeRecursively();
    MainForm& w = started();
    EXPECT_EQ(w.PlaybackCombo->count(), 0);
    EXPECT_TRUE(w.statusText().startsWith(u"The recordings directory " + path(u"INP"_qs) +
                                          u" does not exist: recordings cannot be listed."_qs));
    select(0);
    press(w.Command1, Qt::LeftButton);
    EXPECT_TRUE(processes.started.isEmpty());
    EXPECT_EQ(w.statusText(), QStringLiteral("There is no recording to play back."));
}

TEST_F(LauncherTest, thePlaybackButtonIgnoresTheKeyboard)
{
    writeFile(QStringLiteral("INP/a.INP"), "x");
    MainForm& w = started();
    select(0);
    w.show();
    w.Command1->setFocus();
    QTest::keyClick(w.Command1, Qt::Key_Space);
    w.Command1->click();
    EXPECT_TRUE(processes.started.isEmpty());
}

TEST_F(LauncherTest, aStartThatFailsIsShownAndReported)
{
    processes.result = {0, QStringLiteral("MAME"),
                        QStringLiteral("MAME not found in /games or on PATH")};
    MainForm& w = started();
    select(0);
    w.PlayButton->click();
    EXPECT_EQ(w.CommandlineLabel->text(), QStringLiteral("MAME smashtv -soundcard -1 "));
    EXPECT_EQ(
        w.statusText(),
        QStringLiteral("The game could not be started: MAME not found in /games or on PATH."));
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
