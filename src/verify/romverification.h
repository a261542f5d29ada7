#pragma once

#include <QObject>
#include <QString>

#include <optional>

class GameList;
class QAction;
class QByteArray;
class QWidget;
struct Platform;

// Verifying ROM sets through the emulator's "-verifyroms": the selected game's set, or the
// set of every game the list shows, with a report.
class RomVerification final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RomVerification)

public:
    RomVerification(Platform& platform, GameList& gameList, QWidget* window,
                    QAction* VerifyCurrentRomMenu, QObject* parent = nullptr);

    // The context menu's item names the game it verifies.
    void showGame(const QString& name);

    // Verifies the selected game's set and says whether it is good, showing MAME's output
    // when it is not. Any failure (no game selected, no output, a cancel) ends in one
    // message and the main window restored.
    void VerifyCurrentRomMenu_Click();

    // Verifies every game the list shows, one after another, and writes the names of the
    // sets that are not good to Korvane_VerifyReport.txt in the program directory. The main
    // window is minimized meanwhile; a window of its own shows the progress and can stop the
    // run, which still writes what was judged so far.
    void VerifyAllRomsMenu_Click();

    QString outputPath() const;
    QString reportPath() const;

private:
    QString verifyCommand(const QString& name) const;
    // The output of the last run, at most a little more than any answer of MAME's;
    // nullopt when there is none.
    std::optional<QByteArray> readOutput() const;
    void failed();

    Platform& m_platform;
    GameList& m_gameList;
    QWidget* m_window;
    QAction* m_verifyCurrentRomMenu;
};
