// The main window as it is built: its controls, what they hold before anything is loaded,
// and where it first shows.

#include "catalogue/listtype.h"
#include "options/optiontables.h"
#include "programfixture.h"
#include "ui/desktop/picturebutton.h"
#include "ui/desktop/twips.h"
#include "ui/options/optioncontrols.h"
#include "ui/options/optionpanel.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <map>

namespace {

using WindowLayout = ProgramFixture;

QStringList entries(const QComboBox& combo)
{
    QStringList list;
    for (int i = 0; i < combo.count(); ++i)
        list.append(combo.itemText(i));
    return list;
}

// Each option's control is of its kind, named, captioned and explained as the option table
// says; each combo holds the table's entries, and the list type combo the list types.
TEST_F(WindowLayout, everyOptionHasAControlOfItsKindBuiltFromTheOptionTable)
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
        EXPECT_EQ(control, w.findChild<QWidget*>(optionName(info.id)));
        EXPECT_STREQ(control->metaObject()->className(), classes.at(info.kind));
        EXPECT_EQ(control->toolTip(), info.toolTip);
        EXPECT_TRUE(control->isVisibleTo(&w));
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            EXPECT_EQ(button->text(), info.caption);
        }
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            QStringList table;
            for (const ComboEntry& entry : comboEntries(info.id))
                table.append(entry.text.toString());
            EXPECT_EQ(entries(*combo), table);
            EXPECT_FALSE(combo->isEditable());
        }
    }
    QStringList listTypes;
    for (int i = 0; i < kListTypeCount; ++i)
        listTypes.append(listTypeName(i));
    EXPECT_EQ(entries(*w.GamesListTypeCombo), listTypes);
    EXPECT_FALSE(w.GamesListTypeCombo->isEditable() || w.PlaybackCombo->isEditable());
}

TEST_F(WindowLayout, initialContentsBeforeAnythingIsApplied)
{
    MainForm& w = window();
    // Nothing chosen in any combo; the record's own initial texts are pinned by the command
    // lines built from it.
    const OptionSet initial = w.options()->read();
    EXPECT_EQ(initial, OptionSet{});
    for (const OptionInfo& info : optionInfos()) {
        if (info.kind == OptionKind::ComboBox) {
            EXPECT_EQ(std::get<int>(initial.value(info.id)), -1);
        }
    }
    EXPECT_FALSE(w.options()->control(OptionId::AlternateMameText)->isEnabled());
    EXPECT_FALSE(w.options()->control(OptionId::AdditionalParamText)->isEnabled());
    EXPECT_EQ(w.options()->FrameskipLabel->text(), u"Frameskip: 0"_qs);
    EXPECT_EQ(w.statusText(), u"Updated joy for mame 0.36b1..."_qs);
    EXPECT_EQ(w.CommandlineLabel->text(), u"Debug"_qs);
    EXPECT_EQ(w.RecText->text(), u"Default"_qs);
    EXPECT_EQ(w.PlaybackCombo->count(), 0);
    EXPECT_EQ(w.windowTitle(), u"Brimwork's Korvane"_qs);
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_EQ(w.client()->size(), twips::toPixels(w.client(), 0, 0, 10092, 7344).size());
}

TEST_F(WindowLayout, everyControlLiesInsideItsGroupAndShowsItsWholeCaption)
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

// The rows' images: on a see-through silver background, one for good drivers and another
// for the rest, large for the icons and small for the report.
TEST_F(WindowLayout, theListHasTwoImagesInEachSize)
{
    MainForm& w = window();
    for (const ImageList* list : {&w.GamesImageList, &w.GamesSmallImageList}) {
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->maskColour(), QColor(0xC0, 0xC0, 0xC0));
        for (const char* key : {"ROM", "BADROM"}) {
            const QPixmap image = list->image(QLatin1StringView(key));
            EXPECT_EQ(image.size(), list->imageSize()) << key;
            EXPECT_TRUE(image.hasAlpha()) << key;
        }
        EXPECT_NE(list->image("ROM").toImage(), list->image("BADROM").toImage());
    }
    EXPECT_EQ(w.GamesImageList.imageSize(), QSize(32, 32));
    EXPECT_EQ(w.GamesSmallImageList.imageSize(), QSize(16, 16));
}

TEST_F(WindowLayout, theFirstShowingCentresTheWindowOnItsScreen)
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

} // namespace
