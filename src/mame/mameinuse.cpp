#include "mame/mameinuse.h"

#include <QTimer>

#include <utility>

MameInUse::MameInUse(Platform& platform, std::function<std::optional<QString>()> optionsWord,
                     QObject* parent)
    : QObject(parent)
    , m_identity(platform)
    , m_optionsWord(std::move(optionsWord))
    , m_settle(new QTimer(this))
{
    // The program may change with a click, a per-game file or a few keystrokes: it is looked
    // at once the changes have settled.
    m_settle->setSingleShot(true);
    m_settle->setInterval(400);
    connect(m_settle, &QTimer::timeout, this, [this] {
        identifyOptions(std::exchange(m_changedByUser, false) ? Asking::Allowed
                                                              : Asking::StoredOnly);
    });
}

MameInfo MameInUse::identify(const QString& word)
{
    return m_identity.identify(word);
}

std::optional<MameInfo> MameInUse::identifyOptions(Asking asking)
{
    const std::optional<QString> word = m_optionsWord();
    if (!word)
        return std::nullopt;
    m_identity.setBeforeAsking([this](const QString& program) { Q_EMIT this->asking(program); });
    const MameInfo info = m_identity.identify(*word, asking);
    m_identity.setBeforeAsking({});
    m_description = describeMame(info, *word);
    Q_EMIT identified(info, *word);
    return info;
}

void MameInUse::programOptionsChanged(bool byUser)
{
    m_changedByUser = m_changedByUser || byUser;
    m_settle->start();
}
