#include "platform/localfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

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

std::unique_ptr<QObject> LocalFiles::watchDirectory(const QString& dir,
                                                    std::function<void()> changed) const
{
    // The directory itself, and the one that holds it, so that the directory's own
    // creation or removal is seen too. Writes to a file do not count as a change: a
    // recording being written does not call changed for every block.
    auto watcher = std::make_unique<QFileSystemWatcher>();
    const QFileInfo info(dir);
    QStringList paths{info.absolutePath()};
    if (info.isDir())
        paths.append(info.absoluteFilePath());
    watcher->addPaths(paths);
    QFileSystemWatcher* raw = watcher.get();
    QObject::connect(raw, &QFileSystemWatcher::directoryChanged, raw,
                     [raw, dir, changed = std::move(changed)] {
                         // A directory that was removed and made again must be watched anew.
                         if (QFileInfo(dir).isDir() &&
                             !raw->directories().contains(QFileInfo(dir).absoluteFilePath()))
                             raw->addPath(dir);
                         changed();
                     });
    return watcher;
}
