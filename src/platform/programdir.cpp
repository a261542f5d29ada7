#include "platform/programdir.h"

#include <QCoreApplication>
#include <QFileInfo>

QString programDirectory()
{
    // On Linux the application file path comes from /proc/self/exe, which has every link
    // resolved already; canonicalPath also settles a directory reached through a link.
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    const QString canonical = executable.canonicalPath();
    return canonical.isEmpty() ? executable.absolutePath() : canonical;
}
