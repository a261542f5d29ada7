#pragma once

class QScreen;
class QWidget;

// Moves window so that its frame stands in the middle of the available area of screen (its
// own screen when none is given). The one place that centres a window.
void centreOnScreen(QWidget& window, const QScreen* screen = nullptr);
