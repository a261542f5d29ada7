#pragma once

#include "platform/settingsstore.h"

#include <QMap>
#include <QPair>
#include <QString>

// A settings store in memory. failWrites makes every write fail, as a read-only file would.
class FakeSettingsStore final : public SettingsStore
{
public:
    QString read(const QString& section, const QString& key,
                 const QString& defaultValue) const override
    {
        return values.value({section, key}, defaultValue);
    }

    bool write(const QString& section, const QString& key, const QString& value) override
    {
        return writeAll(section, {{key, value}});
    }

    bool writeAll(const QString& section, const QList<std::pair<QString, QString>>& pairs) override
    {
        ++writeCount;
        if (failWrites)
            return false;
        for (const auto& [key, value] : pairs)
            values.insert({section, key}, value);
        return true;
    }

    QString location() const override { return QStringLiteral("/fake/Korvane.ini"); }

    QMap<QPair<QString, QString>, QString> values;
    bool failWrites = false;
    int writeCount = 0;
};
