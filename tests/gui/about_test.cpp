#include "programfixture.h"
#include "ui/about/frmaboutbrw.h"

namespace {

// The version the build gives, so that the tests hold whatever the next version is.
const QString kVersion = programVersionText();

// How far the middle of a dialog shown now lies from a point.
int offCentre(QDialog& dialog, QPoint middle)
{
    dialog.show();
    return (dialog.frameGeometry().center() - middle).manhattanLength();
}

using AboutDialog = ProgramFixture;

TEST_F(AboutDialog, F1ShowsTheVersionCentredOverTheMainWindowAndEachButtonOpensItsTarget)
{
    settings.values.insert({"Options", "KvVersion"}, kVersion);
    shown();
    dialogs.act = [this](QDialog& dialog) {
        auto& d = static_cast<FrmAboutbrw&>(dialog);
        EXPECT_EQ(d.parentWidget(), form.get());
        EXPECT_EQ(d.Label1->text(), u'v' + kVersion);
        EXPECT_TRUE(d.windowIcon().isNull());
        // The fake MAME answers nothing to -version: the classic MAME.
        EXPECT_EQ(d.MameLabel->toolTip(), u"MAME in use: the classic MAME at /fake/MAME."_qs);
        EXPECT_LE(offCentre(d, form->frameGeometry().center()), 2);
    };
    QTest::keyClick(form.get(), Qt::Key_F1);
    form->AboutMenu->trigger(); // and again, each time through the modal dialogs
    EXPECT_EQ(dialogs.shown, (QStringList{"FrmAboutbrw", "FrmAboutbrw"}));

    // Each button opens its target and closes the dialog, whether or not the target opened;
    // a target that no handler took is named in the status bar.
    messages.shown.clear();
    const QString guide = path("KvCfg/Korvane.htm");
    const std::tuple<const char*, QList<QUrl>, QString> cases[] = {
        {"Command1", {}, {}},
        {"Command2", {QUrl::fromLocalFile(guide)}, u"the documentation " + guide},
        {"Command3",
         {QUrl("http://brimwork.example/korvane/")},
         u"the home page http://brimwork.example/korvane/"_qs},
        {"Command4",
         {QUrl("mailto:korvane@brimwork.example?Subject=Korvane program")},
         u"an e-mail to korvane@brimwork.example"_qs},
    };
    for (const bool handled : {true, false}) {
        for (const auto& [button, opened, target] : cases) {
            SCOPED_TRACE(std::string(button) + (handled ? " handled" : " not handled"));
            desktop.opened.clear();
            desktop.answer = handled;
            form->setStatusText({});
            bool closed = false;
            dialogs.act = [&](QDialog& dialog) {
                QObject::connect(&dialog, &QDialog::finished, [&closed] { closed = true; });
                dialog.findChild<QPushButton*>(button)->click();
            };
            window().AboutMenu->trigger();
            EXPECT_TRUE(closed);
            EXPECT_EQ(desktop.opened, opened);
            EXPECT_EQ(form->statusText(),
                      handled || target.isEmpty()
                          ? QString()
                          : u"No program opened " + target + u": installing xdg-utils may help.");
        }
    }
    EXPECT_EQ(desktop.opened.value(0).query(QUrl::FullyDecoded), u"Subject=Korvane program"_qs);
    EXPECT_TRUE(messages.shown.isEmpty());
}

// Shown at the end of start-up, owned by the main window that is not on screen yet (so in
// the middle of the screen), before the version is stored; a version that cannot be stored
// is said in the status bar.
TEST_F(AboutDialog, theVersionNoticeShowsTheDialogOncePerVersion)
{
    const std::tuple<std::optional<QString>, bool, bool> cases[] = {{std::nullopt, true, false},
                                                                    {u"0.0.1"_qs, true, false},
                                                                    {kVersion, false, false},
                                                                    {kVersion + u' ', true, false},
                                                                    {std::nullopt, true, true}};
    for (const auto& [stored, notice, storeFails] : cases) {
        SCOPED_TRACE(stored.value_or(u"(absent)"_qs).toStdString());
        dialogs.act = [this](QDialog& dialog) {
            EXPECT_EQ(dialog.parentWidget(), form.get());
            EXPECT_EQ(form->options()->read().number(OptionId::VideoCombo), 0);
            EXPECT_EQ(settings.writeCount, 0);
            EXPECT_LE(offCentre(dialog, dialog.screen()->availableGeometry().center()), 2);
        };
        restart();
        settings.values.clear();
        settings.writeCount = 0;
        settings.failWrites = storeFails;
        dialogs.shown.clear();
        if (stored)
            settings.values.insert({"Options", "KvVersion"}, *stored);
        started();
        EXPECT_EQ(dialogs.shown, notice ? QStringList{"FrmAboutbrw"} : QStringList{});
        EXPECT_EQ(settings.writeCount, notice ? 1 : 0);
        EXPECT_EQ(settings.values.value({"Options", "KvVersion"}),
                  storeFails ? QString() : kVersion);
        EXPECT_EQ(form->statusText().startsWith(
                      u"The program version could not be saved in /fake/Korvane.ini."_qs),
                  storeFails);
    }
}

} // namespace
