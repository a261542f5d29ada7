#include "catalogue/playhistory.h"

#include "platform/files.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// The names MAME is started with: a line whose name holds anything else is not ours.
bool isShortName(const QString& name)
{
    return !name.isEmpty() && std::all_of(name.begin(), name.end(), [](QChar c) {
        return (c.isLetterOrNumber() && c.unicode() < 0x80) || c == u'_' || c == u'-';
    });
}

std::optional<Play> parsedPlay(const QByteArray& line)
{
    const QList<QByteArray> fields = line.split('\t');
    if (fields.size() != 3)
        return std::nullopt;
    Play play{QString::fromUtf8(fields[0]),
              QDateTime::fromString(QString::fromLatin1(fields[1]), Qt::ISODate), 0};
    bool number = false;
    play.seconds = fields[2].toLongLong(&number);
    if (!isShortName(play.name) || !play.start.isValid() || play.start.timeSpec() != Qt::UTC ||
        !number || play.seconds < 0)
        return std::nullopt;
    return play;
}

} // namespace

PlayHistory::PlayHistory(Files& files, QString path)
    : m_files(files)
    , m_path(std::move(path))
{}

PlayHistory::Damage PlayHistory::load()
{
    m_plays.clear();
    m_games.clear();
    m_writable = true;
    if (!m_files.exists(m_path))
        return {};
    Damage damage;
    if (const std::unique_ptr<QIODevice> device = m_files.openForReading(m_path)) {
        const QList<QByteArray> lines = device->readAll().split('\n');
        for (qsizetype i = 0; i < lines.size() && damage.problem.isEmpty(); ++i) {
            // The last line ends with the file; an empty line is no play and no harm.
            if (lines[i].isEmpty())
                continue;
            if (const std::optional<Play> play = parsedPlay(lines[i]))
                m_plays.push_back(*play);
            else
                damage.problem = QStringLiteral("line %1 cannot be read").arg(i + 1);
        }
    } else {
        damage.problem = QStringLiteral("it cannot be read");
    }
    if (damage.problem.isEmpty()) {
        for (size_t i = 0; i < m_plays.size(); ++i)
            count(i);
        return damage;
    }
    m_plays.clear();
    QString aside = m_path + QStringLiteral(".bad");
    for (int n = 2; m_files.exists(aside); ++n)
        aside = m_path + QStringLiteral(".bad.") + QString::number(n);
    if (m_files.moveOver(m_path, aside, &damage.moveError))
        damage.setAside = aside;
    else
        m_writable = false;
    return damage;
}

bool PlayHistory::add(const Play& play, QString* error)
{
    m_plays.push_back(play);
    count(m_plays.size() - 1);
    if (!m_writable) {
        *error = QStringLiteral("the damaged file is still there");
        return false;
    }
    QByteArray text;
    for (const Play& each : m_plays) {
        text += each.name.toUtf8() + '\t' + each.start.toUTC().toString(Qt::ISODate).toLatin1() +
                '\t' + QByteArray::number(each.seconds) + '\n';
    }
    return m_files.writeAtomically(m_path, text, error);
}

void PlayHistory::count(size_t index)
{
    const Play& play = m_plays[index];
    Summary& summary = m_games[play.name];
    if (summary.times++ == 0 || play.start >= summary.last) {
        summary.last = play.start;
        summary.lastPlay = index;
    }
}

int PlayHistory::timesPlayed(const QString& name) const
{
    return m_games.value(name).times;
}

QDateTime PlayHistory::lastStart(const QString& name) const
{
    return m_games.value(name).last;
}

QStringList PlayHistory::mostRecentFirst() const
{
    QStringList names = m_games.keys();
    std::sort(names.begin(), names.end(), [this](const QString& a, const QString& b) {
        const Summary& left = m_games[a];
        const Summary& right = m_games[b];
        return left.last != right.last ? left.last > right.last : left.lastPlay > right.lastPlay;
    });
    return names;
}

QString playedTimeText(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds % 3600 / 60;
    if (hours > 0)
        return minutes > 0 ? QStringLiteral("%1 h %2 min").arg(hours).arg(minutes)
                           : QStringLiteral("%1 h").arg(hours);
    if (minutes > 0)
        return seconds % 60 > 0 ? QStringLiteral("%1 min %2 s").arg(minutes).arg(seconds % 60)
                                : QStringLiteral("%1 min").arg(minutes);
    return QStringLiteral("%1 s").arg(seconds);
}
