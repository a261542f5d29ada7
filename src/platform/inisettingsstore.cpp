#include "platform/inisettingsstore.h"

#include "platform/appinfo.h"

#include <QStringList>

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
    m_settings.setValue(keyPath(section, key), value);
    // sync() writes a new file and renames it over the old one, so a failed write leaves
    // the previous settings whole.
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}

QString IniSettingsStore::location() const
{
    return m_settings.fileName();
}
