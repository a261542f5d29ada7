#pragma once

#include <QCheckBox>
#include <QRadioButton>

// A check box that the user toggles between cleared and checked only; the greyed state
// arises only when a stored value of 2 is applied, and a click on it checks the box.
class OptionCheckBox final : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override;
};

// An option button of a pair that may both be clear. Choosing it is for its owner to pair
// with clearing the other; a click on the chosen button leaves it chosen.
class OptionRadioButton final : public QRadioButton
{
    Q_OBJECT

public:
    explicit OptionRadioButton(const QString& text, QWidget* parent = nullptr);

protected:
    void nextCheckState() override;
};
