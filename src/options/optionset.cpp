#include "options/optionset.h"

#include "options/optiontext.h"

#include <algorithm>

namespace {

using enum OptionId;
using enum OptionKind;

// clang-format off
constexpr std::array<OptionInfo, kOptionCount> kInfos{{
    // id, name, kind, default text, initial text, caption, tooltip
    {OriginalMameOption, u"OriginalMameOption", OptionButton, u"True", u"True",
     u"Original MAME", u"Use original MAME DOS release"},
    {AlternateMameOption, u"AlternateMameOption", OptionButton, u"False", u"False",
     u"Altenate build:", u"Use non-official MAME like PentiuMame..."},
    {AlternateMameText, u"AlternateMameText", TextField, u"", u"Pmame31", {}, {}},
    {AdditionalParamText, u"AdditionalParamText", TextField, u"", u"Add your shit here !", {}, {}},
    {BeamText, u"BeamText", TextField, u"1.00", u"1.00", {}, {}},
    {FlickerText, u"FlickerText", TextField, u"0", u"0", {}, {}},
    {GammaText, u"GammaText", TextField, u"1.20", u"1.00", {}, {}},
    {FrameskipSlider, u"FrameskipSlider", Slider, u"0", u"0", {}, {}},
    {CheatCheck, u"CheatCheck", CheckBox, u"0", u"0", u"Enable cheat", u"Enable cheat"},
    {AdditionalParamCheck, u"AdditionalParamCheck", CheckBox, u"0", u"0",
     u"Additional parameters:", {}},
    {BeamCheck, u"BeamCheck", CheckBox, u"0", u"0", u"Beam:", {}},
    {FlickerCheck, u"FlickerCheck", CheckBox, u"0", u"0", u"Flicker:", {}},
    {SbOplCheck, u"SbOplCheck", CheckBox, u"0", u"0", u"Use the SoundBlaster OPL chip",
     u"Faster but less faithful"},
    {GammaCheck, u"GammaCheck", CheckBox, u"0", u"0", u"Gamma:", {}},
    {VideoCombo, u"VideoCombo", ComboBox, u"0", u"-1", {}, u"Choose your prefered res here..."},
    {AudioCombo, u"AudioCombo", ComboBox, u"0", u"-1", {},
     u"Choose SB if you got a SB AWE32 for better results"},
    {DoubleCombo, u"DoubleCombo", ComboBox, u"0", u"-1", {},
     u"Can make redraws faster but reduce the image..."},
    {DepthCombo, u"DepthCombo", ComboBox, u"0", u"-1", {}, {}},
    {VGAFreqCombo, u"VGAFreqCombo", ComboBox, u"0", u"-1", {},
     u"WARNING: Can damage your monitior ! Please read MAME documentation..."},
    {ScanlinesCombo, u"ScanlinesCombo", ComboBox, u"0", u"-1", {}, {}},
    {VESACombo, u"VESACombo", ComboBox, u"0", u"-1", {}, {}},
    {VSyncCombo, u"VSyncCombo", ComboBox, u"0", u"-1", {}, {}},
    {RotateCombo, u"RotateCombo", ComboBox, u"0", u"-1", {}, {}},
    {FlipCombo, u"FlipCombo", ComboBox, u"0", u"-1", {}, {}},
    {SampleRateCombo, u"SampleRateCombo", ComboBox, u"0", u"-1", {}, {}},
    {BitRateCombo, u"BitRateCombo", ComboBox, u"0", u"-1", {},
     u"For the software sound rendering engine not your soundcard..."},
    {AntialiasCombo, u"AntialiasCombo", ComboBox, u"0", u"-1", {}, {}},
    {JoyCombo, u"JoyCombo", ComboBox, u"0", u"-1", {}, {}},
    {TranslucencyCombo, u"TranslucencyCombo", ComboBox, u"0", u"-1", {}, {}},
}};
// clang-format on

static_assert([] {
    for (int i = 0; i < kOptionCount; ++i) {
        if (static_cast<int>(kInfos[static_cast<size_t>(i)].id) != i)
            return false;
    }
    return true;
}());

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
    return optionInfo(id).name.toString();
}

std::optional<OptionId> optionFromName(QStringView name)
{
    const auto it = std::find_if(kInfos.begin(), kInfos.end(),
                                 [name](const OptionInfo& info) { return name == info.name; });
    if (it == kInfos.end())
        return std::nullopt;
    return it->id;
}

QStringView propertySuffix(OptionKind kind)
{
    switch (kind) {
    case OptionKind::TextField:
        return u"Text";
    case OptionKind::ComboBox:
        return u"ListIndex";
    default:
        return u"Value";
    }
}

QString fileKey(OptionId id)
{
    const OptionInfo& info = optionInfo(id);
    return info.name % u'.' % propertySuffix(info.kind);
}

OptionSet::OptionSet()
{
    for (const OptionInfo& info : kInfos) {
        const ParsedOption initial = parseOptionText(info.kind, info.initialText);
        Q_ASSERT(initial.ok());
        m_values[index(info.id)] = initial.value;
    }
}

bool OptionSet::setValue(OptionId id, const OptionValue& v)
{
    if (v.index() != m_values[index(id)].index())
        return false;
    m_values[index(id)] = v;
    return true;
}

bool OptionSet::flag(OptionId id) const
{
    Q_ASSERT(optionInfo(id).kind == OptionKind::OptionButton);
    return std::get<bool>(value(id));
}

int OptionSet::number(OptionId id) const
{
    return std::get<int>(value(id));
}

const QString& OptionSet::text(OptionId id) const
{
    return std::get<QString>(value(id));
}
