#include "options/optiontables.h"

namespace {

constexpr ComboEntry kVideo[] = {{u"Default"}, {u"320x240"}, {u"400x300"}, {u"512x384"},
                                 {u"640x480"}, {u"800x600"}, {u"1024x768"}};

constexpr ComboEntry kAudio[] = {
    {u"Ask Interactively", -1}, {u"Silence", 0},
    {u"Sound Blaster", 1},      {u"Sound Blaster AWE32", 2},
    {u"Pro Audio Spectrum", 3}, {u"Ultrasound MAX", 4},
    {u"Ultrasound", 5},         {u"Windows Sound System", 6},
    {u"Ensoniq Soundscape", 7},
};

constexpr ComboEntry kDouble[] = {{u"Default"}, {u"Yes"}, {u"No"}};
constexpr ComboEntry kDepth[] = {{u"Default"}, {u"8bit [256]"}, {u"16bit [65k]"}};
constexpr ComboEntry kVgaFreq[] = {{u"Default"}, {u"1", 1}, {u"2", 2}, {u"3", 3}};
constexpr ComboEntry kScanlines[] = {{u"Default"}, {u"Scanlines"}, {u"No scanlines"}};
constexpr ComboEntry kVesa[] = {
    {u"Default"}, {u"No VESA"}, {u"VESA1"}, {u"VESA2b"}, {u"VESA2l"}, {u"VESA3"},
};
constexpr ComboEntry kVSync[] = {{u"Default"}, {u"VSync"}, {u"No VSync"}};
constexpr ComboEntry kRotate[] = {
    {u"Default"}, {u"No rotate"}, {u"Clockwise"}, {u"Anit-clockwise"}};
constexpr ComboEntry kFlip[] = {{u"Default"}, {u"X only"}, {u"Y only"}, {u"X&Y"}};
constexpr ComboEntry kSampleRate[] = {
    {u"Default"}, {u"11,025 kHz", 11025}, {u"22,050 kHz", 22050}, {u"44,100 kHz", 44100}};
constexpr ComboEntry kBitRate[] = {{u"Default"}, {u"8 bits", 8}, {u"16 bits", 16}};
constexpr ComboEntry kAntialias[] = {{u"Default"}, {u"Antialias"}, {u"No Antialias"}};
constexpr ComboEntry kTranslucency[] = {{u"Default"}, {u"Translucency"}, {u"No Translucency"}};

constexpr ComboEntry kJoy[] = {
    {u"Default"},
    {u"No joystick"},
    {u"Auto detection"},
    {u"2 buttons stick/pad"},
    {u"Dual sticks/pads"},
    {u"4 buttons stick/pad"},
    {u"6 buttons stick/pad"},
    {u"8 buttons stick/pad"},
    {u"CH Flightstick Pro"},
    {u"Wingman Extreme"},
    {u"Wingman Warrior"},
    {u"Microsoft Sidewinder (up to 4)"},
    {u"Gravis GamePad Pro"},
    {u"SNES pad LPT1"},
    {u"SNES pad LPT2"},
    {u"SNES pad LPT3"},
    {u"PSX pad LPT1"},
    {u"PSX pad LPT2"},
    {u"PSX pad LPT3"},
    {u"N64 pad LPT1"},
    {u"N64 pad LPT2"},
    {u"N64 pad LPT3"},
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
