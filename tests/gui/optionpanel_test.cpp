#include "programfixture.h"

#include <QSlider>

namespace {

using enum OptionId;

class OptionPanelControls : public ProgramFixture
{
protected:
    OptionPanel& o() { return *window().options(); }
};

TEST_F(OptionPanelControls, theSliderRewritesItsLabel)
{
    ASSERT_TRUE(o().apply(FrameskipSlider, 11));
    EXPECT_EQ(o().FrameskipLabel->text(), u"Frameskip: 11"_qs);
    o().control(FrameskipSlider)->setFocus();
    QTest::keyClick(o().control(FrameskipSlider), Qt::Key_Left); // the user's own move
    EXPECT_EQ(o().FrameskipLabel->text(), u"Frameskip: 10"_qs);
    EXPECT_EQ(o().controlAs<QSlider>(FrameskipSlider)->maximum(), 11);
}

TEST_F(OptionPanelControls, onlyAPlainCheckEnablesTheAdditionalParametersAndClicksToggleIt)
{
    for (const auto& [state, enabled] :
         {std::pair{1, true}, std::pair{2, false}, std::pair{1, true}, std::pair{0, false},
          std::pair{0, false}}) {
        ASSERT_TRUE(o().apply(AdditionalParamCheck, state));
        EXPECT_EQ(o().control(AdditionalParamText)->isEnabled(), enabled) << state;
    }
    // A disabled field still holds and reports its text.
    EXPECT_EQ(o().read().text(AdditionalParamText), u"Add your shit here !"_qs);

    // The user's clicks take a greyed box to ticked, then between cleared and ticked.
    ASSERT_TRUE(o().apply(AdditionalParamCheck, 2));
    for (const int state : {1, 0, 1}) {
        o().controlAs<OptionCheckBox>(AdditionalParamCheck)->click();
        EXPECT_EQ(o().read().number(AdditionalParamCheck), state);
        EXPECT_EQ(o().control(AdditionalParamText)->isEnabled(), state == 1);
    }
}

TEST_F(OptionPanelControls, theTwoBuildsExcludeEachOtherAndMayBothBeClear)
{
    // Which build is chosen: the original, the alternate.
    auto builds = [this] {
        return std::pair{o().read().flag(OriginalMameOption), o().read().flag(AlternateMameOption)};
    };
    ASSERT_TRUE(o().apply(AlternateMameOption, true));
    EXPECT_EQ(builds(), std::pair(false, true));
    EXPECT_TRUE(o().control(AlternateMameText)->isEnabled());
    EXPECT_EQ(o().read().text(AlternateMameText), u"Pmame31"_qs); // text untouched
    ASSERT_TRUE(o().apply(AlternateMameOption, false));
    EXPECT_EQ(builds(), std::pair(false, false));
    EXPECT_TRUE(o().control(AlternateMameText)->isEnabled()); // unchoosing changes nothing else

    // Clicking the chosen one keeps it chosen.
    for (int click = 0; click < 2; ++click) {
        o().controlAs<OptionRadioButton>(OriginalMameOption)->click();
        EXPECT_EQ(builds(), std::pair(true, false));
        EXPECT_FALSE(o().control(AlternateMameText)->isEnabled());
    }
    // Applied in store order, "True"/"True" leaves the alternate build chosen.
    ASSERT_TRUE(o().apply(OriginalMameOption, true));
    ASSERT_TRUE(o().apply(AlternateMameOption, true));
    EXPECT_EQ(builds(), std::pair(false, true));
}

TEST_F(OptionPanelControls, endAndHomeInFlickerTextChangeTheWindowHeight)
{
    MainForm& w = shown();
    const int before = w.frameGeometry().height();
    const int width = w.frameGeometry().width();
    const int step = twips::toPixelsY(&w, 120);
    auto* field = o().controlAs<QLineEdit>(FlickerText);
    field->setText(u"12345"_qs);
    field->setFocus();
    field->setCursorPosition(2);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(field, Qt::Key_End, i == 1 ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(w.frameGeometry().height(), before + 3 * step);
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

// A value the control cannot take is refused and changes nothing; every value it takes reads
// back as it was applied.
TEST_F(OptionPanelControls, refusedValuesChangeNothingAndEveryOptionReadsBackWhatWasApplied)
{
    // clang-format off
    const std::tuple<OptionId, OptionValue, bool> cases[] = {
        {VideoCombo, -1, true}, {VideoCombo, 6, true}, {VideoCombo, 7, false}, {VideoCombo, -2, false},
        {CheatCheck, 2, true}, {CheatCheck, 3, false}, {CheatCheck, -1, false},
        {FrameskipSlider, 0, true}, {FrameskipSlider, 12, false}, {FrameskipSlider, -1, false},
        {BeamText, u" a, \"b\" "_qs, true}, {BeamText, 3, false},
        {OriginalMameOption, 1, false}, {VideoCombo, u"1"_qs, false},
    };
    // clang-format on
    for (const auto& [id, value, accepted] : cases) {
        SCOPED_TRACE(optionName(id).toStdString());
        OptionSet expected = o().read();
        EXPECT_EQ(o().apply(id, value), accepted);
        if (accepted)
            expected.setValue(id, value);
        EXPECT_EQ(o().read(), expected);
    }

    OptionSet wanted;
    wanted.setValue(OriginalMameOption, false);
    wanted.setValue(AlternateMameOption, true);
    wanted.setValue(AlternateMameText, u"  padded  "_qs);
    wanted.setValue(AdditionalParamText,
                    QString(40000, u'x')); // longer than a default line edit takes
    wanted.setValue(BeamText, u"2.5"_qs);
    wanted.setValue(FlickerText, QString());
    wanted.setValue(GammaText, u"1,20"_qs);
    wanted.setValue(FrameskipSlider, 7);
    int state = 0;
    for (const OptionInfo& info : optionInfos()) {
        if (info.kind == OptionKind::CheckBox)
            wanted.setValue(info.id, state++ % 3);
        if (info.kind == OptionKind::ComboBox)
            wanted.setValue(info.id, int(comboEntries(info.id).size()) - 1);
    }
    for (const OptionInfo& info : optionInfos())
        ASSERT_TRUE(o().apply(info.id, wanted.value(info.id)))
            << info.name.toString().toStdString();
    EXPECT_EQ(o().read(), wanted);
}

} // namespace
