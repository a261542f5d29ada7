#pragma once

#include <QObject>
#include <QString>

class GameList;
class MameInUse;
struct MameInfo;
class QWidget;
struct Platform;

// Regenerating the game list file from the emulator's catalogue.
class GameListRefresh final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameListRefresh)

public:
    GameListRefresh(Platform& platform, MameInUse& mameInUse, GameList& gameList, QWidget* window,
                    QObject* parent = nullptr);

    // Has MAME print its catalogue and writes it, through a pipe, into a new file of a unique
    // name in KvCfg, which replaces the old one only when the catalogue can be used
    // (CatalogueUpdate); otherwise the old file stays byte for byte and the message says why.
    // The list is reloaded either way. While another Korvane updates or verifies in the same
    // program directory, nothing starts.
    void UpdateGamesMenu_Click();
    void WriteOptimizedMenu_Click();

private:
    // At the first start of a new program directory, once MAME is known, offers to make the
    // list that cannot be there yet.
    void offerFirstList(const MameInfo& mame);
    // Makes the new list at target from mame's catalogue; why it failed, or an empty text.
    QString update(const QString& target, const MameInfo& mame);

    Platform& m_platform;
    MameInUse& m_mameInUse;
    GameList& m_gameList;
    QWidget* m_window;
    bool m_offered = false;
};
