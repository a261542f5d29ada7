#pragma once

#include "options/defaultoptions.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>

class OptionPanel;
class QAction;
class QLabel;
struct Platform;

// The commands that keep option sets: the default set in the settings store and each game's
// own set in its file in KvCfg. They read and write the option panel, which is the option
// set; the game is always the one selected in the list.
class OptionSettings final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionSettings)

public:
    struct Host
    {
        // The selected row's short name, or nullopt when no row is selected.
        std::function<std::optional<QString>()> selectedGameName;
        std::function<void(const QString&)> reportStatus;
    };

    struct Controls
    {
        OptionPanel* options;
        QLabel* CommandlineLabel;
        QAction* DeleteCurrentGameCfgMenu;
    };

    OptionSettings(Platform& platform, Host host, Controls controls, QObject* parent = nullptr);

    // Applies the default option set to the panel. A stored text that an option cannot take
    // is reported once per run (per key and text) and that option takes its default; the
    // others still load, so start-up and the game list always go on.
    void LoadDefaultCfg();
    // Stores the panel's 29 values as the default option set.
    void SaveDefaultCfgMenu_Click();

    // Applies the selected game's file to the panel. When it cannot be read, the failure is
    // shown in CommandlineLabel, the panel takes the default option set and "Delete current
    // game settings" is disabled; after a good read that item is enabled.
    void LoadCfg();
    // Writes the panel to the selected game's file, replacing it as one step.
    void SaveCfg();
    void SaveCurrentGameCfgMenu_Click();
    // Deletes the selected game's file after the user confirms.
    void DeleteCurrentGameCfgMenu_Click();

private:
    bool applyToPanel(OptionId id, const OptionValue& value);
    void reportUnusableDefaults(const QList<UnusableDefault>& unusable);

    Platform& m_platform;
    Host m_host;
    Controls m_controls;
    QSet<QString> m_reportedDefaults; // key and text of each unusable default already shown
};
