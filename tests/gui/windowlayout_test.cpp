#include "catalogue/listtype.h"
#include "programfixture.h"

#include <QGroupBox>

namespace {

using WindowLayout = ProgramFixture;

// Each option's control is named, captioned and explained as the option table says (its
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
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            EXPECT_EQ(button->text(), info.caption);
        }
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
        for (int i = 0; i < children.size(); ++i) // siblings within a group do not overlap
            for (int j = i + 1; j < children.size(); ++j)
                EXPECT_FALSE(children[i]->geometry().intersects(children[j]->geometry()))
                    << QString(children[i]->objectName() + " / " + children[j]->objectName())
                           .toStdString();
    }
}

TEST_F(WindowLayout, theFirstShowingCentresTheWindowOnItsScreen)
{
    MainForm& w = window();
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
