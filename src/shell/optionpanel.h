#pragma once

#include "shell/optionset.h"

#include <QObject>

#include <array>
#include <functional>

class OptionCheckBox;
class OptionRadioButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QWidget;

// The option panel: the 29 controls that hold the option set, and their own reactions.
// The controls are the only holder of the values; read() takes a snapshot of them and
// apply() changes one of them exactly as the user would. The main window places them.
class OptionPanel final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionPanel)

public:
    // Called with +120 or -120 twips when End or Home is pressed in FlickerText.
    using HeightChange = std::function<void(int twips)>;

    OptionPanel(QWidget* parent, HeightChange changeWindowHeight);

    // The whole option set as the controls show it now.
    OptionSet read() const;
    // Applies value to one option; the control's reactions follow. False when the control
    // refuses the value (a combo index outside -1 to entries-1, a check state other than 0,
    // 1 or 2, a slider position outside 0 to 11, a value of the wrong kind); the control is
    // then unchanged.
    bool apply(OptionId id, const OptionValue& value);

    QWidget* control(OptionId id) const;

    OptionRadioButton* OriginalMameOption;
    OptionRadioButton* AlternateMameOption;
    QLineEdit* AlternateMameText;
    QLineEdit* AdditionalParamText;
    QLineEdit* BeamText;
    QLineEdit* FlickerText;
    QLineEdit* GammaText;
    QSlider* FrameskipSlider;
    QLabel* FrameskipLabel;
    OptionCheckBox* CheatCheck;
    OptionCheckBox* AdditionalParamCheck;
    OptionCheckBox* BeamCheck;
    OptionCheckBox* FlickerCheck;
    OptionCheckBox* SbOplCheck;
    OptionCheckBox* GammaCheck;
    QComboBox* VideoCombo;
    QComboBox* AudioCombo;
    QComboBox* DoubleCombo;
    QComboBox* DepthCombo;
    QComboBox* VGAFreqCombo;
    QComboBox* ScanlinesCombo;
    QComboBox* VESACombo;
    QComboBox* VSyncCombo;
    QComboBox* RotateCombo;
    QComboBox* FlipCombo;
    QComboBox* SampleRateCombo;
    QComboBox* BitRateCombo;
    QComboBox* AntialiasCombo;
    QComboBox* JoyCombo;
    QComboBox* TranslucencyCombo;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* makeCombo(OptionId id, const QString& toolTip);
    QLineEdit* makeText(OptionId id, const QString& text);
    OptionCheckBox* makeCheck(OptionId id, const QString& caption, const QString& toolTip = {});

    void FrameskipSlider_Change();
    void AdditionalParamCheck_Click();
    void OriginalMameOption_Click();
    void AlternateMameOption_Click();

    QWidget* m_parent;
    std::array<QWidget*, kOptionCount> m_controls{};
    HeightChange m_changeWindowHeight;
};
