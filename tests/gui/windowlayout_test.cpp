#include "catalogue/listtype.h"
#include "programfixture.h"
#include "ui/catalogue/findbar.h"

#include <QGroupBox>
#include <QMenu>

namespace {

using WindowLayout = ProgramFixture;

// Each option's control is named and explained as the option table says (its
// class by the option's kind is what the panel's tests count on); each combo holds the table's
// entries, and the list type combo the list types.
TEST_F(WindowLayout, theControlsAreBuiltFromTheOptionTableAndTheListHasItsImages)
{
    MainForm& w = window();
    for (const OptionInfo& info : optionInfos()) {
        SCOPED_TRACE(optionName(info.id).toStdString());
        QWidget* control = w.options()->control(info.id);
        EXPECT_EQ(control, w.findChild<QWidget*>(optionName(info.id)));
        EXPECT_EQ(control->toolTip(), info.toolTip);
        EXPECT_TRUE(control->isVisibleTo(&w));
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            QStringList table;
            for (const ComboEntry& entry : comboEntries(info.id))
                table.append(entry.text.toString());
            EXPECT_EQ(comboTexts(*combo), table);
            EXPECT_FALSE(combo->isEditable());
        }
    }
    ASSERT_EQ(w.GamesListTypeCombo->count(), kListTypeCount);
    for (int i = 0; i < kListTypeCount; ++i)
        EXPECT_EQ(w.GamesListTypeCombo->itemText(i), listTypeName(i));
    EXPECT_FALSE(w.GamesListTypeCombo->isEditable() || w.PlaybackCombo->isEditable());

    // The rows' images, large for the icons and small for the report: one for good drivers
    // and another for the rest, on a see-through background; and the window's icon.
    for (const ImageList* list : {&w.GamesImageList, &w.GamesSmallImageList}) {
        EXPECT_EQ(list->count(), 2);
        EXPECT_TRUE(list->image("ROM").hasAlpha() && list->image("BADROM").hasAlpha());
        EXPECT_NE(list->image("ROM").toImage(), list->image("BADROM").toImage());
    }
    EXPECT_FALSE(w.windowIcon().isNull());
    // The size of the design, which the end-to-end clicks count on.
    EXPECT_EQ(w.client()->size(), twips::toPixels(w.client(), 0, 0, 10092, 7344).size());
}

// Shown the first time, the window stands in the middle of its screen; later, where the user
// put it. Each control lies inside its group and shows its whole caption.
TEST_F(WindowLayout, theWindowShowsCentredWithEveryControlInsideItsGroupAndWhole)
{
    MainForm& w = window();
    w.move(0, 0);
    w.show();
    QCoreApplication::processEvents();
    EXPECT_LE(
        (w.frameGeometry().center() - w.screen()->availableGeometry().center()).manhattanLength(),
        2);
    w.hide();
    w.move(10, 10);
    w.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.pos(), QPoint(10, 10));
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
        for (int i = 0; i < children.size(); ++i) // siblings within a group do not overlap
            for (int j = i + 1; j < children.size(); ++j)
                EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                    << QString(children[i]->objectName() + " / " + children[j]->objectName())
                           .toStdString();
    }
}

// The window's own words as the user reads them, typos included; menus with items and shortcuts.
TEST_F(WindowLayout, everyCaptionAndMenuItemReadsAsDesigned)
{
    MainForm& w = window();
    const auto shown = [&w](const QString& name) -> QString {
        QObject* object = w.findChild<QObject*>(name);
        if (auto* menu = qobject_cast<QMenu*>(object)) {
            QStringList items;
            for (QAction* item : menu->actions()) // a separator has no text
                items.append(QString(item->text() + u' ' + item->shortcut().toString()).trimmed());
            return menu->title() + u": " + items.join(u" | ");
        }
        if (auto* group = qobject_cast<QGroupBox*>(object))
            return group->title();
        if (auto* button = qobject_cast<QAbstractButton*>(object))
            return button->text();
        return object ? qobject_cast<QLabel*>(object)->text() : u"(none)"_qs;
    };
    // clang-format off
    const std::pair<const char*, const char*> words[] = {
        {"Label14", "Display:"}, {"Frame5", "General"}, {"Frame2", "Graphics"}, {"Frame3", "Sound"},
        {"Frame6", "Joystick"}, {"Frame4", "Vector"}, {"Command1", "Playback"}, {"Command2", "Record"},
        {"PlayButton", "Play now !"}, {"OriginalMameOption", "Original MAME"},
        {"AlternateMameOption", "Altenate build:"}, {"CheatCheck", "Enable cheat"},
        {"AdditionalParamCheck", "Additional parameters:"}, {"BeamCheck", "Beam:"}, {"FlickerCheck", "Flicker:"},
        {"SbOplCheck", "Use the SoundBlaster OPL chip"}, {"GammaCheck", "Gamma:"}, {"Label7", "Resolution:"},
        {"Label8", "Scanlines:"}, {"Label5", "Color depth:"}, {"Label4", "Double pixel:"}, {"Label9", "VESA:"},
        {"Label11", "Rotate:"}, {"Label10", "VSync:"}, {"Label12", "Flip:"}, {"Label6", "VGA Freq.:"},
        {"Label13", "Antialiasing:"}, {"Label17", "Translucency:"}, {"Label1", "Soundcard:"}, {"Label2", "Hz rate:"},
        {"Label3", "Bit rate:"}, {"CommandlineLabel", "Debug"},
        {"ToolsMenu", "Tools: Update the games list | Write an optimized games list |  | Verify All roms"},
        {"ViewMenu", "View: View as Details | View as Icons |  | Full window F12 |  | Find... Ctrl+F"},
        {"SettingsMenu", "Settings: Save default settings Shift+F5 |  | Save current game settings F5 | Delete current game settings F8"},
        {"RightClickMenu", "RightClick: Verify this rom F9 | Add to favorites Ctrl+D"},
        {"HelpMenu", "Help: About... F1"},
    };
    // clang-format on
    for (const auto& [name, text] : words)
        EXPECT_EQ(shown(QString::fromLatin1(name)), QString::fromUtf8(text)) << name;
}

// What the user adds to the window goes to the list; the controls right of it and below it
// keep their distance to those edges, and at the design size every control is back in its
// place. The size and the maximised state come back at the next start.
TEST_F(WindowLayout, aLargerWindowGivesTheListEveryPixelAndIsKeptForTheNextStart)
{
    MainForm& w = shown();
    const QSize design = w.size();
    QWidget* const moving[] = {w.GamesListView, w.Frame5,           w.Frame2,   w.Frame3,
                               w.Frame6,        w.CommandlineLabel, w.StatusBar};
    const QHeaderView* header = w.GamesListView->reportView()->header();
    const int firstColumn = header->sectionSize(0);
    std::vector<QRect> before;
    for (QWidget* widget : moving)
        before.push_back(widget->geometry());
    const auto expectPlaces = [&](QSize gained) {
        const int dx = gained.width();
        const int dy = gained.height();
        const QRect expected[] = {
            before[0].adjusted(0, 0, dx, dy),
            before[1].translated(dx, 0),
            before[2].translated(0, dy),
            before[3].translated(dx, dy),
            before[4].translated(dx, dy),
            before[5].translated(0, dy).adjusted(0, 0, dx, 0),
            before[6].translated(0, dy).adjusted(0, 0, dx, 0),
        };
        EXPECT_EQ(header->sectionSize(0), firstColumn + dx); // the titles take the width
        for (size_t i = 0; i < std::size(moving); ++i)
            EXPECT_EQ(moving[i]->geometry(), expected[i]) << moving[i]->objectName().toStdString();
    };
    const QSize gained(100, 60);
    w.resize(design + gained);
    QCoreApplication::processEvents();
    expectPlaces(gained);
    // The find field and the full window take the larger list area too.
    w.FindMenu->trigger();
    EXPECT_EQ(w.GamesListView->geometry().united(w.FindPanel->geometry()),
              before[0].adjusted(0, 0, 100, 60));
    w.gameList()->FindClose_Click();
    w.FullscreenMenu->trigger();
    EXPECT_EQ(w.GamesListView->geometry(),
              QRect(QPoint(0, 0), QSize(w.client()->width(), w.StatusBar->y())));
    w.FullscreenMenu->trigger();
    // Never smaller than designed; back at the design size, as designed.
    w.resize(design - QSize(50, 50));
    QCoreApplication::processEvents();
    EXPECT_EQ(w.size(), design);
    expectPlaces({0, 0});

    w.resize(design + gained);
    QCoreApplication::processEvents();
    bool cancel = false;
    w.Form_Unload(cancel); // stores a size the window has not stored yet
    EXPECT_EQ(settings.values.value({"Window", "Width"}).toInt(),
              10092 + twips::fromPixelsX(&w, 100));
    restart();
    EXPECT_EQ(shown().size(), design + gained);
    form->showMaximized();
    QTest::qWait(600);
    EXPECT_EQ(settings.values.value({"Window", "Maximized"}), u"1"_qs);
    restart();
    EXPECT_TRUE(window().windowState() & Qt::WindowMaximized);
}

} // namespace
