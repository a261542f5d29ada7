#include "ui/options/optioncontrols.h"

void OptionCheckBox::nextCheckState()
{
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

OptionRadioButton::OptionRadioButton(const QString& text, QWidget* parent)
    : QRadioButton(text, parent)
{
    // Exclusivity is kept by the owner, so that a stored pair of "False" can clear both.
    setAutoExclusive(false);
}

void OptionRadioButton::nextCheckState()
{
    setChecked(true);
}
