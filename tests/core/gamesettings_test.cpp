// The default option set in the settings store and each game's option set in its file.

#include "fakes/fakesettingsstore.h"
#include "options/defaultoptions.h"
#include "options/gamesettingsfile.h"
#include "options/optiontext.h"
#include "platform/inisettingsstore.h"
#include "platform/localfiles.h"
#include "testfiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using enum OptionId;
namespace Failure = GameSettingsFailure;

// Applies into a plain record, as the panel would, without its range checks but one: like
// the control's, JoyCombo's entries end at 21.
ApplyOption into(OptionSet& set)
{
    return [&set](OptionId id, const OptionValue& v) {
        return !(id == JoyCombo && std::get<int>(v) > 21) && set.setValue(id, v);
    };
}

// What an empty settings store gives.
OptionSet defaults()
{
    OptionSet set;
    const FakeSettingsStore empty;
    EXPECT_TRUE(loadDefaultOptions(empty, into(set)).isEmpty());
    return set;
}

// Every option away from its default, with the texts that are hard to keep whole.
OptionSet unusual()
{
    OptionSet set = defaults();
    set.setValue(OriginalMameOption, false);
    set.setValue(AlternateMameOption, true);
    set.setValue(AlternateMameText, "  mame, \"new\" build  ");
    set.setValue(AdditionalParamText, "-a,-b ; \"x\"y\" caf\u00e9");
    set.setValue(BeamText, QString());
    set.setValue(FlickerText, " ");
    set.setValue(GammaText, "\"");
    set.setValue(FrameskipSlider, 11);
    int n = 0;
    for (const OptionInfo& info : optionInfos()) {
        if (info.kind == OptionKind::CheckBox)
            set.setValue(info.id, ++n % 3);
        if (info.kind == OptionKind::ComboBox)
            set.setValue(info.id, n++ % 3 - 1); // -1 (no entry) among them
    }
    return set;
}

TEST(OptionText, storedTextsConvertByTheOptionsKind)
{
    using K = OptionKind;
    using F = ValueFailure;
    const struct
    {
        OptionKind kind;
        const char* text;
        OptionValue value;
        ValueFailure failure;
    } cases[] = {
        // How numbers are read is valuetext's; here, the range each kind takes.
        // clang-format off
        {K::CheckBox, "32768", 0, F::Overflow}, {K::ComboBox, "-32769", 0, F::Overflow},
        {K::Slider, "32768", 32768, F::None},
        {K::OptionButton, "True", true, F::None}, {K::OptionButton, "TRUE", true, F::None},
        {K::OptionButton, "false", false, F::None}, {K::OptionButton, "-1", true, F::None},
        {K::OptionButton, " 0.0 ", false, F::None}, {K::OptionButton, "0.4", true, F::None},
        {K::OptionButton, "yes", false, F::TypeMismatch}, {K::OptionButton, "", false, F::TypeMismatch},
        {K::OptionButton, "1x", false, F::TypeMismatch}, {K::OptionButton, "True ", false, F::TypeMismatch},
        {K::TextField, " a, \"b\" ", QString(" a, \"b\" "), F::None},
        // clang-format on
    };
    for (const auto& c : cases) {
        const ParsedOption parsed = parseOptionText(c.kind, QString::fromUtf8(c.text));
        EXPECT_EQ(parsed.failure, c.failure) << c.text;
        EXPECT_TRUE(!parsed.ok() || parsed.value == c.value) << c.text;
    }
}

TEST(GameSettingsFile, writesTheLinesOfTheExampleByteForByte)
{
    OptionSet set = defaults();
    set.setValue(CheatCheck, 1);
    set.setValue(GammaCheck, 1);
    set.setValue(FrameskipSlider, 2);
    set.setValue(ScanlinesCombo, 2);
    set.setValue(JoyCombo, 1);
    const QByteArray expected = "\"OriginalMameOption.Value\",\"True\"\r\n"
                                "\"AlternateMameOption.Value\",\"False\"\r\n"
                                "\"AlternateMameText.Text\",\"\"\r\n"
                                "\"AdditionalParamText.Text\",\"\"\r\n"
                                "\"BeamText.Text\",\"1.00\"\r\n"
                                "\"FlickerText.Text\",\"0\"\r\n"
                                "\"GammaText.Text\",\"1.20\"\r\n"
                                "\"FrameskipSlider.Value\",\"2\"\r\n"
                                "\"CheatCheck.Value\",\"1\"\r\n"
                                "\"AdditionalParamCheck.Value\",\"0\"\r\n"
                                "\"BeamCheck.Value\",\"0\"\r\n"
                                "\"FlickerCheck.Value\",\"0\"\r\n"
                                "\"SbOplCheck.Value\",\"0\"\r\n"
                                "\"GammaCheck.Value\",\"1\"\r\n"
                                "\"VideoCombo.ListIndex\",\"0\"\r\n"
                                "\"AudioCombo.ListIndex\",\"0\"\r\n"
                                "\"DoubleCombo.ListIndex\",\"0\"\r\n"
                                "\"DepthCombo.ListIndex\",\"0\"\r\n"
                                "\"VGAFreqCombo.ListIndex\",\"0\"\r\n"
                                "\"ScanlinesCombo.ListIndex\",\"2\"\r\n"
                                "\"VESACombo.ListIndex\",\"0\"\r\n"
                                "\"VSyncCombo.ListIndex\",\"0\"\r\n"
                                "\"RotateCombo.ListIndex\",\"0\"\r\n"
                                "\"FlipCombo.ListIndex\",\"0\"\r\n"
                                "\"SampleRateCombo.ListIndex\",\"0\"\r\n"
                                "\"BitRateCombo.ListIndex\",\"0\"\r\n"
                                "\"AntialiasCombo.ListIndex\",\"0\"\r\n"
                                "\"JoyCombo.ListIndex\",\"1\"\r\n"
                                "\"TranslucencyCombo.ListIndex\",\"0\"\r\n";
    EXPECT_EQ(gameSettingsBytes(set), expected);
}

TEST(GameSettingsFile, allValuesComeBackThroughAFileAndThroughTheStore)
{
    const OptionSet wanted = unusual();

    OptionSet fromFile = defaults();
    const GameSettingsLoad load =
        applyGameSettingsText(QString::fromUtf8(gameSettingsBytes(wanted)), into(fromFile));
    EXPECT_EQ(load.failure, Failure::None);
    EXPECT_EQ(fromFile, wanted);

    QTemporaryDir dir;
    const QString ini = dir.filePath("Korvane.ini");
    {
        IniSettingsStore store(ini);
        ASSERT_TRUE(saveDefaultOptions(store, wanted));
    }
    const IniSettingsStore store(ini);
    OptionSet fromStore;
    EXPECT_TRUE(loadDefaultOptions(store, into(fromStore)).isEmpty());
    EXPECT_EQ(fromStore, wanted);
}

TEST(GameSettingsFile, readsFieldsAsTheyStand)
{
    const struct
    {
        const char* what;
        const char* text;
        QStringList fields;
    } cases[] = {
        {"quoted pairs", "\"a\",\"b\"\r\n\"c\",\"\"\r\n", {"a", "b", "c", ""}},
        {"quotes inside a quoted value", "\"k\",\"say \"hi\" now\"\r\n", {"k", "say \"hi\" now"}},
        {"a quote then a comma ends the field", "\"k\",\"a\",b\"\r\n", {"k", "a", "b\""}},
        {"blanks before a field are skipped", "  \"k\",   \" v \"", {"k", " v "}},
        {"unquoted fields are trimmed of spaces", " k , v w \n", {"k", "v w"}},
        {"tabs are kept", "\tk\t,v", {"\tk\t", "v"}},
        {"line ends separate like commas", "k\nv\rw\r\nx", {"k", "v", "w", "x"}},
        {"an empty field before a line end", "k,\r\nv", {"k", "", "v"}},
        {"an unclosed quote runs to the end", "\"k\",\"open\r\nline", {"k", "open\r\nline"}},
        {"nothing", "", {}},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        GameSettingsFields fields(text);
        QStringList read;
        while (const std::optional<QString> field = fields.next())
            read.append(*field);
        EXPECT_EQ(read, c.fields) << c.what;
    }
}

TEST(GameSettingsFile, appliesKnownKeysAndStopsAtTheFirstFailure)
{
    const struct
    {
        const char* what;
        const char* text;
        int failure;
        const char* lastKey;
        const char* lastValue;
        int joy; // JoyCombo afterwards; the record starts at 5
        const char* alternateText = "Pmame31";
    } cases[] = {
        // A file without one option of ours is none: it fails rather than leave the options
        // of the game shown before.
        {"empty file", "", Failure::PastEndOfFile, "", "", 5},
        {"one key keeps the others", "\"JoyCombo.ListIndex\",\"3\"\r\n", Failure::None,
         "JoyCombo.ListIndex", "3", 3},
        {"the last of a repeated key stays",
         "\"JoyCombo.ListIndex\",\"1\"\r\n\"JoyCombo.ListIndex\",\"2\"\r\n", Failure::None,
         "JoyCombo.ListIndex", "2", 2},
        {"keys of another letter case and unknown keys are skipped",
         "\"joycombo.listindex\",\"1\"\r\n\"JoyCombo\",\"1\"\r\n\"Nonsense\",\"x\"\r\n",
         Failure::PastEndOfFile, "Nonsense", "x", 5},
        {"blank lines between pairs", "\r\n\"JoyCombo.ListIndex\",\"4\"\r\n\r\n  \r\n",
         Failure::None, "JoyCombo.ListIndex", "4", 4},
        {"a key and a comma at the end", "\"CheatCheck.Value\",", Failure::PastEndOfFile,
         "CheatCheck.Value", "", 5},
        {"a Boolean that is no Boolean",
         "\"JoyCombo.ListIndex\",\"2\"\r\n\"OriginalMameOption.Value\",\"yes\"\r\n"
         "\"JoyCombo.ListIndex\",\"3\"\r\n",
         Failure::TypeMismatch, "OriginalMameOption.Value", "yes", 2},
        // Each failure's code and what it names are pinned with the window's label.
        // The format has no escape: a quote followed by a comma splits the value, the rest
        // of the file falls out of step and its last key has no value.
        {"a value holding a quote and a comma",
         "\"AlternateMameText.Text\",\"a\",b\"\r\n\"JoyCombo.ListIndex\",\"3\"\r\n",
         Failure::PastEndOfFile, "3", "JoyCombo.ListIndex", 5, "a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OptionSet set;
        set.setValue(JoyCombo, 5);
        const GameSettingsLoad load = applyGameSettingsText(QString::fromUtf8(c.text), into(set));
        EXPECT_EQ(load.failure, c.failure);
        EXPECT_EQ(load.lastKey, QString::fromUtf8(c.lastKey));
        EXPECT_EQ(load.lastValue, QString::fromUtf8(c.lastValue));
        // Only what the file names changes; a failing line changes nothing.
        OptionSet expected;
        expected.setValue(JoyCombo, c.joy);
        expected.setValue(AlternateMameText, QString::fromLatin1(c.alternateText));
        EXPECT_EQ(set, expected);
    }
}

TEST(GameSettingsFile, onlyAPlainFileNameReachesAFileAndAnOldCharacterSetStillReads)
{
    // The codes of missing, unreadable and misnamed files are pinned with their labels in
    // the window's tests; here, what a name may be, and a file from an 8-bit system.
    QTemporaryDir dir;
    const QByteArray old = "\"JoyCombo.ListIndex\",\"\xe9\"\r\n"; // Windows-1252, not UTF-8
    testfiles::write(dir.filePath("outside.kv"), old);
    testfiles::write(dir.filePath("KvCfg/old.kv"), old);
    LocalFiles files;
    OptionSet set;
    auto load = [&](const QString& name) {
        return loadGameSettings(files, dir.path(), name, into(set)).failure;
    };
    for (const char* name : {"", ".", "..", "../outside", "a/b", "a\\b"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(isUsableGameName(QString::fromLatin1(name)));
        EXPECT_EQ(load(QString::fromLatin1(name)), Failure::BadFileName);
    }
    EXPECT_FALSE(isUsableGameName(QStringView(u"a\0b", 3)));
    for (const char* name : {"pacman", "...", ".x", "a b", "-x"})
        EXPECT_TRUE(isUsableGameName(QString::fromLatin1(name))) << name;
    EXPECT_EQ(load("old"), Failure::None);
    EXPECT_EQ(set.number(JoyCombo), 0);

    // A NUL byte makes it no text: nothing of it is applied.
    testfiles::write(dir.filePath("KvCfg/binary.kv"),
                     QByteArray("\"JoyCombo.ListIndex\",\"3\"\r\n\0\x01", 28));
    EXPECT_EQ(load("binary"), Failure::PastEndOfFile);
    EXPECT_EQ(set.number(JoyCombo), 0);
}

} // namespace
