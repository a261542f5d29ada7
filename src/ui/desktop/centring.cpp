#include "ui/desktop/centring.h"

#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget& window, const QScreen* screen)
{
    const QScreen* where = screen ? screen : window.screen();
    if (!where)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(where->availableGeometry().center());
    window.move(frame.topLeft());
}
