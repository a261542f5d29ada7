#include "platform/appinfo.h"
#include "mame/mameinuse.h"
#include "programfixture.h"
#include "ui/about/frmaboutbrw.h"
#include "ui/desktop/picturebutton.h"
#include "ui/desktop/twips.h"
#include "ui/launch/launcher.h"
#include "ui/options/optionpanel.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

// The version the build gives, so that the tests hold whatever the next version is.
const QString kVersion = programVersionText();

class AboutTest : public ProgramFixture
{
protected:
    // Opens the dialog from the Help menu and presses button in it; whether it closed.
    bool pressInAbout(const char* button)
    {
        bool closed = false;
        dialogs.act = [&](QDialog& dialog) {
            QObject::connect(&dialog, &QDialog::finished, [&closed] { closed = true; });
            dialog.findChild<QPushButton*>(QLatin1StringView(button))->click();
        };
        window().AboutMenu->trigger();
        return closed;
    }

    void startWithStoredVersion(const std::optional<QString>& stored)
    {
        form.reset();
        settings.values.clear();
        settings.writeCount = 0;
        dialogs.shown.clear();
        if (stored)
            settings.values.insert({"Options", "KvVersion"}, *stored);
        started();
    }
};

TEST_F(AboutTest, theDialogShowsTheVersionAndItsCaptionsCentredOverTheMainWindow)
{
    window().show();
    form->mameInUse()->identifyOptions();
    dialogs.act = [this](QDialog& dialog) {
        auto& d = static_cast<FrmAboutbrw&>(dialog);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("About..."));
        EXPECT_TRUE(d.windowIcon().isNull());
        EXPECT_EQ(d.parentWidget(), form.get());
        EXPECT_EQ(d.Label1->text(), u'v' + kVersion);
        const std::pair<QPushButton*, const char*> captions[] = {
            {d.Command1, "Close"},
            {d.Command2, "Read documentation"},
            {d.Command3, "[brwhome]"},
            {d.Command4, "send e-mail"},
        };
        for (const auto& [button, caption] : captions)
            EXPECT_EQ(button->text(), QLatin1StringView(caption));
        // The fake MAME answers nothing to -version: the classic MAME.
        EXPECT_EQ(d.MameLabel->toolTip(), u"MAME in use: the classic MAME at /fake/MAME."_qs);
        EXPECT_EQ(d.size(), QSize(twips::toPixelsX(&d, 4092), twips::toPixelsY(&d, 3147)));
        d.show();
        EXPECT_LE((d.frameGeometry().center() - form->frameGeometry().center()).manhattanLength(),
                  2);
    };
    window().AboutMenu->trigger();
    window().AboutMenu->trigger(); // and again, each time through the modal dialogs
    EXPECT_EQ(dialogs.shown, (QStringList{"FrmAboutbrw", "FrmAboutbrw"}));
}

TEST_F(AboutTest, eachLinkButtonOpensItsTargetAndClosesWhetherOrNotItOpened)
{
    const QList<QUrl> none;
    const struct
    {
        const char* button;
        QList<QUrl> opened;
    } cases[] = {
        {"Command1", none},
        {"Command2", {QUrl::fromLocalFile(path(QStringLiteral("KvCfg/Korvane.htm")))}},
        {"Command3", {QUrl(QStringLiteral("http://brimwork.example/korvane/"))}},
        {"Command4",
         {QUrl(QStringLiteral("mailto:korvane@brimwork.example?Subject=Korvane program"))}},
    };
    for (const bool handled : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.button) + (handled ? " handled" : " not handled"));
            desktop.opened.clear();
            desktop.answer = handled;
            EXPECT_TRUE(pressInAbout(c.button));
            EXPECT_EQ(desktop.opened, c.opened);
        }
    }
    EXPECT_EQ(desktop.opened.value(0).query(QUrl::FullyDecoded),
              QStringLiteral("Subject=Korvane program"));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AboutTest, theVersionNoticeShowsTheDialogOncePerVersion)
{
    const struct
    {
        std::optional<QString> stored; // nullopt: a first start
        bool shown;
    } cases[] = {
        {std::nullopt, true}, {u"0.0.1"_qs, true}, {kVersion, false}, {kVersion + u' ', true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored.value_or(u"(absent)"_qs).toStdString());
        // Shown at the end of start-up, owned by the main window that is not on screen yet
        // (so in the middle of the screen), before the version is stored.
        dialogs.act = [this](QDialog& dialog) {
            EXPECT_EQ(dialog.parentWidget(), form.get());
            EXPECT_EQ(form->options()->read().number(OptionId::VideoCombo), 0);
            EXPECT_EQ(settings.writeCount, 0);
            dialog.show();
            const QPoint middle = dialog.screen()->availableGeometry().center();
            EXPECT_LE((dialog.frameGeometry().center() - middle).manhattanLength(), 2);
        };
        startWithStoredVersion(c.stored);
        EXPECT_EQ(dialogs.shown, c.shown ? QStringList{"FrmAboutbrw"} : QStringList{});
        EXPECT_EQ(settings.values.value({"Options", "KvVersion"}), kVersion);
        EXPECT_EQ(settings.writeCount, c.shown ? 1 : 0);
    }
}

TEST_F(AboutTest, aVersionThatCannotBeStoredIsReportedInTheStatusBar)
{
    settings.failWrites = true;
    started();
    EXPECT_EQ(dialogs.shown, QStringList{"FrmAboutbrw"});
    EXPECT_TRUE(form->statusText().startsWith(
        QStringLiteral("The program version could not be saved in /fake/Korvane.ini.")))
        << form->statusText().toStdString();
}

} // namespace
