#include "platform/programdir.h"

#include "platform/appinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

QString binaryDirectory()
{
    // On Linux the application file path comes from /proc/self/exe, which has every link
    // resolved already; canonicalPath also settles a directory reached through a link.
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    const QString canonical = executable.canonicalPath();
    return canonical.isEmpty() ? executable.absolutePath() : canonical;
}

QString userDataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString installedGuidePath(const QString& binaryDir)
{
    QString relative = QStringLiteral("../share/doc/korvane/");
    relative.append(appTitle()).append(QStringLiteral(".htm"));
    return QDir::cleanPath(QDir(binaryDir).filePath(relative));
}

ProgramDirChoice chooseProgramDirectory(const QString& binaryDir, const QString& dirArgument,
                                        const QString& dataHome, const QString& currentDir)
{
    if (!dirArgument.isEmpty())
        return {QDir::cleanPath(QDir(currentDir).absoluteFilePath(dirArgument)), true};
    // A binary in a MAME directory set up for it, or a link to one, works there as it always
    // did; so does one that has no data directory to go to.
    if (QFileInfo(QDir(binaryDir).filePath(QStringLiteral("KvCfg"))).isDir() || dataHome.isEmpty())
        return {binaryDir, false};
    return {QDir(dataHome).filePath(appTitle()), true};
}

bool prepareProgramDirectory(const QString& dir, const QString& guideSource, QString* error,
                             bool* madeKvCfg)
{
    for (const QString& sub : {QStringLiteral("KvCfg"), QStringLiteral("INP")}) {
        const QString path = QDir(dir).filePath(sub);
        std::error_code failure;
        const bool made =
            std::filesystem::create_directories(QFile::encodeName(path).toStdString(), failure);
        if (madeKvCfg && sub == QLatin1String("KvCfg"))
            *madeKvCfg = made && !failure;
        if (failure) {
            *error = QStringLiteral("The directory %1 could not be created: %2.")
                         .arg(QDir::toNativeSeparators(path),
                              QString::fromLocal8Bit(failure.message().c_str()));
            return false;
        }
    }
    QString guideName = QStringLiteral("KvCfg/");
    guideName.append(appTitle()).append(QStringLiteral(".htm"));
    const QString guide = QDir(dir).filePath(guideName);
    if (QFileInfo::exists(guide) || !QFileInfo::exists(guideSource))
        return true;
    QFile source(guideSource);
    if (!source.copy(guide)) {
        *error = QStringLiteral("The user guide could not be copied to %1: %2.")
                     .arg(QDir::toNativeSeparators(guide), source.errorString());
        return false;
    }
    return true;
}
