#pragma once

#include "mame/mame.h"
#include "mame/recordingslisting.h"
#include "ui/desktop/imagelist.h"

#include <QMainWindow>

class About;
class FindBar;
class GameList;
class GameListRefresh;
class Launcher;
class MameInUse;
class GameListModel;
class GameListView;
class OptionPanel;
class OptionSettings;
class PictureButton;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class RomVerification;
class StatusLine;
class WindowSize;
struct Platform;

// The main window: it owns the controls, places them and wires their events to the
// subsystems that handle them. Behaviour lives in those subsystems.
class MainForm final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainForm)

public:
    explicit MainForm(Platform& platform, QWidget* parent = nullptr);
    ~MainForm() override = default;

    // Brings the window into its first working state; runs once, before it is shown.
    void Form_Load();
    // Runs when the window is closed. Every setting is stored when it changes, so there is
    // nothing to save and closing is never refused: cancel is left as it is.
    void Form_Unload(bool& cancel);

    QWidget* client() const { return m_client; }
    OptionPanel* options() const { return m_options; }
    GameList* gameList() const { return m_gameList; }
    Launcher* launcher() const { return m_launcher; }
    MameInUse* mameInUse() const { return m_mameInUse; }
    OptionSettings* optionSettings() const { return m_optionSettings; }
    GameListRefresh* refresh() const { return m_refresh; }
    RomVerification* verification() const { return m_verification; }
    GameListModel* games() const { return m_games; }

    QString statusText() const;
    void setStatusText(const QString& text);

    // The controls, named as the rest of the program knows them.
    GameListView* GamesListView;
    FindBar* FindPanel; // the find field along the list's bottom edge
    QLabel* Label14;
    QComboBox* GamesListTypeCombo;
    QStatusBar* StatusBar;
    QLabel* CommandlineLabel;
    RecordingsListing INPFile;
    ImageList GamesImageList;
    ImageList GamesSmallImageList;
    QGroupBox* Frame5;     // General
    QGroupBox* Frame2;     // Graphics
    QGroupBox* Frame3;     // Sound
    QGroupBox* Frame6;     // Joystick
    QGroupBox* Frame4;     // Vector
    QPushButton* Command1; // Playback
    QComboBox* PlaybackCombo;
    QPushButton* Command2; // Record
    QLineEdit* RecText;
    PictureButton* PlayButton;

    QMenu* ToolsMenu;
    QAction* UpdateGamesMenu;
    QAction* WriteOptimizedMenu;
    QAction* rien;
    QAction* VerifyAllRomsMenu;
    QMenu* ViewMenu;
    QAction* ViewAsDetailsMenu;
    QAction* ViewAsIconsMenu;
    QAction* rien3;
    QAction* FullscreenMenu;
    QAction* FindMenu;
    QMenu* SettingsMenu;
    QAction* SaveDefaultCfgMenu;
    QAction* rien2;
    QAction* SaveCurrentGameCfgMenu;
    QAction* DeleteCurrentGameCfgMenu;
    QMenu* RightClickMenu;
    QAction* VerifyCurrentRomMenu;
    QAction* FavoriteMenu;
    QMenu* HelpMenu;
    QAction* AboutMenu;

protected:
    void closeEvent(QCloseEvent* event) override;
    // The first showing centres the window on its screen and then asks which MAME the
    // options name.
    void showEvent(QShowEvent* event) override;

private:
    void buildListArea();
    void bindControls();
    void wireCommands();
    void wireMameInUse();

    Platform& m_platform;
    QWidget* m_client;
    StatusLine* m_status;
    WindowSize* m_size;
    OptionPanel* m_options;
    GameListModel* m_games;
    GameList* m_gameList;
    Launcher* m_launcher;
    OptionSettings* m_optionSettings;
    GameListRefresh* m_refresh;
    RomVerification* m_verification;
    About* m_about;
    MameInUse* m_mameInUse;
    bool m_centred = false;
};
