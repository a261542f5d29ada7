#pragma once

#include "platform/settingsstore.h"

#include <QSettings>

// The settings store as an INI file in the user's configuration directory
// (~/.config/Korvane/Korvane.ini), sections as INI groups. Each write is flushed at once.
class IniSettingsStore final : public SettingsStore
{
public:
    // The user's own store.
    IniSettingsStore();
    // A store in the given file, for tests and tools.
    explicit IniSettingsStore(const QString& filePath);

    QString read(const QString& section, const QString& key,
                 const QString& defaultValue) const override;
    bool write(const QString& section, const QString& key, const QString& value) override;
    bool writeAll(const QString& section,
                  const QList<std::pair<QString, QString>>& values) override;
    QString location() const override;

private:
    static QString keyPath(const QString& section, const QString& key);
    // Whether the file on disk holds every value the store holds in memory.
    bool holdsEveryValue() const;

    mutable QSettings m_settings;
};
