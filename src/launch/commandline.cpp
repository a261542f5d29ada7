// commandline.cpp: turns the option panel, the selected game and the caller's switches into
// the MAME command line of a launch.
//
// The line is a row of pieces, each empty or ending in its own space, so joining them needs
// no separator and an absent piece leaves no trace. Every piece is formed on its own: when
// its input cannot be used (no selected game, a combo index without an entry) that piece is
// left out and the rest of the line is built all the same, because a launch with one switch
// missing is more use to the player than no launch at all.

#include "launch/commandline.h"

#include "catalogue/listtype.h"
#include "platform/appinfo.h"
#include "platform/messageboxes.h"
#include "shell/optiontables.h"

#include <QStringView>

#include <array>
#include <span>

namespace {

// ----------------------------------------------------------------------------------------
// Switch tables of the combos whose entries stand for fixed switches, indexed by entry.
// Entry 0 is "Default" and stays empty so that MAME's own default applies.

constexpr std::array<QStringView, 3> kDoubleSwitches{{{}, u"-double ", u"-nodouble "}};
constexpr std::array<QStringView, 3> kDepthSwitches{{{}, u"-depth 8 ", u"-depth 16 "}};
constexpr std::array<QStringView, 3> kScanlinesSwitches{{{}, u"-scanlines ", u"-noscanlines "}};
constexpr std::array<QStringView, 6> kVesaSwitches{{
    {},
    u"-novesa ",
    u"-vesa -vesamode vesa1 ",
    u"-vesa -vesamode vesa2b ",
    u"-vesa -vesamode vesa2l ",
    u"-vesa -vesamode vesa3 ",
}};
constexpr std::array<QStringView, 3> kVSyncSwitches{{{}, u"-vsync ", u"-novsync "}};
constexpr std::array<QStringView, 4> kRotateSwitches{{{}, u"-norotate ", u"-ror ", u"-rol "}};
constexpr std::array<QStringView, 4> kFlipSwitches{{{}, u"-flipx ", u"-flipy ", u"-flipx -flipy "}};
constexpr std::array<QStringView, 3> kAntialiasSwitches{{{}, u"-antialias ", u"-noantialias "}};
constexpr std::array<QStringView, 3> kTranslucencySwitches{
    {{}, u"-translucency ", u"-notranslucency "}};

constexpr std::array<QStringView, 22> kJoySwitches{{
    {},
    u"-joy none ",
    u"-joy auto ",
    u"-joy standard ",
    u"-joy dual ",
    u"-joy 4button ",
    u"-joy 6button ",
    u"-joy 8button ",
    u"-joy fspro ",
    u"-joy wingex ",
    u"-joy wingwarrior ",
    u"-joy sidewinder ",
    u"-joy gamepadpro ",
    u"-joy sneslpt1 ",
    u"-joy sneslpt2 ",
    u"-joy sneslpt3 ",
    u"-joy psxlpt1 ",
    u"-joy psxlpt2 ",
    u"-joy psxlpt3 ",
    u"-joy n64lpt1 ",
    u"-joy n64lpt2 ",
    u"-joy n64lpt3 ",
}};

// ----------------------------------------------------------------------------------------
// Check box tests. A greyed box (2) only comes from a stored value. The sound and display
// boxes count it as set; the cheat and additional-parameter boxes need a plain tick, so a
// greyed box never switches cheats on or passes free text the user did not confirm.

bool isSet(int check)
{
    return check != 0;
}

bool isTicked(int check)
{
    return check == 1;
}

// ----------------------------------------------------------------------------------------
// One helper per kind of piece.

// The entry of combo at index, or nullptr when the index names no entry (-1 included).
const ComboEntry* entryAt(OptionId combo, int index)
{
    const std::span<const ComboEntry> entries = comboEntries(combo);
    if (index < 0 || static_cast<std::size_t>(index) >= entries.size())
        return nullptr;
    return &entries[static_cast<std::size_t>(index)];
}

enum class DefaultEntry
{
    AddsNothing, // entry 0 is "Default": MAME's own default applies
    AddsSwitch,  // the sound card switch is always passed; its entry 0 asks interactively
};

// switchText + the selected entry's item data, taken from the panel's own table so that
// the line always passes what the panel shows.
QString itemDataPiece(OptionId combo, int index, QStringView switchText, DefaultEntry entry0)
{
    const ComboEntry* entry = entryAt(combo, index);
    if (!entry || (index == 0 && entry0 == DefaultEntry::AddsNothing))
        return {};
    return switchText % QString::number(entry->itemData) % u' ';
}

// The resolution is passed as the entry's own text ("640x480").
QString resolutionPiece(int index)
{
    const ComboEntry* entry = entryAt(OptionId::VideoCombo, index);
    if (!entry || index == 0)
        return {};
    return u"-resolution " % entry->text % u' ';
}

QString fixedSwitchPiece(std::span<const QStringView> switches, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= switches.size())
        return {};
    return switches[static_cast<std::size_t>(index)].toString();
}

// switchText followed by a text of the panel, which goes in exactly as typed.
QString textSwitchPiece(bool on, QStringView switchText, const QString& text)
{
    if (!on)
        return {};
    return switchText % text % u' ';
}

QString programPiece(const OptionSet& options)
{
    if (options.OriginalMameOption)
        return QStringLiteral("MAME ");
    return options.AlternateMameText % u' ';
}

QString gamePiece(const std::optional<SelectedGame>& game, int listType)
{
    if (!game)
        return {};
    // A home hack is its parent game run with the hack's ROM directory.
    if (listType == HomeHacks)
        return game->cloneof % u" -romdir " % game->name % u' ';
    return game->name % u' ';
}

// The only piece that also begins with a space, which puts two spaces before the switch.
// MAME does not mind, and the line shown to the user has always looked this way.
QString frameskipPiece(int position)
{
    if (position == 0)
        return {};
    return u" -frameskip " % QString::number(position) % u' ';
}

QString joystickPiece(int index, MessageBoxes& messages)
{
    if (index < 0 || static_cast<std::size_t>(index) >= kJoySwitches.size()) {
        // The player is told, then the game starts without a joystick switch.
        messages.show(u"Mmm? JoyCombo.ListIndex #" % QString::number(index) %
                          u" is not supported, contact Brimwork for a fix!",
                      appTitle(), MessageButtons::Ok);
        return {};
    }
    return kJoySwitches[static_cast<std::size_t>(index)].toString();
}

} // namespace

QString BuildCommandLine(const OptionSet& options, const std::optional<SelectedGame>& game,
                         int listType, const QString& extraSwitches, MessageBoxes& messages)
{
    using enum OptionId;
    const OptionSet& o = options;

    // A braced list is evaluated in order, so the joystick message comes up while the
    // pieces are formed, before the caller shows or starts the line.
    const std::array<QString, 25> pieces{
        programPiece(o),
        gamePiece(game, listType),
        itemDataPiece(AudioCombo, o.AudioCombo, u"-soundcard ", DefaultEntry::AddsSwitch),
        itemDataPiece(SampleRateCombo, o.SampleRateCombo, u"-sr ", DefaultEntry::AddsNothing),
        itemDataPiece(BitRateCombo, o.BitRateCombo, u"-sb ", DefaultEntry::AddsNothing),
        isSet(o.SbOplCheck) ? QStringLiteral("-fm ") : QString(),
        resolutionPiece(o.VideoCombo),
        frameskipPiece(o.FrameskipSlider),
        fixedSwitchPiece(kDoubleSwitches, o.DoubleCombo),
        fixedSwitchPiece(kDepthSwitches, o.DepthCombo),
        itemDataPiece(VGAFreqCombo, o.VGAFreqCombo, u"-vgafreq ", DefaultEntry::AddsNothing),
        fixedSwitchPiece(kScanlinesSwitches, o.ScanlinesCombo),
        fixedSwitchPiece(kVesaSwitches, o.VESACombo),
        fixedSwitchPiece(kVSyncSwitches, o.VSyncCombo),
        textSwitchPiece(isSet(o.GammaCheck), u"-gamma ", o.GammaText),
        fixedSwitchPiece(kRotateSwitches, o.RotateCombo),
        fixedSwitchPiece(kFlipSwitches, o.FlipCombo),
        fixedSwitchPiece(kAntialiasSwitches, o.AntialiasCombo),
        textSwitchPiece(isSet(o.BeamCheck), u"-beam ", o.BeamText),
        textSwitchPiece(isSet(o.FlickerCheck), u"-flicker ", o.FlickerText),
        fixedSwitchPiece(kTranslucencySwitches, o.TranslucencyCombo),
        isTicked(o.CheatCheck) ? QStringLiteral("-cheat ") : QString(),
        extraSwitches,
        joystickPiece(o.JoyCombo, messages),
        textSwitchPiece(isTicked(o.AdditionalParamCheck), {}, o.AdditionalParamText),
    };

    QString line;
    for (const QString& piece : pieces)
        line += piece;
    return line;
}
