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

// The switches that the selected entry stands for ("-double ", "-vesa -vesamode vesa2b ").
QString fixedSwitchPiece(OptionId combo, int index)
{
    const ComboEntry* entry = entryAt(combo, index);
    return entry ? entry->switchText.toString() : QString();
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
    if (options.flag(OptionId::OriginalMameOption))
        return QStringLiteral("MAME ");
    return options.text(OptionId::AlternateMameText) % u' ';
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
    const ComboEntry* entry = entryAt(OptionId::JoyCombo, index);
    if (!entry) {
        // The player is told, then the game starts without a joystick switch.
        messages.show(u"Mmm? JoyCombo.ListIndex #" % QString::number(index) %
                          u" is not supported, contact Brimwork for a fix!",
                      appTitle(), MessageButtons::Ok);
        return {};
    }
    return entry->switchText.toString();
}

} // namespace

QString BuildCommandLine(const OptionSet& options, const std::optional<SelectedGame>& game,
                         int listType, const QString& extraSwitches, MessageBoxes& messages)
{
    using enum OptionId;
    auto number = [&options](OptionId id) { return options.number(id); };
    auto text = [&options](OptionId id) -> const QString& { return options.text(id); };

    // A braced list is evaluated in order, so the joystick message comes up while the
    // pieces are formed, before the caller shows or starts the line.
    const std::array<QString, 25> pieces{
        programPiece(options),
        gamePiece(game, listType),
        itemDataPiece(AudioCombo, number(AudioCombo), u"-soundcard ", DefaultEntry::AddsSwitch),
        itemDataPiece(SampleRateCombo, number(SampleRateCombo), u"-sr ", DefaultEntry::AddsNothing),
        itemDataPiece(BitRateCombo, number(BitRateCombo), u"-sb ", DefaultEntry::AddsNothing),
        isSet(number(SbOplCheck)) ? QStringLiteral("-fm ") : QString(),
        resolutionPiece(number(VideoCombo)),
        frameskipPiece(number(FrameskipSlider)),
        fixedSwitchPiece(DoubleCombo, number(DoubleCombo)),
        fixedSwitchPiece(DepthCombo, number(DepthCombo)),
        itemDataPiece(VGAFreqCombo, number(VGAFreqCombo), u"-vgafreq ", DefaultEntry::AddsNothing),
        fixedSwitchPiece(ScanlinesCombo, number(ScanlinesCombo)),
        fixedSwitchPiece(VESACombo, number(VESACombo)),
        fixedSwitchPiece(VSyncCombo, number(VSyncCombo)),
        textSwitchPiece(isSet(number(GammaCheck)), u"-gamma ", text(GammaText)),
        fixedSwitchPiece(RotateCombo, number(RotateCombo)),
        fixedSwitchPiece(FlipCombo, number(FlipCombo)),
        fixedSwitchPiece(AntialiasCombo, number(AntialiasCombo)),
        textSwitchPiece(isSet(number(BeamCheck)), u"-beam ", text(BeamText)),
        textSwitchPiece(isSet(number(FlickerCheck)), u"-flicker ", text(FlickerText)),
        fixedSwitchPiece(TranslucencyCombo, number(TranslucencyCombo)),
        isTicked(number(CheatCheck)) ? QStringLiteral("-cheat ") : QString(),
        extraSwitches,
        joystickPiece(number(JoyCombo), messages),
        textSwitchPiece(isTicked(number(AdditionalParamCheck)), {}, text(AdditionalParamText)),
    };

    QString line;
    for (const QString& piece : pieces)
        line += piece;
    return line;
}
