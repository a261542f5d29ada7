#include "options/optiontext.h"

#include "options/valuetext.h"

QString optionText(const OptionValue& value)
{
    if (const bool* chosen = std::get_if<bool>(&value))
        return *chosen ? QStringLiteral("True") : QStringLiteral("False");
    if (const int* number = std::get_if<int>(&value))
        return QString::number(*number);
    return std::get<QString>(value);
}

ParsedOption parseOptionText(OptionKind kind, QStringView text)
{
    switch (kind) {
    case OptionKind::OptionButton:
        if (const auto chosen = valuetext::toBoolean(text))
            return {*chosen};
        return {false, ValueFailure::TypeMismatch};
    case OptionKind::CheckBox:
    case OptionKind::ComboBox:
        if (const auto number = valuetext::toInt16(text))
            return {int{*number}};
        return {0, ValueFailure::Overflow};
    case OptionKind::Slider:
        if (const auto number = valuetext::toInt32(text))
            return {int{*number}};
        return {0, ValueFailure::Overflow};
    case OptionKind::TextField:
        break;
    }
    return {text.toString()};
}
