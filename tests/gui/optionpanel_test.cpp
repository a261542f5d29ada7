#include "platform/twips.h"
#include "programfixture.h"
#include "shell/optioncontrols.h"
#include "shell/optionpanel.h"
#include "shell/optiontables.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStatusBar>
#include <QTest>

namespace {

class OptionPanelTest : public ProgramFixture
{
protected:
    OptionPanel& o() { return *window().options(); }
};

TEST_F(OptionPanelTest, theSliderRewritesItsLabel)
{
    ASSERT_TRUE(o().apply(OptionId::FrameskipSlider, 11));
    EXPECT_EQ(o().FrameskipLabel->text(), QStringLiteral("Frameskip: 11"));
    o().FrameskipSlider->setFocus();
    QTest::keyClick(o().FrameskipSlider, Qt::Key_Left); // the user's own move
    EXPECT_EQ(o().FrameskipLabel->text(), QStringLiteral("Frameskip: 10"));
    EXPECT_EQ(o().FrameskipSlider->maximum(), 11);
    EXPECT_EQ(o().FrameskipSlider->pageStep(), 5);
}

TEST_F(OptionPanelTest, onlyAPlainCheckEnablesTheAdditionalParameters)
{
    struct Step
    {
        int state;
        bool enabled;
    };
    for (const Step& step :
         {Step{1, true}, Step{2, false}, Step{1, true}, Step{0, false}, Step{0, false}}) {
        ASSERT_TRUE(o().apply(OptionId::AdditionalParamCheck, step.state));
        EXPECT_EQ(o().AdditionalParamText->isEnabled(), step.enabled) << step.state;
    }
    // A disabled field still holds and reports its text.
    EXPECT_EQ(o().read().AdditionalParamText, QStringLiteral("Add your shit here !"));
}

TEST_F(OptionPanelTest, theUsersClicksToggleBetweenClearedAndChecked)
{
    OptionCheckBox* check = o().AdditionalParamCheck;
    ASSERT_TRUE(o().apply(OptionId::AdditionalParamCheck, 2));
    check->click();
    EXPECT_EQ(o().read().AdditionalParamCheck, 1);
    EXPECT_TRUE(o().AdditionalParamText->isEnabled());
    check->click();
    EXPECT_EQ(o().read().AdditionalParamCheck, 0);
    check->click();
    EXPECT_EQ(o().read().AdditionalParamCheck, 1);
}

TEST_F(OptionPanelTest, theTwoBuildsExcludeEachOtherAndMayBothBeClear)
{
    ASSERT_TRUE(o().apply(OptionId::AlternateMameOption, true));
    OptionSet set = o().read();
    EXPECT_FALSE(set.OriginalMameOption);
    EXPECT_TRUE(set.AlternateMameOption);
    EXPECT_TRUE(o().AlternateMameText->isEnabled());
    EXPECT_EQ(set.AlternateMameText, QStringLiteral("Pmame31")); // text untouched

    ASSERT_TRUE(o().apply(OptionId::AlternateMameOption, false));
    set = o().read();
    EXPECT_FALSE(set.OriginalMameOption);
    EXPECT_FALSE(set.AlternateMameOption);
    EXPECT_TRUE(o().AlternateMameText->isEnabled()); // unchoosing changes nothing else

    o().OriginalMameOption->click();
    EXPECT_TRUE(o().read().OriginalMameOption);
    EXPECT_FALSE(o().AlternateMameText->isEnabled());
    o().OriginalMameOption->click(); // clicking the chosen one keeps it chosen
    EXPECT_TRUE(o().read().OriginalMameOption);

    // Applied in store order, "True"/"True" leaves the alternate build chosen.
    ASSERT_TRUE(o().apply(OptionId::OriginalMameOption, true));
    ASSERT_TRUE(o().apply(OptionId::AlternateMameOption, true));
    set = o().read();
    EXPECT_FALSE(set.OriginalMameOption);
    EXPECT_TRUE(set.AlternateMameOption);
}

TEST_F(OptionPanelTest, endAndHomeInFlickerTextChangeTheWindowHeight)
{
    MainForm& w = window();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const int before = w.frameGeometry().height();
    const int width = w.frameGeometry().width();
    const int step = twips::toPixelsY(&w, 120);
    QLineEdit* field = o().FlickerText;
    field->setText(QStringLiteral("12345"));
    field->setFocus();
    field->setCursorPosition(2);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(field, Qt::Key_End, i == 1 ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.frameGeometry().height(), before + 3 * step);
    EXPECT_EQ(twips::fromPixelsY(&w, 3 * step), 360);
    EXPECT_EQ(w.frameGeometry().width(), width);
    // The key still reached the field.
    EXPECT_EQ(field->cursorPosition(), 5);
    // The status bar follows the bottom edge.
    EXPECT_EQ(w.StatusBar->geometry().bottom(), w.client()->rect().bottom());
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(field, Qt::Key_Home, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.frameGeometry().height(), before);
    EXPECT_EQ(field->cursorPosition(), 0);
    QTest::keyClick(field, Qt::Key_A);
    EXPECT_EQ(w.frameGeometry().height(), before);
}

TEST_F(OptionPanelTest, refusedValuesAreFailuresAndChangeNothing)
{
    struct Case
    {
        OptionId id;
        OptionValue value;
        bool accepted;
    };
    const Case cases[] = {
        {OptionId::VideoCombo, -1, true},
        {OptionId::VideoCombo, 6, true},
        {OptionId::VideoCombo, 7, false},
        {OptionId::VideoCombo, -2, false},
        {OptionId::JoyCombo, 21, true},
        {OptionId::JoyCombo, 22, false},
        {OptionId::AudioCombo, 8, true},
        {OptionId::AudioCombo, 9, false},
        {OptionId::CheatCheck, 2, true},
        {OptionId::CheatCheck, 3, false},
        {OptionId::CheatCheck, -1, false},
        {OptionId::FrameskipSlider, 0, true},
        {OptionId::FrameskipSlider, 12, false},
        {OptionId::FrameskipSlider, -1, false},
        {OptionId::BeamText, QStringLiteral(" a, \"b\" "), true},
        {OptionId::BeamText, 3, false},
        {OptionId::OriginalMameOption, 1, false},
        {OptionId::VideoCombo, QStringLiteral("1"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(optionInfo(c.id).name);
        const OptionSet before = o().read();
        const bool accepted = o().apply(c.id, c.value);
        EXPECT_EQ(accepted, c.accepted);
        OptionSet expected = before;
        if (c.accepted)
            expected.setValue(c.id, c.value);
        EXPECT_EQ(o().read(), expected);
    }
}

TEST_F(OptionPanelTest, everyOptionReadsBackWhatWasApplied)
{
    OptionSet wanted;
    wanted.OriginalMameOption = false;
    wanted.AlternateMameOption = true;
    wanted.AlternateMameText = QStringLiteral("  padded  ");
    wanted.AdditionalParamText = QString(40000, u'x'); // longer than a default line edit takes
    wanted.BeamText = QStringLiteral("2.5");
    wanted.FlickerText = QString();
    wanted.GammaText = QStringLiteral("1,20");
    wanted.FrameskipSlider = 7;
    int state = 0;
    for (const OptionInfo& info : optionInfos()) {
        if (info.kind == OptionKind::CheckBox)
            wanted.setValue(info.id, state++ % 3);
        if (info.kind == OptionKind::ComboBox)
            wanted.setValue(info.id, int(comboEntries(info.id).size()) - 1);
    }
    for (const OptionInfo& info : optionInfos())
        ASSERT_TRUE(o().apply(info.id, wanted.value(info.id))) << info.name;
    EXPECT_EQ(o().read(), wanted);
}

} // namespace
