#pragma once

#include "ui/desktop/emulatorrun.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class GameList;
class MameInUse;
struct CatalogueEntry;
struct MameInfo;
class QAction;
class QByteArray;
class QProgressDialog;
class QWidget;
struct Platform;

// Verifying ROM sets through MAME (mame/verification.h): the selected game's set, or the
// set of every game the list shows, with a report.
class RomVerification final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RomVerification)

public:
    RomVerification(Platform& platform, MameInUse& mameInUse, GameList& gameList, QWidget* window,
                    QAction* VerifyCurrentRomMenu, QObject* parent = nullptr);

    // The context menu's item names the game it verifies.
    void showGame(const QString& name);

    // Verifies the selected game's set and tells its verdict, showing MAME's answer
    // when it is not (oneSetMessage). A run
    // that crashed is not good, whatever it printed. Any failure (no game selected, a set
    // name MAME could misread, no output, a cancel) ends in one message and the main window
    // restored. The output file is removed once read. While another Korvane updates or
    // verifies in the same directory, nothing starts.
    void VerifyCurrentRomMenu_Click();

    // Verifies every game the list shows and writes the names of the sets that are not good
    // to Korvane_VerifyReport.txt in the program directory, in list order; the message at the
    // end gives the report's full path and how many sets were good and not. The classic MAME
    // is run once per set. Today's MAME, over the full list, is run once over every set it
    // has, and a game it gives no verdict on is not good; over any other list, once per
    // batch of sets, as many as a command line holds. A set name MAME could misread is not
    // good and MAME is not asked about it; a set whose run crashed is not good. When every run
    // crashed, nothing was verified: the user is told so and the last report stays. The main
    // window is minimized meanwhile; a window of its own shows the progress, which moves as
    // MAME gives its verdicts, and can stop the run, which still writes what was judged so
    // far. While another Korvane updates or verifies in the same directory, nothing starts.
    void VerifyAllRomsMenu_Click();

    // The longest command line a run of today's MAME over many sets is given.
    void setCommandLineLimit(qsizetype limit) { m_commandLineLimit = limit; }

    QString outputPath() const;
    QString reportPath() const;

private:
    // Runs command for the one set name into the output file; nullopt when it was cancelled
    // or had nowhere to write (already reported and the window restored).
    std::optional<EmulatorRunResult> runOne(const Command& command, const QString& name,
                                            ErrorOutput errors);
    // Whether the game's set name can be given to MAME; when not, the user is told.
    bool isPassable(const CatalogueEntry& game);
    // What a run over the list found.
    struct Verdicts
    {
        QStringList notGood;
        int judged = 0; // the first this many names of the list were judged
        int good = 0;   // of which were good
        bool cancelled = false;
        std::optional<QString> notStarted; // why MAME could not be started
        bool outputFailed = false;         // ... because the output file could not be made
        int runs = 0;                      // runs of MAME that ended by themselves or crashed
        int crashes = 0;                   // of which crashed
    };
    // Counts a run of the series; true when the series ends with it (not started, cancelled).
    static bool stopsTheSeries(const EmulatorRunResult& run, Verdicts& verdicts);

    // Verifies the sets of names, in the runs mame takes them in; everyGame when names are
    // every game of the catalogue.
    Verdicts verifyAll(const MameInfo& mame, const QStringList& names, bool everyGame,
                       QProgressDialog& progress);
    // The output of the last run, at most limit bytes and one more; nullopt when there is
    // none.
    std::optional<QByteArray> readOutput(qint64 limit) const;
    // The same, and the output file removed: once read, it is of no more use.
    std::optional<QByteArray> takeOutput(qint64 limit) const;
    void failed();

    Platform& m_platform;
    MameInUse& m_mameInUse;
    GameList& m_gameList;
    QWidget* m_window;
    QAction* m_verifyCurrentRomMenu;
    qsizetype m_commandLineLimit;
};
