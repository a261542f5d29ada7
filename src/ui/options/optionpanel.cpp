#include "ui/options/optionpanel.h"

#include "mame/switches.h"
#include "options/optiontables.h"
#include "ui/desktop/fonts.h"
#include "ui/options/optioncontrols.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include <limits>

namespace {

using enum OptionId;

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
    for (const OptionInfo& info : optionInfos())
        m_controls[static_cast<std::size_t>(info.id)] = makeControl(info);
    FrameskipLabel = new QLabel(parent);
    FrameskipLabel->setObjectName(QStringLiteral("FrameskipLabel"));

    // The controls take their initial contents; the reactions below then make the label
    // and the two enabled states agree with them.
    const OptionSet initial;
    for (const OptionInfo& info : optionInfos())
        apply(info.id, initial.value(info.id));
    OriginalMameOption_Click();

    auto* slider = controlAs<QSlider>(FrameskipSlider);
    connect(slider, &QSlider::valueChanged, this, &OptionPanel::FrameskipSlider_Change);
    connect(controlAs<QCheckBox>(AdditionalParamCheck), &QCheckBox::stateChanged, this,
            &OptionPanel::AdditionalParamCheck_Click);
    connect(controlAs<QRadioButton>(OriginalMameOption), &QRadioButton::toggled, this,
            [this](bool chosen) {
                if (chosen)
                    OriginalMameOption_Click();
            });
    connect(controlAs<QRadioButton>(AlternateMameOption), &QRadioButton::toggled, this,
            [this](bool chosen) {
                if (chosen)
                    AlternateMameOption_Click();
            });
    control(FlickerText)->installEventFilter(this);

    // A loaded value changes the program too (toggled, textChanged); only the user's own
    // changes are clicks and edits.
    for (const OptionId id : {OriginalMameOption, AlternateMameOption}) {
        auto* button = controlAs<QAbstractButton>(id);
        connect(button, &QAbstractButton::clicked, this, [this] { Q_EMIT programChanged(true); });
        connect(button, &QAbstractButton::toggled, this, [this] { Q_EMIT programChanged(false); });
    }
    auto* text = controlAs<QLineEdit>(AlternateMameText);
    connect(text, &QLineEdit::textEdited, this, [this] { Q_EMIT programChanged(true); });
    connect(text, &QLineEdit::textChanged, this, [this] { Q_EMIT programChanged(false); });
}

QWidget* OptionPanel::makeControl(const OptionInfo& info)
{
    const QString caption = info.caption.toString();
    QWidget* widget = nullptr;
    switch (info.kind) {
    case OptionKind::OptionButton:
        widget = new OptionRadioButton(caption, m_parent);
        break;
    case OptionKind::CheckBox:
        widget = new OptionCheckBox(caption, m_parent);
        break;
    case OptionKind::ComboBox: {
        auto* combo = new QComboBox(m_parent);
        combo->setFont(tahoma(7.2));
        combo->setEditable(false);
        for (const ComboEntry& entry : comboEntries(info.id))
            combo->addItem(entry.text.toString(), entry.itemData);
        widget = combo;
        break;
    }
    case OptionKind::Slider: {
        auto* slider = new QSlider(Qt::Horizontal, m_parent);
        slider->setRange(kFrameskipMinimum, kFrameskipMaximum);
        slider->setSingleStep(1);
        slider->setPageStep(5);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setTickInterval(1);
        widget = slider;
        break;
    }
    case OptionKind::TextField: {
        auto* edit = new QLineEdit(m_parent);
        edit->setFont(textFont());
        // Any length: a command-line parameter text may be long.
        edit->setMaxLength(std::numeric_limits<int>::max());
        widget = edit;
        break;
    }
    }
    widget->setObjectName(info.name.toString());
    widget->setToolTip(info.toolTip.toString());
    return widget;
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
        if (id == AdditionalParamCheck)
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
        static_cast<QSlider*>(widget)->setValue(*position);
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

void OptionPanel::showTodaysMame(const std::optional<QString>& version)
{
    const QString unused = version && !version->isEmpty()
                               ? QStringLiteral("Not used by MAME %1").arg(*version)
                               : QStringLiteral("Not used by today's MAME");
    for (const OptionInfo& info : optionInfos()) {
        if (usedByTodaysMame(info.id))
            continue;
        QWidget* widget = control(info.id);
        widget->setEnabled(!version);
        widget->setToolTip(version ? unused : info.toolTip.toString());
    }
}

void OptionPanel::FrameskipSlider_Change()
{
    FrameskipLabel->setText(QStringLiteral("Frameskip: ") +
                            QString::number(controlAs<QSlider>(FrameskipSlider)->value()));
}

void OptionPanel::AdditionalParamCheck_Click()
{
    // Only a plain check enables the text; a greyed box leaves it disabled.
    control(AdditionalParamText)
        ->setEnabled(controlAs<QCheckBox>(AdditionalParamCheck)->checkState() == Qt::Checked);
}

void OptionPanel::OriginalMameOption_Click()
{
    controlAs<QRadioButton>(AlternateMameOption)->setChecked(false);
    control(AlternateMameText)->setEnabled(false);
}

void OptionPanel::AlternateMameOption_Click()
{
    controlAs<QRadioButton>(OriginalMameOption)->setChecked(false);
    control(AlternateMameText)->setEnabled(true);
}

bool OptionPanel::eventFilter(QObject* watched, QEvent* event)
{
    // End and Home in FlickerText make the window taller or shorter; the key still moves
    // the caret, so it is not consumed. Modifiers make no difference.
    if (watched == control(FlickerText) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_End)
            m_changeWindowHeight(120);
        else if (key == Qt::Key_Home)
            m_changeWindowHeight(-120);
    }
    return QObject::eventFilter(watched, event);
}
