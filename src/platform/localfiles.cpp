#include "platform/localfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLockFile>
#include <QSaveFile>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

bool LocalFiles::isReadableFile(const QString& path) const
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

bool LocalFiles::isDirectory(const QString& path) const
{
    return QFileInfo(path).isDir();
}

QStringList LocalFiles::filesWithSuffix(const QString& dir, const QString& suffix) const
{
    QStringList names;
    const QDir directory(dir);
    if (!directory.exists())
        return names;
    const QStringList all =
        directory.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
    for (const QString& name : all) {
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            names.append(name);
    }
    // By name with letter case ignored; names that differ only in case keep a fixed order.
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    return names;
}

bool LocalFiles::forEachEntry(const QString& dir, const EntryTaker& take) const
{
    // readdir rather than QDir: a ROM folder holds tens of thousands of entries, and the type
    // that readdir gives mostly spares a stat of each.
    const QByteArray path = QFile::encodeName(dir);
    DIR* const directory = ::opendir(path.constData());
    if (!directory)
        return false;
    const int descriptor = ::dirfd(directory);
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat status = {};
            isDirectory =
                ::fstatat(descriptor, entry->d_name, &status, 0) == 0 && S_ISDIR(status.st_mode);
        }
        take(name, isDirectory);
    }
    ::closedir(directory);
    return true;
}

std::unique_ptr<QIODevice> LocalFiles::openForReading(const QString& path) const
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return nullptr;
    return file;
}

QString LocalFiles::fileStamp(const QString& path) const
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    return QString::number(info.size()) + u' ' +
           QString::number(info.lastModified().toMSecsSinceEpoch());
}

QDateTime LocalFiles::lastModified(const QString& path) const
{
    const QFileInfo info(path);
    return info.isFile() ? info.lastModified() : QDateTime();
}

bool LocalFiles::exists(const QString& path) const
{
    return QFileInfo::exists(path);
}

bool replaceFile(const QString& path, const QByteArray& bytes, QString* error)
{
    // QSaveFile writes a temporary file in the same directory and renames it over the old
    // one on commit; it never falls back to writing the old file in place. It is opened
    // unbuffered because a buffered QSaveFile takes a short write (a full disk, a file size
    // limit) for success and commits the truncated file; unbuffered, the short count shows.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const qint64 written = file.write(bytes);
    if (written == bytes.size() && file.commit())
        return true;
    if (error) {
        *error = written >= 0 && written < bytes.size()
                     ? QStringLiteral("only %1 of %2 bytes could be written (is the disk full?)")
                           .arg(written)
                           .arg(bytes.size())
                     : file.errorString();
    }
    file.cancelWriting();
    return false;
}

bool LocalFiles::writeAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    return replaceFile(path, bytes, error);
}

bool LocalFiles::remove(const QString& path, QString* error)
{
    QFile file(path);
    if (file.remove())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

bool LocalFiles::moveOver(const QString& from, const QString& to, QString* error)
{
    // rename(2) replaces the target atomically; QFile::rename would refuse an existing one.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (error)
        *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

namespace {

// The folders to watch for dir: dir itself when it exists, and the nearest folder above it
// that exists, where dir (or a folder on the way to it) would appear.
QStringList watchedFor(const QString& dir)
{
    QStringList paths;
    QFileInfo info(QDir::cleanPath(QDir(dir).absolutePath()));
    if (info.isDir())
        paths.append(info.absoluteFilePath());
    QDir above(info.absolutePath());
    while (!above.exists() && !above.isRoot()) {
        if (!above.cdUp())
            break;
    }
    paths.append(above.absolutePath());
    return paths;
}

} // namespace

std::unique_ptr<QObject> LocalFiles::watchDirectory(const QString& dir,
                                                    std::function<void()> changed) const
{
    // Writes to a file do not count as a change: a recording being written does not call
    // changed for every block.
    auto watcher = std::make_unique<QFileSystemWatcher>();
    watcher->addPaths(watchedFor(dir));
    QFileSystemWatcher* raw = watcher.get();
    QObject::connect(raw, &QFileSystemWatcher::directoryChanged, raw,
                     [raw, dir, changed = std::move(changed)] {
                         // A folder made or removed on the way changes what is to be watched.
                         const QStringList wanted = watchedFor(dir);
                         const QStringList watched = raw->directories();
                         if (watched != wanted) {
                             if (!watched.isEmpty())
                                 raw->removePaths(watched);
                             raw->addPaths(wanted);
                         }
                         changed();
                     });
    return watcher;
}

namespace {

// The new file is a temporary file beside the target. Every write is flushed at once, so that
// a short write shows where it happens rather than at a flush that may never be checked.
class LocalReplacement final : public FileReplacement
{
public:
    explicit LocalReplacement(const QString& path)
        : m_path(path)
        , m_file(path + QStringLiteral(".XXXXXX"))
    {}

    bool start(QString* error)
    {
        if (!m_file.open()) {
            *error = m_file.errorString();
            return false;
        }
        return QIODevice::open(QIODevice::ReadWrite | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_file.size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && m_file.seek(pos); }

    bool commit(QString* error) override
    {
        if (!m_error.isEmpty()) {
            *error = m_error;
            return false;
        }
        // On the disk before it takes the old file's place: a crash of the machine right
        // after the rename must not leave an empty list behind.
        if (::fsync(m_file.handle()) != 0) {
            *error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        if (std::rename(QFile::encodeName(m_file.fileName()).constData(),
                        QFile::encodeName(m_path).constData()) != 0) {
            *error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
        m_file.setAutoRemove(false);
        close();
        return true;
    }

    QString writeError() const override { return m_error; }

protected:
    qint64 readData(char* data, qint64 maxSize) override { return m_file.read(data, maxSize); }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (!m_error.isEmpty())
            return -1;
        const qint64 written = m_file.write(data, size);
        if (written == size && m_file.flush())
            return written;
        m_error = written >= 0 ? QStringLiteral("only %1 of %2 bytes could be written (is the "
                                                "disk full?)")
                                     .arg(written)
                                     .arg(size)
                               : m_file.errorString();
        setErrorString(m_error);
        return -1;
    }

private:
    const QString m_path;
    QTemporaryFile m_file;
    QString m_error;
};

class LocalLock final : public FileLock
{
public:
    explicit LocalLock(const QString& path)
        : lock(path)
    {
        // Never stale by age: an update of today's catalogue takes as long as MAME does. A
        // holder that has died is still seen as gone.
        lock.setStaleLockTime(0);
    }
    QLockFile lock;
};

} // namespace

std::unique_ptr<FileReplacement> LocalFiles::startReplacing(const QString& path, QString* error)
{
    auto replacement = std::make_unique<LocalReplacement>(path);
    if (!replacement->start(error))
        return nullptr;
    return replacement;
}

std::unique_ptr<FileLock> LocalFiles::lock(const QString& path, bool* heldElsewhere, QString* error)
{
    auto held = std::make_unique<LocalLock>(path);
    *heldElsewhere = false;
    if (held->lock.tryLock(0))
        return held;
    // A lock file that names no holder (its holder died while writing it) is nobody's.
    qint64 pid = 0;
    QString host;
    QString application;
    if (held->lock.error() == QLockFile::LockFailedError &&
        !held->lock.getLockInfo(&pid, &host, &application) && held->lock.removeStaleLockFile() &&
        held->lock.tryLock(0))
        return held;
    switch (held->lock.error()) {
    case QLockFile::LockFailedError:
        *heldElsewhere = true;
        break;
    case QLockFile::PermissionError:
        *error = QStringLiteral("%1 cannot be made: permission denied").arg(path);
        break;
    default:
        *error = QStringLiteral("%1 cannot be made").arg(path);
        break;
    }
    return nullptr;
}
