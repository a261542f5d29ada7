#pragma once

#include <QList>
#include <QString>

#include <utility>

// The per-user store of text settings, addressed by section and key (the application is
// always Korvane). Values are texts: nothing is converted on the way in or out.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // The stored text, or defaultValue when the key is absent.
    virtual QString read(const QString& section, const QString& key,
                         const QString& defaultValue) const = 0;

    // Creates or replaces the key and makes it durable at once.
    // @return false when the store could not be written; the value may then be lost.
    virtual bool write(const QString& section, const QString& key, const QString& value) = 0;

    // Writes several keys of one section and makes them durable together, so that a
    // failure never leaves some of them new and the rest old.
    // @return false when the store could not be written.
    virtual bool writeAll(const QString& section,
                          const QList<std::pair<QString, QString>>& values) = 0;

    // Where the store lives, for the messages that report a failed write.
    virtual QString location() const = 0;
};
