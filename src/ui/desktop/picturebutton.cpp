#include "ui/desktop/picturebutton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

PictureButton::PictureButton(const QString& text, const QImage& picture, QWidget* parent)
    : QPushButton(text, parent)
    , m_picture(picture)
{}

void PictureButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawPrimitive(QStyle::PE_PanelButtonCommand, option);

    // The face inside the bevel; pressed, the picture moves with the caption.
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const int shift = isDown() ? 1 : 0;
    QRect target(QPoint(0, 0), m_picture.size());
    target.moveCenter(face.center() + QPoint(shift, shift));
    painter.save();
    painter.setClipRect(face);
    painter.drawImage(target, m_picture);
    painter.restore();

    // The caption stays readable on any picture: light text over a dark shadow.
    const QRect textRect = face.translated(shift, shift);
    painter.setFont(font());
    painter.setPen(QColor(0, 0, 0, 200));
    painter.drawText(textRect.translated(1, 1), Qt::AlignCenter, text());
    painter.setPen(isEnabled() ? QColor(0xFF, 0xF4, 0xD0) : QColor(0xA0, 0xA0, 0xA0));
    painter.drawText(textRect, Qt::AlignCenter, text());

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = face.adjusted(1, 1, -1, -1);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
