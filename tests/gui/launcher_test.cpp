#include "catalogue/gamelist.h"
#include "catalogue/gamelistmodel.h"
#include "catalogue/gamelistview.h"
#include "launch/launcher.h"
#include "programfixture.h"
#include "shell/optionpanel.h"
#include "shell/picturebutton.h"

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

    void select(int row)
    {
        GameListModel* model = form->games();
        form->GamesListView->selectionModel()->select(
            model->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    QStringList started_() const
    {
        QStringList lines;
        for (const auto& s : processes.started)
            lines.append(s.commandLine);
        return lines;
    }

    void press(QWidget* button, Qt::MouseButton which)
    {
        QTest::mousePress(button, which);
        QTest::mouseRelease(button, which);
    }
};

TEST_F(LauncherTest, playRecordAndPlaybackPassTheirSwitches)
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
    EXPECT_EQ(started_(),
              (QStringList{"MAME -soundcard -1 -record Default ", "MAME smashtv -soundcard -1 ",
                           "MAME smashtv -soundcard -1 -record smashtv ",
                           "MAME smashtv -soundcard -1 -playback a ",
                           "MAME smashtv -soundcard -1 -playback a ",
                           "MAME smashtv -soundcard -1 -playback a "}));
    for (const auto& s : processes.started)
        EXPECT_EQ(s.style, WindowStyle::MaximizedWithFocus);
    EXPECT_EQ(w.CommandlineLabel->text(),
              QStringLiteral("MAME smashtv -soundcard -1 -playback a "));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(LauncherTest, homeHacksStartTheParentWithTheHacksDirectory)
{
    MainForm& w = started();
    w.GamesListTypeCombo->setCurrentIndex(4);
    w.gameList()->GamesListTypeCombo_Click();
    select(0);
    w.PlayButton->click();
    EXPECT_EQ(started_(), QStringList{"MAME P -romdir H -soundcard -1 "});
}

TEST_F(LauncherTest, todaysMameGetsItsOwnSwitchesAndTheUnusedOptionsRest)
{
    writeFile(u"MAME"_qs, "today's");
    processes.defaultProgram = path(u"MAME"_qs);
    const QString asked = u'"' + path(u"MAME"_qs) + u'"';
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
    w.GamesListTypeCombo->setCurrentIndex(4);
    w.gameList()->GamesListTypeCombo_Click();
    select(0);
    panel.apply(OptionId::AudioCombo, 1);
    w.PlayButton->click();
    EXPECT_EQ(
        started_(),
        (QStringList{"MAME smashtv -sound none ",
                     "MAME smashtv -sound none -input_directory INP -record \"my take.inp\" ",
                     "MAME smashtv -sound none -input_directory INP -playback \"my run.inp\" ",
                     "MAME P -rompath \"H;roms\" -sound none "}));
    // Asked once: the answer is kept for the unchanged program.
    EXPECT_EQ(processes.asked.count(asked + u" -version"_qs), 1);

    // The classic MAME again: the controls and their tips come back.
    settings.write(u"Emulator"_qs, u"Kind"_qs, u"classic"_qs);
    w.launcher()->identifyMame();
    EXPECT_TRUE(panel.control(OptionId::DepthCombo)->isEnabled());
    EXPECT_EQ(panel.control(OptionId::DepthCombo)->toolTip(),
              optionInfo(OptionId::DepthCombo).toolTip.toString());
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
    QDir(dir.path()).mkpath(QStringLiteral("INP/dir.INP"));
    MainForm& w = started();
    auto entries = [&w] {
        QStringList list;
        for (int i = 0; i < w.PlaybackCombo->count(); ++i)
            list.append(w.PlaybackCombo->itemText(i));
        return list;
    };
    EXPECT_EQ(entries(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(w.PlaybackCombo->currentIndex(), 0);

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

TEST_F(LauncherTest, playbackWithoutARecordingStartsNothingAndSaysSo)
{
    MainForm& w = started();
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

TEST_F(LauncherTest, aMissingRecordingsDirectoryIsReported)
{
    QDir(path(QStringLiteral("INP"))).removeRecursively();
    MainForm& w = started();
    EXPECT_EQ(w.PlaybackCombo->count(), 0);
    EXPECT_TRUE(w.statusText().contains(QStringLiteral("INP"))) << w.statusText().toStdString();
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
