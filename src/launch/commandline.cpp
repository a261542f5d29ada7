// commandline.cpp: turns the option panel, the selected game and the caller's switches into
// the MAME command line of a launch, for the classic MAME (0.36) or for today's (0.2xx).
//
// The line is a row of pieces, each empty or ending in its own space, so joining them needs
// no separator and an absent piece leaves no trace. Every piece is formed on its own: when
// its input cannot be used (no selected game, a combo index without an entry) that piece is
// left out and the rest of the line is built all the same, because a launch with one switch
// missing is more use to the player than no launch at all.
//
// Both MAMEs get their line from the same pieces in the same order; a piece differs only in
// the switches it writes, and in today's line an option without a switch there adds nothing.

#include "launch/commandline.h"

#include "catalogue/listtype.h"
#include "platform/appinfo.h"
#include "platform/commandwords.h"
#include "platform/messageboxes.h"
#include "shell/optiontables.h"

#include <QStringView>

#include <array>
#include <span>

namespace {

enum class Mame
{
    Classic,
    Today,
};

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

// The switches that the selected entry stands for in mame's line ("-double ",
// "-vesa -vesamode vesa2b ").
QStringView fixedSwitches(const ComboEntry& entry, Mame mame)
{
    return mame == Mame::Today ? entry.todaySwitchText : entry.switchText;
}

QString fixedSwitchPiece(OptionId combo, int index, Mame mame)
{
    const ComboEntry* entry = entryAt(combo, index);
    return entry ? fixedSwitches(*entry, mame).toString() : QString();
}

// The classic sound card switch is always passed, with the entry's card number; today's MAME
// only hears of the sound when it is to be silent.
QString soundPiece(int index, Mame mame)
{
    if (mame == Mame::Today)
        return fixedSwitchPiece(OptionId::AudioCombo, index, mame);
    return itemDataPiece(OptionId::AudioCombo, index, u"-soundcard ", DefaultEntry::AddsSwitch);
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

QString gamePiece(const std::optional<SelectedGame>& game, int listType, const TodayMame* today)
{
    if (!game)
        return {};
    if (listType != HomeHacks)
        return game->name % u' ';
    // A home hack is its parent game run with the hack's ROM directory. Today's MAME takes
    // one ROM path in place of its own, so that path is the hack's directory followed by
    // MAME's own path, where the parent's sets are.
    if (!today)
        return game->cloneof % u" -romdir " % game->name % u' ';
    QString rompath = game->name;
    if (!today->rompath.isEmpty())
        rompath.append(u';').append(today->rompath);
    return game->cloneof % u" -rompath \"" % rompath % u"\" ";
}

// The slider's last position leaves the skipping to MAME. The classic piece is the only one
// that also begins with a space, which puts two spaces before the switch. MAME does not mind,
// and the line shown to the user has always looked this way.
QString frameskipPiece(int position, Mame mame)
{
    if (position == 0)
        return {};
    if (mame == Mame::Classic)
        return u" -frameskip " % QString::number(position) % u' ';
    if (position == kFrameskipMaximum)
        return QStringLiteral("-autoframeskip ");
    return u"-frameskip " % QString::number(position) % u' ';
}

// Today's MAME draws vectors between a least and a greatest width: both get the one width.
QString beamPiece(bool on, const QString& width, Mame mame)
{
    if (!on)
        return {};
    if (mame == Mame::Classic)
        return u"-beam " % width % u' ';
    return u"-beam_width_min " % width % u" -beam_width_max " % width % u' ';
}

QString joystickPiece(int index, MessageBoxes& messages, Mame mame)
{
    const ComboEntry* entry = entryAt(OptionId::JoyCombo, index);
    if (!entry) {
        // The player is told, then the game starts without a joystick switch.
        messages.show(u"Mmm? JoyCombo.ListIndex #" % QString::number(index) %
                          u" is not supported, contact Brimwork for a fix!",
                      appTitle(), MessageButtons::Ok);
        return {};
    }
    return fixedSwitches(*entry, mame).toString();
}

// A word of today's line that holds a blank is quoted so that it stays one word.
QString oneWord(const QString& word)
{
    if (!word.contains(u' ') && !word.contains(u'\t'))
        return word;
    return u'"' % word % u'"';
}

// Today's MAME keeps its recordings wherever it is told; the program's are in INP.
QString todayInputSwitches(QStringView recordOrPlayback, const QString& file)
{
    return u"-input_directory INP " % recordOrPlayback % oneWord(file) % u' ';
}

} // namespace

QString BuildCommandLine(const OptionSet& options, const std::optional<SelectedGame>& game,
                         int listType, const QString& extraSwitches, MessageBoxes& messages,
                         const TodayMame* today)
{
    using enum OptionId;
    auto number = [&options](OptionId id) { return options.number(id); };
    auto text = [&options](OptionId id) -> const QString& { return options.text(id); };
    const Mame mame = today ? Mame::Today : Mame::Classic;
    auto fixed = [&](OptionId combo) { return fixedSwitchPiece(combo, number(combo), mame); };
    // The pieces that are not read from a combo's table heed the option table themselves.
    auto classicOnly = [mame](OptionId id, QString piece) {
        return mame == Mame::Today && !usedByTodaysMame(id) ? QString() : piece;
    };

    // A braced list is evaluated in order, so the joystick message comes up while the
    // pieces are formed, before the caller shows or starts the line.
    const std::array<QString, 25> pieces{
        programPiece(options),
        gamePiece(game, listType, today),
        soundPiece(number(AudioCombo), mame),
        itemDataPiece(SampleRateCombo, number(SampleRateCombo),
                      mame == Mame::Today ? u"-samplerate " : u"-sr ", DefaultEntry::AddsNothing),
        classicOnly(BitRateCombo, itemDataPiece(BitRateCombo, number(BitRateCombo), u"-sb ",
                                                DefaultEntry::AddsNothing)),
        classicOnly(SbOplCheck, isSet(number(SbOplCheck)) ? QStringLiteral("-fm ") : QString()),
        resolutionPiece(number(VideoCombo)),
        frameskipPiece(number(FrameskipSlider), mame),
        fixed(DoubleCombo),
        fixed(DepthCombo),
        classicOnly(VGAFreqCombo, itemDataPiece(VGAFreqCombo, number(VGAFreqCombo), u"-vgafreq ",
                                                DefaultEntry::AddsNothing)),
        fixed(ScanlinesCombo),
        fixed(VESACombo),
        fixed(VSyncCombo),
        textSwitchPiece(isSet(number(GammaCheck)), u"-gamma ", text(GammaText)),
        fixed(RotateCombo),
        fixed(FlipCombo),
        fixed(AntialiasCombo),
        beamPiece(isSet(number(BeamCheck)), text(BeamText), mame),
        textSwitchPiece(isSet(number(FlickerCheck)), u"-flicker ", text(FlickerText)),
        fixed(TranslucencyCombo),
        isTicked(number(CheatCheck)) ? QStringLiteral("-cheat ") : QString(),
        extraSwitches,
        joystickPiece(number(JoyCombo), messages, mame),
        textSwitchPiece(isTicked(number(AdditionalParamCheck)), {}, text(AdditionalParamText)),
    };

    QString line;
    for (const QString& piece : pieces)
        line += piece;
    return line;
}

QString recordSwitches(const QString& name, const TodayMame* today)
{
    // The classic MAME adds the extension and the directory to the name itself.
    if (!today)
        return u"-record " % name % u' ';
    return todayInputSwitches(u"-record ", name % u".inp");
}

QString playbackSwitches(const QString& comboText, const QString& fileName, const TodayMame* today)
{
    if (!today)
        return u"-playback " % comboText % u' ';
    return todayInputSwitches(u"-playback ", fileName);
}

std::optional<QString> programWord(const OptionSet& options)
{
    if (options.flag(OptionId::OriginalMameOption))
        return QStringLiteral("MAME");
    const QStringList words = splitCommandWords(options.text(OptionId::AlternateMameText));
    if (words.isEmpty() || words.first().isEmpty())
        return std::nullopt;
    return words.first();
}
