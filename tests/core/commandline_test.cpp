// commandline_test.cpp: the MAME command line built from the option panel, the selected game
// and the caller's switches.

#include "launch/commandline.h"

#include "catalogue/listtype.h"
#include "fakes/fakemessageboxes.h"
#include "platform/commandwords.h"
#include "shell/optiontables.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using enum OptionId;

// What start-up applies before any per-game file: every combo on its first entry, every
// box cleared, the slider at 0 and the original build chosen.
OptionSet defaultOptions()
{
    OptionSet o;
    for (const OptionInfo& info : optionInfos()) {
        if (info.kind == OptionKind::ComboBox || info.kind == OptionKind::CheckBox ||
            info.kind == OptionKind::Slider)
            o.setValue(info.id, 0);
    }
    return o;
}

const SelectedGame kSmashtv{QStringLiteral("smashtv"), QStringLiteral("?")};
constexpr const char* kDefaultLine = "MAME smashtv -soundcard -1 ";

struct LineCase
{
    const char* what;
    std::function<void(OptionSet&)> tweak;
    std::optional<SelectedGame> game;
    int listType;
    QString extraSwitches;
    std::string expected;
};

void noTweak(OptionSet&)
{}

TEST(BuildCommandLineTest, BuildsTheLineOfEachLaunch)
{
    const std::vector<LineCase> cases{
        {"default options, play", noTweak, kSmashtv, FullList, {}, kDefaultLine},
        {"no selected row", noTweak, std::nullopt, FullList, {}, "MAME -soundcard -1 "},
        {"frameskip brings two spaces",
         [](OptionSet& o) { o.setValue(FrameskipSlider, 2); },
         kSmashtv,
         FullList,
         {},
         "MAME smashtv -soundcard -1  -frameskip 2 "},
        {"alternate build",
         [](OptionSet& o) {
             o.setValue(OriginalMameOption, false);
             o.setValue(AlternateMameOption, true);
         },
         kSmashtv,
         FullList,
         {},
         "Pmame31 smashtv -soundcard -1 "},
        {"alternate build with an empty name",
         [](OptionSet& o) {
             o.setValue(OriginalMameOption, false);
             o.setValue(AlternateMameOption, true);
             o.setValue(AlternateMameText, QString());
         },
         kSmashtv,
         FullList,
         {},
         " smashtv -soundcard -1 "},
        {"only OriginalMameOption picks the program",
         [](OptionSet& o) { o.setValue(AlternateMameOption, true); },
         kSmashtv,
         FullList,
         {},
         kDefaultLine},
        {"home hack runs its parent with the hack's ROM directory",
         noTweak,
         SelectedGame{QStringLiteral("H"), QStringLiteral("P")},
         HomeHacks,
         {},
         "MAME P -romdir H -soundcard -1 "},
        {"home hacks without a selected row",
         noTweak,
         std::nullopt,
         HomeHacks,
         {},
         "MAME -soundcard -1 "},
        {"parent ignored outside home hacks",
         noTweak,
         SelectedGame{QStringLiteral("H"), QStringLiteral("P")},
         OnlyNeoGeo,
         {},
         "MAME H -soundcard -1 "},
        {"record: after the cheat switch, before the joystick",
         [](OptionSet& o) {
             o.setValue(CheatCheck, 1);
             o.setValue(JoyCombo, 2);
         },
         kSmashtv, FullList, QStringLiteral("-record Default "),
         "MAME smashtv -soundcard -1 -cheat -record Default -joy auto "},
        {"playback", noTweak, kSmashtv, FullList, QStringLiteral("-playback a "),
         "MAME smashtv -soundcard -1 -playback a "},
        {"empty recording name", noTweak, kSmashtv, FullList, QStringLiteral("-record  "),
         "MAME smashtv -soundcard -1 -record  "},
        {"additional parameters ticked with an empty text",
         [](OptionSet& o) {
             o.setValue(AdditionalParamCheck, 1);
             o.setValue(AdditionalParamText, QString());
         },
         kSmashtv,
         FullList,
         {},
         "MAME smashtv -soundcard -1  "},
        {"additional parameters ticked with the initial text",
         [](OptionSet& o) { o.setValue(AdditionalParamCheck, 1); },
         kSmashtv,
         FullList,
         {},
         "MAME smashtv -soundcard -1 Add your shit here ! "},
        {"texts go in untouched",
         [](OptionSet& o) {
             o.setValue(OriginalMameOption, false);
             o.setValue(AlternateMameText, QStringLiteral(" my mame"));
             o.setValue(GammaCheck, 1);
             o.setValue(GammaText, QStringLiteral(" \"1,5\" "));
             o.setValue(AdditionalParamCheck, 1);
             o.setValue(AdditionalParamText, QStringLiteral("-a\t; $(b) "));
         },
         SelectedGame{QStringLiteral("sm ash"), {}}, FullList, QStringLiteral("x"),
         " my mame sm ash -soundcard -1 -gamma  \"1,5\"  x-a\t; $(b)  "},
        {"all 25 pieces in their order",
         [](OptionSet& o) {
             o.setValue(OriginalMameOption, false);
             o.setValue(AlternateMameOption, true);
             o.setValue(AudioCombo, 2);
             o.setValue(SampleRateCombo, 3);
             o.setValue(BitRateCombo, 2);
             o.setValue(SbOplCheck, 1);
             o.setValue(VideoCombo, 4);
             o.setValue(FrameskipSlider, 3);
             o.setValue(DoubleCombo, 1);
             o.setValue(DepthCombo, 2);
             o.setValue(VGAFreqCombo, 1);
             o.setValue(ScanlinesCombo, 2);
             o.setValue(VESACombo, 3);
             o.setValue(VSyncCombo, 1);
             o.setValue(GammaCheck, 1);
             o.setValue(GammaText, QStringLiteral("1.20"));
             o.setValue(RotateCombo, 2);
             o.setValue(FlipCombo, 3);
             o.setValue(AntialiasCombo, 1);
             o.setValue(BeamCheck, 1);
             o.setValue(BeamText, QStringLiteral("1.50"));
             o.setValue(FlickerCheck, 1);
             o.setValue(FlickerText, QStringLiteral("0.5"));
             o.setValue(TranslucencyCombo, 1);
             o.setValue(CheatCheck, 1);
             o.setValue(JoyCombo, 5);
             o.setValue(AdditionalParamCheck, 1);
             o.setValue(AdditionalParamText, QStringLiteral("-log"));
         },
         kSmashtv, FullList, QStringLiteral("-record smash1 "),
         "Pmame31 smashtv -soundcard 1 -sr 44100 -sb 16 -fm -resolution 640x480  -frameskip 3 "
         "-double -depth 16 -vgafreq 1 -noscanlines -vesa -vesamode vesa2b -vsync -gamma 1.20 "
         "-ror -flipx -flipy -antialias -beam 1.50 -flicker 0.5 -translucency -cheat "
         "-record smash1 -joy 4button -log "},
    };

    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        OptionSet options = defaultOptions();
        c.tweak(options);
        FakeMessageBoxes messages;
        const QString line =
            BuildCommandLine(options, c.game, c.listType, c.extraSwitches, messages);
        EXPECT_EQ(line.toStdString(), c.expected);
        EXPECT_TRUE(messages.shown.isEmpty());
    }
}

struct ComboCase
{
    OptionId combo;
    std::vector<const char*> pieces; // by entry index
};

TEST(BuildCommandLineTest, EveryComboEntryGivesItsPiece)
{
    const std::vector<ComboCase> cases{
        {OptionId::AudioCombo,
         {"-soundcard -1 ", "-soundcard 0 ", "-soundcard 1 ", "-soundcard 2 ", "-soundcard 3 ",
          "-soundcard 4 ", "-soundcard 5 ", "-soundcard 6 ", "-soundcard 7 "}},
        {OptionId::SampleRateCombo, {"", "-sr 11025 ", "-sr 22050 ", "-sr 44100 "}},
        {OptionId::BitRateCombo, {"", "-sb 8 ", "-sb 16 "}},
        {OptionId::VideoCombo,
         {"", "-resolution 320x240 ", "-resolution 400x300 ", "-resolution 512x384 ",
          "-resolution 640x480 ", "-resolution 800x600 ", "-resolution 1024x768 "}},
        {OptionId::DoubleCombo, {"", "-double ", "-nodouble "}},
        {OptionId::DepthCombo, {"", "-depth 8 ", "-depth 16 "}},
        {OptionId::VGAFreqCombo, {"", "-vgafreq 1 ", "-vgafreq 2 ", "-vgafreq 3 "}},
        {OptionId::ScanlinesCombo, {"", "-scanlines ", "-noscanlines "}},
        {OptionId::VESACombo,
         {"", "-novesa ", "-vesa -vesamode vesa1 ", "-vesa -vesamode vesa2b ",
          "-vesa -vesamode vesa2l ", "-vesa -vesamode vesa3 "}},
        {OptionId::VSyncCombo, {"", "-vsync ", "-novsync "}},
        {OptionId::RotateCombo, {"", "-norotate ", "-ror ", "-rol "}},
        {OptionId::FlipCombo, {"", "-flipx ", "-flipy ", "-flipx -flipy "}},
        {OptionId::AntialiasCombo, {"", "-antialias ", "-noantialias "}},
        {OptionId::TranslucencyCombo, {"", "-translucency ", "-notranslucency "}},
        // clang-format off
        {OptionId::JoyCombo,
         {"", "-joy none ", "-joy auto ", "-joy standard ", "-joy dual ", "-joy 4button ",
          "-joy 6button ", "-joy 8button ", "-joy fspro ", "-joy wingex ", "-joy wingwarrior ",
          "-joy sidewinder ", "-joy gamepadpro ", "-joy sneslpt1 ", "-joy sneslpt2 ",
          "-joy sneslpt3 ", "-joy psxlpt1 ", "-joy psxlpt2 ", "-joy psxlpt3 ", "-joy n64lpt1 ",
          "-joy n64lpt2 ", "-joy n64lpt3 "}},
        // clang-format on
    };

    for (const ComboCase& c : cases) {
        SCOPED_TRACE(optionName(c.combo).toStdString());
        const int entryCount = static_cast<int>(comboEntries(c.combo).size());
        ASSERT_EQ(static_cast<int>(c.pieces.size()), entryCount);

        // One step outside the entries on either side: the piece is left out.
        for (int index = -1; index <= entryCount; ++index) {
            SCOPED_TRACE(index);
            const bool hasEntry = index >= 0 && index < entryCount;
            const std::string piece = hasEntry ? c.pieces[static_cast<std::size_t>(index)] : "";

            OptionSet options = defaultOptions();
            options.setValue(c.combo, index);
            FakeMessageBoxes messages;
            const QString line = BuildCommandLine(options, kSmashtv, FullList, {}, messages);

            // With default options every piece after the sound card is empty, so the piece
            // under test ends the line; the sound card's own piece stands in place of "-1".
            const std::string expected =
                c.combo == OptionId::AudioCombo ? "MAME smashtv " + piece : kDefaultLine + piece;
            EXPECT_EQ(line.toStdString(), expected);
            const bool joystickMessage = c.combo == OptionId::JoyCombo && !hasEntry;
            EXPECT_EQ(messages.shown.size(), joystickMessage ? 1 : 0);
        }
    }
}

struct CheckCase
{
    const char* what;
    OptionId check;
    std::array<const char*, 3> pieces; // for check states 0, 1 and 2 (greyed)
};

TEST(BuildCommandLineTest, CheckBoxesUnderTheirTests)
{
    const std::vector<CheckCase> cases{
        {"SbOplCheck", SbOplCheck, {"", "-fm ", "-fm "}},
        {"GammaCheck", GammaCheck, {"", "-gamma 1.00 ", "-gamma 1.00 "}},
        {"BeamCheck", BeamCheck, {"", "-beam 1.00 ", "-beam 1.00 "}},
        {"FlickerCheck", FlickerCheck, {"", "-flicker 0 ", "-flicker 0 "}},
        {"CheatCheck", CheatCheck, {"", "-cheat ", ""}},
        {"AdditionalParamCheck", AdditionalParamCheck, {"", "Add your shit here ! ", ""}},
    };

    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (int state = 0; state <= 2; ++state) {
            SCOPED_TRACE(state);
            OptionSet options = defaultOptions(); // texts keep their initial contents
            options.setValue(c.check, state);
            FakeMessageBoxes messages;
            const QString line = BuildCommandLine(options, kSmashtv, FullList, {}, messages);
            EXPECT_EQ(line.toStdString(),
                      kDefaultLine + std::string(c.pieces[static_cast<std::size_t>(state)]));
        }
    }
}

struct JoystickCase
{
    const char* what;
    std::function<void(OptionSet&)> tweak;
    QString extraSwitches;
    const char* message;
    std::string expected;
};

TEST(BuildCommandLineTest, UnknownJoystickIsReportedAndLeftOut)
{
    const std::vector<JoystickCase> cases{
        {"no entry chosen",
         [](OptionSet& o) { o.setValue(JoyCombo, -1); },
         {},
         "Mmm? JoyCombo.ListIndex #-1 is not supported, contact Brimwork for a fix!",
         kDefaultLine},
        {"one past the last entry",
         [](OptionSet& o) { o.setValue(JoyCombo, 22); },
         {},
         "Mmm? JoyCombo.ListIndex #22 is not supported, contact Brimwork for a fix!",
         kDefaultLine},
        {"the pieces after it still follow",
         [](OptionSet& o) {
             o.setValue(JoyCombo, 22);
             o.setValue(AdditionalParamCheck, 1);
             o.setValue(AdditionalParamText, QStringLiteral("-log"));
         },
         QStringLiteral("-playback a "),
         "Mmm? JoyCombo.ListIndex #22 is not supported, contact Brimwork for a fix!",
         "MAME smashtv -soundcard -1 -playback a -log "},
        // Before any settings are applied every combo is at -1: only the joystick speaks up,
        // the other combos quietly add nothing, the sound card included.
        {"panel as created",
         [](OptionSet& o) { o = OptionSet(); },
         {},
         "Mmm? JoyCombo.ListIndex #-1 is not supported, contact Brimwork for a fix!",
         "MAME smashtv "},
    };

    for (const JoystickCase& c : cases) {
        SCOPED_TRACE(c.what);
        OptionSet options = defaultOptions();
        c.tweak(options);
        FakeMessageBoxes messages;
        const QString line =
            BuildCommandLine(options, kSmashtv, FullList, c.extraSwitches, messages);

        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text.toStdString(), c.message);
        EXPECT_EQ(messages.shown[0].title.toStdString(), "Korvane");
        EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(line.toStdString(), c.expected);
    }
}

// ----------------------------------------------------------------------------------------
// Today's MAME

const TodayMame kToday{QStringLiteral("/roms")};
const std::string kTodayDefaultLine = "MAME smashtv ";

std::string todayLine(const OptionSet& options, FakeMessageBoxes& messages,
                      const std::optional<SelectedGame>& game = kSmashtv, int listType = FullList,
                      const QString& extraSwitches = {}, const TodayMame& today = kToday)
{
    return BuildCommandLine(options, game, listType, extraSwitches, messages, &today).toStdString();
}

TEST(TodaysMameTest, OnlyTheDosOptionsHaveNoSwitch)
{
    std::set<OptionId> unused;
    for (const OptionInfo& info : optionInfos()) {
        if (!usedByTodaysMame(info.id))
            unused.insert(info.id);
    }
    const std::set<OptionId> expected{SbOplCheck, BitRateCombo,   DoubleCombo,
                                      DepthCombo, VGAFreqCombo,   ScanlinesCombo,
                                      VESACombo,  AntialiasCombo, TranslucencyCombo};
    EXPECT_EQ(unused, expected);
}

TEST(TodaysMameTest, EveryComboEntryGivesItsPiece)
{
    std::vector<const char*> joystick{"", "-nojoystick "};
    joystick.insert(joystick.end(), 20, "-joystick ");
    const std::map<OptionId, std::vector<const char*>> pieces{
        {AudioCombo, {"", "-sound none ", "", "", "", "", "", "", ""}},
        {SampleRateCombo, {"", "-samplerate 11025 ", "-samplerate 22050 ", "-samplerate 44100 "}},
        {BitRateCombo, {"", "", ""}},
        {VideoCombo,
         {"", "-resolution 320x240 ", "-resolution 400x300 ", "-resolution 512x384 ",
          "-resolution 640x480 ", "-resolution 800x600 ", "-resolution 1024x768 "}},
        {DoubleCombo, {"", "", ""}},
        {DepthCombo, {"", "", ""}},
        {VGAFreqCombo, {"", "", "", ""}},
        {ScanlinesCombo, {"", "", ""}},
        {VESACombo, {"", "", "", "", "", ""}},
        {VSyncCombo, {"", "-waitvsync ", "-nowaitvsync "}},
        {RotateCombo, {"", "-norotate ", "-ror ", "-rol "}},
        {FlipCombo, {"", "-flipx ", "-flipy ", "-flipx -flipy "}},
        {AntialiasCombo, {"", "", ""}},
        {TranslucencyCombo, {"", "", ""}},
        {JoyCombo, joystick},
    };

    for (const OptionInfo& info : optionInfos()) {
        if (info.kind != OptionKind::ComboBox)
            continue;
        SCOPED_TRACE(info.name.toString().toStdString());
        ASSERT_TRUE(pieces.contains(info.id));
        const std::vector<const char*>& expected = pieces.at(info.id);
        const int entryCount = static_cast<int>(comboEntries(info.id).size());
        ASSERT_EQ(static_cast<int>(expected.size()), entryCount);

        // One step outside the entries on either side: the piece is left out.
        for (int index = -1; index <= entryCount; ++index) {
            SCOPED_TRACE(index);
            const bool hasEntry = index >= 0 && index < entryCount;
            OptionSet options = defaultOptions();
            options.setValue(info.id, index);
            FakeMessageBoxes messages;
            EXPECT_EQ(todayLine(options, messages),
                      kTodayDefaultLine +
                          (hasEntry ? expected[static_cast<std::size_t>(index)] : ""));

            if (info.id == JoyCombo && !hasEntry) {
                ASSERT_EQ(messages.shown.size(), 1);
                EXPECT_EQ(messages.shown[0].text, u"Mmm? JoyCombo.ListIndex #" %
                                                      QString::number(index) %
                                                      u" is not supported, contact Brimwork "
                                                      u"for a fix!");
            } else {
                EXPECT_TRUE(messages.shown.isEmpty());
            }
        }
    }
}

TEST(TodaysMameTest, BuildsTheLineOfEachLaunch)
{
    auto set = [](OptionId id, OptionValue v) {
        return [id, v](OptionSet& o) { o.setValue(id, v); };
    };
    const SelectedGame hack{QStringLiteral("H"), QStringLiteral("P")};
    const std::vector<LineCase> cases{
        {"default options", noTweak, kSmashtv, FullList, {}, kTodayDefaultLine},
        {"no selected row", noTweak, std::nullopt, FullList, {}, "MAME "},
        {"home hack: its directory heads the ROM path",
         noTweak,
         hack,
         HomeHacks,
         {},
         "MAME P -rompath \"H;/roms\" "},
        {"home hacks without a selected row", noTweak, std::nullopt, HomeHacks, {}, "MAME "},
        {"parent ignored outside home hacks", noTweak, hack, OnlyNeoGeo, {}, "MAME H "},
        {"opl chip", set(SbOplCheck, 1), kSmashtv, FullList, {}, kTodayDefaultLine},
        {"greyed opl chip", set(SbOplCheck, 2), kSmashtv, FullList, {}, kTodayDefaultLine},
        {"gamma", set(GammaCheck, 1), kSmashtv, FullList, {}, "MAME smashtv -gamma 1.00 "},
        {"greyed gamma", set(GammaCheck, 2), kSmashtv, FullList, {}, "MAME smashtv -gamma 1.00 "},
        {"beam: the least and greatest width",
         set(BeamCheck, 1),
         kSmashtv,
         FullList,
         {},
         "MAME smashtv -beam_width_min 1.00 -beam_width_max 1.00 "},
        {"greyed beam",
         set(BeamCheck, 2),
         kSmashtv,
         FullList,
         {},
         "MAME smashtv -beam_width_min 1.00 -beam_width_max 1.00 "},
        {"flicker", set(FlickerCheck, 1), kSmashtv, FullList, {}, "MAME smashtv -flicker 0 "},
        {"greyed flicker",
         set(FlickerCheck, 2),
         kSmashtv,
         FullList,
         {},
         "MAME smashtv -flicker 0 "},
        {"cheat", set(CheatCheck, 1), kSmashtv, FullList, {}, "MAME smashtv -cheat "},
        {"greyed cheat", set(CheatCheck, 2), kSmashtv, FullList, {}, kTodayDefaultLine},
        {"additional parameters",
         set(AdditionalParamCheck, 1),
         kSmashtv,
         FullList,
         {},
         "MAME smashtv Add your shit here ! "},
        {"greyed additional parameters",
         set(AdditionalParamCheck, 2),
         kSmashtv,
         FullList,
         {},
         kTodayDefaultLine},
        {"frameskip 1",
         set(FrameskipSlider, 1),
         kSmashtv,
         FullList,
         {},
         "MAME smashtv -frameskip 1 "},
        {"frameskip 10",
         set(FrameskipSlider, 10),
         kSmashtv,
         FullList,
         {},
         "MAME smashtv -frameskip 10 "},
        {"last frameskip position",
         set(FrameskipSlider, 11),
         kSmashtv,
         FullList,
         {},
         "MAME smashtv -autoframeskip "},
        {"alternate build",
         [](OptionSet& o) {
             o.setValue(OriginalMameOption, false);
             o.setValue(AlternateMameText, QStringLiteral("mame0251"));
         },
         kSmashtv,
         FullList,
         {},
         "mame0251 smashtv "},
        {"all 25 pieces in their order",
         [](OptionSet& o) {
             for (const OptionInfo& info : optionInfos()) {
                 if (info.kind == OptionKind::CheckBox || info.kind == OptionKind::ComboBox)
                     o.setValue(info.id, 1);
             }
             o.setValue(VideoCombo, 4);
             o.setValue(RotateCombo, 2);
             o.setValue(FlipCombo, 3);
             o.setValue(JoyCombo, 5);
             o.setValue(SampleRateCombo, 3);
             o.setValue(FrameskipSlider, 3);
             o.setValue(GammaText, QStringLiteral("1.20"));
             o.setValue(BeamText, QStringLiteral("1.50"));
             o.setValue(FlickerText, QStringLiteral("0.5"));
             o.setValue(AdditionalParamText, QStringLiteral("-log"));
         },
         hack, HomeHacks, QStringLiteral("-input_directory INP -record smash1.inp "),
         "MAME P -rompath \"H;/roms\" -sound none -samplerate 44100 -resolution 640x480 "
         "-frameskip 3 -waitvsync -gamma 1.20 -ror -flipx -flipy "
         "-beam_width_min 1.50 -beam_width_max 1.50 -flicker 0.5 -cheat "
         "-input_directory INP -record smash1.inp -joystick -log "},
    };

    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.what);
        OptionSet options = defaultOptions();
        c.tweak(options);
        FakeMessageBoxes messages;
        EXPECT_EQ(todayLine(options, messages, c.game, c.listType, c.extraSwitches), c.expected);
        EXPECT_TRUE(messages.shown.isEmpty());
    }
}

TEST(TodaysMameTest, HackRompathStaysOneWord)
{
    const SelectedGame hack{QStringLiteral("H"), QStringLiteral("P")};
    const struct
    {
        QString rompath;
        QStringList words;
    } cases[] = {
        {{}, {"MAME", "P", "-rompath", "H"}},
        {QStringLiteral("/my roms;/more"), {"MAME", "P", "-rompath", "H;/my roms;/more"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rompath.toStdString());
        FakeMessageBoxes messages;
        const QString line = QString::fromStdString(
            todayLine(defaultOptions(), messages, hack, HomeHacks, {}, TodayMame{c.rompath}));
        EXPECT_EQ(splitCommandWords(line), c.words);
    }
    FakeMessageBoxes messages;
    EXPECT_EQ(todayLine(defaultOptions(), messages, hack, HomeHacks, {}, TodayMame{}),
              "MAME P -rompath \"H\" ");
}

TEST(TodaysMameTest, RecordAndPlaybackSwitches)
{
    const struct
    {
        const char* what;
        QString switches;
        std::string expected;
    } cases[] = {
        {"classic record", recordSwitches(QStringLiteral("my run"), nullptr), "-record my run "},
        {"classic playback",
         playbackSwitches(QStringLiteral("my run"), QStringLiteral("my run.INP"), nullptr),
         "-playback my run "},
        {"today record", recordSwitches(QStringLiteral("smash1"), &kToday),
         "-input_directory INP -record smash1.inp "},
        {"today record with a blank", recordSwitches(QStringLiteral("my run"), &kToday),
         "-input_directory INP -record \"my run.inp\" "},
        {"today playback: the file as it is",
         playbackSwitches(QStringLiteral("smash1"), QStringLiteral("smash1.INP"), &kToday),
         "-input_directory INP -playback smash1.INP "},
        {"today playback with a blank",
         playbackSwitches(QStringLiteral("my run"), QStringLiteral("my run.INP"), &kToday),
         "-input_directory INP -playback \"my run.INP\" "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.switches.toStdString(), c.expected);
    }
}

TEST(ProgramWordTest, NamesTheProgramToRun)
{
    const struct
    {
        const char* what;
        bool original;
        const char* alternateText;
        std::optional<QString> expected;
    } cases[] = {
        {"original, whatever the alternate text", true, "pmame -x", QStringLiteral("MAME")},
        {"original with an empty alternate text", true, "", QStringLiteral("MAME")},
        {"alternate: its first word", false, "  pmame31 -x", QStringLiteral("pmame31")},
        {"alternate: a quoted first word", false, "\"/opt/my mame\" -x",
         QStringLiteral("/opt/my mame")},
        {"alternate empty", false, "", std::nullopt},
        {"alternate blanks only", false, " \t ", std::nullopt},
        {"alternate an empty quoted word", false, "\"\" -x", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OptionSet options = defaultOptions();
        options.setValue(OriginalMameOption, c.original);
        options.setValue(AlternateMameOption, !c.original);
        options.setValue(AlternateMameText, QString::fromUtf8(c.alternateText));
        EXPECT_EQ(programWord(options), c.expected);
    }
}

} // namespace
