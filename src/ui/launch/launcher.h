#pragma once

#include "catalogue/playhistory.h"
#include "mame/commandline.h"
#include "mame/recordingslisting.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class MameInUse;
struct ProcessEnd;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
struct Platform;

// Play, record and playback: the launch controls of the main window, and the one
// operation through which every game starts.
class Launcher final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Launcher)

public:
    // What a launch reads of the window at that moment, and where it reports.
    struct Host
    {
        std::function<OptionSet()> options;
        std::function<std::optional<SelectedGame>()> selectedGame;
        std::function<int()> listType;
        std::function<void(const QString&)> reportStatus;
        // The description of the game of this short name in the list, empty when the list
        // does not hold it.
        std::function<QString(const QString&)> gameDescription;
        // A game ran and MAME ended by itself; the row's description comes along.
        std::function<void(const Play&, const QString&)> played;
    };

    struct Controls
    {
        QPushButton* Command1; // Playback
        QComboBox* PlaybackCombo;
        QPushButton* Command2; // Record
        QLineEdit* RecText;
        QPushButton* PlayButton;
        QLabel* CommandlineLabel;
        RecordingsListing* INPFile;
    };

    Launcher(Platform& platform, MameInUse& mameInUse, Host host, Controls controls,
             QObject* parent = nullptr);

    // What a launch does with the game's input besides playing it.
    enum class Input
    {
        Play,
        Record,   // into the recording named in RecText
        Playback, // of the recording chosen in PlaybackCombo, with the game it was made of
    };

    // Builds the command line from the window's options, selected game and list type for
    // the MAME that the options name, shows it in CommandlineLabel and starts it. Returns at
    // once; a start that fails is reported in the status bar. When the options name no
    // program, the line is shown and nothing starts. A set name or recording name that MAME
    // could misread starts nothing: a message names it, and nothing is built or asked.
    // When MAME ends other than by itself with exit code 0, a message names the game and says
    // why (mame/runfailure), with MAME's output as its details; a recording that such a run
    // made within its first seconds is removed. A game that MAME ran and ended well was
    // played: the host is told. A start that failed was no play.
    void LaunchGame(Input input);

    void PlayButton_Click();
    void Command2_Click();
    // A mouse press on Playback: the right button re-reads the recordings, any other plays
    // the chosen one back. Activating the button from the keyboard does nothing.
    void Command1_MouseDown(Qt::MouseButton button);
    // Rebuilds PlaybackCombo from the recordings listing and selects the first entry. Each
    // entry shows the recording's name, its game's description (the short name of a game the
    // list does not hold; nothing when the file does not say) and its date; its data is the
    // file's name.
    void FillPlaybackList();
    // The game list's rows changed: the entries name their games anew, the chosen one kept.
    void gameListChanged();
    // From PlaybackCombo's context menu: asks, then deletes the chosen recording's file.
    void DeleteRecordingMenu_Click();

    // The start-up step: list the recordings in <program dir>/INP and fill PlaybackCombo.
    // From then on the list follows INP by itself: a recording made or deleted shows at
    // once, and the chosen recording stays chosen while it is there.
    void listRecordings();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether the names this launch would give MAME can be passed; when not, the user is
    // told which and why.
    bool namesArePassable(Input input, const std::optional<SelectedGame>& game, int listType);
    void reportMissingRecordingsDirectory();
    void recordingsChanged();
    // The recording PlaybackCombo shows, or nullopt when it shows none.
    std::optional<Recording> chosenRecording() const;
    // What PlaybackCombo shows of a recording, and the name of the game of that short name.
    QString entryText(const Recording& recording) const;
    QString gameName(const QString& machine) const;
    // The game a playback of a recording made of machine starts: the selected row when it
    // starts that machine already (a home hack with its directory), else the machine itself.
    void takeRecordedGame(const QString& machine, std::optional<SelectedGame>& game,
                          int& listType) const;

    // A started game, as its end is judged.
    struct StartedGame
    {
        QString name; // the short name; empty: MAME was started without a game
        QString description;
        QDateTime start;
        MameInfo mame;
        std::optional<QString> recording; // the name it records under
        QStringList recordingsBefore;     // that recording's files in INP before it started
    };
    void gameEnded(const StartedGame& game, const ProcessEnd& end);
    // The files in INP that hold the recording of that name, whatever the letter case of
    // their extension (the classic MAME's and today's differ).
    QStringList recordingFiles(const QString& name) const;
    // Removes the files of the game's recording that its run made; a sentence that says so.
    QString removeEmptyRecording(const StartedGame& game);

    Platform& m_platform;
    MameInUse& m_mameInUse;
    Host m_host;
    Controls m_controls;
    std::unique_ptr<QObject> m_watch;
    QTimer* m_changes;
    QMenu* m_playbackMenu;
};
