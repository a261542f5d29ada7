#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;
struct Platform;

// The About dialog's two ways onto the screen: the Help menu's "About..." and the notice
// at start-up after each change of program version. Both show it modally over the main
// window, made afresh each time.
class About final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(About)

public:
    using StatusReport = std::function<void(const QString&)>;

    // mameInUse says which MAME the program runs, for the dialog.
    About(Platform& platform, QWidget* owner, StatusReport reportStatus,
          std::function<QString()> mameInUse, QObject* parent = nullptr);

    void AboutMenu_Click();

    // The start-up step: when "Options"/KvVersion is not this version, shows the dialog and,
    // once it is closed, stores this version there, so that it shows once per version.
    void showVersionNotice();

private:
    void showDialog();

    Platform& m_platform;
    QWidget* m_owner;
    StatusReport m_reportStatus;
    std::function<QString()> m_mameInUse;
};
