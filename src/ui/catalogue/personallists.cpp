#include "ui/catalogue/personallists.h"

#include "catalogue/listtype.h"
#include "platform/appinfo.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"

#include <QDir>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <utility>

namespace {

QString configFile(const Platform& platform, const char* name)
{
    return QDir(platform.programDir).filePath(QStringLiteral("KvCfg/") + QLatin1StringView(name));
}

// "once", "7 times": as the status bar and a row's tooltip count the plays.
QString times(int count)
{
    return count == 1 ? QStringLiteral("once") : QStringLiteral("%1 times").arg(count);
}

} // namespace

PersonalLists::PersonalLists(Platform& platform, StatusReport reportStatus)
    : m_platform(platform)
    , m_reportStatus(std::move(reportStatus))
    , m_favorites(platform.files, configFile(platform, "Favorites.txt"))
    , m_history(platform.files, configFile(platform, "History.txt"))
{}

void PersonalLists::load()
{
    QString error;
    if (!m_favorites.load(&error))
        m_reportStatus(QStringLiteral("The favorites could not be read: %1.").arg(error));
    const PlayHistory::Damage damage = m_history.load();
    if (damage.problem.isEmpty())
        return;
    QString text =
        QStringLiteral("The history of the games played, %1, is damaged: %2.\n\n")
            .arg(QDir::toNativeSeparators(configFile(m_platform, "History.txt")), damage.problem);
    if (!damage.setAside.isEmpty())
        text += QStringLiteral("It was set aside as %1, and the history starts empty.")
                    .arg(QDir::toNativeSeparators(damage.setAside));
    else
        text += QStringLiteral("It could not be set aside (%1) and is left as it is: the history "
                               "starts empty, and no play is kept in it until the next start.")
                    .arg(damage.moveError);
    m_platform.messages.show(text, appTitle(), MessageButtons::Ok);
}

bool PersonalLists::admits(int type, const QString& name) const
{
    if (type == Favorites)
        return m_favorites.contains(name);
    if (type == RecentlyPlayed)
        return m_history.timesPlayed(name) > 0;
    return true;
}

void PersonalLists::order(int type, std::vector<CatalogueEntry>& rows) const
{
    if (type != RecentlyPlayed)
        return;
    QHash<QString, int> rank;
    const QStringList recent = m_history.mostRecentFirst();
    for (int i = 0; i < recent.size(); ++i)
        rank.insert(recent[i], i);
    std::stable_sort(rows.begin(), rows.end(), [&rank](const auto& a, const auto& b) {
        return rank.value(a.name) < rank.value(b.name);
    });
}

bool PersonalLists::toggleFavorite(const CatalogueEntry& game)
{
    const bool favorite = !isFavorite(game.name);
    QString error;
    if (!m_favorites.set(game.name, favorite, &error)) {
        m_reportStatus(QStringLiteral("The favorites could not be saved in %1: %2. %3 stays as "
                                      "it was.")
                           .arg(QDir::toNativeSeparators(configFile(m_platform, "Favorites.txt")),
                                error, game.description));
        return false;
    }
    m_reportStatus((favorite ? QStringLiteral("%1 is one of the favorites now.")
                             : QStringLiteral("%1 is no longer one of the favorites."))
                       .arg(game.description));
    return true;
}

void PersonalLists::played(const Play& play, const QString& description)
{
    QString error;
    const bool saved = m_history.add(play, &error);
    QString text = QStringLiteral("%1: played %2 (%3 in all).")
                       .arg(description.isEmpty() ? play.name : description,
                            playedTimeText(play.seconds), times(m_history.timesPlayed(play.name)));
    if (!saved)
        text += QStringLiteral(" The history could not be saved in %1: %2.")
                    .arg(QDir::toNativeSeparators(configFile(m_platform, "History.txt")), error);
    m_reportStatus(text);
}

QString PersonalLists::playedText(const QString& name) const
{
    const int count = m_history.timesPlayed(name);
    if (count == 0)
        return {};
    return QStringLiteral("Played %1, last on %2")
        .arg(times(count), QLocale().toString(m_history.lastStart(name).toLocalTime().date(),
                                              QLocale::ShortFormat));
}
