#pragma once

#include "launch/emulatorrun.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class GameList;
class QAction;
class QByteArray;
class QProgressDialog;
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
    // when it is not (today's MAME's with its standard error, at most its first lines). Any
    // failure (no game selected, no output, a cancel) ends in one message and the main
    // window restored.
    void VerifyCurrentRomMenu_Click();

    // Verifies every game the list shows and writes the names of the sets that are not good
    // to Korvane_VerifyReport.txt in the program directory, in list order. The classic MAME
    // is run once per set; today's MAME once per batch of sets, as many as a command line
    // holds. The main window is minimized meanwhile; a window of its own shows the progress
    // and can stop the run, which still writes what was judged so far.
    void VerifyAllRomsMenu_Click();

    // The longest command line a run of today's MAME over many sets is given.
    void setCommandLineLimit(qsizetype limit) { m_commandLineLimit = limit; }

    QString outputPath() const;
    QString reportPath() const;

private:
    // Runs command for the one set name into the output file; nullopt when it was cancelled
    // (already reported and the window restored).
    std::optional<EmulatorRunResult> runOne(const QString& command, const QString& name,
                                            ErrorOutput errors);
    // What a run over the list found.
    struct Verdicts
    {
        QStringList notGood;
        int judged = 0; // the first this many names of the list were judged
        bool cancelled = false;
        std::optional<QString> notStarted; // why MAME could not be started
    };

    void verifyOneToday(const QString& name);
    Verdicts verifyAllClassic(const QStringList& names, QProgressDialog& progress);
    Verdicts verifyAllToday(const QStringList& names, QProgressDialog& progress);
    QString verifyCommand(const QString& name) const;
    // The output of the last run, at most limit bytes and one more; nullopt when there is
    // none.
    std::optional<QByteArray> readOutput(qint64 limit) const;
    // The sets the output of the last run of today's MAME calls good.
    QSet<QString> goodSetsOfOutput() const;
    void failed();

    Platform& m_platform;
    GameList& m_gameList;
    QWidget* m_window;
    QAction* m_verifyCurrentRomMenu;
    qsizetype m_commandLineLimit;
};
