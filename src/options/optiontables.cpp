#include "options/optiontables.h"

namespace {

constexpr ComboEntry kVideo[] = {{u"Default"}, {u"320x240"}, {u"400x300"}, {u"512x384"},
                                 {u"640x480"}, {u"800x600"}, {u"1024x768"}};

constexpr ComboEntry kAudio[] = {
    {u"Ask Interactively", -1},  {u"Silence", 0, {}, u"-sound none "}, {u"Sound Blaster", 1},
    {u"Sound Blaster AWE32", 2}, {u"Pro Audio Spectrum", 3},           {u"Ultrasound MAX", 4},
    {u"Ultrasound", 5},          {u"Windows Sound System", 6},         {u"Ensoniq Soundscape", 7},
};

constexpr ComboEntry kDouble[] = {
    {u"Default"}, {u"Yes", 0, u"-double "}, {u"No", 0, u"-nodouble "}};
constexpr ComboEntry kDepth[] = {
    {u"Default"}, {u"8bit [256]", 0, u"-depth 8 "}, {u"16bit [65k]", 0, u"-depth 16 "}};
constexpr ComboEntry kVgaFreq[] = {{u"Default", 0}, {u"1", 1}, {u"2", 2}, {u"3", 3}};
constexpr ComboEntry kScanlines[] = {
    {u"Default"}, {u"Scanlines", 0, u"-scanlines "}, {u"No scanlines", 0, u"-noscanlines "}};
constexpr ComboEntry kVesa[] = {
    {u"Default"},
    {u"No VESA", 0, u"-novesa "},
    {u"VESA1", 0, u"-vesa -vesamode vesa1 "},
    {u"VESA2b", 0, u"-vesa -vesamode vesa2b "},
    {u"VESA2l", 0, u"-vesa -vesamode vesa2l "},
    {u"VESA3", 0, u"-vesa -vesamode vesa3 "},
};
constexpr ComboEntry kVSync[] = {{u"Default"},
                                 {u"VSync", 0, u"-vsync ", u"-waitvsync "},
                                 {u"No VSync", 0, u"-novsync ", u"-nowaitvsync "}};
constexpr ComboEntry kRotate[] = {{u"Default"},
                                  {u"No rotate", 0, u"-norotate ", u"-norotate "},
                                  {u"Clockwise", 0, u"-ror ", u"-ror "},
                                  {u"Anit-clockwise", 0, u"-rol ", u"-rol "}};
constexpr ComboEntry kFlip[] = {{u"Default"},
                                {u"X only", 0, u"-flipx ", u"-flipx "},
                                {u"Y only", 0, u"-flipy ", u"-flipy "},
                                {u"X&Y", 0, u"-flipx -flipy ", u"-flipx -flipy "}};
constexpr ComboEntry kSampleRate[] = {
    {u"Default", 0}, {u"11,025 kHz", 11025}, {u"22,050 kHz", 22050}, {u"44,100 kHz", 44100}};
constexpr ComboEntry kBitRate[] = {{u"Default", 0}, {u"8 bits", 8}, {u"16 bits", 16}};
constexpr ComboEntry kAntialias[] = {
    {u"Default"}, {u"Antialias", 0, u"-antialias "}, {u"No Antialias", 0, u"-noantialias "}};
constexpr ComboEntry kTranslucency[] = {{u"Default"},
                                        {u"Translucency", 0, u"-translucency "},
                                        {u"No Translucency", 0, u"-notranslucency "}};

constexpr ComboEntry kJoy[] = {
    {u"Default"},
    {u"No joystick", 0, u"-joy none ", u"-nojoystick "},
    {u"Auto detection", 0, u"-joy auto ", u"-joystick "},
    {u"2 buttons stick/pad", 0, u"-joy standard ", u"-joystick "},
    {u"Dual sticks/pads", 0, u"-joy dual ", u"-joystick "},
    {u"4 buttons stick/pad", 0, u"-joy 4button ", u"-joystick "},
    {u"6 buttons stick/pad", 0, u"-joy 6button ", u"-joystick "},
    {u"8 buttons stick/pad", 0, u"-joy 8button ", u"-joystick "},
    {u"CH Flightstick Pro", 0, u"-joy fspro ", u"-joystick "},
    {u"Wingman Extreme", 0, u"-joy wingex ", u"-joystick "},
    {u"Wingman Warrior", 0, u"-joy wingwarrior ", u"-joystick "},
    {u"Microsoft Sidewinder (up to 4)", 0, u"-joy sidewinder ", u"-joystick "},
    {u"Gravis GamePad Pro", 0, u"-joy gamepadpro ", u"-joystick "},
    {u"SNES pad LPT1", 0, u"-joy sneslpt1 ", u"-joystick "},
    {u"SNES pad LPT2", 0, u"-joy sneslpt2 ", u"-joystick "},
    {u"SNES pad LPT3", 0, u"-joy sneslpt3 ", u"-joystick "},
    {u"PSX pad LPT1", 0, u"-joy psxlpt1 ", u"-joystick "},
    {u"PSX pad LPT2", 0, u"-joy psxlpt2 ", u"-joystick "},
    {u"PSX pad LPT3", 0, u"-joy psxlpt3 ", u"-joystick "},
    {u"N64 pad LPT1", 0, u"-joy n64lpt1 ", u"-joystick "},
    {u"N64 pad LPT2", 0, u"-joy n64lpt2 ", u"-joystick "},
    {u"N64 pad LPT3", 0, u"-joy n64lpt3 ", u"-joystick "},
};

} // namespace

std::span<const ComboEntry> comboEntries(OptionId id)
{
    switch (id) {
    case OptionId::VideoCombo:
        return kVideo;
    case OptionId::AudioCombo:
        return kAudio;
    case OptionId::DoubleCombo:
        return kDouble;
    case OptionId::DepthCombo:
        return kDepth;
    case OptionId::VGAFreqCombo:
        return kVgaFreq;
    case OptionId::ScanlinesCombo:
        return kScanlines;
    case OptionId::VESACombo:
        return kVesa;
    case OptionId::VSyncCombo:
        return kVSync;
    case OptionId::RotateCombo:
        return kRotate;
    case OptionId::FlipCombo:
        return kFlip;
    case OptionId::SampleRateCombo:
        return kSampleRate;
    case OptionId::BitRateCombo:
        return kBitRate;
    case OptionId::AntialiasCombo:
        return kAntialias;
    case OptionId::JoyCombo:
        return kJoy;
    case OptionId::TranslucencyCombo:
        return kTranslucency;
    default:
        return {};
    }
}
