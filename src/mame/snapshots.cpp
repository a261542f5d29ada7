#include "mame/snapshots.h"

#include "mame/romsets.h"
#include "platform/files.h"

#include <QDateTime>
#include <QDir>

QString snapshotFolder(const MameInfo& mame, const QString& programDir)
{
    QString folder =
        mame.isToday() ? expandPathVariables(mame.snapshotDirectory.trimmed()) : QString();
    if (folder.isEmpty())
        folder = QStringLiteral("snap");
    return QDir::cleanPath(QDir(programDir).absoluteFilePath(folder));
}

QString snapshotFile(const Files& files, const QString& folder, const QString& name)
{
    // A short name is one folder entry; anything else would look outside the folder.
    if (folder.isEmpty() || name.isEmpty() || name.startsWith(u'.') || name.contains(u'/'))
        return {};
    // The user's own snapshots come before a pack's: they are of the game as the user plays it.
    const QString own = folder + u'/' + name;
    QString newest;
    QDateTime newestTime;
    // By name, so that of two taken in the same second the later number wins.
    for (const QString& file : files.filesWithSuffix(own, QStringLiteral(".png"))) {
        const QString path = own + u'/' + file;
        const QDateTime time = files.lastModified(path);
        if (time.isValid() && (newest.isEmpty() || time >= newestTime)) {
            newest = path;
            newestTime = time;
        }
    }
    if (!newest.isEmpty())
        return newest;
    const QString pack = own + QStringLiteral(".png");
    return files.isReadableFile(pack) ? pack : QString();
}
