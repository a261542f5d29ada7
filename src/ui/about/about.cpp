#include "ui/about/about.h"

#include "platform/appinfo.h"
#include "platform/modaldialogs.h"
#include "platform/platform.h"
#include "platform/settingsstore.h"
#include "ui/about/frmaboutbrw.h"

About::About(Platform& platform, QWidget* owner, StatusReport reportStatus,
             std::function<QString()> mameInUse, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_owner(owner)
    , m_reportStatus(std::move(reportStatus))
    , m_mameInUse(std::move(mameInUse))
{}

void About::AboutMenu_Click()
{
    showDialog();
}

void About::showVersionNotice()
{
    const QString section = QStringLiteral("Options");
    const QString key = QStringLiteral("KvVersion");
    const QString version = programVersionText();
    if (m_platform.settings.read(section, key, QStringLiteral("0")) == version)
        return;
    showDialog();
    // Closing the dialog in any way counts as having seen it.
    if (!m_platform.settings.write(section, key, version)) {
        m_reportStatus(QStringLiteral("The program version could not be saved in %1.")
                           .arg(m_platform.settings.location()));
    }
}

void About::showDialog()
{
    FrmAboutbrw dialog(m_platform, m_owner, m_mameInUse ? m_mameInUse() : QString());
    m_platform.dialogs.showModal(dialog);
    if (!dialog.notOpened().isEmpty()) {
        m_reportStatus(QStringLiteral("No program opened %1: installing xdg-utils may help.")
                           .arg(dialog.notOpened()));
    }
}
