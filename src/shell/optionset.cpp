#include "shell/optionset.h"

#include <algorithm>

namespace {

using enum OptionId;
using enum OptionKind;

constexpr std::array<OptionInfo, kOptionCount> kInfos{{
    {OriginalMameOption, "OriginalMameOption", OptionButton},
    {AlternateMameOption, "AlternateMameOption", OptionButton},
    {AlternateMameText, "AlternateMameText", TextField},
    {AdditionalParamText, "AdditionalParamText", TextField},
    {BeamText, "BeamText", TextField},
    {FlickerText, "FlickerText", TextField},
    {GammaText, "GammaText", TextField},
    {FrameskipSlider, "FrameskipSlider", Slider},
    {CheatCheck, "CheatCheck", CheckBox},
    {AdditionalParamCheck, "AdditionalParamCheck", CheckBox},
    {BeamCheck, "BeamCheck", CheckBox},
    {FlickerCheck, "FlickerCheck", CheckBox},
    {SbOplCheck, "SbOplCheck", CheckBox},
    {GammaCheck, "GammaCheck", CheckBox},
    {VideoCombo, "VideoCombo", ComboBox},
    {AudioCombo, "AudioCombo", ComboBox},
    {DoubleCombo, "DoubleCombo", ComboBox},
    {DepthCombo, "DepthCombo", ComboBox},
    {VGAFreqCombo, "VGAFreqCombo", ComboBox},
    {ScanlinesCombo, "ScanlinesCombo", ComboBox},
    {VESACombo, "VESACombo", ComboBox},
    {VSyncCombo, "VSyncCombo", ComboBox},
    {RotateCombo, "RotateCombo", ComboBox},
    {FlipCombo, "FlipCombo", ComboBox},
    {SampleRateCombo, "SampleRateCombo", ComboBox},
    {BitRateCombo, "BitRateCombo", ComboBox},
    {AntialiasCombo, "AntialiasCombo", ComboBox},
    {JoyCombo, "JoyCombo", ComboBox},
    {TranslucencyCombo, "TranslucencyCombo", ComboBox},
}};

static_assert([] {
    for (int i = 0; i < kOptionCount; ++i) {
        if (static_cast<int>(kInfos[static_cast<size_t>(i)].id) != i)
            return false;
    }
    return true;
}());

using BoolField = bool OptionSet::*;
using IntField = int OptionSet::*;
using TextField_ = QString OptionSet::*;
using Field = std::variant<BoolField, IntField, TextField_>;

// The record's member for each option, in store order.
const std::array<Field, kOptionCount> kFields{
    &OptionSet::OriginalMameOption, &OptionSet::AlternateMameOption,
    &OptionSet::AlternateMameText,  &OptionSet::AdditionalParamText,
    &OptionSet::BeamText,           &OptionSet::FlickerText,
    &OptionSet::GammaText,          &OptionSet::FrameskipSlider,
    &OptionSet::CheatCheck,         &OptionSet::AdditionalParamCheck,
    &OptionSet::BeamCheck,          &OptionSet::FlickerCheck,
    &OptionSet::SbOplCheck,         &OptionSet::GammaCheck,
    &OptionSet::VideoCombo,         &OptionSet::AudioCombo,
    &OptionSet::DoubleCombo,        &OptionSet::DepthCombo,
    &OptionSet::VGAFreqCombo,       &OptionSet::ScanlinesCombo,
    &OptionSet::VESACombo,          &OptionSet::VSyncCombo,
    &OptionSet::RotateCombo,        &OptionSet::FlipCombo,
    &OptionSet::SampleRateCombo,    &OptionSet::BitRateCombo,
    &OptionSet::AntialiasCombo,     &OptionSet::JoyCombo,
    &OptionSet::TranslucencyCombo,
};

const Field& fieldOf(OptionId id)
{
    return kFields[static_cast<size_t>(id)];
}

} // namespace

const std::array<OptionInfo, kOptionCount>& optionInfos()
{
    return kInfos;
}

const OptionInfo& optionInfo(OptionId id)
{
    return kInfos[static_cast<size_t>(id)];
}

QString optionName(OptionId id)
{
    return QString::fromLatin1(optionInfo(id).name);
}

std::optional<OptionId> optionFromName(QStringView name)
{
    const auto it = std::find_if(kInfos.begin(), kInfos.end(), [name](const OptionInfo& info) {
        return name == QLatin1StringView(info.name);
    });
    if (it == kInfos.end())
        return std::nullopt;
    return it->id;
}

OptionValue OptionSet::value(OptionId id) const
{
    return std::visit([this](auto member) -> OptionValue { return this->*member; }, fieldOf(id));
}

bool OptionSet::setValue(OptionId id, const OptionValue& v)
{
    return std::visit(
        [this, &v](auto member) {
            using T = std::remove_reference_t<decltype(this->*member)>;
            if (const T* typed = std::get_if<T>(&v)) {
                this->*member = *typed;
                return true;
            }
            return false;
        },
        fieldOf(id));
}
