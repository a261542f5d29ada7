#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <variant>

// The 29 launch options, each named after the control that shows it. The order is the
// order of the settings store and of the per-game files; stored files rely on the names.
// optionInfos() describes each one; the two lists are kept in step by a compile-time check.
enum class OptionId
{
    OriginalMameOption,
    AlternateMameOption,
    AlternateMameText,
    AdditionalParamText,
    BeamText,
    FlickerText,
    GammaText,
    FrameskipSlider,
    CheatCheck,
    AdditionalParamCheck,
    BeamCheck,
    FlickerCheck,
    SbOplCheck,
    GammaCheck,
    VideoCombo,
    AudioCombo,
    DoubleCombo,
    DepthCombo,
    VGAFreqCombo,
    ScanlinesCombo,
    VESACombo,
    VSyncCombo,
    RotateCombo,
    FlipCombo,
    SampleRateCombo,
    BitRateCombo,
    AntialiasCombo,
    JoyCombo,
    TranslucencyCombo,
};

inline constexpr int kOptionCount = 29;

enum class OptionKind
{
    OptionButton, // bool: chosen or not
    CheckBox,     // int, 16-bit: 0 cleared, 1 checked, 2 greyed
    ComboBox,     // int, 16-bit: zero-based entry index, -1 for none
    Slider,       // int, 32-bit: position
    TextField,    // QString
};

// One option's value: bool for option buttons, int for check boxes, combo boxes and the
// slider, QString for text fields.
using OptionValue = std::variant<bool, int, QString>;

// Everything the program knows of one option, written once: the panel builds its control
// from it, the settings store and the per-game files name and convert the value by it.
struct OptionInfo
{
    OptionId id;
    QStringView name; // the control's name and the settings key
    OptionKind kind;
    QStringView defaultText; // the default option set's text when the store lacks the key
    QStringView initialText; // the control's content when the main window is created
    QStringView caption;     // an option button's or check box's own caption
    QStringView toolTip;
};

// The 29 options in store order.
const std::array<OptionInfo, kOptionCount>& optionInfos();
const OptionInfo& optionInfo(OptionId id);
QString optionName(OptionId id);
std::optional<OptionId> optionFromName(QStringView name);

// The property that holds a value of this kind, the suffix of the option's key in a
// per-game file: "Value", "Text" or "ListIndex".
QStringView propertySuffix(OptionKind kind);
// The option's key in a per-game file, such as "VideoCombo.ListIndex".
QString fileKey(OptionId id);

// A plain value record of the option set, as the panel shows it at one moment. A new record
// holds the controls' contents when the main window is created.
class OptionSet
{
public:
    OptionSet();

    const OptionValue& value(OptionId id) const { return m_values[index(id)]; }
    // Stores v; false (and nothing changed) when v is not of the option's type.
    bool setValue(OptionId id, const OptionValue& v);

    // Typed reads; each asserts that the option is of the kind asked for.
    bool flag(OptionId id) const;
    int number(OptionId id) const;
    const QString& text(OptionId id) const;

    friend bool operator==(const OptionSet&, const OptionSet&) = default;

private:
    static std::size_t index(OptionId id) { return static_cast<std::size_t>(id); }

    std::array<OptionValue, kOptionCount> m_values;
};
