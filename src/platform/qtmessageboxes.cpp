#include "platform/qtmessageboxes.h"

#include <QMessageBox>

MessageAnswer QtMessageBoxes::show(const QString& text, const QString& title,
                                   MessageButtons buttons)
{
    QMessageBox box(m_parent);
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
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}
