#include "mame/romsets.h"

#include "platform/files.h"

#include <QDir>
#include <QIODevice>
#include <QTimer>

#include <algorithm>

namespace {

// How long the folders must stay still before they are listed again: a copy of many sets
// changes them hundreds of times a second.
constexpr int kSettleMilliseconds = 150;

// The most of a classic mame.cfg that is read: the file is a few kilobytes.
constexpr qint64 kLargestClassicConfig = 1 << 20;

bool isNameCharacter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
           c == u'_';
}

QStringList absoluteFolders(const QString& path, const QString& programDir)
{
    QStringList folders;
    const QDir base(programDir);
    for (const QString& folder : path.split(u';', Qt::SkipEmptyParts)) {
        const QString expanded = expandPathVariables(folder.trimmed());
        if (!expanded.isEmpty())
            folders.append(QDir::cleanPath(base.absoluteFilePath(expanded)));
    }
    return folders;
}

} // namespace

QString expandPathVariables(const QString& path)
{
    QString result;
    qsizetype at = 0;
    if (path.startsWith(u'~') && (path.size() == 1 || path.at(1) == u'/')) {
        result = QDir::homePath();
        at = 1;
    }
    while (at < path.size()) {
        const QChar c = path.at(at);
        const bool braced = c == u'$' && at + 1 < path.size() && path.at(at + 1) == u'{';
        const qsizetype nameStart = at + (braced ? 2 : 1);
        qsizetype nameEnd = nameStart;
        while (c == u'$' && nameEnd < path.size() && isNameCharacter(path.at(nameEnd)))
            ++nameEnd;
        const bool closed = !braced || (nameEnd < path.size() && path.at(nameEnd) == u'}');
        if (c != u'$' || nameEnd == nameStart || !closed) {
            result.append(c);
            ++at;
            continue;
        }
        result.append(qEnvironmentVariable(path.mid(nameStart, nameEnd - nameStart).toLocal8Bit()));
        at = nameEnd + (braced ? 1 : 0);
    }
    return result;
}

QString rompathOfClassicConfig(QByteArrayView config)
{
    for (qsizetype at = 0; at < config.size();) {
        qsizetype end = config.indexOf('\n', at);
        if (end < 0)
            end = config.size();
        const QByteArrayView line = config.sliced(at, end - at).trimmed();
        at = end + 1;
        const qsizetype equals = line.indexOf('=');
        if (equals < 0 || line.first(equals).trimmed().compare("rompath", Qt::CaseInsensitive) != 0)
            continue;
        QByteArrayView value = line.sliced(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.sliced(1, value.size() - 2);
        return QString::fromLocal8Bit(value);
    }
    return {};
}

QStringList romFolders(const MameInfo& mame, const Files& files, const QString& programDir)
{
    QString path = mame.rompath;
    if (!mame.isToday()) {
        path.clear();
        if (auto config =
                files.openForReading(QDir(programDir).filePath(QStringLiteral("mame.cfg"))))
            path = rompathOfClassicConfig(config->read(kLargestClassicConfig));
    }
    QStringList folders = absoluteFolders(path, programDir);
    if (folders.isEmpty())
        folders = absoluteFolders(QStringLiteral("roms"), programDir);
    return folders;
}

RomSets::RomSets(const Files& files, QObject* parent)
    : QObject(parent)
    , m_files(files)
    , m_settle(new QTimer(this))
{
    m_settle->setSingleShot(true);
    m_settle->setInterval(kSettleMilliseconds);
    connect(m_settle, &QTimer::timeout, this, &RomSets::rescan);
}

RomSets::~RomSets() = default;

void RomSets::setFolders(const QStringList& folders)
{
    if (folders == m_folders)
        return;
    m_folders = folders;
    m_watches.clear();
    for (const QString& folder : folders)
        m_watches.push_back(m_files.watchDirectory(folder, [this] { m_settle->start(); }));
    rescan();
}

namespace {

constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;

std::uint64_t mix(std::uint64_t hash, unsigned char byte)
{
    if (byte >= 'A' && byte <= 'Z')
        byte = static_cast<unsigned char>(byte - 'A' + 'a');
    return (hash ^ byte) * kFnvPrime;
}

// 0 marks a free slot: no name has it.
std::uint64_t finished(std::uint64_t hash)
{
    // FNV's low bits are weak on short names: fold the high ones in before they pick a slot.
    hash ^= hash >> 29;
    return hash == 0 ? 1 : hash;
}

bool endsWithFolded(std::string_view name, std::string_view suffix)
{
    if (name.size() < suffix.size())
        return false;
    const std::string_view end = name.substr(name.size() - suffix.size());
    for (std::size_t i = 0; i < end.size(); ++i) {
        const char c = end[i] >= 'A' && end[i] <= 'Z' ? char(end[i] - 'A' + 'a') : end[i];
        if (c != suffix[i])
            return false;
    }
    return true;
}

} // namespace

std::uint64_t RomSetNames::hash(std::string_view name)
{
    std::uint64_t hash = kFnvOffset;
    for (const char c : name)
        hash = mix(hash, static_cast<unsigned char>(c));
    return finished(hash);
}

std::uint64_t RomSetNames::hash(QStringView name)
{
    std::uint64_t hash = kFnvOffset;
    for (const QChar c : name) {
        if (c.unicode() >= 0x80) // set names are ASCII; others are compared as UTF-8
            return RomSetNames::hash(std::string_view(name.toUtf8().toStdString()));
        hash = mix(hash, static_cast<unsigned char>(c.unicode()));
    }
    return finished(hash);
}

bool RomSetNames::containsHash(std::uint64_t hash) const
{
    if (m_slots.empty())
        return false;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        if (m_slots[slot] == hash)
            return true;
        if (m_slots[slot] == 0)
            return false;
    }
}

void RomSetNames::insertHash(std::uint64_t hash)
{
    // At most half full, so that a search ends soon at a free slot.
    if (2 * (m_count + 1) > m_slots.size()) {
        std::vector<std::uint64_t> old(std::max<std::size_t>(64, 2 * m_slots.size()), 0);
        old.swap(m_slots);
        m_count = 0;
        for (const std::uint64_t kept : old) {
            if (kept != 0)
                insertHash(kept);
        }
    }
    const std::size_t mask = m_slots.size() - 1;
    std::size_t slot = hash & mask;
    while (m_slots[slot] != 0) {
        if (m_slots[slot] == hash)
            return;
        slot = (slot + 1) & mask;
    }
    m_slots[slot] = hash;
    ++m_count;
}

bool operator==(const RomSetNames& a, const RomSetNames& b)
{
    if (a.m_count != b.m_count)
        return false;
    for (const std::uint64_t hash : a.m_slots) {
        if (hash != 0 && !b.containsHash(hash))
            return false;
    }
    return true;
}

void RomSets::rescan()
{
    m_settle->stop();
    RomSetNames present;
    bool anyFolder = false;
    for (const QString& folder : std::as_const(m_folders)) {
        anyFolder |=
            m_files.forEachEntry(folder, [&present](std::string_view name, bool isDirectory) {
                if (isDirectory) {
                } else if (endsWithFolded(name, ".zip")) {
                    name.remove_suffix(4);
                } else if (endsWithFolded(name, ".7z")) {
                    name.remove_suffix(3);
                } else {
                    return;
                }
                if (!name.empty())
                    present.insert(name);
            });
    }
    if (present == m_present && anyFolder == m_anyFolder)
        return;
    m_present = std::move(present);
    m_anyFolder = anyFolder;
    Q_EMIT changed();
}

void GameAvailability::clear()
{
    m_romof.clear();
    m_bios = {};
    m_onBios.clear();
    m_onBiosKnown = false;
}

void GameAvailability::addGame(const CatalogueEntry& game)
{
    if (game.romof != absentValue())
        m_romof.emplace_back(RomSetNames::hash(game.name), RomSetNames::hash(game.romof));
    m_onBiosKnown = false;
}

void GameAvailability::addBios(const QString& name)
{
    m_bios.insert(name);
    m_onBiosKnown = false;
}

std::uint64_t GameAvailability::biosOf(const CatalogueEntry& game) const
{
    if (game.romof == absentValue() || m_bios.empty())
        return 0;
    const std::uint64_t romof = RomSetNames::hash(game.romof);
    if (m_bios.containsHash(romof))
        return romof;
    if (!m_onBiosKnown) {
        m_onBios.clear();
        for (const auto& [name, set] : m_romof) {
            if (m_bios.containsHash(set))
                m_onBios.emplace(name, set);
        }
        m_onBiosKnown = true;
    }
    const auto bios = m_onBios.find(romof);
    return bios == m_onBios.end() ? 0 : bios->second;
}

bool GameAvailability::hasFiles(const CatalogueEntry& game, const RomSetNames& present)
{
    if (game.roms == RomNeeds::Nothing || present.contains(game.name))
        return true;
    const QString& parent = game.romof != absentValue() ? game.romof : game.cloneof;
    return game.roms == RomNeeds::ParentFiles && parent != absentValue() &&
           present.contains(parent);
}

bool GameAvailability::isAvailable(const CatalogueEntry& game, const RomSetNames& present) const
{
    if (!hasFiles(game, present))
        return false;
    const std::uint64_t bios = biosOf(game);
    return bios == 0 || present.containsHash(bios);
}
