// The per-game file reader on any bytes, decoded as the program decodes a file and applied
// with the option panel's range checks; what it accepts must come back whole through a
// written file.

#include "options/gamesettingsfile.h"
#include "options/optiontables.h"
#include "platform/textcodec.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// Takes a value as the panel's control would: of the option's type and within its range.
ApplyOption into(OptionSet& set)
{
    return [&set](OptionId id, const OptionValue& v) {
        const int* number = std::get_if<int>(&v);
        const OptionKind kind = optionInfo(id).kind;
        const auto [low, high] = kind == OptionKind::CheckBox ? std::pair(0, 2)
                                 : kind == OptionKind::ComboBox
                                     ? std::pair(-1, int(std::ssize(comboEntries(id))) - 1)
                                     : std::pair(kFrameskipMinimum, kFrameskipMaximum);
        const bool numeric = kind != OptionKind::OptionButton && kind != OptionKind::TextField;
        if (numeric && (!number || *number < low || *number > high))
            return false;
        if (!set.setValue(id, v))
            std::abort(); // the reader converted the text to another kind than the option's
        return true;
    };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const char* data, std::size_t size)
{
    const QByteArray bytes(data, static_cast<qsizetype>(size));
    const QString decoded = decodeText(bytes, detectEncoding(bytes));
    // The text in a buffer of its own size, without the terminating null of a QString, so a
    // read past its end is caught.
    const std::vector<QChar> chars(decoded.cbegin(), decoded.cend());
    const QStringView text(chars.data(), std::ssize(chars));

    // Every field is taken from the text and each call moves on, to the end.
    GameSettingsFields fields(text);
    qsizetype total = 0;
    qsizetype count = 0;
    while (const std::optional<QString> field = fields.next()) {
        total += field->size();
        if (++count > text.size() || total > text.size())
            std::abort();
    }
    if (!fields.atEndOfKeys())
        std::abort();

    OptionSet set;
    const GameSettingsLoad load = applyGameSettingsText(text, into(set));
    namespace F = GameSettingsFailure;
    if (load.failure != F::None && load.failure != F::Overflow && load.failure != F::TypeMismatch &&
        load.failure != F::PastEndOfFile && load.failure != F::Refused)
        std::abort();

    // The file the program would write for what was applied reads back as the same set.
    OptionSet again;
    const QByteArray written = gameSettingsBytes(set);
    if (applyGameSettingsText(decodeText(written, detectEncoding(written)), into(again)).failure !=
            F::None ||
        again != set)
        std::abort();
    return 0;
}
