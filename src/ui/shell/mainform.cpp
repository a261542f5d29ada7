#include "ui/shell/mainform.h"

#include "catalogue/listtype.h"
#include "mame/mameinuse.h"
#include "platform/platform.h"
#include "ui/about/about.h"
#include "ui/catalogue/findbar.h"
#include "ui/catalogue/gamelist.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistrefresh.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/desktop/centring.h"
#include "ui/desktop/fonts.h"
#include "ui/desktop/picturebutton.h"
#include "ui/desktop/twips.h"
#include "ui/launch/launcher.h"
#include "ui/options/optionpanel.h"
#include "ui/settings/optionsettings.h"
#include "ui/shell/artwork.h"
#include "ui/shell/mainlayout.h"
#include "ui/shell/statusline.h"
#include "ui/shell/windowsize.h"
#include "ui/verify/romverification.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>

namespace {

constexpr int kClientWidth = 10092;
constexpr int kClientHeight = 7344;

} // namespace

MainForm::MainForm(Platform& platform, QWidget* parent)
    : QMainWindow(parent)
    , INPFile(platform.files)
    , GamesImageList(QSize(32, 32), QColor(artwork::kMaskColour))
    , GamesSmallImageList(QSize(16, 16), QColor(artwork::kMaskColour))
    , m_platform(platform)
    , m_client(new QWidget(this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Brimwork's Korvane"));
    setWindowIcon(QIcon(QPixmap::fromImage(artwork::windowIconImage())));
    m_client->setObjectName(QStringLiteral("MainFormClient"));
    m_client->setFont(tahoma(7.8));
    setCentralWidget(m_client);

    m_options = new OptionPanel(m_client, [this](int t) { m_size->changeHeight(t); });
    buildListArea();
    PlayButton =
        new PictureButton(QStringLiteral("Play now !"), artwork::playButtonPicture(), m_client);
    PlayButton->setObjectName(QStringLiteral("PlayButton"));
    mainlayout::buildControls(m_client);
    mainlayout::buildMenus(this);
    bindControls();

    auto status = [this](const QString& text) { setStatusText(text); };
    m_gameList = new GameList(platform,
                              {this, GamesListView, GamesListTypeCombo, RightClickMenu,
                               FullscreenMenu, StatusBar, FindPanel, FavoriteMenu},
                              m_games, status, this);
    m_mameInUse = new MameInUse(
        platform, [this] { return programWord(m_options->read()); }, this);
    m_launcher = new Launcher(
        platform, *m_mameInUse,
        {[this] { return m_options->read(); }, [this] { return m_gameList->selectedForLaunch(); },
         [this] { return m_gameList->listType(); }, status,
         std::bind_front(&GameList::descriptionOf, m_gameList),
         std::bind_front(&GameList::gamePlayed, m_gameList)},
        {Command1, PlaybackCombo, Command2, RecText, PlayButton, CommandlineLabel, &INPFile}, this);
    m_optionSettings =
        new OptionSettings(platform, {[this] { return m_gameList->selectedName(); }, status},
                           {m_options, CommandlineLabel, DeleteCurrentGameCfgMenu}, this);
    m_refresh = new GameListRefresh(platform, *m_mameInUse, *m_gameList, this, this);
    m_verification =
        new RomVerification(platform, *m_mameInUse, *m_gameList, this, VerifyCurrentRomMenu, this);
    m_about = new About(
        platform, this, status, [this] { return m_mameInUse->description(); }, this);
    wireCommands();
    wireMameInUse();
    m_size = new WindowSize({this, m_client, std::bind_front(&GameList::setGrowth, m_gameList),
                             std::bind_front(&StatusLine::place, m_status), status},
                            platform.settings, QSize(kClientWidth, kClientHeight), this);
    m_size->restore();
}

void MainForm::buildListArea()
{
    m_games = new GameListModel(this);
    const auto [rom, badRom] = artwork::fillRomImages(GamesImageList, GamesSmallImageList);
    m_games->setIcons(rom, badRom);
    GamesListView = new GameListView(m_client);
    GamesListView->setObjectName(QStringLiteral("GamesListView"));
    GamesListView->setModel(m_games);
    FindPanel = new FindBar(m_client);
}

void MainForm::bindControls()
{
    // Each control is known by its name, which is its object's name.
    const auto find = [this]<typename T>(T*& member, const char* name) {
        member = findChild<T*>(QLatin1StringView(name));
        Q_ASSERT(member);
    };
    // clang-format off
    for (const auto& [frame, name] : {std::pair{&Frame5, "Frame5"}, {&Frame2, "Frame2"},
                                      {&Frame3, "Frame3"}, {&Frame6, "Frame6"}, {&Frame4, "Frame4"}})
        find(*frame, name);
    for (const auto& [menu, name] : {std::pair{&ToolsMenu, "ToolsMenu"}, {&ViewMenu, "ViewMenu"},
             {&SettingsMenu, "SettingsMenu"}, {&RightClickMenu, "RightClickMenu"}, {&HelpMenu, "HelpMenu"}})
        find(*menu, name);
    for (const auto& [action, name] : {std::pair{&UpdateGamesMenu, "UpdateGamesMenu"},
             {&WriteOptimizedMenu, "WriteOptimizedMenu"}, {&rien, "rien"}, {&VerifyAllRomsMenu, "VerifyAllRomsMenu"},
             {&ViewAsDetailsMenu, "ViewAsDetailsMenu"}, {&ViewAsIconsMenu, "ViewAsIconsMenu"}, {&rien3, "rien3"},
             {&FullscreenMenu, "FullscreenMenu"}, {&FindMenu, "FindMenu"}, {&SaveDefaultCfgMenu, "SaveDefaultCfgMenu"}, {&rien2, "rien2"},
             {&SaveCurrentGameCfgMenu, "SaveCurrentGameCfgMenu"}, {&DeleteCurrentGameCfgMenu, "DeleteCurrentGameCfgMenu"},
             {&VerifyCurrentRomMenu, "VerifyCurrentRomMenu"}, {&FavoriteMenu, "FavoriteMenu"}, {&AboutMenu, "AboutMenu"}})
        find(*action, name);
    // clang-format on
    find(Label14, "Label14");
    find(GamesListTypeCombo, "GamesListTypeCombo");
    find(CommandlineLabel, "CommandlineLabel");
    find(Command1, "Command1");
    find(PlaybackCombo, "PlaybackCombo");
    find(Command2, "Command2");
    find(RecText, "RecText");

    // A long command line is cut at the label's end rather than widening the window.
    CommandlineLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    Command1->setToolTip(QStringLiteral("right click to refresh list"));
    FullscreenMenu->setCheckable(true);
    m_status = new StatusLine(m_client);
    StatusBar = m_status->bar();
}

void MainForm::wireCommands()
{
    const auto on = [this](QAction* action, auto* receiver, auto handler) {
        connect(action, &QAction::triggered, receiver, handler);
    };
    GameList* list = m_gameList;
    on(ViewAsDetailsMenu, list, &GameList::ViewAsDetailsMenu_Click);
    on(ViewAsIconsMenu, list, &GameList::ViewAsIconsMenu_Click);
    on(FullscreenMenu, list, &GameList::FullscreenMenu_Click);
    on(FindMenu, list, &GameList::FindMenu_Click);
    connect(list, &GameList::launchRequested, m_launcher, &Launcher::PlayButton_Click);
    connect(m_games, &QAbstractItemModel::modelReset, m_launcher, &Launcher::gameListChanged);
    // A game chosen in the list: its name is offered for a recording and named by the verify
    // item, then its own settings come onto the panel, in this order.
    connect(list, &GameList::currentGameChanged, RecText, &QLineEdit::setText);
    connect(list, &GameList::currentGameChanged, m_verification, &RomVerification::showGame);
    connect(list, &GameList::currentGameChanged, m_optionSettings, &OptionSettings::LoadCfg);
    on(UpdateGamesMenu, m_refresh, &GameListRefresh::UpdateGamesMenu_Click);
    on(WriteOptimizedMenu, m_refresh, &GameListRefresh::WriteOptimizedMenu_Click);
    on(VerifyCurrentRomMenu, m_verification, &RomVerification::VerifyCurrentRomMenu_Click);
    on(VerifyAllRomsMenu, m_verification, &RomVerification::VerifyAllRomsMenu_Click);
    on(AboutMenu, m_about, &About::AboutMenu_Click);
    on(SaveDefaultCfgMenu, m_optionSettings, &OptionSettings::SaveDefaultCfgMenu_Click);
    on(SaveCurrentGameCfgMenu, m_optionSettings, &OptionSettings::SaveCurrentGameCfgMenu_Click);
    on(DeleteCurrentGameCfgMenu, m_optionSettings, &OptionSettings::DeleteCurrentGameCfgMenu_Click);
}

void MainForm::wireMameInUse()
{
    connect(m_mameInUse, &MameInUse::asking, m_status, &StatusLine::asking);
    connect(m_mameInUse, &MameInUse::identified, m_status, &StatusLine::mameInUse);
    connect(m_mameInUse, &MameInUse::identified, m_gameList, &GameList::setMame);
    connect(m_mameInUse, &MameInUse::identified, m_options, [this](const MameInfo& info) {
        m_options->showTodaysMame(info.isToday() ? std::optional(info.version) : std::nullopt);
    });
    connect(m_options, &OptionPanel::programChanged, m_mameInUse,
            &MameInUse::programOptionsChanged);
}

void MainForm::Form_Load()
{
    // 1. Item labels are never edited in place.
    GamesListView->setLabelEditing(false);
    // 2. The recordings in INP, for the playback list.
    m_launcher->listRecordings();
    // 3. The list type chosen last, without storing it again or loading twice.
    GamesListTypeCombo->setCurrentIndex(restoredListType(m_platform.settings));
    // 4. The game list for that list type.
    m_gameList->LoadGameList();
    // 5. The default option set on the panel. Which MAME it names is asked once the window
    // is on screen (showEvent): the question may take a moment, and neither the window nor
    // the About dialog before it must wait for it.
    m_optionSettings->LoadDefaultCfg();
    // 6. The game clicked last, selected as a click selects it (its own settings on the panel).
    m_gameList->selectLastUsed();
    // 7. The About dialog, once after each change of version.
    m_about->showVersionNotice();
}

void MainForm::Form_Unload([[maybe_unused]] bool& cancel)
{
    m_size->flush();
}

void MainForm::closeEvent(QCloseEvent* event)
{
    bool cancel = false;
    Form_Unload(cancel);
    event->setAccepted(!cancel);
}

void MainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    // Only a window on screen has a frame whose size the window manager has settled: until
    // then its frame is its client area. Centred at once, and again from the event loop once
    // the frame is known, it sits in the middle whatever its title bar and borders.
    // A maximised window has its place already.
    const auto centre = [this] {
        if (!isMaximized())
            centreOnScreen(*this);
    };
    centre();
    QTimer::singleShot(0, this, [this, centre] {
        centre();
        m_mameInUse->identifyOptions();
    });
}

QString MainForm::statusText() const
{
    return m_status->text();
}

void MainForm::setStatusText(const QString& text)
{
    m_status->setText(text);
}
