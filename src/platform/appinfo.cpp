#include "platform/appinfo.h"

#include <QDir>

QString programVersionText()
{
    return QString::number(KORVANE_VERSION_MAJOR) + u'.' + QString::number(KORVANE_VERSION_MINOR) +
           u'.' + QString::number(KORVANE_VERSION_REVISION);
}

QUrl documentationUrl(const QString& programDir)
{
    return QUrl::fromLocalFile(
        QDir(programDir).filePath(QStringLiteral("KvCfg/") + appTitle() + QStringLiteral(".htm")));
}

QUrl homePageUrl()
{
    return QUrl(QStringLiteral("http://brimwork.example/korvane/"));
}

QUrl mailUrl()
{
    // The subject's space is encoded by QUrl; mail programs decode it again.
    return QUrl(QStringLiteral("mailto:korvane@brimwork.example?Subject=") + appTitle() +
                QStringLiteral(" program"));
}
