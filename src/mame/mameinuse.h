#pragma once

#include "mame/mameidentity.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QTimer;
struct Platform;

// Which MAME is in use: the one object that play, the games list update and verification ask
// (each with the program word it uses), and that follows the option panel's program.
class MameInUse final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MameInUse)

public:
    // optionsWord gives the program word the option panel names now (nullopt: none).
    MameInUse(Platform& platform, std::function<std::optional<QString>()> optionsWord,
              QObject* parent = nullptr);

    // Which MAME a program word names, the program asked only when it is new or has changed.
    MameInfo identify(const QString& word);

    // Which MAME the option panel's program is (nullopt when the panel names none), asked as
    // asking allows; sends identified, and asking first when the program is asked.
    std::optional<MameInfo> identifyOptions(Asking asking = Asking::Allowed);

    // The options that name the program have changed; byUser when the user changed them
    // rather than a loaded file. The program is looked at once the changes have settled, and
    // asked only when the user named it.
    void programOptionsChanged(bool byUser);

    // The panel's MAME as last identified, in words (describeMame), for the About dialog.
    QString description() const { return m_description; }

Q_SIGNALS:
    void identified(const MameInfo& info, const QString& word);
    // program is about to be asked which MAME it is, which may take a moment.
    void asking(const QString& program);

private:
    MameIdentity m_identity;
    std::function<std::optional<QString>()> m_optionsWord;
    QTimer* m_settle;
    bool m_changedByUser = false;
    QString m_description;
};
