#include "platform/inisettingsstore.h"

#include "platform/appinfo.h"
#include "platform/localfiles.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryFile>

#include <algorithm>

IniSettingsStore::IniSettingsStore()
    : m_settings(QSettings::IniFormat, QSettings::UserScope, appTitle(), appTitle())
{}

IniSettingsStore::IniSettingsStore(const QString& filePath)
    : m_settings(filePath, QSettings::IniFormat)
{}

QString IniSettingsStore::keyPath(const QString& section, const QString& key)
{
    return section + u'/' + key;
}

QString IniSettingsStore::read(const QString& section, const QString& key,
                               const QString& defaultValue) const
{
    const QVariant value = m_settings.value(keyPath(section, key));
    if (!value.isValid())
        return defaultValue;
    // A value edited by hand with unquoted commas reads back as a list; its text is the
    // elements joined as they stood.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool IniSettingsStore::write(const QString& section, const QString& key, const QString& value)
{
    return writeAll(section, {{key, value}});
}

bool IniSettingsStore::writeAll(const QString& section,
                                const QList<std::pair<QString, QString>>& values)
{
    const QString path = m_settings.fileName();
    QByteArray before;
    QFile old(path);
    const bool hadFile = old.open(QIODevice::ReadOnly);
    if (hadFile)
        before = old.readAll();
    old.close();

    for (const auto& [key, value] : values)
        m_settings.setValue(keyPath(section, key), value);
    // sync() writes a new file and renames it over the old one, so a write that fails
    // outright leaves the previous settings whole.
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        return false;
    if (holdsEveryValue())
        return true;
    // A short write (a full disk) is taken for success by QSettings, which then renames the
    // truncated file over the old one: put the old file back rather than lose settings.
    if (hadFile)
        replaceFile(path, before, nullptr);
    else
        QFile::remove(path);
    return false;
}

bool IniSettingsStore::holdsEveryValue() const
{
    // QSettings shares what it read of a file among all its instances in the process, so
    // the bytes on disk are read back through a copy of their own.
    QFile file(m_settings.fileName());
    QTemporaryFile copy;
    if (!file.open(QIODevice::ReadOnly) || !copy.open() || copy.write(file.readAll()) < 0 ||
        !copy.flush())
        return false;
    const QSettings written(copy.fileName(), QSettings::IniFormat);
    if (written.status() != QSettings::NoError)
        return false;
    const QStringList keys = m_settings.allKeys();
    return std::all_of(keys.begin(), keys.end(), [&](const QString& key) {
        return written.value(key) == m_settings.value(key);
    });
}

QString IniSettingsStore::location() const
{
    return m_settings.fileName();
}
