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
// the switches it writes (mame/switches.h), and in today's line an option without a switch
// there adds nothing.

#include "mame/commandline.h"

#include "catalogue/listtype.h"
#include "mame/mamewords.h"
#include "mame/switches.h"
#include "options/optiontables.h"
#include "platform/appinfo.h"
#include "platform/commandwords.h"
#include "platform/messageboxes.h"

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
// One helper per kind of piece. Each gives the piece's text and its words.

CommandLine piece(QString text, QStringList words)
{
    return {std::move(text), std::move(words)};
}

// The switches of a table entry ("-vesa -vesamode vesa2b "): our own constants, whose words
// are separated by single blanks.
CommandLine switchesPiece(QStringView switches)
{
    return piece(switches.toString(), switches.toString().split(u' ', Qt::SkipEmptyParts));
}

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

// switchWord + the selected entry's item data, taken from the panel's own table so that
// the line always passes what the panel shows.
CommandLine itemDataPiece(OptionId combo, int index, QStringView switchWord, DefaultEntry entry0)
{
    const ComboEntry* entry = entryAt(combo, index);
    if (!entry || (index == 0 && entry0 == DefaultEntry::AddsNothing))
        return {};
    const QString value = QString::number(entry->itemData);
    return piece(switchWord % u' ' % value % u' ', {switchWord.toString(), value});
}

// The resolution is passed as the entry's own text ("640x480").
CommandLine resolutionPiece(int index)
{
    const ComboEntry* entry = entryAt(OptionId::VideoCombo, index);
    if (!entry || index == 0)
        return {};
    return piece(u"-resolution " % entry->text % u' ',
                 {QStringLiteral("-resolution"), entry->text.toString()});
}

// The switches that the selected entry stands for in mame's line ("-double ",
// "-vesa -vesamode vesa2b "); nullopt when the index names no entry.
std::optional<QStringView> fixedSwitches(OptionId combo, int index, const MameInfo& mame)
{
    const std::span<const EntrySwitches> switches = entrySwitches(combo);
    if (index < 0 || static_cast<std::size_t>(index) >= switches.size())
        return std::nullopt;
    const EntrySwitches& entry = switches[static_cast<std::size_t>(index)];
    return mame.isToday() ? entry.today : entry.classic;
}

CommandLine fixedSwitchPiece(OptionId combo, int index, const MameInfo& mame)
{
    return switchesPiece(fixedSwitches(combo, index, mame).value_or(QStringView()));
}

// The classic sound card switch is always passed, with the entry's card number; today's MAME
// only hears of the sound when it is to be silent.
CommandLine soundPiece(int index, const MameInfo& mame)
{
    if (mame.isToday())
        return fixedSwitchPiece(OptionId::AudioCombo, index, mame);
    return itemDataPiece(OptionId::AudioCombo, index, u"-soundcard", DefaultEntry::AddsSwitch);
}

// A text of the panel without the blanks at its ends: one value, one word.
QString valueWord(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return text.sliced(begin, end - begin);
}

// switchWord followed by a value typed in the panel, shown exactly as typed and passed as
// one word.
CommandLine valuePiece(bool on, QStringView switchWord, const QString& text)
{
    if (!on)
        return {};
    return piece(switchWord % u' ' % text % u' ', {switchWord.toString(), valueWord(text)});
}

// Switches the user types as such: split into words as a shell splits plain words.
CommandLine typedSwitchesPiece(bool on, const QString& text)
{
    if (!on)
        return {};
    return piece(text % u' ', splitCommandWords(text));
}

CommandLine programPiece(const OptionSet& options)
{
    if (options.flag(OptionId::OriginalMameOption))
        return piece(QStringLiteral("MAME "), {QStringLiteral("MAME")});
    return typedSwitchesPiece(true, options.text(OptionId::AlternateMameText));
}

CommandLine gamePiece(const std::optional<SelectedGame>& game, int listType, const MameInfo& mame)
{
    if (!game)
        return {};
    if (listType != HomeHacks)
        return piece(game->name % u' ', {game->name});
    // A home hack is its parent game run with the hack's ROM directory. Today's MAME takes
    // one ROM path in place of its own, so that path is the hack's directory followed by
    // MAME's own path, where the parent's sets are.
    if (!mame.takesOneRomPath()) {
        return piece(game->cloneof % u" -romdir " % game->name % u' ',
                     {game->cloneof, QStringLiteral("-romdir"), game->name});
    }
    QString rompath = game->name;
    if (!mame.rompath.isEmpty())
        rompath.append(u';').append(mame.rompath);
    return piece(game->cloneof % u" -rompath \"" % rompath % u"\" ",
                 {game->cloneof, QStringLiteral("-rompath"), rompath});
}

// The slider's last position leaves the skipping to MAME. The classic piece is the only one
// that also begins with a space, which puts two spaces before the switch. MAME does not mind,
// and the line shown to the user has always looked this way.
CommandLine frameskipPiece(int position, const MameInfo& mame)
{
    if (position == 0)
        return {};
    if (mame.isToday() && position == kFrameskipMaximum)
        return switchesPiece(u"-autoframeskip ");
    const QString number = QString::number(position);
    return piece((mame.isToday() ? u"-frameskip " : u" -frameskip ") % number % u' ',
                 {QStringLiteral("-frameskip"), number});
}

// Today's MAME draws vectors between a least and a greatest width: both get the one width.
CommandLine beamPiece(bool on, const QString& width, const MameInfo& mame)
{
    if (!mame.isToday() || !on)
        return valuePiece(on, u"-beam", width);
    const QString word = valueWord(width);
    return piece(
        u"-beam_width_min " % width % u" -beam_width_max " % width % u' ',
        {QStringLiteral("-beam_width_min"), word, QStringLiteral("-beam_width_max"), word});
}

CommandLine joystickPiece(int index, MessageBoxes& messages, const MameInfo& mame)
{
    const std::optional<QStringView> switches = fixedSwitches(OptionId::JoyCombo, index, mame);
    if (!switches) {
        // The player is told, then the game starts without a joystick switch.
        messages.show(u"Mmm? JoyCombo.ListIndex #" % QString::number(index) %
                          u" is not supported, contact Brimwork for a fix!",
                      appTitle(), MessageButtons::Ok);
        return {};
    }
    return switchesPiece(*switches);
}

// A word of today's line that holds a blank is shown in quotes, as the user would type it.
QString shownAsOneWord(const QString& word)
{
    if (!word.contains(u' ') && !word.contains(u'\t'))
        return word;
    return u'"' % word % u'"';
}

// Today's MAME keeps its recordings wherever it is told; the program's are in INP.
CommandLine todayInputSwitches(QStringView recordOrPlayback, const QString& file)
{
    return piece(u"-input_directory INP " % recordOrPlayback % u' ' % shownAsOneWord(file) % u' ',
                 {QStringLiteral("-input_directory"), QStringLiteral("INP"),
                  recordOrPlayback.toString(), file});
}

} // namespace

CommandLine BuildCommandLine(const OptionSet& options, const std::optional<SelectedGame>& game,
                             int listType, const CommandLine& extraSwitches, MessageBoxes& messages,
                             const MameInfo& mame)
{
    using enum OptionId;
    auto number = [&options](OptionId id) { return options.number(id); };
    auto text = [&options](OptionId id) -> const QString& { return options.text(id); };
    // An option that today's MAME has no switch for gives its line nothing.
    auto used = [&mame](OptionId id, CommandLine line) {
        return mame.isToday() && !usedByTodaysMame(id) ? CommandLine() : line;
    };
    auto fixed = [&](OptionId combo) {
        return used(combo, fixedSwitchPiece(combo, number(combo), mame));
    };

    // A braced list is evaluated in order, so the joystick message comes up while the
    // pieces are formed, before the caller shows or starts the line.
    const std::array<CommandLine, 25> pieces{
        programPiece(options),
        gamePiece(game, listType, mame),
        soundPiece(number(AudioCombo), mame),
        itemDataPiece(SampleRateCombo, number(SampleRateCombo),
                      mame.isToday() ? u"-samplerate" : u"-sr", DefaultEntry::AddsNothing),
        used(BitRateCombo,
             itemDataPiece(BitRateCombo, number(BitRateCombo), u"-sb", DefaultEntry::AddsNothing)),
        used(SbOplCheck, isSet(number(SbOplCheck)) ? switchesPiece(u"-fm ") : CommandLine()),
        resolutionPiece(number(VideoCombo)),
        frameskipPiece(number(FrameskipSlider), mame),
        fixed(DoubleCombo),
        fixed(DepthCombo),
        used(VGAFreqCombo, itemDataPiece(VGAFreqCombo, number(VGAFreqCombo), u"-vgafreq",
                                         DefaultEntry::AddsNothing)),
        fixed(ScanlinesCombo),
        fixed(VESACombo),
        fixed(VSyncCombo),
        valuePiece(isSet(number(GammaCheck)), u"-gamma", text(GammaText)),
        fixed(RotateCombo),
        fixed(FlipCombo),
        fixed(AntialiasCombo),
        beamPiece(isSet(number(BeamCheck)), text(BeamText), mame),
        valuePiece(isSet(number(FlickerCheck)), u"-flicker", text(FlickerText)),
        fixed(TranslucencyCombo),
        isTicked(number(CheatCheck)) ? switchesPiece(u"-cheat ") : CommandLine(),
        extraSwitches,
        joystickPiece(number(JoyCombo), messages, mame),
        typedSwitchesPiece(isTicked(number(AdditionalParamCheck)), text(AdditionalParamText)),
    };

    CommandLine line;
    for (const CommandLine& p : pieces) {
        line.text += p.text;
        line.words += p.words;
    }
    return line;
}

CommandLine recordSwitches(const QString& name, const MameInfo& mame)
{
    // The classic MAME adds the extension and the directory to the name itself.
    if (!mame.needsRecordingDirectory())
        return piece(u"-record " % name % u' ', {QStringLiteral("-record"), name});
    return todayInputSwitches(u"-record", name % u".inp");
}

CommandLine playbackSwitches(const QString& comboText, const QString& fileName,
                             const MameInfo& mame)
{
    if (!mame.needsRecordingDirectory())
        return piece(u"-playback " % comboText % u' ', {QStringLiteral("-playback"), comboText});
    return todayInputSwitches(u"-playback", fileName);
}

std::optional<QString> refusedLaunchNames(const std::optional<SelectedGame>& game, int listType,
                                          const std::optional<QString>& recordingName)
{
    if (game) {
        // A home hack gives MAME its parent and its directory; any other row its short name.
        const bool hack = listType == HomeHacks;
        if (hack && !isUsableSetName(game->cloneof))
            return refusedSetNameMessage(game->description, u"parent", game->cloneof);
        if (!isUsableSetName(game->name)) {
            return refusedSetNameMessage(game->description,
                                         hack ? u"hack directory" : u"short name", game->name);
        }
    }
    if (recordingName && !isUsableRecordingName(*recordingName))
        return refusedRecordingNameMessage(*recordingName);
    return std::nullopt;
}

std::optional<QString> programWord(const OptionSet& options)
{
    const QStringList words = programPiece(options).words;
    if (words.isEmpty() || words.first().isEmpty())
        return std::nullopt;
    return words.first();
}
