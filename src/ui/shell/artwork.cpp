#include "ui/shell/artwork.h"

#include "catalogue/catalogueentry.h"
#include "ui/desktop/imagelist.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace artwork {

namespace {

QImage canvas(int width, int height, QRgb fill)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

// The sixteen colours of the VGA palette.
const std::array<QRgb, 16> kVga{
    0xFF000000, 0xFF0000AA, 0xFF00AA00, 0xFF00AAAA, 0xFFAA0000, 0xFFAA00AA, 0xFFAA5500, 0xFFAAAAAA,
    0xFF555555, 0xFF5555FF, 0xFF55FF55, 0xFF55FFFF, 0xFFFF5555, 0xFFFF55FF, 0xFFFFFF55, 0xFFFFFFFF,
};

// The arcade cabinet of the window icon, on a 32 x 32 grid.
void drawCabinet(QPainter& p)
{
    // Cabinet side and front.
    p.setPen(QColor(kVga[0]));
    p.setBrush(QColor(kVga[1]));
    QPolygon cabinet;
    cabinet << QPoint(7, 1) << QPoint(24, 1) << QPoint(26, 4) << QPoint(26, 30) << QPoint(5, 30)
            << QPoint(5, 4);
    p.drawPolygon(cabinet);
    // Marquee.
    p.setBrush(QColor(kVga[14]));
    p.drawRect(7, 3, 17, 4);
    p.setPen(QColor(kVga[12]));
    p.drawLine(9, 5, 22, 5);
    // Screen with a little sprite.
    p.setPen(QColor(kVga[8]));
    p.setBrush(QColor(kVga[0]));
    p.drawRect(8, 9, 15, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kVga[14]));
    p.drawPie(QRect(10, 11, 7, 7), 30 * 16, 300 * 16);
    p.setBrush(QColor(kVga[15]));
    p.drawRect(19, 14, 2, 2);
    // Control panel with a stick and two buttons.
    p.setPen(QColor(kVga[0]));
    p.setBrush(QColor(kVga[7]));
    p.drawRect(6, 20, 19, 4);
    p.setPen(QColor(kVga[0]));
    p.drawLine(11, 18, 11, 21);
    p.setBrush(QColor(kVga[12]));
    p.drawEllipse(QPoint(11, 18), 1, 1);
    p.setBrush(QColor(kVga[10]));
    p.drawEllipse(QPoint(17, 22), 1, 1);
    p.setBrush(QColor(kVga[9]));
    p.drawEllipse(QPoint(21, 22), 1, 1);
    // Coin slots.
    p.setPen(QColor(kVga[14]));
    p.drawLine(13, 26, 13, 28);
    p.drawLine(18, 26, 18, 28);
}

} // namespace

QImage romImage(int size, bool goodDriver)
{
    QImage image = canvas(size, size, kMaskColour);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, size > 16);
    const double s = size / 32.0;

    // The chip: a dark body with pins on both long sides and a notch.
    const QColor body = goodDriver ? QColor(0x20, 0x24, 0x2C) : QColor(0x6A, 0x6A, 0x6A);
    const QColor pin = goodDriver ? QColor(0xE8, 0xC2, 0x4A) : QColor(0x9A, 0x9A, 0x9A);
    const QRectF chip(8 * s, 3 * s, 16 * s, 26 * s);
    p.setPen(Qt::NoPen);
    p.setBrush(pin);
    const int pins = 5;
    for (int i = 0; i < pins; ++i) {
        const double y = chip.top() + (3 + i * 5) * s;
        p.drawRect(QRectF(chip.left() - 3 * s, y, 3 * s, 2.5 * s));
        p.drawRect(QRectF(chip.right(), y, 3 * s, 2.5 * s));
    }
    p.setBrush(body);
    p.drawRoundedRect(chip, 1.5 * s, 1.5 * s);
    p.setBrush(goodDriver ? QColor(0x50, 0x58, 0x68) : QColor(0x8A, 0x8A, 0x8A));
    p.drawEllipse(QPointF(chip.center().x(), chip.top() + 3 * s), 2 * s, 2 * s);

    // The verdict in the lower right corner.
    QPen mark(goodDriver ? QColor(0x1F, 0xB0, 0x3A) : QColor(0xD8, 0x20, 0x20));
    mark.setWidthF(std::max(2.0, 4 * s));
    mark.setCapStyle(Qt::RoundCap);
    mark.setJoinStyle(Qt::RoundJoin);
    p.setPen(mark);
    p.setBrush(Qt::NoBrush);
    if (goodDriver) {
        QPainterPath tick;
        tick.moveTo(15 * s, 21 * s);
        tick.lineTo(20 * s, 26 * s);
        tick.lineTo(29 * s, 14 * s);
        p.drawPath(tick);
    } else {
        p.drawLine(QPointF(17 * s, 17 * s), QPointF(28 * s, 28 * s));
        p.drawLine(QPointF(28 * s, 17 * s), QPointF(17 * s, 28 * s));
    }
    return image;
}

QImage windowIconImage()
{
    QImage image = canvas(32, 32, 0x00000000);
    QPainter p(&image);
    drawCabinet(p);
    p.end();

    // Keep it to the sixteen colours (and transparency) of the design.
    QList<QRgb> table(kVga.begin(), kVga.end());
    table.append(0x00000000);
    return image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither)
        .convertToFormat(QImage::Format_ARGB32);
}

QImage cabinetImage(int size)
{
    QImage image = canvas(size, size, 0x00000000);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Half a unit across puts each one-unit line on the row of pixels it fills in the window
    // icon, not astride two.
    p.scale(size / 32.0, size / 32.0);
    p.translate(0.5, 0.5);
    drawCabinet(p);
    return image;
}

QImage playButtonPicture()
{
    const int w = 208;
    const int h = 48;
    QImage image = canvas(w, h, 0xFF000000);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // A night sky over a horizon grid, in the colours of an arcade marquee.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(0x12, 0x06, 0x38));
    sky.setColorAt(0.55, QColor(0x6A, 0x10, 0x7A));
    sky.setColorAt(1.0, QColor(0xF0, 0x5A, 0x28));
    p.fillRect(image.rect(), sky);

    QRadialGradient sun(w / 2.0, h * 0.62, h * 0.5);
    sun.setColorAt(0.0, QColor(0xFF, 0xE0, 0x60, 230));
    sun.setColorAt(1.0, QColor(0xFF, 0x80, 0x30, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(w / 2.0, h * 0.62), h * 0.5, h * 0.5);

    const double horizon = h * 0.62;
    p.setPen(QPen(QColor(0x40, 0xF0, 0xFF, 150), 1));
    for (int i = -12; i <= 12; ++i)
        p.drawLine(QPointF(w / 2.0 + i * 6, horizon), QPointF(w / 2.0 + i * 26, h));
    for (double y = horizon, step = 2; y < h; y += step, step *= 1.5)
        p.drawLine(QPointF(0, y), QPointF(w, y));

    // A few stars, placed by a fixed rule so the picture never changes.
    p.setPen(QColor(0xFF, 0xFF, 0xFF, 200));
    for (int i = 0; i < 24; ++i)
        p.drawPoint(QPointF((i * 73) % w, (i * 37) % int(horizon - 6) + 2));
    return image;
}

std::pair<QIcon, QIcon> fillRomImages(ImageList& large, ImageList& small)
{
    QIcon icons[2];
    for (const bool good : {true, false}) {
        const QString key = imageKeyText(good ? ImageKey::Rom : ImageKey::BadRom);
        large.add(key, romImage(32, good));
        small.add(key, romImage(16, good));
        for (const ImageList* list : {&large, &small})
            icons[good ? 0 : 1].addPixmap(list->image(key));
    }
    return {icons[0], icons[1]};
}

} // namespace artwork
