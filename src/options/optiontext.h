#pragma once

#include "options/optionset.h"

#include <QString>
#include <QStringView>

// An option value as text, the same in the settings store and in per-game files:
// "True"/"False" for option buttons, plain decimal numbers for check boxes, combo indexes and
// the slider, texts exactly as they stand.
QString optionText(const OptionValue& value);

// Why a stored text could not become a value. The numbers are the codes the program shows
// for them.
enum class ValueFailure
{
    None = 0,
    Overflow = 6,      // a whole number outside the option's 16-bit or 32-bit range
    TypeMismatch = 13, // an option button's text that is neither True, False nor a number
};

struct ParsedOption
{
    OptionValue value;
    ValueFailure failure = ValueFailure::None;

    bool ok() const { return failure == ValueFailure::None; }
};

// The value of a stored text for an option of kind. Whole numbers never fail on a text that
// is not a number (it reads as 0), only on one outside the range; whether the control takes
// the value is a further question, for the control.
ParsedOption parseOptionText(OptionKind kind, QStringView text);
