#include "mame/romsets.h"

#include "platform/files.h"

#include <QDir>
#include <QIODevice>
#include <QTimer>

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

void RomSets::rescan()
{
    m_settle->stop();
    QSet<QString> present;
    bool anyFolder = false;
    for (const QString& folder : std::as_const(m_folders)) {
        if (!m_files.isDirectory(folder))
            continue;
        anyFolder = true;
        const QStringList names = m_files.entryNames(folder);
        present.reserve(present.size() + names.size());
        for (const QString& name : names) {
            qsizetype size = name.size();
            if (name.endsWith(u'/'))
                size -= 1;
            else if (name.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
                size -= 4;
            else if (name.endsWith(QLatin1String(".7z"), Qt::CaseInsensitive))
                size -= 3;
            else
                continue;
            if (size > 0)
                present.insert(name.first(size).toLower());
        }
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
    m_bios.clear();
}

void GameAvailability::addGame(const CatalogueEntry& game)
{
    if (game.romof != absentValue())
        m_romof.insert(game.name, game.romof);
}

void GameAvailability::addBios(const QString& name)
{
    m_bios.insert(name);
}

QString GameAvailability::biosOf(const CatalogueEntry& game) const
{
    // A chain runs from a clone to its parent to the BIOS: a few steps at most. The bound
    // keeps a catalogue whose sets name each other in a circle from holding the list.
    QString set = game.romof;
    for (int step = 0; step < 8 && set != absentValue(); ++step) {
        if (m_bios.contains(set))
            return set;
        set = m_romof.value(set, absentValue());
    }
    return {};
}

bool GameAvailability::isAvailable(const CatalogueEntry& game, const QSet<QString>& present) const
{
    const auto has = [&present](const QString& set) { return present.contains(set.toLower()); };
    bool files = game.roms == RomNeeds::Nothing || has(game.name);
    if (!files && game.roms == RomNeeds::ParentFiles) {
        const QString& parent = game.romof != absentValue() ? game.romof : game.cloneof;
        files = parent != absentValue() && has(parent);
    }
    if (!files)
        return false;
    const QString bios = biosOf(game);
    return bios.isEmpty() || has(bios);
}
