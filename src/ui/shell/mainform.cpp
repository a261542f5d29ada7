#include "ui/shell/mainform.h"

#include "catalogue/listtype.h"
#include "platform/platform.h"
#include "ui/about/about.h"
#include "ui/catalogue/gamelist.h"
#include "ui/catalogue/gamelistmodel.h"
#include "ui/catalogue/gamelistrefresh.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/desktop/fonts.h"
#include "ui/desktop/picturebutton.h"
#include "ui/desktop/twips.h"
#include "ui/launch/launcher.h"
#include "ui/options/optioncontrols.h"
#include "ui/options/optionpanel.h"
#include "ui/settings/optionsettings.h"
#include "ui/shell/artwork.h"
#include "ui/verify/romverification.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>

// Every position and size below is in twips, converted by twips::place alone.

using enum OptionId;

namespace {

constexpr int kClientWidth = 10092;
constexpr int kClientHeight = 7344;
constexpr int kStatusBarHeight = 252;
// What the status bar says until something else is said.
constexpr QStringView kFirstStatusText = u"Updated joy for mame 0.36b1...";

QGroupBox* makeGroup(QWidget* parent, const char* name, const QString& caption, int left, int top,
                     int width, int height)
{
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(QLatin1StringView(name));
    twips::place(group, left, top, width, height);
    return group;
}

// A sunken line across a group, between its parts.
void addSeparator(QWidget* parent, int left, int top, int width)
{
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    twips::place(line, left, top, width, 30);
}

void moveInto(QWidget* widget, QWidget* parent, int left, int top, int width, int height)
{
    widget->setParent(parent);
    twips::place(widget, left, top, width, height);
}

QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1StringView(name));
    action->setShortcut(shortcut);
    // Shortcuts work wherever the focus is in the window, also for the hidden menu.
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

// A text said after what the status bar says, unless that is the first text or nothing.
QString besideStatus(const QString& before, const QString& text)
{
    if (before.isEmpty() || before == kFirstStatusText)
        return text;
    return before + QStringLiteral("  ") + text;
}

QAction* addSeparatorItem(QMenu* menu, const char* name)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QLatin1StringView(name));
    return separator;
}

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
    m_client->setFixedSize(twips::toPixelsX(m_client, kClientWidth),
                           twips::toPixelsY(m_client, kClientHeight));

    m_options = new OptionPanel(m_client, [this](int t) { changeHeight(t); });

    buildImages();
    buildListArea();
    buildGeneralGroup();
    buildGraphicsGroup();
    buildVectorGroup();
    buildSoundGroup();
    buildJoystickGroup();
    buildBottomLine();
    buildMenus();

    m_gameList = new GameList(
        platform,
        {this, GamesListView, GamesListTypeCombo, RightClickMenu, FullscreenMenu, StatusBar},
        m_games, [this](const QString& text) { setStatusText(text); }, this);
    Launcher::Host host{
        [this] { return m_options->read(); },
        [this]() -> std::optional<SelectedGame> {
            const CatalogueEntry* game = m_gameList->selectedGame();
            if (!game)
                return std::nullopt;
            return SelectedGame{game->name, game->cloneof, game->description};
        },
        [this] { return m_gameList->listType(); },
        [this](const QString& text) { setStatusText(text); },
    };
    m_launcher = new Launcher(
        platform, std::move(host),
        {Command1, PlaybackCombo, Command2, RecText, PlayButton, CommandlineLabel, &INPFile}, this);
    OptionSettings::Host settingsHost{
        [this]() -> std::optional<QString> {
            const CatalogueEntry* game = m_gameList->selectedGame();
            if (!game)
                return std::nullopt;
            return game->name;
        },
        [this](const QString& text) { setStatusText(text); },
    };
    m_optionSettings =
        new OptionSettings(platform, std::move(settingsHost),
                           {m_options, CommandlineLabel, DeleteCurrentGameCfgMenu}, this);
    m_refresh = new GameListRefresh(platform, *m_gameList, this, this);
    m_verification = new RomVerification(platform, *m_gameList, this, VerifyCurrentRomMenu, this);
    m_about = new About(
        platform, this, [this](const QString& text) { setStatusText(text); },
        [this] { return m_mameInUse; }, this);
    wireCommands();
    wireSettingsCommands();
    wireMameIdentity();

    // The window keeps the width of its design; only End and Home in FlickerText change
    // its height.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainForm::~MainForm() = default;

void MainForm::buildImages()
{
    for (const bool good : {true, false}) {
        const QString key = imageKeyText(good ? ImageKey::Rom : ImageKey::BadRom);
        GamesImageList.add(key, artwork::romImage(32, good));
        GamesSmallImageList.add(key, artwork::romImage(16, good));
    }
}

void MainForm::buildListArea()
{
    m_games = new GameListModel(this);
    QIcon rom;
    QIcon badRom;
    for (const ImageList* list : {&GamesImageList, &GamesSmallImageList}) {
        rom.addPixmap(list->image(imageKeyText(ImageKey::Rom)));
        badRom.addPixmap(list->image(imageKeyText(ImageKey::BadRom)));
    }
    m_games->setIcons(rom, badRom);

    GamesListView = new GameListView(m_client);
    GamesListView->setObjectName(QStringLiteral("GamesListView"));
    GamesListView->setModel(m_games);
    twips::place(GamesListView, 120, 0, 6972, 4452);

    Label14 = addLabel(m_client, "Label14", QStringLiteral("Display:"), 7200, 30, 780, 315);
    Label14->setFont(tahoma(10.2));

    GamesListTypeCombo = new QComboBox(m_client);
    GamesListTypeCombo->setObjectName(QStringLiteral("GamesListTypeCombo"));
    GamesListTypeCombo->setFont(tahoma(7.2));
    for (int i = 0; i < kListTypeCount; ++i)
        GamesListTypeCombo->addItem(listTypeName(i));
    twips::place(GamesListTypeCombo, 7995, 15, 1977, 330);
}

QLabel* MainForm::addLabel(QWidget* parent, const char* name, const QString& text, int left,
                           int top, int width, int height)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1StringView(name));
    twips::place(label, left, top, width, height);
    return label;
}

void MainForm::addLabelledCombo(QWidget* group, const char* labelName, const char* text,
                                QWidget* combo, int top, Span label, Span box)
{
    // The label's text sits level with the text in the box.
    addLabel(group, labelName, QString::fromLatin1(text), label.left, top + 38, label.width, 255);
    moveInto(combo, group, box.left, top, box.width, 330);
}

void MainForm::buildGeneralGroup()
{
    Frame5 = makeGroup(m_client, "Frame5", QStringLiteral("General"), 7200, 360, 2772, 4092);
    auto o = [this](OptionId id) { return m_options->control(id); };
    moveInto(o(OriginalMameOption), Frame5, 120, 255, 2532, 255);
    moveInto(o(AlternateMameOption), Frame5, 120, 525, 2532, 255);
    moveInto(o(AlternateMameText), Frame5, 360, 795, 2292, 330);
    moveInto(o(CheatCheck), Frame5, 120, 1170, 2532, 255);
    moveInto(o(AdditionalParamCheck), Frame5, 120, 1440, 2532, 255);
    moveInto(o(AdditionalParamText), Frame5, 360, 1710, 2292, 330);
    addSeparator(Frame5, 120, 2100, 2532);

    const QFont buttonFont = tahoma(7.8, true);
    Command1 = new QPushButton(QStringLiteral("Playback"), Frame5);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(buttonFont);
    Command1->setToolTip(QStringLiteral("right click to refresh list"));
    twips::place(Command1, 120, 2205, 1200, 345);
    PlaybackCombo = new QComboBox(Frame5);
    PlaybackCombo->setObjectName(QStringLiteral("PlaybackCombo"));
    PlaybackCombo->setFont(tahoma(7.2));
    twips::place(PlaybackCombo, 1395, 2212, 1257, 330);

    Command2 = new QPushButton(QStringLiteral("Record"), Frame5);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setFont(buttonFont);
    twips::place(Command2, 120, 2625, 1200, 345);
    RecText = new QLineEdit(QStringLiteral("Default"), Frame5);
    RecText->setObjectName(QStringLiteral("RecText"));
    RecText->setFont(tahoma(7.2));
    twips::place(RecText, 1395, 2632, 1257, 330);
    addSeparator(Frame5, 120, 3060, 2532);

    PlayButton =
        new PictureButton(QStringLiteral("Play now !"), artwork::playButtonPicture(), Frame5);
    PlayButton->setObjectName(QStringLiteral("PlayButton"));
    PlayButton->setFont(tahoma(10.2, true));
    twips::place(PlayButton, 120, 3165, 2532, 810);
}

void MainForm::buildGraphicsGroup()
{
    Frame2 = makeGroup(m_client, "Frame2", QStringLiteral("Graphics"), 120, 4440, 4932, 2532);
    auto o = [this](OptionId id) { return m_options->control(id); };
    struct Row
    {
        const char* leftLabel;
        const char* leftText;
        QWidget* leftCombo;
        const char* rightLabel;
        const char* rightText;
        QWidget* rightCombo;
    };
    const Row rows[] = {
        {"Label7", "Resolution:", o(VideoCombo), "Label8", "Scanlines:", o(ScanlinesCombo)},
        {"Label5", "Color depth:", o(DepthCombo), "Label4", "Double pixel:", o(DoubleCombo)},
        {"Label9", "VESA:", o(VESACombo), "Label11", "Rotate:", o(RotateCombo)},
        {"Label10", "VSync:", o(VSyncCombo), "Label12", "Flip:", o(FlipCombo)},
        {"Label6", "VGA Freq.:", o(VGAFreqCombo), nullptr, nullptr, nullptr},
    };
    // The right column is the wider: "Anit-clockwise" and "No scanlines" are its entries.
    int top = 255;
    for (const Row& row : rows) {
        addLabelledCombo(Frame2, row.leftLabel, row.leftText, row.leftCombo, top, {75, 870},
                         {960, 1185});
        if (row.rightCombo) {
            addLabelledCombo(Frame2, row.rightLabel, row.rightText, row.rightCombo, top,
                             {2235, 960}, {3210, 1590});
        }
        top += 360;
    }
    // The fifth row's right half is the gamma switch and its value.
    moveInto(o(GammaCheck), Frame2, 2235, 255 + 4 * 360 + 38, 960, 255);
    moveInto(o(GammaText), Frame2, 3210, 255 + 4 * 360, 1590, 330);

    moveInto(m_options->FrameskipLabel, Frame2, 75, top + 75, 870, 255);
    moveInto(o(FrameskipSlider), Frame2, 960, top + 15, 3840, 390);
}

void MainForm::buildVectorGroup()
{
    Frame4 = makeGroup(m_client, "Frame4", QStringLiteral("Vector"), 5160, 4440, 1932, 2532);
    auto o = [this](OptionId id) { return m_options->control(id); };
    addLabel(Frame4, "Label13", QStringLiteral("Antialiasing:"), 120, 255, 1692, 240);
    moveInto(o(AntialiasCombo), Frame4, 120, 495, 1692, 330);
    addLabel(Frame4, "Label17", QStringLiteral("Translucency:"), 120, 900, 1692, 240);
    moveInto(o(TranslucencyCombo), Frame4, 120, 1140, 1692, 330);
    moveInto(o(BeamCheck), Frame4, 120, 1620, 900, 255);
    moveInto(o(BeamText), Frame4, 1035, 1582, 777, 330);
    moveInto(o(FlickerCheck), Frame4, 120, 2025, 900, 255);
    moveInto(o(FlickerText), Frame4, 1035, 1987, 777, 330);
}

void MainForm::buildSoundGroup()
{
    Frame3 = makeGroup(m_client, "Frame3", QStringLiteral("Sound"), 7200, 4440, 2772, 1812);
    auto o = [this](OptionId id) { return m_options->control(id); };
    const struct
    {
        const char* name;
        const char* text;
        QWidget* combo;
    } rows[] = {
        {"Label1", "Soundcard:", o(AudioCombo)},
        {"Label2", "Hz rate:", o(SampleRateCombo)},
        {"Label3", "Bit rate:", o(BitRateCombo)},
    };
    int top = 255;
    for (const auto& row : rows) {
        addLabelledCombo(Frame3, row.name, row.text, row.combo, top, {75, 795}, {885, 1812});
        top += 360;
    }
    moveInto(o(SbOplCheck), Frame3, 75, top + 45, 2622, 255);
}

void MainForm::buildJoystickGroup()
{
    Frame6 = makeGroup(m_client, "Frame6", QStringLiteral("Joystick"), 7200, 6360, 2772, 612);
    moveInto(m_options->control(JoyCombo), Frame6, 75, 240, 2622, 330);
}

void MainForm::buildBottomLine()
{
    CommandlineLabel =
        addLabel(m_client, "CommandlineLabel", QStringLiteral("Debug"), 120, 6960, 6972, 132);
    CommandlineLabel->setFont(tahoma(6));
    CommandlineLabel->setTextFormat(Qt::PlainText);
    // A long command line is cut at the label's end rather than widening the window.
    CommandlineLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    StatusBar = new QStatusBar(m_client);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setSizeGripEnabled(false);
    m_statusText = new QLabel(kFirstStatusText.toString(), StatusBar);
    m_statusText->setObjectName(QStringLiteral("StatusBarText"));
    m_statusText->setTextFormat(Qt::PlainText);
    m_statusText->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    StatusBar->addWidget(m_statusText, 1);
    placeStatusBar();
}

void MainForm::placeStatusBar()
{
    // Along the bottom edge, whatever the window's height.
    const int clientHeight = twips::fromPixelsY(m_client, m_client->height());
    twips::place(StatusBar, 0, clientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
    StatusBar->raise();
}

void MainForm::buildMenus()
{
    QMenuBar* bar = menuBar();

    ToolsMenu = bar->addMenu(QStringLiteral("Tools"));
    ToolsMenu->setObjectName(QStringLiteral("ToolsMenu"));
    UpdateGamesMenu =
        addItem(ToolsMenu, "UpdateGamesMenu", QStringLiteral("Update the games list"));
    WriteOptimizedMenu =
        addItem(ToolsMenu, "WriteOptimizedMenu", QStringLiteral("Write an optimized games list"));
    rien = addSeparatorItem(ToolsMenu, "rien");
    VerifyAllRomsMenu = addItem(ToolsMenu, "VerifyAllRomsMenu", QStringLiteral("Verify All roms"));

    ViewMenu = bar->addMenu(QStringLiteral("View"));
    ViewMenu->setObjectName(QStringLiteral("ViewMenu"));
    ViewAsDetailsMenu = addItem(ViewMenu, "ViewAsDetailsMenu", QStringLiteral("View as Details"));
    ViewAsIconsMenu = addItem(ViewMenu, "ViewAsIconsMenu", QStringLiteral("View as Icons"));
    rien3 = addSeparatorItem(ViewMenu, "rien3");
    FullscreenMenu =
        addItem(ViewMenu, "FullscreenMenu", QStringLiteral("Full window"), Qt::Key_F12);
    FullscreenMenu->setCheckable(true);

    SettingsMenu = bar->addMenu(QStringLiteral("Settings"));
    SettingsMenu->setObjectName(QStringLiteral("SettingsMenu"));
    SaveDefaultCfgMenu = addItem(SettingsMenu, "SaveDefaultCfgMenu",
                                 QStringLiteral("Save default settings"), Qt::SHIFT | Qt::Key_F5);
    rien2 = addSeparatorItem(SettingsMenu, "rien2");
    SaveCurrentGameCfgMenu = addItem(SettingsMenu, "SaveCurrentGameCfgMenu",
                                     QStringLiteral("Save current game settings"), Qt::Key_F5);
    DeleteCurrentGameCfgMenu = addItem(SettingsMenu, "DeleteCurrentGameCfgMenu",
                                       QStringLiteral("Delete current game settings"), Qt::Key_F8);

    // The context menu of the game list: never in the menu bar, but its shortcut works.
    RightClickMenu = new QMenu(QStringLiteral("RightClick"), this);
    RightClickMenu->setObjectName(QStringLiteral("RightClickMenu"));
    VerifyCurrentRomMenu = addItem(RightClickMenu, "VerifyCurrentRomMenu",
                                   QStringLiteral("Verify this rom"), Qt::Key_F9);
    addAction(VerifyCurrentRomMenu);

    HelpMenu = bar->addMenu(QStringLiteral("Help"));
    HelpMenu->setObjectName(QStringLiteral("HelpMenu"));
    AboutMenu = addItem(HelpMenu, "AboutMenu", QStringLiteral("About..."), Qt::Key_F1);
}

void MainForm::wireCommands()
{
    connect(ViewAsDetailsMenu, &QAction::triggered, m_gameList, &GameList::ViewAsDetailsMenu_Click);
    connect(ViewAsIconsMenu, &QAction::triggered, m_gameList, &GameList::ViewAsIconsMenu_Click);
    connect(FullscreenMenu, &QAction::triggered, m_gameList, &GameList::FullscreenMenu_Click);
    connect(m_gameList, &GameList::launchRequested, m_launcher, &Launcher::PlayButton_Click);
    // A game chosen in the list: its name is offered for a recording and named by the verify
    // item, then its own settings come onto the panel, in this order.
    connect(m_gameList, &GameList::currentGameChanged, RecText, &QLineEdit::setText);
    connect(m_gameList, &GameList::currentGameChanged, m_verification, &RomVerification::showGame);
    connect(m_gameList, &GameList::currentGameChanged, m_optionSettings, &OptionSettings::LoadCfg);

    connect(UpdateGamesMenu, &QAction::triggered, m_refresh,
            &GameListRefresh::UpdateGamesMenu_Click);
    connect(WriteOptimizedMenu, &QAction::triggered, m_refresh,
            &GameListRefresh::WriteOptimizedMenu_Click);
    connect(VerifyCurrentRomMenu, &QAction::triggered, m_verification,
            &RomVerification::VerifyCurrentRomMenu_Click);
    connect(VerifyAllRomsMenu, &QAction::triggered, m_verification,
            &RomVerification::VerifyAllRomsMenu_Click);

    connect(AboutMenu, &QAction::triggered, m_about, &About::AboutMenu_Click);
}

void MainForm::wireSettingsCommands()
{
    connect(SaveDefaultCfgMenu, &QAction::triggered, m_optionSettings,
            &OptionSettings::SaveDefaultCfgMenu_Click);
    connect(SaveCurrentGameCfgMenu, &QAction::triggered, m_optionSettings,
            &OptionSettings::SaveCurrentGameCfgMenu_Click);
    connect(DeleteCurrentGameCfgMenu, &QAction::triggered, m_optionSettings,
            &OptionSettings::DeleteCurrentGameCfgMenu_Click);
}

void MainForm::wireMameIdentity()
{
    connect(m_launcher, &Launcher::mameIdentified, this, &MainForm::showMameInUse);
    connect(m_launcher, &Launcher::askingMame, this, [this](const QString& program) {
        m_statusBeforeAsking = statusText();
        m_askingText = besideStatus(m_statusBeforeAsking,
                                    QStringLiteral("Asking %1 which MAME it is...").arg(program));
        setStatusText(m_askingText);
        m_statusText->repaint(); // the question may take a moment: say so at once
    });
    // Loaded values change the program too (toggled, textChanged); only the user's own
    // changes (clicked, textEdited) let the program be asked.
    auto changed = [this](bool byUser) {
        return [this, byUser] { m_launcher->programOptionsChanged(byUser); };
    };
    for (const OptionId id : {OriginalMameOption, AlternateMameOption}) {
        auto* button = m_options->controlAs<QAbstractButton>(id);
        connect(button, &QAbstractButton::clicked, m_launcher, changed(true));
        connect(button, &QAbstractButton::toggled, m_launcher, changed(false));
    }
    auto* text = m_options->controlAs<QLineEdit>(AlternateMameText);
    connect(text, &QLineEdit::textEdited, m_launcher, changed(true));
    connect(text, &QLineEdit::textChanged, m_launcher, changed(false));
}

void MainForm::showMameInUse(const MameInfo& info, const QString& word)
{
    m_options->showTodaysMame(info.dialect == MameDialect::Today ? std::optional(info.version)
                                                                 : std::nullopt);
    m_mameInUse = describeMame(info, word);
    if (!info.asked)
        return;
    // Said once, when the program was asked, beside whatever the status bar said before.
    const QString before = statusText() == m_askingText ? m_statusBeforeAsking : statusText();
    setStatusText(besideStatus(before, QStringLiteral("MAME in use: %1.").arg(m_mameInUse)));
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
    // 6. The About dialog, once after each change of version.
    m_about->showVersionNotice();
}

void MainForm::Form_Unload(bool& cancel)
{
    Q_UNUSED(cancel);
}

void MainForm::closeEvent(QCloseEvent* event)
{
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void MainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    QTimer::singleShot(0, m_launcher, [this] { m_launcher->identifyMame(); });
    // Only a window on screen has a frame whose size the window manager has settled: until
    // then its frame is its client area. Centred once the frame is known, from the event
    // loop, it sits in the middle whatever its title bar and borders.
    QTimer::singleShot(0, this, [this] {
        const QScreen* where = screen();
        if (!where)
            return;
        QRect frame = frameGeometry();
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    });
}

QString MainForm::statusText() const
{
    return m_statusText->text();
}

void MainForm::setStatusText(const QString& text)
{
    m_statusText->setText(text);
}

void MainForm::changeHeight(int twipsDelta)
{
    // The client area takes the whole change, so the outer height changes by the same
    // amount. No bound of our own: only a height below nothing is impossible.
    const int pixels =
        twipsDelta > 0 ? twips::toPixelsY(this, twipsDelta) : -twips::toPixelsY(this, -twipsDelta);
    m_client->setFixedHeight(std::max(0, m_client->height() + pixels));
    placeStatusBar();
}
