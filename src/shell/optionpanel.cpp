#include "shell/optionpanel.h"

#include "shell/optioncontrols.h"
#include "shell/optiontables.h"

#include <QComboBox>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include <limits>

namespace {

QFont comboFont()
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(7.2);
    return font;
}

QFont textFont()
{
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(9.6);
    return font;
}

// Check box values are 0 cleared, 1 checked, 2 greyed; Qt numbers the last two the other
// way round.
Qt::CheckState checkState(int value)
{
    return value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}

int checkValue(Qt::CheckState state)
{
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

} // namespace

OptionPanel::OptionPanel(QWidget* parent, HeightChange changeWindowHeight)
    : QObject(parent)
    , m_parent(parent)
    , m_changeWindowHeight(std::move(changeWindowHeight))
{
    OriginalMameOption = new OptionRadioButton(QStringLiteral("Original MAME"), parent);
    OriginalMameOption->setObjectName(QStringLiteral("OriginalMameOption"));
    OriginalMameOption->setToolTip(QStringLiteral("Use original MAME DOS release"));
    AlternateMameOption = new OptionRadioButton(QStringLiteral("Altenate build:"), parent);
    AlternateMameOption->setObjectName(QStringLiteral("AlternateMameOption"));
    AlternateMameOption->setToolTip(QStringLiteral("Use non-official MAME like PentiuMame..."));

    AlternateMameText = makeText(OptionId::AlternateMameText, QStringLiteral("Pmame31"));
    AdditionalParamText =
        makeText(OptionId::AdditionalParamText, QStringLiteral("Add your shit here !"));
    BeamText = makeText(OptionId::BeamText, QStringLiteral("1.00"));
    FlickerText = makeText(OptionId::FlickerText, QStringLiteral("0"));
    GammaText = makeText(OptionId::GammaText, QStringLiteral("1.00"));

    FrameskipSlider = new QSlider(Qt::Horizontal, parent);
    FrameskipSlider->setObjectName(QStringLiteral("FrameskipSlider"));
    FrameskipSlider->setRange(kFrameskipMinimum, kFrameskipMaximum);
    FrameskipSlider->setSingleStep(1);
    FrameskipSlider->setPageStep(5);
    FrameskipSlider->setTickPosition(QSlider::TicksBelow);
    FrameskipSlider->setTickInterval(1);
    FrameskipLabel = new QLabel(QStringLiteral("Frameskip: 0"), parent);
    FrameskipLabel->setObjectName(QStringLiteral("FrameskipLabel"));

    CheatCheck = makeCheck(OptionId::CheatCheck, QStringLiteral("Enable cheat"),
                           QStringLiteral("Enable cheat"));
    AdditionalParamCheck =
        makeCheck(OptionId::AdditionalParamCheck, QStringLiteral("Additional parameters:"));
    BeamCheck = makeCheck(OptionId::BeamCheck, QStringLiteral("Beam:"));
    FlickerCheck = makeCheck(OptionId::FlickerCheck, QStringLiteral("Flicker:"));
    SbOplCheck = makeCheck(OptionId::SbOplCheck, QStringLiteral("Use the SoundBlaster OPL chip"),
                           QStringLiteral("Faster but less faithful"));
    GammaCheck = makeCheck(OptionId::GammaCheck, QStringLiteral("Gamma:"));

    VideoCombo =
        makeCombo(OptionId::VideoCombo, QStringLiteral("Choose your prefered res here..."));
    AudioCombo = makeCombo(OptionId::AudioCombo,
                           QStringLiteral("Choose SB if you got a SB AWE32 for better results"));
    DoubleCombo = makeCombo(OptionId::DoubleCombo,
                            QStringLiteral("Can make redraws faster but reduce the image..."));
    DepthCombo = makeCombo(OptionId::DepthCombo, {});
    VGAFreqCombo = makeCombo(
        OptionId::VGAFreqCombo,
        QStringLiteral("WARNING: Can damage your monitior ! Please read MAME documentation..."));
    ScanlinesCombo = makeCombo(OptionId::ScanlinesCombo, {});
    VESACombo = makeCombo(OptionId::VESACombo, {});
    VSyncCombo = makeCombo(OptionId::VSyncCombo, {});
    RotateCombo = makeCombo(OptionId::RotateCombo, {});
    FlipCombo = makeCombo(OptionId::FlipCombo, {});
    SampleRateCombo = makeCombo(OptionId::SampleRateCombo, {});
    BitRateCombo =
        makeCombo(OptionId::BitRateCombo,
                  QStringLiteral("For the software sound rendering engine not your soundcard..."));
    AntialiasCombo = makeCombo(OptionId::AntialiasCombo, {});
    JoyCombo = makeCombo(OptionId::JoyCombo, {});
    TranslucencyCombo = makeCombo(OptionId::TranslucencyCombo, {});

    // The initial state is already consistent: original build chosen with the alternate
    // text disabled, additional parameters cleared with their text disabled.
    OriginalMameOption->setChecked(true);
    AlternateMameText->setEnabled(false);
    AdditionalParamText->setEnabled(false);

    connect(FrameskipSlider, &QSlider::valueChanged, this, &OptionPanel::FrameskipSlider_Change);
    connect(AdditionalParamCheck, &QCheckBox::stateChanged, this,
            &OptionPanel::AdditionalParamCheck_Click);
    connect(OriginalMameOption, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen)
            OriginalMameOption_Click();
    });
    connect(AlternateMameOption, &QRadioButton::toggled, this, [this](bool chosen) {
        if (chosen)
            AlternateMameOption_Click();
    });
    FlickerText->installEventFilter(this);

    m_controls = {OriginalMameOption, AlternateMameOption,  AlternateMameText, AdditionalParamText,
                  BeamText,           FlickerText,          GammaText,         FrameskipSlider,
                  CheatCheck,         AdditionalParamCheck, BeamCheck,         FlickerCheck,
                  SbOplCheck,         GammaCheck,           VideoCombo,        AudioCombo,
                  DoubleCombo,        DepthCombo,           VGAFreqCombo,      ScanlinesCombo,
                  VESACombo,          VSyncCombo,           RotateCombo,       FlipCombo,
                  SampleRateCombo,    BitRateCombo,         AntialiasCombo,    JoyCombo,
                  TranslucencyCombo};
    for (const OptionInfo& info : optionInfos())
        Q_ASSERT(control(info.id)->objectName() == optionName(info.id));
}

QLineEdit* OptionPanel::makeText(OptionId id, const QString& text)
{
    auto* edit = new QLineEdit(text, m_parent);
    edit->setObjectName(optionName(id));
    edit->setFont(textFont());
    // Any length: a command-line parameter text may be long.
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setCursorPosition(0);
    return edit;
}

OptionCheckBox* OptionPanel::makeCheck(OptionId id, const QString& caption, const QString& toolTip)
{
    auto* check = new OptionCheckBox(caption, m_parent);
    check->setObjectName(optionName(id));
    check->setToolTip(toolTip);
    return check;
}

QComboBox* OptionPanel::makeCombo(OptionId id, const QString& toolTip)
{
    auto* combo = new QComboBox(m_parent);
    combo->setObjectName(optionName(id));
    combo->setFont(comboFont());
    combo->setToolTip(toolTip);
    combo->setEditable(false);
    for (const ComboEntry& entry : comboEntries(id))
        combo->addItem(entry.text.toString(), entry.itemData);
    combo->setCurrentIndex(-1);
    return combo;
}

QWidget* OptionPanel::control(OptionId id) const
{
    return m_controls[static_cast<size_t>(id)];
}

OptionSet OptionPanel::read() const
{
    OptionSet set;
    for (const OptionInfo& info : optionInfos()) {
        QWidget* widget = control(info.id);
        OptionValue value;
        switch (info.kind) {
        case OptionKind::OptionButton:
            value = static_cast<QRadioButton*>(widget)->isChecked();
            break;
        case OptionKind::CheckBox:
            value = checkValue(static_cast<QCheckBox*>(widget)->checkState());
            break;
        case OptionKind::ComboBox:
            value = static_cast<QComboBox*>(widget)->currentIndex();
            break;
        case OptionKind::Slider:
            value = static_cast<QSlider*>(widget)->value();
            break;
        case OptionKind::TextField:
            value = static_cast<QLineEdit*>(widget)->text();
            break;
        }
        set.setValue(info.id, value);
    }
    return set;
}

bool OptionPanel::apply(OptionId id, const OptionValue& value)
{
    QWidget* widget = control(id);
    switch (optionInfo(id).kind) {
    case OptionKind::OptionButton: {
        const bool* chosen = std::get_if<bool>(&value);
        if (!chosen)
            return false;
        static_cast<QRadioButton*>(widget)->setChecked(*chosen);
        return true;
    }
    case OptionKind::CheckBox: {
        const int* state = std::get_if<int>(&value);
        if (!state || *state < 0 || *state > 2)
            return false;
        static_cast<QCheckBox*>(widget)->setCheckState(checkState(*state));
        if (id == OptionId::AdditionalParamCheck)
            AdditionalParamCheck_Click(); // also when the state did not change
        return true;
    }
    case OptionKind::ComboBox: {
        const int* index = std::get_if<int>(&value);
        auto* combo = static_cast<QComboBox*>(widget);
        if (!index || *index < -1 || *index >= combo->count())
            return false;
        combo->setCurrentIndex(*index);
        return true;
    }
    case OptionKind::Slider: {
        const int* position = std::get_if<int>(&value);
        if (!position || *position < kFrameskipMinimum || *position > kFrameskipMaximum)
            return false;
        FrameskipSlider->setValue(*position);
        FrameskipSlider_Change();
        return true;
    }
    case OptionKind::TextField: {
        const QString* text = std::get_if<QString>(&value);
        if (!text)
            return false;
        auto* edit = static_cast<QLineEdit*>(widget);
        edit->setText(*text);
        edit->setCursorPosition(0); // show the beginning of a long text
        return true;
    }
    }
    return false;
}

void OptionPanel::FrameskipSlider_Change()
{
    FrameskipLabel->setText(QStringLiteral("Frameskip: ") +
                            QString::number(FrameskipSlider->value()));
}

void OptionPanel::AdditionalParamCheck_Click()
{
    // Only a plain check enables the text; a greyed box leaves it disabled.
    AdditionalParamText->setEnabled(AdditionalParamCheck->checkState() == Qt::Checked);
}

void OptionPanel::OriginalMameOption_Click()
{
    AlternateMameOption->setChecked(false);
    AlternateMameText->setEnabled(false);
}

void OptionPanel::AlternateMameOption_Click()
{
    OriginalMameOption->setChecked(false);
    AlternateMameText->setEnabled(true);
}

bool OptionPanel::eventFilter(QObject* watched, QEvent* event)
{
    // End and Home in FlickerText make the window taller or shorter; the key still moves
    // the caret, so it is not consumed. Modifiers make no difference.
    if (watched == FlickerText && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_End)
            m_changeWindowHeight(120);
        else if (key == Qt::Key_Home)
            m_changeWindowHeight(-120);
    }
    return QObject::eventFilter(watched, event);
}
