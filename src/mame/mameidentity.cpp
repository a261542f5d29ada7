#include "mame/mameidentity.h"

#include "platform/files.h"
#include "platform/platform.h"
#include "platform/processes.h"
#include "platform/settingsstore.h"

#include <QList>

#include <utility>

namespace {

// The first version of today's MAME: 0.37 changed the switches the classic MAME took.
constexpr int kFirstTodayMinor = 37;

// A question MAME answers at once; anything slower is not MAME answering.
constexpr int kQuestionMilliseconds = 5000;

// How many program files the store remembers; a new one takes the place of the first.
constexpr int kStoredPrograms = 8;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

QString key(const char* name, int slot)
{
    return QLatin1StringView(name) + QString::number(slot);
}

// How the user has set "Emulator"/Kind.
enum class Override
{
    None,
    Classic,
    Today,
};

Override overrideOf(const SettingsStore& settings)
{
    const QString kind =
        settings.read(kEmulatorSection.toString(), QStringLiteral("Kind"), QStringLiteral("auto"))
            .trimmed();
    if (kind.compare(u"classic", Qt::CaseInsensitive) == 0)
        return Override::Classic;
    if (kind.compare(u"today", Qt::CaseInsensitive) == 0)
        return Override::Today;
    return Override::None;
}

// The value of the first line of a "-showconfig" answer that starts with name and a blank,
// unquoted; empty when there is none.
QString configValue(QByteArrayView config, QByteArrayView name)
{
    for (QByteArrayView line : QLatin1StringView(config).tokenize(u'\n')) {
        line = line.trimmed();
        if (!line.startsWith(name) || line.size() == name.size() ||
            (line[name.size()] != ' ' && line[name.size()] != '\t'))
            continue;
        QByteArrayView value = line.sliced(name.size()).trimmed();
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.sliced(1, value.size() - 2);
        return QString::fromUtf8(value);
    }
    return {};
}

// What the store reads for a key it does not hold, which no stored value can be: a line end.
const QString kAbsent = QStringLiteral("\n");

} // namespace

std::optional<QString> todaysMameVersion(QByteArrayView answer)
{
    qsizetype at = 0;
    while (at < answer.size() && isDigit(answer[at]))
        ++at;
    if (at == 0 || at >= answer.size() || answer[at] != '.')
        return std::nullopt;
    const qsizetype minorStart = ++at;
    while (at < answer.size() && isDigit(answer[at]))
        ++at;
    if (at == minorStart)
        return std::nullopt;
    // A whole number of any length: leading zeros and all, compared without overflow.
    QByteArrayView minor = answer.sliced(minorStart, at - minorStart);
    while (minor.size() > 1 && minor.front() == '0')
        minor = minor.sliced(1);
    if (minor.size() < 3 && minor.toInt() < kFirstTodayMinor)
        return std::nullopt;
    return QString::fromLatin1(answer.first(at));
}

QString rompathFromConfig(QByteArrayView config)
{
    return configValue(config, "rompath");
}

QString snapshotDirectoryFromConfig(QByteArrayView config)
{
    return configValue(config, "snapshot_directory");
}

MameIdentity::MameIdentity(Platform& platform)
    : m_platform(platform)
{}

MameInfo MameIdentity::identify(const QString& word, Asking asking)
{
    MameInfo info;
    info.program = m_platform.processes.programPath(word);
    if (info.program.isEmpty())
        return info;
    const Override chosen = overrideOf(m_platform.settings);
    // The user has said it is the classic MAME: there is nothing to ask.
    if (chosen == Override::Classic)
        return info;

    const QString stamp = m_platform.files.fileStamp(info.program);
    std::optional<MameInfo> known = stamp.isEmpty() ? std::nullopt : stored(info.program, stamp);
    if (!known && asking == Asking::StoredOnly) {
        info.notAsked = true;
        return info;
    }
    if (!known) {
        const bool withConfig = chosen == Override::Today;
        if (m_beforeAsking)
            m_beforeAsking(info.program);
        known = ask(info.program, withConfig);
        if (!stamp.isEmpty())
            store(info.program, stamp, *known, withConfig || known->dialect == MameDialect::Today);
    }
    if (chosen == Override::Today)
        known->dialect = MameDialect::Today;
    return *known;
}

MameInfo MameIdentity::ask(const QString& program, bool today)
{
    MameInfo info;
    info.program = program;
    info.asked = true;
    const ProcessAnswer version =
        m_platform.processes.ask({program, {QStringLiteral("-version")}}, kQuestionMilliseconds);
    if (version.ended) {
        if (const std::optional<QString> v = todaysMameVersion(version.output)) {
            info.dialect = MameDialect::Today;
            info.version = *v;
        }
    }
    if (info.dialect == MameDialect::Today || today) {
        const ProcessAnswer config = m_platform.processes.ask(
            {program, {QStringLiteral("-showconfig")}}, kQuestionMilliseconds);
        if (config.ended) {
            info.rompath = rompathFromConfig(config.output);
            info.snapshotDirectory = snapshotDirectoryFromConfig(config.output);
        }
    }
    return info;
}

// The store keeps each program file in a numbered slot: ProgramN (its path), StampN (size
// and modification time when it was asked), VersionN (today's MAME's version, empty for the
// classic MAME), RompathN, SnapshotsN (its snapshot_directory) and ConfigN ("1" once its
// configuration was asked).

std::optional<MameInfo> MameIdentity::stored(const QString& program, const QString& stamp) const
{
    const SettingsStore& settings = m_platform.settings;
    const QString section = kEmulatorSection.toString();
    for (int slot = 1; slot <= kStoredPrograms; ++slot) {
        if (settings.read(section, key("Program", slot), {}) != program)
            continue;
        if (settings.read(section, key("Stamp", slot), {}) != stamp)
            return std::nullopt;
        MameInfo info;
        info.program = program;
        info.version = settings.read(section, key("Version", slot), {});
        info.dialect =
            todaysMameVersion(info.version.toLatin1()) ? MameDialect::Today : MameDialect::Classic;
        info.rompath = settings.read(section, key("Rompath", slot), {});
        info.snapshotDirectory = settings.read(section, key("Snapshots", slot), kAbsent);
        // Stored before the snapshots were kept: today's MAME is asked again for them.
        if (info.snapshotDirectory == kAbsent) {
            if (info.isToday())
                return std::nullopt;
            info.snapshotDirectory.clear();
        }
        // Overridden to today's MAME, a program stored as classic still needs its
        // configuration asked.
        if (overrideOf(settings) == Override::Today &&
            settings.read(section, key("Config", slot), {}) != u"1")
            return std::nullopt;
        return info;
    }
    return std::nullopt;
}

void MameIdentity::store(const QString& program, const QString& stamp, const MameInfo& info,
                         bool configAsked)
{
    SettingsStore& settings = m_platform.settings;
    const QString section = kEmulatorSection.toString();
    int slot = 0;
    for (int s = 1; s <= kStoredPrograms && slot == 0; ++s) {
        const QString stored = settings.read(section, key("Program", s), {});
        if (stored == program || stored.isEmpty())
            slot = s;
    }
    if (slot == 0)
        slot = 1;
    QList<std::pair<QString, QString>> values{
        {key("Program", slot), program},
        {key("Stamp", slot), stamp},
        {key("Version", slot), info.version},
        {key("Rompath", slot), info.rompath},
        {key("Snapshots", slot), info.snapshotDirectory},
        {key("Config", slot), configAsked ? QStringLiteral("1") : QString()},
    };
    // The override's key is written once, so that a user looking at the file finds it.
    if (settings.read(section, QStringLiteral("Kind"), {}).isEmpty())
        values.prepend({QStringLiteral("Kind"), QStringLiteral("auto")});
    // A store that cannot be written only costs asking again next time.
    settings.writeAll(section, values);
}
