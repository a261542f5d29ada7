#include "catalogue/favorites.h"

#include "platform/files.h"

#include <utility>

FavoriteGames::FavoriteGames(Files& files, QString path)
    : m_files(files)
    , m_path(std::move(path))
{}

bool FavoriteGames::load(QString* error)
{
    m_names.clear();
    m_lookup.clear();
    if (!m_files.exists(m_path))
        return true;
    const std::unique_ptr<QIODevice> device = m_files.openForReading(m_path);
    if (!device) {
        *error = QStringLiteral("%1 cannot be read").arg(m_path);
        return false;
    }
    // Blanks around a name and empty lines come from editing the file by hand; a name given
    // twice counts once.
    for (const QByteArray& line : device->readAll().split('\n')) {
        const QString name = QString::fromUtf8(line).trimmed();
        if (!name.isEmpty() && !m_lookup.contains(name)) {
            m_names.append(name);
            m_lookup.insert(name);
        }
    }
    return true;
}

bool FavoriteGames::set(const QString& name, bool favorite, QString* error)
{
    if (contains(name) == favorite)
        return true;
    QStringList names = m_names;
    if (favorite)
        names.append(name);
    else
        names.removeOne(name);
    QByteArray text;
    for (const QString& each : std::as_const(names))
        text += each.toUtf8() + '\n';
    if (!m_files.writeAtomically(m_path, text, error))
        return false;
    m_names = std::move(names);
    if (favorite)
        m_lookup.insert(name);
    else
        m_lookup.remove(name);
    return true;
}
