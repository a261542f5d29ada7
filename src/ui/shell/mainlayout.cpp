#include "ui/shell/mainlayout.h"

#include "ui/desktop/fonts.h"
#include "ui/desktop/twips.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace mainlayout {

namespace {

enum class Kind
{
    Placed, // made before: found by name and placed
    Group,
    Label,
    Separator,
    Button,
    List,
    TextBox,
};

// One control of the design. Rectangles are in twips within the parent. A face of 0 points
// keeps the parent's (Tahoma 7.8 for the client area).
struct Control
{
    Kind kind;
    const char* name;
    const char* parent;
    int left, top, width, height;
    const char* text = nullptr;
    double points = 0;
    bool bold = false;
};

constexpr const char* kClient = "MainFormClient";

// Label texts sit level with the text in the list beside them: 38 twips below its top.
// clang-format off
constexpr Control kControls[] = {
    {Kind::Placed, "GamesListView", kClient, 120, 0, 6972, 4452},
    {Kind::Label, "Label14", kClient, 7200, 30, 780, 315, "Display:", 10.2},
    {Kind::List, "GamesListTypeCombo", kClient, 7995, 15, 1977, 330, nullptr, 7.2},

    {Kind::Group, "Frame5", kClient, 7200, 360, 2772, 4092, "General"},
    {Kind::Placed, "OriginalMameOption", "Frame5", 120, 255, 2532, 255},
    {Kind::Placed, "AlternateMameOption", "Frame5", 120, 525, 2532, 255},
    {Kind::Placed, "AlternateMameText", "Frame5", 360, 795, 2292, 330},
    {Kind::Placed, "CheatCheck", "Frame5", 120, 1170, 2532, 255},
    {Kind::Placed, "AdditionalParamCheck", "Frame5", 120, 1440, 2532, 255},
    {Kind::Placed, "AdditionalParamText", "Frame5", 360, 1710, 2292, 330},
    {Kind::Separator, "", "Frame5", 120, 2100, 2532, 30},
    {Kind::Button, "Command1", "Frame5", 120, 2205, 1200, 345, "Playback", 7.8, true},
    {Kind::List, "PlaybackCombo", "Frame5", 1395, 2212, 1257, 330, nullptr, 7.2},
    {Kind::Button, "Command2", "Frame5", 120, 2625, 1200, 345, "Record", 7.8, true},
    {Kind::TextBox, "RecText", "Frame5", 1395, 2632, 1257, 330, "Default", 7.2},
    {Kind::Separator, "", "Frame5", 120, 3060, 2532, 30},
    {Kind::Placed, "PlayButton", "Frame5", 120, 3165, 2532, 810, nullptr, 10.2, true},

    // Two columns of labelled lists, the right one the wider: "Anit-clockwise" and
    // "No scanlines" are its entries.
    {Kind::Group, "Frame2", kClient, 120, 4440, 4932, 2532, "Graphics"},
    {Kind::Label, "Label7", "Frame2", 75, 293, 870, 255, "Resolution:"},
    {Kind::Placed, "VideoCombo", "Frame2", 960, 255, 1185, 330},
    {Kind::Label, "Label8", "Frame2", 2235, 293, 960, 255, "Scanlines:"},
    {Kind::Placed, "ScanlinesCombo", "Frame2", 3210, 255, 1590, 330},
    {Kind::Label, "Label5", "Frame2", 75, 653, 870, 255, "Color depth:"},
    {Kind::Placed, "DepthCombo", "Frame2", 960, 615, 1185, 330},
    {Kind::Label, "Label4", "Frame2", 2235, 653, 960, 255, "Double pixel:"},
    {Kind::Placed, "DoubleCombo", "Frame2", 3210, 615, 1590, 330},
    {Kind::Label, "Label9", "Frame2", 75, 1013, 870, 255, "VESA:"},
    {Kind::Placed, "VESACombo", "Frame2", 960, 975, 1185, 330},
    {Kind::Label, "Label11", "Frame2", 2235, 1013, 960, 255, "Rotate:"},
    {Kind::Placed, "RotateCombo", "Frame2", 3210, 975, 1590, 330},
    {Kind::Label, "Label10", "Frame2", 75, 1373, 870, 255, "VSync:"},
    {Kind::Placed, "VSyncCombo", "Frame2", 960, 1335, 1185, 330},
    {Kind::Label, "Label12", "Frame2", 2235, 1373, 960, 255, "Flip:"},
    {Kind::Placed, "FlipCombo", "Frame2", 3210, 1335, 1590, 330},
    {Kind::Label, "Label6", "Frame2", 75, 1733, 870, 255, "VGA Freq.:"},
    {Kind::Placed, "VGAFreqCombo", "Frame2", 960, 1695, 1185, 330},
    {Kind::Placed, "GammaCheck", "Frame2", 2235, 1733, 960, 255},
    {Kind::Placed, "GammaText", "Frame2", 3210, 1695, 1590, 330},
    {Kind::Placed, "FrameskipLabel", "Frame2", 75, 2130, 870, 255},
    {Kind::Placed, "FrameskipSlider", "Frame2", 960, 2070, 3840, 390},

    {Kind::Group, "Frame4", kClient, 5160, 4440, 1932, 2532, "Vector"},
    {Kind::Label, "Label13", "Frame4", 120, 255, 1692, 240, "Antialiasing:"},
    {Kind::Placed, "AntialiasCombo", "Frame4", 120, 495, 1692, 330},
    {Kind::Label, "Label17", "Frame4", 120, 900, 1692, 240, "Translucency:"},
    {Kind::Placed, "TranslucencyCombo", "Frame4", 120, 1140, 1692, 330},
    {Kind::Placed, "BeamCheck", "Frame4", 120, 1620, 900, 255},
    {Kind::Placed, "BeamText", "Frame4", 1035, 1582, 777, 330},
    {Kind::Placed, "FlickerCheck", "Frame4", 120, 2025, 900, 255},
    {Kind::Placed, "FlickerText", "Frame4", 1035, 1987, 777, 330},

    {Kind::Group, "Frame3", kClient, 7200, 4440, 2772, 1812, "Sound"},
    {Kind::Label, "Label1", "Frame3", 75, 293, 795, 255, "Soundcard:"},
    {Kind::Placed, "AudioCombo", "Frame3", 885, 255, 1812, 330},
    {Kind::Label, "Label2", "Frame3", 75, 653, 795, 255, "Hz rate:"},
    {Kind::Placed, "SampleRateCombo", "Frame3", 885, 615, 1812, 330},
    {Kind::Label, "Label3", "Frame3", 75, 1013, 795, 255, "Bit rate:"},
    {Kind::Placed, "BitRateCombo", "Frame3", 885, 975, 1812, 330},
    {Kind::Placed, "SbOplCheck", "Frame3", 75, 1380, 2622, 255},

    {Kind::Group, "Frame6", kClient, 7200, 6360, 2772, 612, "Joystick"},
    {Kind::Placed, "JoyCombo", "Frame6", 75, 240, 2622, 330},

    {Kind::Label, "CommandlineLabel", kClient, 120, 6960, 6972, 132, "Debug", 6},
};
// clang-format on

QWidget* make(const Control& control, QWidget* parent)
{
    const QString text = QString::fromLatin1(control.text);
    switch (control.kind) {
    case Kind::Placed:
        return nullptr;
    case Kind::Group:
        return new QGroupBox(text, parent);
    case Kind::Label: {
        auto* label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case Kind::Separator: {
        auto* line = new QFrame(parent);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    case Kind::Button:
        return new QPushButton(text, parent);
    case Kind::List:
        return new QComboBox(parent);
    case Kind::TextBox:
        return new QLineEdit(text, parent);
    }
    return nullptr;
}

// One item of a menu: a separator when caption is nullptr.
struct MenuItem
{
    const char* name;
    const char* caption;
    QKeyCombination shortcut = {};
};

struct Menu
{
    const char* name;
    const char* caption;
    std::initializer_list<MenuItem> items;
    bool inBar = true;
};

} // namespace

void buildControls(QWidget* client)
{
    for (const Control& control : kControls) {
        const QString name = QString::fromLatin1(control.name);
        QWidget* parent = client->objectName() == QLatin1StringView(control.parent)
                              ? client
                              : client->findChild<QWidget*>(QLatin1StringView(control.parent));
        QWidget* widget = make(control, parent);
        if (!widget) {
            widget = client->findChild<QWidget*>(name);
            Q_ASSERT(widget);
            widget->setParent(parent);
        }
        widget->setObjectName(name);
        if (control.points > 0)
            widget->setFont(tahoma(control.points, control.bold));
        twips::place(widget, control.left, control.top, control.width, control.height);
    }
}

void buildMenus(QMainWindow* window)
{
    // clang-format off
    const Menu menus[] = {
        {"ToolsMenu", "Tools", {{"UpdateGamesMenu", "Update the games list"},
                                {"WriteOptimizedMenu", "Write an optimized games list"},
                                {"rien", nullptr},
                                {"VerifyAllRomsMenu", "Verify All roms"}}},
        {"ViewMenu", "View", {{"ViewAsDetailsMenu", "View as Details"},
                              {"ViewAsIconsMenu", "View as Icons"},
                              {"rien3", nullptr},
                              {"FullscreenMenu", "Full window", Qt::Key_F12},
                              {"rien4", nullptr},
                              {"FindMenu", "Find...", Qt::CTRL | Qt::Key_F}}},
        {"SettingsMenu", "Settings", {{"SaveDefaultCfgMenu", "Save default settings", Qt::SHIFT | Qt::Key_F5},
                                      {"rien2", nullptr},
                                      {"SaveCurrentGameCfgMenu", "Save current game settings", Qt::Key_F5},
                                      {"DeleteCurrentGameCfgMenu", "Delete current game settings", Qt::Key_F8}}},
        // The context menu of the game list: never in the menu bar, but its shortcut works.
        {"RightClickMenu", "RightClick", {{"VerifyCurrentRomMenu", "Verify this rom", Qt::Key_F9},
                                          {"FavoriteMenu", "Add to favorites", Qt::CTRL | Qt::Key_D}}, false},
        {"HelpMenu", "Help", {{"AboutMenu", "About...", Qt::Key_F1}}},
    };
    // clang-format on
    for (const Menu& m : menus) {
        QMenu* menu = m.inBar ? window->menuBar()->addMenu(QString::fromLatin1(m.caption))
                              : new QMenu(QString::fromLatin1(m.caption), window);
        menu->setObjectName(QLatin1StringView(m.name));
        for (const MenuItem& item : m.items) {
            QAction* action = item.caption ? menu->addAction(QString::fromLatin1(item.caption))
                                           : menu->addSeparator();
            action->setObjectName(QLatin1StringView(item.name));
            if (item.shortcut.key() != Qt::Key_unknown)
                action->setShortcut(item.shortcut);
            // Shortcuts work wherever the focus is in the window, also for the hidden menu.
            action->setShortcutContext(Qt::WindowShortcut);
            if (!m.inBar)
                window->addAction(action);
        }
    }
    // Ctrl+Q closes the window, as in any desktop program, without an item of its own.
    auto* quit = new QAction(window);
    quit->setObjectName(QStringLiteral("QuitShortcut"));
    quit->setShortcut(Qt::CTRL | Qt::Key_Q);
    quit->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(quit, &QAction::triggered, window, &QWidget::close);
    window->addAction(quit);
}

} // namespace mainlayout
