#pragma once

#include <QObject>
#include <QString>

class FileReplacement;
class GameList;
class QWidget;
struct Platform;

// Regenerating the game list file from the emulator's catalogue.
class GameListRefresh final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GameListRefresh)

public:
    GameListRefresh(Platform& platform, GameList& gameList, QWidget* window,
                    QObject* parent = nullptr);

    // Runs "MAME -listinfo" (for today's MAME "MAME -listxml", whose catalogue is turned
    // into the list text as it comes) and writes what it prints, through a pipe, into a new
    // file of a unique name in KvCfg. The new file replaces the old one only when MAME ended
    // by itself with exit code 0, every write succeeded, the catalogue holds at least one
    // whole game and does not stop inside a block; otherwise the old file stays byte for
    // byte and the message says why. The list is reloaded either way. While another Korvane
    // updates or verifies in the same program directory, nothing starts.
    void UpdateGamesMenu_Click();
    void WriteOptimizedMenu_Click();

private:
    // Makes the new list at target from the MAME of the given dialect; why it failed, or an
    // empty text.
    QString update(const QString& target, bool today);
    // Why the classic catalogue written into list cannot be used, or an empty text.
    static QString problemWithListInfo(FileReplacement& list);

    Platform& m_platform;
    GameList& m_gameList;
    QWidget* m_window;
};
