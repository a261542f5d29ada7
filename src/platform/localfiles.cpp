#include "platform/localfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

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
