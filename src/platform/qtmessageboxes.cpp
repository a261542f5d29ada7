#include "platform/qtmessageboxes.h"

#include <QAbstractButton>
#include <QMessageBox>

MessageAnswer QtMessageBoxes::show(const QString& text, const QString& title,
                                   MessageButtons buttons)
{
    // Over the window when it is on screen; before it is shown (messages at start-up), in
    // the middle of the screen.
    QMessageBox box(m_parent && m_parent->isVisible() ? m_parent.data() : nullptr);
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(title);
    // Texts are shown as they stand: a name in a message must never turn into markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    if (buttons == MessageButtons::OkCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    // Plain buttons: some desktop themes put pictures on them.
    for (QAbstractButton* button : box.buttons())
        button->setIcon(QIcon());
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}
