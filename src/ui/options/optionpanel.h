#pragma once

#include "options/optionset.h"

#include <QObject>

#include <array>
#include <functional>
#include <optional>

class QLabel;
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

    // The control of an option: an OptionRadioButton, OptionCheckBox, QComboBox, QSlider or
    // QLineEdit by the option's kind, named after the option.
    QWidget* control(OptionId id) const { return m_controls[static_cast<std::size_t>(id)]; }
    template <typename T>
    T* controlAs(OptionId id) const
    {
        T* typed = qobject_cast<T*>(control(id));
        Q_ASSERT(typed);
        return typed;
    }

    // Today's MAME has no switch for some options: while it is in use (version, such as
    // "0.251", or empty when not known) their controls are disabled and say so in their
    // tooltips; nullopt gives them back to the classic MAME. Their values stay as they are.
    void showTodaysMame(const std::optional<QString>& version);

    // The caption beside the slider, "Frameskip: " and its position.
    QLabel* FrameskipLabel;

Q_SIGNALS:
    // The options that name the program to run changed: byUser when the user changed them,
    // not a value applied from the store or a file.
    void programChanged(bool byUser);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makeControl(const OptionInfo& info);

    void FrameskipSlider_Change();
    void AdditionalParamCheck_Click();
    void OriginalMameOption_Click();
    void AlternateMameOption_Click();

    QWidget* m_parent;
    std::array<QWidget*, kOptionCount> m_controls{};
    HeightChange m_changeWindowHeight;
};
