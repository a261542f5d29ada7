#pragma once

#include <QObject>
#include <QString>

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

    // Runs "MAME -listinfo" into a new file beside the game list file and waits for it (for
    // today's MAME, "MAME -listxml", whose catalogue is turned into the list text). The
    // new file replaces the old one only when MAME ran, ended with exit code 0 and printed
    // at least one whole game; otherwise the old file stays byte for byte and the message
    // says why. The list is reloaded either way.
    void UpdateGamesMenu_Click();
    void WriteOptimizedMenu_Click();

private:
    // Runs commandLine with its output in outputPath; why it failed, or an empty text.
    QString runInto(const QString& commandLine, const QString& outputPath);
    // The two ways of making the list file; each gives why it failed, or an empty text.
    QString updateFromListInfo(const QString& target);
    QString updateFromXml(const QString& target);
    // Why the new catalogue cannot be used, or an empty text when it can.
    QString problemWithUpdate(const QString& newFile);

    Platform& m_platform;
    GameList& m_gameList;
    QWidget* m_window;
};
