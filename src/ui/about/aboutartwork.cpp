#include "ui/about/aboutartwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>

namespace aboutartwork {

namespace {

// The letters of the name on a 5x7 grid, one row a string, '#' for a lamp.
using Glyph = std::array<const char*, 7>;

const Glyph kLetterK{"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"};
const Glyph kLetterO{".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."};
const Glyph kLetterR{"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"};
const Glyph kLetterV{"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."};
const Glyph kLetterA{".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"};
const Glyph kLetterN{"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"};
const Glyph kLetterE{"#####", "#....", "#....", "####.", "#....", "#....", "#####"};

// Draws one glyph with its top left corner at (x, y), each lamp a cell x cell square.
void drawGlyph(QPainter& p, const Glyph& glyph, double x, double y, double cell)
{
    for (int row = 0; row < 7; ++row) {
        for (int column = 0; column < 5; ++column) {
            if (glyph[static_cast<size_t>(row)][column] != '#')
                continue;
            const QRectF lamp(x + column * cell, y + row * cell, cell - 0.8, cell - 0.8);
            // Shadow first, then the lamp, lighter at its top like a lit bulb.
            p.setBrush(QColor(0x05, 0x02, 0x14, 200));
            p.drawRoundedRect(lamp.translated(1.5, 1.5), 1.2, 1.2);
            QLinearGradient glow(lamp.topLeft(), lamp.bottomLeft());
            const double t = row / 6.0;
            glow.setColorAt(0.0, QColor::fromRgbF(1.0, 0.97 - 0.25 * t, 0.55 - 0.35 * t));
            glow.setColorAt(1.0, QColor::fromRgbF(1.0, 0.72 - 0.30 * t, 0.18 - 0.10 * t));
            p.setBrush(glow);
            p.drawRoundedRect(lamp, 1.2, 1.2);
        }
    }
}

// A small arcade cabinet seen from the front, filling rect.
void drawCabinet(QPainter& p, const QRectF& r)
{
    const double w = r.width();
    const double h = r.height();
    auto at = [&r, w, h](double fx, double fy) {
        return QPointF(r.left() + fx * w, r.top() + fy * h);
    };

    QPainterPath body;
    body.moveTo(at(0.12, 0.0));
    body.lineTo(at(0.88, 0.0));
    body.lineTo(at(0.95, 0.08));
    body.lineTo(at(0.95, 1.0));
    body.lineTo(at(0.05, 1.0));
    body.lineTo(at(0.05, 0.08));
    body.closeSubpath();
    p.setPen(QPen(QColor(0x70, 0x60, 0xD0), 1));
    p.setBrush(QColor(0x1C, 0x16, 0x58));
    p.drawPath(body);

    // Marquee, screen with a sprite, control panel.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD8, 0x50));
    p.drawRect(QRectF(at(0.14, 0.05), at(0.86, 0.17)));
    p.setBrush(QColor(0x02, 0x04, 0x10));
    const QRectF screen(at(0.18, 0.24), at(0.82, 0.60));
    p.drawRect(screen);
    p.setBrush(QColor(0xFF, 0xE0, 0x40));
    const double d = screen.height() * 0.55;
    p.drawPie(QRectF(screen.center().x() - d, screen.center().y() - d / 2, d, d), 35 * 16,
              290 * 16);
    p.setBrush(QColor(0xF0, 0xF0, 0xFF));
    p.drawEllipse(QPointF(screen.center().x() + d * 0.45, screen.center().y()), d * 0.11, d * 0.11);
    p.setBrush(QColor(0x9A, 0x9A, 0xB8));
    p.drawRect(QRectF(at(0.08, 0.66), at(0.92, 0.76)));
    p.setBrush(QColor(0xF0, 0x40, 0x40));
    p.drawEllipse(at(0.30, 0.64), w * 0.06, w * 0.06);
    p.setBrush(QColor(0x40, 0xD0, 0x60));
    p.drawEllipse(at(0.62, 0.71), w * 0.05, w * 0.05);
    p.setBrush(QColor(0x50, 0x80, 0xFF));
    p.drawEllipse(at(0.76, 0.71), w * 0.05, w * 0.05);
    // Coin door.
    p.setBrush(QColor(0x0C, 0x0A, 0x30));
    p.drawRect(QRectF(at(0.32, 0.82), at(0.68, 0.96)));
    p.setBrush(QColor(0xFF, 0x60, 0x30));
    p.drawRect(QRectF(at(0.40, 0.86), at(0.46, 0.92)));
    p.drawRect(QRectF(at(0.54, 0.86), at(0.60, 0.92)));
}

} // namespace

QImage logoImage()
{
    const int w = 320;
    const int h = 64;
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient night(0, 0, 0, h);
    night.setColorAt(0.0, QColor(0x0B, 0x08, 0x30));
    night.setColorAt(0.7, QColor(0x2C, 0x0C, 0x52));
    night.setColorAt(1.0, QColor(0x12, 0x06, 0x2A));
    p.fillRect(image.rect(), night);

    // A soft light behind the name.
    QRadialGradient halo(178, 26, 120);
    halo.setColorAt(0.0, QColor(0xFF, 0x70, 0x30, 70));
    halo.setColorAt(1.0, QColor(0xFF, 0x70, 0x30, 0));
    p.fillRect(image.rect(), halo);

    // Chaser lamps along the top edge and a neon rule along the bottom.
    p.setPen(Qt::NoPen);
    for (int x = 6; x < w; x += 12) {
        p.setBrush((x / 12) % 3 == 0 ? QColor(0xFF, 0xF0, 0xA0) : QColor(0x8A, 0x60, 0x30));
        p.drawEllipse(QPointF(x, 3.5), 1.6, 1.6);
    }
    p.setBrush(QColor(0x40, 0xE8, 0xFF, 170));
    p.drawRect(QRectF(4, h - 3.5, w - 8, 1.2));

    drawCabinet(p, QRectF(14, 9, 34, 50));

    const std::array<const Glyph*, 7> name{&kLetterK, &kLetterO, &kLetterR, &kLetterV,
                                           &kLetterA, &kLetterN, &kLetterE};
    const double cell = 5.0;
    double x = 66;
    for (const Glyph* glyph : name) {
        drawGlyph(p, *glyph, x, 9, cell);
        x += 6 * cell;
    }
    return image;
}

QImage homeButtonPicture()
{
    const int w = 96;
    const int h = 48;
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(0x06, 0x1A, 0x2E));
    sky.setColorAt(1.0, QColor(0x10, 0x40, 0x4C));
    p.fillRect(image.rect(), sky);

    p.setPen(QColor(0xFF, 0xFF, 0xFF, 150));
    for (int i = 0; i < 14; ++i)
        p.drawPoint(QPointF((i * 41 + 7) % w, (i * 23 + 3) % 20 + 1));

    // The house below the caption, with two lit windows.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0A, 0x2A, 0x30));
    p.drawRect(QRectF(0, h - 4, w, 4));
    p.setBrush(QColor(0x1E, 0x5C, 0x6A));
    p.drawRect(QRectF(36, 36, 24, 9));
    QPainterPath roof;
    roof.moveTo(32, 37);
    roof.lineTo(48, 29);
    roof.lineTo(64, 37);
    roof.closeSubpath();
    p.setBrush(QColor(0x2A, 0x78, 0x86));
    p.drawPath(roof);
    p.setBrush(QColor(0xF0, 0xB8, 0x40, 190));
    p.drawRect(QRectF(39, 38, 5, 4));
    p.drawRect(QRectF(52, 38, 5, 4));
    p.setBrush(QColor(0x0A, 0x24, 0x2A));
    p.drawRect(QRectF(46, 39, 4, 6));
    return image;
}

} // namespace aboutartwork
