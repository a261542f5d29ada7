#include "mame/switches.h"

#include <algorithm>
#include <array>

namespace {

using enum OptionId;

constexpr std::array kNotInTodaysMame{SbOplCheck, BitRateCombo,   DoubleCombo,
                                      DepthCombo, VGAFreqCombo,   ScanlinesCombo,
                                      VESACombo,  AntialiasCombo, TranslucencyCombo};

// clang-format off
constexpr EntrySwitches kAudio[] = {{}, {{}, u"-sound none "}, {}, {}, {}, {}, {}, {}, {}};
constexpr EntrySwitches kDouble[] = {{}, {u"-double "}, {u"-nodouble "}};
constexpr EntrySwitches kDepth[] = {{}, {u"-depth 8 "}, {u"-depth 16 "}};
constexpr EntrySwitches kScanlines[] = {{}, {u"-scanlines "}, {u"-noscanlines "}};
constexpr EntrySwitches kVesa[] = {
    {}, {u"-novesa "}, {u"-vesa -vesamode vesa1 "}, {u"-vesa -vesamode vesa2b "},
    {u"-vesa -vesamode vesa2l "}, {u"-vesa -vesamode vesa3 "}};
constexpr EntrySwitches kVSync[] = {
    {}, {u"-vsync ", u"-waitvsync "}, {u"-novsync ", u"-nowaitvsync "}};
constexpr EntrySwitches kRotate[] = {
    {}, {u"-norotate ", u"-norotate "}, {u"-ror ", u"-ror "}, {u"-rol ", u"-rol "}};
constexpr EntrySwitches kFlip[] = {
    {}, {u"-flipx ", u"-flipx "}, {u"-flipy ", u"-flipy "}, {u"-flipx -flipy ", u"-flipx -flipy "}};
constexpr EntrySwitches kAntialias[] = {{}, {u"-antialias "}, {u"-noantialias "}};
constexpr EntrySwitches kTranslucency[] = {{}, {u"-translucency "}, {u"-notranslucency "}};
// Today's MAME has one switch for a joystick, whatever its kind.
constexpr EntrySwitches kJoy[] = {
    {},
    {u"-joy none ", u"-nojoystick "},
    {u"-joy auto ", u"-joystick "},
    {u"-joy standard ", u"-joystick "},
    {u"-joy dual ", u"-joystick "},
    {u"-joy 4button ", u"-joystick "},
    {u"-joy 6button ", u"-joystick "},
    {u"-joy 8button ", u"-joystick "},
    {u"-joy fspro ", u"-joystick "},
    {u"-joy wingex ", u"-joystick "},
    {u"-joy wingwarrior ", u"-joystick "},
    {u"-joy sidewinder ", u"-joystick "},
    {u"-joy gamepadpro ", u"-joystick "},
    {u"-joy sneslpt1 ", u"-joystick "},
    {u"-joy sneslpt2 ", u"-joystick "},
    {u"-joy sneslpt3 ", u"-joystick "},
    {u"-joy psxlpt1 ", u"-joystick "},
    {u"-joy psxlpt2 ", u"-joystick "},
    {u"-joy psxlpt3 ", u"-joystick "},
    {u"-joy n64lpt1 ", u"-joystick "},
    {u"-joy n64lpt2 ", u"-joystick "},
    {u"-joy n64lpt3 ", u"-joystick "},
};
// clang-format on

} // namespace

bool usedByTodaysMame(OptionId id)
{
    return std::find(kNotInTodaysMame.begin(), kNotInTodaysMame.end(), id) ==
           kNotInTodaysMame.end();
}

std::span<const EntrySwitches> entrySwitches(OptionId combo)
{
    switch (combo) {
    case AudioCombo:
        return kAudio;
    case DoubleCombo:
        return kDouble;
    case DepthCombo:
        return kDepth;
    case ScanlinesCombo:
        return kScanlines;
    case VESACombo:
        return kVesa;
    case VSyncCombo:
        return kVSync;
    case RotateCombo:
        return kRotate;
    case FlipCombo:
        return kFlip;
    case AntialiasCombo:
        return kAntialias;
    case JoyCombo:
        return kJoy;
    case TranslucencyCombo:
        return kTranslucency;
    default:
        return {};
    }
}
