#include "ui/desktop/twips.h"

#include <QWidget>

#include <cmath>

namespace twips {

namespace {

constexpr double kTwipsPerInch = 1440.0;

int toPixels(double dpi, int twips)
{
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int fromPixels(double dpi, int pixels)
{
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

} // namespace

int toPixelsX(const QWidget* widget, int t)
{
    return toPixels(widget->logicalDpiX(), t);
}

int toPixelsY(const QWidget* widget, int t)
{
    return toPixels(widget->logicalDpiY(), t);
}

int fromPixelsX(const QWidget* widget, int pixels)
{
    return fromPixels(widget->logicalDpiX(), pixels);
}

int fromPixelsY(const QWidget* widget, int pixels)
{
    return fromPixels(widget->logicalDpiY(), pixels);
}

QRect toPixels(const QWidget* widget, int left, int top, int width, int height)
{
    // Convert the edges, not the sizes, so that neighbours given in twips stay adjacent.
    const int x = toPixelsX(widget, left);
    const int y = toPixelsY(widget, top);
    return QRect(x, y, toPixelsX(widget, left + width) - x, toPixelsY(widget, top + height) - y);
}

QRect fromPixels(const QWidget* widget, const QRect& pixels)
{
    const int left = fromPixelsX(widget, pixels.x());
    const int top = fromPixelsY(widget, pixels.y());
    return QRect(left, top, fromPixelsX(widget, pixels.x() + pixels.width()) - left,
                 fromPixelsY(widget, pixels.y() + pixels.height()) - top);
}

void place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(toPixels(widget, left, top, width, height));
}

} // namespace twips
