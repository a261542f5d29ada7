#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <variant>

// The 29 launch options, each named after the control that shows it. The order is the
// order of the settings store and of the per-game files; stored files rely on the names.
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
    CheckBox,     // int: 0 cleared, 1 checked, 2 greyed
    ComboBox,     // int: zero-based entry index, -1 for none
    Slider,       // int: position
    TextField,    // QString
};

// One option's value: bool for option buttons, int for check boxes, combo boxes and the
// slider, QString for text fields.
using OptionValue = std::variant<bool, int, QString>;

struct OptionInfo
{
    OptionId id;
    const char* name; // the control's name, the settings key
    OptionKind kind;
};

// The 29 options in store order.
const std::array<OptionInfo, kOptionCount>& optionInfos();
const OptionInfo& optionInfo(OptionId id);
QString optionName(OptionId id);
std::optional<OptionId> optionFromName(QStringView name);

// A plain value record of the option set, as the panel shows it at one moment. The member
// initializers are the controls' contents when the main window is created.
struct OptionSet
{
    bool OriginalMameOption = true;
    bool AlternateMameOption = false;
    QString AlternateMameText = QStringLiteral("Pmame31");
    QString AdditionalParamText = QStringLiteral("Add your shit here !");
    QString BeamText = QStringLiteral("1.00");
    QString FlickerText = QStringLiteral("0");
    QString GammaText = QStringLiteral("1.00");
    int FrameskipSlider = 0;
    int CheatCheck = 0;
    int AdditionalParamCheck = 0;
    int BeamCheck = 0;
    int FlickerCheck = 0;
    int SbOplCheck = 0;
    int GammaCheck = 0;
    int VideoCombo = -1;
    int AudioCombo = -1;
    int DoubleCombo = -1;
    int DepthCombo = -1;
    int VGAFreqCombo = -1;
    int ScanlinesCombo = -1;
    int VESACombo = -1;
    int VSyncCombo = -1;
    int RotateCombo = -1;
    int FlipCombo = -1;
    int SampleRateCombo = -1;
    int BitRateCombo = -1;
    int AntialiasCombo = -1;
    int JoyCombo = -1;
    int TranslucencyCombo = -1;

    OptionValue value(OptionId id) const;
    // Stores v in the field; false (and nothing changed) when v is not of the field's type.
    bool setValue(OptionId id, const OptionValue& v);

    friend bool operator==(const OptionSet&, const OptionSet&) = default;
};
