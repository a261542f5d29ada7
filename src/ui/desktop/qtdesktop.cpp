#include "ui/desktop/qtdesktop.h"

#include <QDesktopServices>
#include <QDialog>

bool QtDefaultHandler::open(const QUrl& target)
{
    return QDesktopServices::openUrl(target);
}

int QtModalDialogs::showModal(QDialog& dialog)
{
    return dialog.exec();
}
