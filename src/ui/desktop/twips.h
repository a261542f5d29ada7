#pragma once

#include <QRect>

class QWidget;

// Lengths in the window layout are in twips, 1/1440 inch. This is the one conversion to and
// from pixels, by the widget's logical DPI (15 twips a pixel at 96 DPI).
namespace twips {

int toPixelsX(const QWidget* widget, int twips);
int toPixelsY(const QWidget* widget, int twips);
int fromPixelsX(const QWidget* widget, int pixels);
int fromPixelsY(const QWidget* widget, int pixels);

QRect toPixels(const QWidget* widget, int left, int top, int width, int height);
// A rectangle in pixels as twips: left, top, width and height.
QRect fromPixels(const QWidget* widget, const QRect& pixels);

// Places widget in its parent at a rectangle given in twips.
void place(QWidget* widget, int left, int top, int width, int height);

} // namespace twips
