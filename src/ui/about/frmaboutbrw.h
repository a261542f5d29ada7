#pragma once

#include <QDialog>

class DefaultHandler;
class PictureButton;
class QLabel;
class QPushButton;
class QUrl;
struct Platform;

// The About dialog: the logo, the version, the credit line, and buttons that open the
// documentation, the home page and an e-mail to the maker through the desktop, each then
// closing the dialog, and Close. Made afresh for every showing.
class FrmAboutbrw final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrmAboutbrw)

public:
    // mameInUse says which MAME the program runs; empty when no MAME build is named.
    FrmAboutbrw(Platform& platform, QWidget* owner, const QString& mameInUse);
    ~FrmAboutbrw() override;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    // What the last button pressed could not have opened, named for the user ("the home page
    // http://..."); empty when every target was taken by a handler.
    QString notOpened() const { return m_notOpened; }

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* RozuZaduLabel;
    QLabel* MameLabel;
    PictureButton* Command3; // the home page
    QPushButton* Command4;   // e-mail
    QPushButton* Command2;   // documentation
    QPushButton* Command1;   // Close

protected:
    void showEvent(QShowEvent* event) override;

private:
    void openAndClose(const QUrl& target, const QString& what);

    DefaultHandler& m_desktop;
    QString m_programDir;
    QString m_notOpened;
};
