#pragma once

#include "options/optionset.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

class Files;

// A game's own option set, kept in KvCfg/<short name>.kv: one line per option,
// "Key","value" with CR LF, the 29 options in store order, nothing escaped.

// Why a per-game file could not be applied. The numbers are the codes the program shows;
// stored notes and users' reports of them rely on the numbers.
namespace GameSettingsFailure {
inline constexpr int None = 0;
inline constexpr int Overflow = 6;       // a whole number outside the option's range
inline constexpr int TypeMismatch = 13;  // an option button's text that is no Boolean
inline constexpr int BadFileName = 52;   // a short name that cannot be a file name
inline constexpr int FileNotFound = 53;  // the game has no file
inline constexpr int PastEndOfFile = 62; // the file ends after a key, before its value
inline constexpr int AccessError = 75;   // the file exists but cannot be read
inline constexpr int PathNotFound = 76;  // KvCfg does not exist
inline constexpr int Refused = 380;      // a value the option's control refuses
} // namespace GameSettingsFailure

// The outcome of applying a file: failure is None when the whole file was applied;
// otherwise the key and value read last (empty when nothing was read), for the report.
struct GameSettingsLoad
{
    int failure = GameSettingsFailure::None;
    QString lastKey;
    QString lastValue;
};

// Applies one value to an option; false when the option refuses it.
using ApplyOption = std::function<bool(OptionId, const OptionValue&)>;

// Whether a short name can name a file in KvCfg: not empty, not "." or "..", and without a
// path separator or NUL, so that no name ever reaches a file outside KvCfg.
bool isUsableGameName(QStringView shortName);

// <programDir>/KvCfg/<shortName>.kv; the name is used as it stands.
QString gameSettingsPath(const QString& programDir, const QString& shortName);

// The file's bytes for an option set: UTF-8, 29 lines, CR LF.
QByteArray gameSettingsBytes(const OptionSet& options);

// Reads the fields of a per-game file's text and applies each known key's value, in file
// order, stopping at the first failure. Keys are matched exactly; unknown keys are skipped
// with their values; a key given twice is applied twice. A text in which no key is known
// fails as one that ends too early (PastEndOfFile).
GameSettingsLoad applyGameSettingsText(QStringView text, const ApplyOption& apply);

// Reads the game's file through files and applies it: the name check, KvCfg, the file's
// existence and readability first, then applyGameSettingsText on its decoded text. A file
// holding a NUL byte is no text and fails as PastEndOfFile, with nothing applied.
GameSettingsLoad loadGameSettings(const Files& files, const QString& programDir,
                                  const QString& shortName, const ApplyOption& apply);

// Splits a per-game file into fields. A field ends at a comma or a line end; blanks (spaces)
// before it are skipped. A field that begins with a double quote runs to the first double
// quote followed by a comma, a line end or the end of the text, so a value holding quotes
// comes back whole (the writer does not escape them); any other field is the text up to the
// next comma or line end, spaces trimmed at both ends.
class GameSettingsFields
{
public:
    explicit GameSettingsFields(QStringView text)
        : m_text(text)
    {}

    // True when nothing but spaces and line ends is left, so no further key can begin.
    bool atEndOfKeys();
    // The next field, or nullopt when the text is exhausted.
    std::optional<QString> next();

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};
