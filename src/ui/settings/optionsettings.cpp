#include "ui/settings/optionsettings.h"

#include "platform/appinfo.h"
#include "platform/files.h"
#include "platform/messageboxes.h"
#include "platform/platform.h"
#include "platform/settingsstore.h"
#include "ui/options/optionpanel.h"

#include <QAction>
#include <QDir>
#include <QLabel>

namespace {

// A stored text quoted in a message, cut short so that a huge one cannot swamp the box.
QString quoted(const QString& text)
{
    constexpr qsizetype kLongest = 80;
    if (text.size() <= kLongest)
        return u'"' + text + u'"';
    return u'"' + text.left(kLongest) + QStringLiteral("\u2026\"");
}

} // namespace

OptionSettings::OptionSettings(Platform& platform, Host host, Controls controls, QObject* parent)
    : QObject(parent)
    , m_platform(platform)
    , m_host(std::move(host))
    , m_controls(controls)
{}

bool OptionSettings::applyToPanel(OptionId id, const OptionValue& value)
{
    return m_controls.options->apply(id, value);
}

void OptionSettings::LoadDefaultCfg()
{
    const QList<UnusableDefault> unusable =
        loadDefaultOptions(m_platform.settings, [this](OptionId id, const OptionValue& v) {
            return applyToPanel(id, v);
        });
    reportUnusableDefaults(unusable);
}

void OptionSettings::reportUnusableDefaults(const QList<UnusableDefault>& unusable)
{
    for (const UnusableDefault& u : unusable) {
        const QString name = optionName(u.id);
        // Clicking one game after another reloads the defaults each time: say it once.
        const QString seen = name + QChar(0) + u.storedText;
        if (m_reportedDefaults.contains(seen))
            continue;
        m_reportedDefaults.insert(seen);
        m_platform.messages.show(
            QStringLiteral("The saved default settings give ") + name +
                QStringLiteral(" the value ") + quoted(u.storedText) +
                QStringLiteral(", which it cannot take. ") + name + QStringLiteral(" is set to ") +
                quoted(optionInfo(u.id).defaultText.toString()) +
                QStringLiteral(" instead; save the default settings (Shift+F5) to store a "
                               "good value."),
            appTitle(), MessageButtons::Ok);
    }
}

void OptionSettings::SaveDefaultCfgMenu_Click()
{
    if (!saveDefaultOptions(m_platform.settings, m_controls.options->read())) {
        m_host.reportStatus(QStringLiteral("The default settings could not be saved in ") +
                            m_platform.settings.location() + u'.');
    }
}

void OptionSettings::LoadCfg()
{
    const std::optional<QString> name = m_host.selectedGameName();
    if (!name)
        return;
    const GameSettingsLoad load =
        loadGameSettings(m_platform.files, m_platform.programDir, *name,
                         [this](OptionId id, const OptionValue& v) { return applyToPanel(id, v); });
    if (load.failure == GameSettingsFailure::None) {
        m_controls.DeleteCurrentGameCfgMenu->setEnabled(true);
        return;
    }
    m_controls.CommandlineLabel->setText(
        QStringLiteral("Error in [LoadCfg] #") + QString::number(load.failure) +
        QStringLiteral("   info:") + load.lastKey + u'/' + load.lastValue);
    // Never a mixture of the file's values and the defaults.
    LoadDefaultCfg();
    m_controls.DeleteCurrentGameCfgMenu->setEnabled(false);
}

void OptionSettings::SaveCfg()
{
    const std::optional<QString> name = m_host.selectedGameName();
    if (!name) {
        m_host.reportStatus(
            QStringLiteral("No game is selected: there are no game settings to save."));
        return;
    }
    const QString path = gameSettingsPath(m_platform.programDir, *name);
    QString reason = QStringLiteral("bad file name");
    if (isUsableGameName(*name) &&
        m_platform.files.writeAtomically(path, gameSettingsBytes(m_controls.options->read()),
                                         &reason))
        return;
    m_platform.messages.show(QStringLiteral("The settings of ") + *name +
                                 QStringLiteral(" could not be saved to ") +
                                 QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason,
                             appTitle(), MessageButtons::Ok);
}

void OptionSettings::SaveCurrentGameCfgMenu_Click()
{
    SaveCfg();
}

void OptionSettings::DeleteCurrentGameCfgMenu_Click()
{
    const std::optional<QString> name = m_host.selectedGameName();
    if (!name || !isUsableGameName(*name)) {
        m_platform.messages.show(QStringLiteral("Eek! Error in DCGCM_C module"), appTitle(),
                                 MessageButtons::Ok);
        return;
    }
    const QString path = gameSettingsPath(m_platform.programDir, *name);
    if (!m_platform.files.exists(path))
        return;
    if (m_platform.messages.show(QStringLiteral("Really delete ") + *name +
                                     QStringLiteral("'s configuration ?"),
                                 appTitle(), MessageButtons::OkCancel) != MessageAnswer::Ok)
        return;
    if (!m_platform.files.remove(path, nullptr)) {
        m_platform.messages.show(QStringLiteral("Eek! Error in DCGCM_C module"), appTitle(),
                                 MessageButtons::Ok);
    }
}
