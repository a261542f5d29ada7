// commandline_test.cpp: the MAME command line built from the option panel, the selected game
// and the caller's switches, for the classic MAME and for today's.

#include "mame/commandline.h"

#include "catalogue/listtype.h"
#include "fakes/fakemessageboxes.h"
#include "options/optiontables.h"

#include <gtest/gtest.h>

#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace {

using enum OptionId;
using Settings = std::vector<std::pair<OptionId, OptionValue>>;

// What start-up applies before any per-game file: every combo on its first entry, every
// box cleared, the slider at 0 and the original build chosen; then the case's own settings.
OptionSet options(const Settings& settings = {})
{
    OptionSet o;
    for (const OptionInfo& info : optionInfos()) {
        if (info.kind != OptionKind::OptionButton && info.kind != OptionKind::TextField)
            o.setValue(info.id, 0);
    }
    for (const auto& [id, value] : settings)
        o.setValue(id, value);
    return o;
}

const SelectedGame kSmashtv{u"smashtv"_qs, u"?"_qs, u"Smash T.V."_qs};
const SelectedGame kHack{u"H"_qs, u"P"_qs, u"Hack"_qs};
const MameInfo kToday{MameDialect::Today, {}, {}, u"/roms"_qs};
const std::string kClassicDefault = "MAME smashtv -soundcard -1 ";
const std::string kTodayDefault = "MAME smashtv ";

// The line for the classic MAME (today == nullptr) or for today's.
CommandLine build(const OptionSet& o, const MameInfo* today, FakeMessageBoxes& messages,
                  const std::optional<SelectedGame>& game = kSmashtv, int listType = FullList,
                  const CommandLine& extraSwitches = {})
{
    return BuildCommandLine(o, game, listType, extraSwitches, messages,
                            today ? *today : MameInfo());
}

// Its text, as CommandlineLabel shows it. Unless a field holds a blank, its words are the
// text's blank-separated pieces: that is checked on every line here.
std::string line(const OptionSet& o, const MameInfo* today, FakeMessageBoxes& messages,
                 const std::optional<SelectedGame>& game = kSmashtv, int listType = FullList,
                 const CommandLine& extraSwitches = {})
{
    const CommandLine built = build(o, today, messages, game, listType, extraSwitches);
    if (!built.text.contains(u'"') && !built.text.contains(u'\t') &&
        !(game && game->name.contains(u' '))) {
        EXPECT_EQ(built.words, built.text.split(u' ', Qt::SkipEmptyParts));
    }
    return built.text.toStdString();
}

// A caller's switches with words of their own.
CommandLine extra(const char* text)
{
    const QString t = QString::fromUtf8(text);
    return {t, t.split(u' ', Qt::SkipEmptyParts)};
}

TEST(BuildCommandLineTest, BuildsTheLineOfEachLaunch)
{
    const struct
    {
        const char* what;
        Settings settings;
        const char* classic;
        const char* today;
        CommandLine extraSwitches = {};
        std::optional<SelectedGame> game = kSmashtv;
        int listType = FullList;
    } cases[] = {
        // clang-format off
        {"no selected row", {}, "MAME -soundcard -1 ", "MAME ", {}, std::nullopt},
        {"home hacks without a selected row", {}, "MAME -soundcard -1 ", "MAME ", {}, std::nullopt,
         HomeHacks},
        {"a parent is ignored outside home hacks", {}, "MAME H -soundcard -1 ", "MAME H ", {}, kHack,
         OnlyNeoGeo},
        {"alternate build with an empty name",
         {{OriginalMameOption, false}, {AlternateMameText, QString()}},
         " smashtv -soundcard -1 ", " smashtv "},
        {"only OriginalMameOption picks the program", {{AlternateMameOption, true}},
         kClassicDefault.c_str(), kTodayDefault.c_str()},
        {"the caller's switches: after the cheat switch, before the joystick",
         {{CheatCheck, 1}, {JoyCombo, 2}},
         "MAME smashtv -soundcard -1 -cheat -record Default -joy auto ",
         "MAME smashtv -cheat -record Default -joystick ", extra("-record Default ")},
        // A greyed box (2) counts as set, except for the cheats and the free text.
        {"greyed boxes, and the slider's last position that is not today's auto",
         {{SbOplCheck, 2}, {GammaCheck, 2}, {BeamCheck, 2}, {FlickerCheck, 2}, {CheatCheck, 2},
          {AdditionalParamCheck, 2}, {FrameskipSlider, 10}},
         "MAME smashtv -soundcard -1 -fm  -frameskip 10 -gamma 1.00 -beam 1.00 -flicker 0 ",
         "MAME smashtv -frameskip 10 -gamma 1.00 -beam_width_min 1.00 -beam_width_max 1.00 "
         "-flicker 0 "},
        {"ticked boxes with the texts they start with, and today's auto frameskip",
         {{SbOplCheck, 1}, {GammaCheck, 1}, {BeamCheck, 1}, {FlickerCheck, 1}, {CheatCheck, 1},
          {AdditionalParamCheck, 1}, {FrameskipSlider, 11}},
         "MAME smashtv -soundcard -1 -fm  -frameskip 11 -gamma 1.00 -beam 1.00 -flicker 0 -cheat "
         "Add your shit here ! ",
         "MAME smashtv -autoframeskip -gamma 1.00 -beam_width_min 1.00 -beam_width_max 1.00 "
         "-flicker 0 -cheat Add your shit here ! "},
        {"additional parameters ticked with an empty text",
         {{AdditionalParamCheck, 1}, {AdditionalParamText, QString()}},
         "MAME smashtv -soundcard -1  ", "MAME smashtv  "},
        {"texts go in untouched",
         {{OriginalMameOption, false}, {AlternateMameText, u" my mame"_qs}, {GammaCheck, 1},
          {GammaText, u" \"1,5\" "_qs}, {AdditionalParamCheck, 1},
          {AdditionalParamText, u"-a\t; $(b) "_qs}},
         " my mame sm ash -soundcard -1 -gamma  \"1,5\"  x-a\t; $(b)  ",
         " my mame sm ash -gamma  \"1,5\"  x-a\t; $(b)  ", extra("x"),
         SelectedGame{u"sm ash"_qs, {}, {}}},
        // A home hack: its parent with its directory; today's MAME takes one ROM path, the
        // hack's directory, then MAME's own.
        {"all 25 pieces in their order",
         {{OriginalMameOption, false}, {AlternateMameOption, true}, {AudioCombo, 1},
          {SampleRateCombo, 3}, {BitRateCombo, 2}, {SbOplCheck, 1}, {VideoCombo, 4},
          {FrameskipSlider, 3}, {DoubleCombo, 1}, {DepthCombo, 2}, {VGAFreqCombo, 1},
          {ScanlinesCombo, 2}, {VESACombo, 3}, {VSyncCombo, 1}, {GammaCheck, 1},
          {GammaText, u"1.20"_qs}, {RotateCombo, 2}, {FlipCombo, 3}, {AntialiasCombo, 1},
          {BeamCheck, 1}, {BeamText, u"1.50"_qs}, {FlickerCheck, 1}, {FlickerText, u"0.5"_qs},
          {TranslucencyCombo, 1}, {CheatCheck, 1}, {JoyCombo, 5}, {AdditionalParamCheck, 1},
          {AdditionalParamText, u"-log"_qs}},
         "Pmame31 P -romdir H -soundcard 0 -sr 44100 -sb 16 -fm -resolution 640x480  -frameskip 3 "
         "-double -depth 16 -vgafreq 1 -noscanlines -vesa -vesamode vesa2b -vsync -gamma 1.20 "
         "-ror -flipx -flipy -antialias -beam 1.50 -flicker 0.5 -translucency -cheat "
         "-record smash1 -joy 4button -log ",
         "Pmame31 P -rompath \"H;/roms\" -sound none -samplerate 44100 -resolution 640x480 "
         "-frameskip 3 -waitvsync -gamma 1.20 -ror -flipx -flipy "
         "-beam_width_min 1.50 -beam_width_max 1.50 -flicker 0.5 -cheat -record smash1 "
         "-joystick -log ",
         extra("-record smash1 "), kHack, HomeHacks},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeMessageBoxes messages;
        const OptionSet o = options(c.settings);
        EXPECT_EQ(line(o, nullptr, messages, c.game, c.listType, c.extraSwitches), c.classic);
        EXPECT_EQ(line(o, &kToday, messages, c.game, c.listType, c.extraSwitches), c.today);
        EXPECT_TRUE(messages.shown.isEmpty());
    }
}

// One entry of a combo: its text and the piece it gives each MAME's line.
struct ComboEntryCase
{
    const char* text;
    const char* classic;
    const char* today = "";
};

// The golden table: every entry of every option combo, as the panel shows it and as each
// MAME's line gets it.
TEST(BuildCommandLineTest, EveryComboEntryGivesItsPiece)
{
    // clang-format off
    const struct
    {
        OptionId combo;
        std::vector<ComboEntryCase> entries;
    } cases[] = {
        // The classic sound card switch is always passed; today's MAME only hears of silence.
        {AudioCombo, {{"Ask Interactively", "-soundcard -1 "}, {"Silence", "-soundcard 0 ", "-sound none "},
                      {"Sound Blaster", "-soundcard 1 "}, {"Sound Blaster AWE32", "-soundcard 2 "},
                      {"Pro Audio Spectrum", "-soundcard 3 "}, {"Ultrasound MAX", "-soundcard 4 "},
                      {"Ultrasound", "-soundcard 5 "}, {"Windows Sound System", "-soundcard 6 "},
                      {"Ensoniq Soundscape", "-soundcard 7 "}}},
        {SampleRateCombo, {{"Default", ""}, {"11,025 kHz", "-sr 11025 ", "-samplerate 11025 "},
                           {"22,050 kHz", "-sr 22050 ", "-samplerate 22050 "},
                           {"44,100 kHz", "-sr 44100 ", "-samplerate 44100 "}}},
        {BitRateCombo, {{"Default", ""}, {"8 bits", "-sb 8 "}, {"16 bits", "-sb 16 "}}},
        {VideoCombo, {{"Default", ""}, {"320x240", "-resolution 320x240 ", "-resolution 320x240 "},
                      {"400x300", "-resolution 400x300 ", "-resolution 400x300 "},
                      {"512x384", "-resolution 512x384 ", "-resolution 512x384 "},
                      {"640x480", "-resolution 640x480 ", "-resolution 640x480 "},
                      {"800x600", "-resolution 800x600 ", "-resolution 800x600 "},
                      {"1024x768", "-resolution 1024x768 ", "-resolution 1024x768 "}}},
        {DoubleCombo, {{"Default", ""}, {"Yes", "-double "}, {"No", "-nodouble "}}},
        {DepthCombo, {{"Default", ""}, {"8bit [256]", "-depth 8 "}, {"16bit [65k]", "-depth 16 "}}},
        {VGAFreqCombo, {{"Default", ""}, {"1", "-vgafreq 1 "}, {"2", "-vgafreq 2 "}, {"3", "-vgafreq 3 "}}},
        {ScanlinesCombo, {{"Default", ""}, {"Scanlines", "-scanlines "}, {"No scanlines", "-noscanlines "}}},
        {VESACombo, {{"Default", ""}, {"No VESA", "-novesa "}, {"VESA1", "-vesa -vesamode vesa1 "},
                     {"VESA2b", "-vesa -vesamode vesa2b "}, {"VESA2l", "-vesa -vesamode vesa2l "},
                     {"VESA3", "-vesa -vesamode vesa3 "}}},
        {VSyncCombo, {{"Default", ""}, {"VSync", "-vsync ", "-waitvsync "}, {"No VSync", "-novsync ", "-nowaitvsync "}}},
        {RotateCombo, {{"Default", ""}, {"No rotate", "-norotate ", "-norotate "}, {"Clockwise", "-ror ", "-ror "},
                       {"Anit-clockwise", "-rol ", "-rol "}}},
        {FlipCombo, {{"Default", ""}, {"X only", "-flipx ", "-flipx "}, {"Y only", "-flipy ", "-flipy "},
                     {"X&Y", "-flipx -flipy ", "-flipx -flipy "}}},
        {AntialiasCombo, {{"Default", ""}, {"Antialias", "-antialias "}, {"No Antialias", "-noantialias "}}},
        {TranslucencyCombo, {{"Default", ""}, {"Translucency", "-translucency "},
                             {"No Translucency", "-notranslucency "}}},
        // Today's MAME has one switch for any joystick.
        {JoyCombo, {{"Default", ""}, {"No joystick", "-joy none ", "-nojoystick "}, {"Auto detection", "-joy auto ", "-joystick "},
                    {"2 buttons stick/pad", "-joy standard ", "-joystick "}, {"Dual sticks/pads", "-joy dual ", "-joystick "},
                    {"4 buttons stick/pad", "-joy 4button ", "-joystick "}, {"6 buttons stick/pad", "-joy 6button ", "-joystick "},
                    {"8 buttons stick/pad", "-joy 8button ", "-joystick "}, {"CH Flightstick Pro", "-joy fspro ", "-joystick "},
                    {"Wingman Extreme", "-joy wingex ", "-joystick "}, {"Wingman Warrior", "-joy wingwarrior ", "-joystick "},
                    {"Microsoft Sidewinder (up to 4)", "-joy sidewinder ", "-joystick "},
                    {"Gravis GamePad Pro", "-joy gamepadpro ", "-joystick "}, {"SNES pad LPT1", "-joy sneslpt1 ", "-joystick "},
                    {"SNES pad LPT2", "-joy sneslpt2 ", "-joystick "}, {"SNES pad LPT3", "-joy sneslpt3 ", "-joystick "},
                    {"PSX pad LPT1", "-joy psxlpt1 ", "-joystick "}, {"PSX pad LPT2", "-joy psxlpt2 ", "-joystick "},
                    {"PSX pad LPT3", "-joy psxlpt3 ", "-joystick "}, {"N64 pad LPT1", "-joy n64lpt1 ", "-joystick "},
                    {"N64 pad LPT2", "-joy n64lpt2 ", "-joystick "}, {"N64 pad LPT3", "-joy n64lpt3 ", "-joystick "}}},
    };
    // clang-format on

    std::set<OptionId> tested;
    for (const auto& c : cases) {
        SCOPED_TRACE(optionName(c.combo).toStdString());
        tested.insert(c.combo);
        const std::span<const ComboEntry> entries = comboEntries(c.combo);
        ASSERT_EQ(c.entries.size(), entries.size());
        // One step outside the entries on either side: the piece is left out.
        for (int index = -1; index <= std::ssize(entries); ++index) {
            SCOPED_TRACE(index);
            const bool hasEntry = index >= 0 && index < std::ssize(entries);
            const ComboEntryCase entry =
                hasEntry ? c.entries[std::size_t(index)] : ComboEntryCase{"", ""};
            if (hasEntry) {
                EXPECT_EQ(entries[std::size_t(index)].text, QString::fromUtf8(entry.text));
            }
            // With default options every piece after the sound card is empty, so the piece
            // under test ends the line; the sound card's own piece stands in place of "-1".
            const std::string classicHead =
                c.combo == AudioCombo ? "MAME smashtv " : kClassicDefault;
            const OptionSet o = options({{c.combo, index}});
            FakeMessageBoxes messages;
            EXPECT_EQ(line(o, nullptr, messages), classicHead + entry.classic);
            EXPECT_EQ(line(o, &kToday, messages), kTodayDefault + entry.today);
            EXPECT_EQ(messages.shown.size(), c.combo == JoyCombo && !hasEntry ? 2 : 0);
        }
    }
    for (const OptionInfo& info : optionInfos())
        EXPECT_TRUE(info.kind != OptionKind::ComboBox || tested.contains(info.id))
            << optionName(info.id).toStdString();
}

// The golden table has each combo's index one step outside its entries; here, what the
// player is told of the joystick's, and that the pieces after it still follow.
TEST(BuildCommandLineTest, UnknownJoystickIsReportedAndLeftOut)
{
    FakeMessageBoxes messages;
    const OptionSet o =
        options({{JoyCombo, 22}, {AdditionalParamCheck, 1}, {AdditionalParamText, u"-log"_qs}});
    const CommandLine playback = extra("-playback a ");
    EXPECT_EQ(line(o, nullptr, messages, kSmashtv, FullList, playback),
              "MAME smashtv -soundcard -1 -playback a -log ");
    EXPECT_EQ(line(o, &kToday, messages, kSmashtv, FullList, playback),
              "MAME smashtv -playback a -log ");
    const QString past =
        u"Mmm? JoyCombo.ListIndex #22 is not supported, contact Brimwork for a fix!"_qs;
    ASSERT_EQ(messages.texts(), (QStringList{past, past}));
    EXPECT_EQ(messages.shown[0].title, u"Korvane"_qs);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
}

// What MAME receives, word by word, when a name comes from a file or is typed as a name: one
// word whatever it holds, or nothing at all when MAME could take it for a switch. Which
// characters a name may hold is MameWordsTest's; here, which rule each field answers to.
TEST(LaunchWordsTest, HostileFieldsStayOneWordOrAreRefused)
{
    const QString longName(10'000, u'a');
    const QString injected = u"astrohex -autoboot_script evil.lua"_qs;
    const struct
    {
        const char* what;
        SelectedGame game;
        int listType;
        bool playback;
        // The typed name, or the playback entry ("<entry>.INP" in INP); nullopt for a play.
        std::optional<QString> recording;
        const char* refused; // the role named by the refusal; nullptr when accepted
        QStringList classic; // the words after "MAME <name> -soundcard -1"
        QStringList today;   // the words after "MAME <name>"
    } cases[] = {
        // clang-format off
        {"a short name with switches", {injected, {}, u"Astro Hex"_qs}, FullList, false, std::nullopt, "short name", {}, {}},
        {"a hack's parent with switches", {u"hx9"_qs, u"pong -video none -autoboot_script hx9/boot.lua"_qs, u"Hack"_qs},
         HomeHacks, false, std::nullopt, "parent", {}, {}},
        {"a hack's directory with a blank", {u"my hack"_qs, u"pong"_qs, u"Hack"_qs}, HomeHacks, false, std::nullopt, "hack directory", {}, {}},
        {"a parent is not passed outside the hack list", {u"pong"_qs, u"-x y"_qs, u"Pong"_qs}, FullList, false, std::nullopt, nullptr, {}, {}},
        {"10,000 characters: one word", {longName, {}, u"Long"_qs}, FullList, false, std::nullopt, nullptr, {}, {}},
        {"a recording name with blanks", kSmashtv, FullList, false, u"my best"_qs, nullptr,
         {"-record", "my best"}, {"-input_directory", "INP", "-record", "my best.inp"}},
        {"a recording name with switches", kSmashtv, FullList, false, u"a -autoboot_script evil.lua"_qs, nullptr,
         {"-record", "a -autoboot_script evil.lua"},
         {"-input_directory", "INP", "-record", "a -autoboot_script evil.lua.inp"}},
        {"a recording that is a switch", kSmashtv, FullList, false, u"-autoboot_script"_qs, "recording", {}, {}},
        {"a playback file with switches in its name", kSmashtv, FullList, true, u"a -autoboot_script evil.lua"_qs, nullptr,
         {"-playback", "a -autoboot_script evil.lua"},
         {"-input_directory", "INP", "-playback", "a -autoboot_script evil.lua.INP"}},
        {"a playback file that is a switch", kSmashtv, FullList, true, u"-x"_qs, "recording", {}, {}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<QString> refusal = refusedLaunchNames(c.game, c.listType, c.recording);
        if (c.refused) {
            ASSERT_TRUE(refusal);
            EXPECT_TRUE(refusal->contains(QString::fromUtf8(c.refused))) << refusal->toStdString();
            EXPECT_TRUE(refusal->startsWith(u"The row \"" + c.game.description) ||
                        refusal->startsWith(u"The recording name"_qs));
            EXPECT_FALSE(refusal->contains(u'\n'));
            continue;
        }
        ASSERT_FALSE(refusal) << refusal->toStdString();
        for (const MameInfo* today : {static_cast<const MameInfo*>(nullptr), &kToday}) {
            const MameInfo mame = today ? *today : MameInfo();
            const CommandLine switches =
                !c.recording ? CommandLine()
                : c.playback ? playbackSwitches(*c.recording, *c.recording + u".INP", mame)
                             : recordSwitches(*c.recording, mame);
            FakeMessageBoxes messages;
            const QStringList expected =
                QStringList{"MAME", c.game.name} +
                (today ? c.today : QStringList{"-soundcard", "-1"} + c.classic);
            EXPECT_EQ(build(options(), today, messages, c.game, c.listType, switches).words,
                      expected);
        }
    }
}

// A hack's ROM path is one word; the additional parameters and the alternate build's text are
// split as the user typed them; a value typed in the panel is one word without its blanks.
TEST(LaunchWordsTest, TypedSwitchesAreSplitAndValuesAreNot)
{
    FakeMessageBoxes messages;
    const MameInfo today{MameDialect::Today, {}, {}, u"/my roms;/more"_qs};
    EXPECT_EQ(build(options(), &today, messages, kHack, HomeHacks),
              (CommandLine{"MAME P -rompath \"H;/my roms;/more\" ",
                           {"MAME", "P", "-rompath", "H;/my roms;/more"}}));
    const OptionSet o = options({{OriginalMameOption, false},
                                 {AlternateMameText, u"\"/opt/my mame\" -nowindow"_qs},
                                 {GammaCheck, 1},
                                 {GammaText, u" 1.5 -x "_qs},
                                 {AdditionalParamCheck, 1},
                                 {AdditionalParamText, u"-a\t\"b c\"; $(d)"_qs}});
    EXPECT_EQ(build(o, nullptr, messages).words,
              (QStringList{"/opt/my mame", "-nowindow", "smashtv", "-soundcard", "-1", "-gamma",
                           "1.5 -x", "-a", "b c;", "$(d)"}));
}

TEST(ProgramWordTest, NamesTheProgramToRun)
{
    const struct
    {
        bool original;
        const char* alternateText;
        std::optional<QString> expected;
    } cases[] = {
        {true, "pmame -x", u"MAME"_qs},
        {false, "  pmame31 -x", u"pmame31"_qs},
        {false, "\"/opt/my mame\" -x", u"/opt/my mame"_qs},
        {false, "", std::nullopt},
        {false, " \t ", std::nullopt},
        {false, "\"\" -x", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alternateText);
        const OptionSet o = options({{OriginalMameOption, c.original},
                                     {AlternateMameOption, !c.original},
                                     {AlternateMameText, QString::fromUtf8(c.alternateText)}});
        EXPECT_EQ(programWord(o), c.expected);
    }
}

} // namespace
