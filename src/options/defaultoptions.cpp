#include "options/defaultoptions.h"

#include "options/optiontext.h"
#include "platform/settingsstore.h"

namespace {

QString optionsSection()
{
    return QStringLiteral("Options");
}

} // namespace

QList<UnusableDefault> loadDefaultOptions(const SettingsStore& store, const ApplyOption& apply)
{
    QList<UnusableDefault> unusable;
    for (const OptionInfo& info : optionInfos()) {
        const QString defaultText = info.defaultText.toString();
        const QString stored = store.read(optionsSection(), info.name.toString(), defaultText);
        const ParsedOption parsed = parseOptionText(info.kind, stored);
        int failure = static_cast<int>(parsed.failure);
        if (parsed.ok() && !apply(info.id, parsed.value))
            failure = GameSettingsFailure::Refused;
        if (failure == GameSettingsFailure::None)
            continue;
        unusable.append({info.id, stored, failure});
        // The table's own defaults are always accepted.
        const bool applied = apply(info.id, parseOptionText(info.kind, defaultText).value);
        Q_ASSERT(applied);
        Q_UNUSED(applied);
    }
    return unusable;
}

bool saveDefaultOptions(SettingsStore& store, const OptionSet& options)
{
    QList<std::pair<QString, QString>> values;
    for (const OptionInfo& info : optionInfos())
        values.append({info.name.toString(), optionText(options.value(info.id))});
    return store.writeAll(optionsSection(), values);
}
