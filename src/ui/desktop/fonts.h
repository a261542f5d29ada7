#pragma once

#include <QFont>

// Makes the Tahoma faces of Debian's fonts-wine package known to the program when they are
// installed, so that the window's captions have the metrics they were laid out with.
// Without them Qt substitutes a similar family.
void registerWindowFonts();

// The windows' own face, Tahoma, at a size in points.
QFont tahoma(double points, bool bold = false);
