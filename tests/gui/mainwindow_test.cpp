#include "catalogue/listtype.h"
#include "options/optiontables.h"
#include "programfixture.h"
#include "ui/catalogue/gamelistview.h"
#include "ui/desktop/picturebutton.h"
#include "ui/desktop/twips.h"
#include "ui/options/optioncontrols.h"
#include "ui/options/optionpanel.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSlider>
#include <QStatusBar>
#include <QTest>

#include <map>

namespace {

using MainWindowTest = ProgramFixture;

template <typename T>
T* named(QWidget& window, const char* name)
{
    T* widget = window.findChild<T*>(QLatin1StringView(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

TEST_F(MainWindowTest, everyOptionHasAControlOfItsKindBuiltFromTheOptionTable)
{
    MainForm& w = window();
    const std::map<OptionKind, const char*> classes{
        {OptionKind::OptionButton, "OptionRadioButton"},
        {OptionKind::CheckBox, "OptionCheckBox"},
        {OptionKind::ComboBox, "QComboBox"},
        {OptionKind::Slider, "QSlider"},
        {OptionKind::TextField, "QLineEdit"},
    };
    for (const OptionInfo& info : optionInfos()) {
        SCOPED_TRACE(optionName(info.id).toStdString());
        QWidget* control = w.options()->control(info.id);
        EXPECT_EQ(control, named<QWidget>(w, optionName(info.id).toLatin1().constData()));
        EXPECT_STREQ(control->metaObject()->className(), classes.at(info.kind));
        EXPECT_EQ(control->toolTip(), info.toolTip);
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            EXPECT_EQ(button->text(), info.caption);
        }
        EXPECT_TRUE(control->isVisibleTo(&w));
    }
    // Texts of the table that are easy to "correct" by mistake.
    EXPECT_EQ(optionInfo(OptionId::AlternateMameOption).caption, u"Altenate build:");
    EXPECT_EQ(optionInfo(OptionId::VGAFreqCombo).toolTip,
              u"WARNING: Can damage your monitior ! Please read MAME documentation...");
}

TEST_F(MainWindowTest, initialContentsBeforeAnythingIsApplied)
{
    // The record's own initial texts are pinned by the command lines built from it.
    const OptionSet initial = window().options()->read();
    EXPECT_EQ(initial, OptionSet{});
    for (const OptionInfo& info : optionInfos()) {
        if (info.kind == OptionKind::ComboBox) {
            EXPECT_EQ(std::get<int>(initial.value(info.id)), -1)
                << info.name.toString().toStdString();
        }
    }
    const OptionPanel& o = *window().options();
    EXPECT_FALSE(o.control(OptionId::AlternateMameText)->isEnabled());
    EXPECT_FALSE(o.control(OptionId::AdditionalParamText)->isEnabled());
    EXPECT_EQ(o.FrameskipLabel->text(), QStringLiteral("Frameskip: 0"));
    EXPECT_EQ(window().statusText(), QStringLiteral("Updated joy for mame 0.36b1..."));
    EXPECT_EQ(window().CommandlineLabel->text(), QStringLiteral("Debug"));
    EXPECT_EQ(window().RecText->text(), QStringLiteral("Default"));
    EXPECT_EQ(window().PlaybackCombo->count(), 0);
    EXPECT_EQ(window().windowTitle(), QStringLiteral("Brimwork's Korvane"));
}

// The option combos show the option table's entries (their texts are pinned with the command
// line's golden table); the list type combo shows the list types.
TEST_F(MainWindowTest, everyComboHasItsEntries)
{
    QStringList listTypes;
    for (int i = 0; i < kListTypeCount; ++i)
        listTypes.append(listTypeName(i));
    EXPECT_EQ(listTypes, (QStringList{"Full list", "All except clones", "All except NEO\u2022GEO",
                                      "Only NEO\u2022GEO", "Home hacks", "Only good drivers",
                                      "Only prelim drivers"}));
    std::vector<std::pair<QString, QStringList>> combos{{"GamesListTypeCombo", listTypes}};
    for (const OptionInfo& info : optionInfos()) {
        QStringList entries;
        for (const ComboEntry& entry : comboEntries(info.id))
            entries.append(entry.text.toString());
        if (info.kind == OptionKind::ComboBox)
            combos.emplace_back(info.name.toString(), entries);
    }
    for (const auto& [name, entries] : combos) {
        SCOPED_TRACE(name.toStdString());
        QComboBox* combo = named<QComboBox>(window(), name.toLatin1().constData());
        ASSERT_NE(combo, nullptr);
        EXPECT_FALSE(combo->isEditable());
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown.append(combo->itemText(i));
        EXPECT_EQ(shown, entries);
    }
}

TEST_F(MainWindowTest, theGeometryOfTheDesignInTwips)
{
    MainForm& w = window();
    w.show();
    const QWidget* client = w.client();
    // The list's place, and the status bar along the bottom edge, are pinned with the full
    // window and the window's changes of height.
    EXPECT_EQ(client->size(), twips::toPixels(client, 0, 0, 10092, 7344).size());
    const QRect label = w.CommandlineLabel->geometry();
    EXPECT_EQ(label.topLeft(), twips::toPixels(client, 120, 6960, 1, 1).topLeft());
    EXPECT_EQ(label.width(), twips::toPixels(client, 120, 6960, 6972, 1).width());
    struct Group
    {
        QGroupBox* box;
        const char* caption;
        QRect twipsRect;
    };
    const Group groups[] = {
        {w.Frame5, "General", {7200, 360, 2772, 4092}},
        {w.Frame2, "Graphics", {120, 4440, 4932, 2532}},
        {w.Frame3, "Sound", {7200, 4440, 2772, 1812}},
        {w.Frame6, "Joystick", {7200, 6360, 2772, 612}},
        {w.Frame4, "Vector", {5160, 4440, 1932, 2532}},
    };
    for (const Group& g : groups) {
        SCOPED_TRACE(g.caption);
        EXPECT_EQ(g.box->title(), QString::fromLatin1(g.caption));
        const QRect& r = g.twipsRect;
        EXPECT_EQ(g.box->geometry(), twips::toPixels(client, r.x(), r.y(), r.width(), r.height()));
    }
}

TEST_F(MainWindowTest, everyControlLiesInsideItsGroupAndShowsItsWholeCaption)
{
    MainForm& w = window();
    w.show();
    for (QGroupBox* group : {w.Frame5, w.Frame2, w.Frame3, w.Frame6, w.Frame4}) {
        const auto children = group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            SCOPED_TRACE(child->objectName().toStdString());
            EXPECT_TRUE(group->rect().contains(child->geometry())) << group->title().toStdString();
            // Labels and buttons fit their text; combos their entries, but for the sound
            // card, whose longest names drop down in full.
            if (child == w.options()->control(OptionId::AudioCombo) ||
                qobject_cast<QPushButton*>(child))
                continue;
            if (qobject_cast<QLabel*>(child) || qobject_cast<QAbstractButton*>(child) ||
                qobject_cast<QComboBox*>(child)) {
                EXPECT_GE(child->width(), child->sizeHint().width());
            }
        }
        // Siblings within a group do not overlap.
        for (int i = 0; i < children.size(); ++i) {
            for (int j = i + 1; j < children.size(); ++j) {
                EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                    << children[i]->objectName().toStdString() << " / "
                    << children[j]->objectName().toStdString();
            }
        }
    }
}

TEST_F(MainWindowTest, groupsHoldTheirControlsInOrder)
{
    MainForm& w = window();
    auto names = [](QGroupBox* group) {
        QStringList list;
        auto children = group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        // Top to bottom by row (controls of one row share their middle), then left to right.
        std::stable_sort(children.begin(), children.end(), [](QWidget* a, QWidget* b) {
            const int ay = a->geometry().center().y();
            const int by = b->geometry().center().y();
            return std::abs(ay - by) > 3 ? ay < by : a->x() < b->x();
        });
        for (QWidget* child : children) {
            if (!child->objectName().isEmpty())
                list.append(child->objectName());
        }
        return list;
    };
    EXPECT_EQ(names(w.Frame5),
              (QStringList{"OriginalMameOption", "AlternateMameOption", "AlternateMameText",
                           "CheatCheck", "AdditionalParamCheck", "AdditionalParamText", "Command1",
                           "PlaybackCombo", "Command2", "RecText", "PlayButton"}));
    EXPECT_EQ(names(w.Frame4),
              (QStringList{"Label13", "AntialiasCombo", "Label17", "TranslucencyCombo", "BeamCheck",
                           "BeamText", "FlickerCheck", "FlickerText"}));
    EXPECT_EQ(names(w.Frame3), (QStringList{"Label1", "AudioCombo", "Label2", "SampleRateCombo",
                                            "Label3", "BitRateCombo", "SbOplCheck"}));
    EXPECT_EQ(names(w.Frame6), QStringList{"JoyCombo"});
    const QStringList graphics = names(w.Frame2);
    for (const char* n :
         {"Label7",         "VideoCombo",     "Label8",       "ScanlinesCombo", "Label5",
          "DepthCombo",     "Label4",         "DoubleCombo",  "Label9",         "VESACombo",
          "Label11",        "RotateCombo",    "Label10",      "VSyncCombo",     "Label12",
          "FlipCombo",      "Label6",         "VGAFreqCombo", "GammaCheck",     "GammaText",
          "FrameskipLabel", "FrameskipSlider"})
        EXPECT_TRUE(graphics.contains(QLatin1StringView(n))) << n;
    EXPECT_EQ(graphics.last(), QStringLiteral("FrameskipSlider"));
    const QStringList labels{"Label7",  "Label8",  "Label5",  "Label4", "Label9",
                             "Label11", "Label10", "Label12", "Label6", "Label1",
                             "Label2",  "Label3",  "Label13", "Label17"};
    const QStringList texts{
        "Resolution:", "Scanlines:", "Color depth:",  "Double pixel:", "VESA:",
        "Rotate:",     "VSync:",     "Flip:",         "VGA Freq.:",    "Soundcard:",
        "Hz rate:",    "Bit rate:",  "Antialiasing:", "Translucency:"};
    for (int i = 0; i < labels.size(); ++i)
        EXPECT_EQ(named<QLabel>(w, labels[i].toLatin1().constData())->text(), texts[i]);
}

TEST_F(MainWindowTest, theLaunchControlsAndImages)
{
    MainForm& w = window();
    EXPECT_EQ(w.Command1->text(), QStringLiteral("Playback"));
    EXPECT_EQ(w.Command1->toolTip(), QStringLiteral("right click to refresh list"));
    EXPECT_EQ(w.Command2->text(), QStringLiteral("Record"));
    EXPECT_EQ(w.PlayButton->text(), QStringLiteral("Play now !"));
    EXPECT_EQ(w.PlayButton->picture().size(), QSize(208, 48));
    EXPECT_FALSE(w.PlaybackCombo->isEditable());
    EXPECT_FALSE(w.windowIcon().isNull());
    for (const ImageList* list : {&w.GamesImageList, &w.GamesSmallImageList}) {
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->maskColour(), QColor(0xC0, 0xC0, 0xC0));
        for (const char* key : {"ROM", "BADROM"}) {
            const QPixmap image = list->image(QLatin1StringView(key));
            EXPECT_EQ(image.size(), list->imageSize()) << key;
            EXPECT_TRUE(image.hasAlpha()) << key; // the silver background is see-through
        }
    }
    EXPECT_EQ(w.GamesImageList.imageSize(), QSize(32, 32));
    EXPECT_EQ(w.GamesSmallImageList.imageSize(), QSize(16, 16));
    EXPECT_NE(w.GamesImageList.image("ROM").toImage(), w.GamesImageList.image("BADROM").toImage());
}

TEST_F(MainWindowTest, eachControlHasTheFaceAndSizeOfItsDesign)
{
    MainForm& w = window();
    const struct
    {
        const char* name;
        const char* family;
        double points;
        bool bold;
    } cases[] = {
        {"MainFormClient", "Tahoma", 7.8, false},
        {"Label14", "Tahoma", 10.2, false},
        {"GamesListTypeCombo", "Tahoma", 7.2, false},
        {"Command1", "Tahoma", 7.8, true},
        {"Command2", "Tahoma", 7.8, true},
        {"PlaybackCombo", "Tahoma", 7.2, false},
        {"RecText", "Tahoma", 7.2, false},
        {"PlayButton", "Tahoma", 10.2, true},
        {"CommandlineLabel", "Tahoma", 6, false},
        {"VideoCombo", "Tahoma", 7.2, false},
        {"JoyCombo", "Tahoma", 7.2, false},
        {"CheatCheck", "Tahoma", 7.8, false},
        {"AlternateMameText", "Courier", 9.6, false},
        {"FlickerText", "Courier", 9.6, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QWidget* widget = named<QWidget>(w, c.name);
        ASSERT_NE(widget, nullptr);
        const QFont font = widget->font();
        EXPECT_EQ(font.family(), QLatin1StringView(c.family));
        EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points);
        EXPECT_EQ(font.bold(), c.bold);
    }
}

TEST_F(MainWindowTest, theFirstShowingCentresTheWindowOnItsScreen)
{
    MainForm& w = window();
    w.Form_Load();
    w.move(0, 0);
    w.show();
    QCoreApplication::processEvents();
    const QPoint middle = w.screen()->availableGeometry().center();
    EXPECT_LE((w.frameGeometry().center() - middle).manhattanLength(), 2);
    // Later showings leave it where the user put it.
    w.hide();
    w.move(10, 10);
    w.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.pos(), QPoint(10, 10));
}

TEST_F(MainWindowTest, theMenuTreeAndItsShortcuts)
{
    MainForm& w = window();
    QStringList topLevel;
    for (QAction* a : w.menuBar()->actions())
        topLevel.append(a->text());
    // RightClickMenu is never in the menu bar.
    EXPECT_EQ(topLevel, (QStringList{"Tools", "View", "Settings", "Help"}));

    auto items = [](QMenu* menu) {
        QStringList list;
        for (QAction* a : menu->actions()) {
            QString item = a->isSeparator() ? QStringLiteral("-") : a->text();
            if (!a->shortcut().isEmpty())
                item += u' ' + a->shortcut().toString();
            list.append(a->objectName() + u'=' + item);
        }
        return list;
    };
    EXPECT_EQ(items(w.ToolsMenu), (QStringList{"UpdateGamesMenu=Update the games list",
                                               "WriteOptimizedMenu=Write an optimized games list",
                                               "rien=-", "VerifyAllRomsMenu=Verify All roms"}));
    EXPECT_EQ(items(w.ViewMenu),
              (QStringList{"ViewAsDetailsMenu=View as Details", "ViewAsIconsMenu=View as Icons",
                           "rien3=-", "FullscreenMenu=Full window F12"}));
    EXPECT_EQ(items(w.SettingsMenu),
              (QStringList{"SaveDefaultCfgMenu=Save default settings Shift+F5", "rien2=-",
                           "SaveCurrentGameCfgMenu=Save current game settings F5",
                           "DeleteCurrentGameCfgMenu=Delete current game settings F8"}));
    EXPECT_EQ(items(w.RightClickMenu), QStringList{"VerifyCurrentRomMenu=Verify this rom F9"});
    EXPECT_EQ(items(w.HelpMenu), QStringList{"AboutMenu=About... F1"});
}

} // namespace
