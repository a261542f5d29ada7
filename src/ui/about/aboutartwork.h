#pragma once

#include <QImage>

// The About dialog's pictures, drawn in code like the rest of the program's artwork.
namespace aboutartwork {

// The logo across the top of the dialog, 320x64, true colour: the program's name in the
// lamps of an arcade marquee. Its lower right corner is kept plain for the version label.
QImage logoImage();

// The picture of the home-page button, 96x48: a lit house under a night sky, dark enough for
// the light caption drawn over it.
QImage homeButtonPicture();

} // namespace aboutartwork
