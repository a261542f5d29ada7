#pragma once

#include <QIcon>
#include <QImage>

#include <utility>

class ImageList;

// The program's own pictures, drawn in code: nothing is loaded from elsewhere.
namespace artwork {

// The colour that image lists treat as transparent.
inline constexpr QRgb kMaskColour = 0xFFC0C0C0; // silver

// A ROM set symbol of size x size pixels on the mask colour: a chip with a green tick for a
// good driver, a grey chip crossed out in red for any other.
QImage romImage(int size, bool goodDriver);

// Puts the ROM set symbols into the game list's two image lists under the rows' image keys
// ("ROM", "BADROM"), and gives the icons of both sizes for a good driver and for any other.
std::pair<QIcon, QIcon> fillRomImages(ImageList& large, ImageList& small);

// The window icon: a 32x32 arcade cabinet in the 16 colours of the VGA palette.
QImage windowIconImage();

// The window icon's cabinet drawn smoothly at size x size pixels on transparency, for the
// desktop's icon theme.
QImage cabinetImage(int size);

// The picture of the Play button, 208x48.
QImage playButtonPicture();

} // namespace artwork
