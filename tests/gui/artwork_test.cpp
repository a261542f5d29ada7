#include "ui/shell/artwork.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(CabinetImage, fillsEachIconThemeSizeWithTheCabinetOnTransparency)
{
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage image = artwork::cabinetImage(size);
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_TRUE(image.hasAlphaChannel());
        // The cabinet stands 30 of the 32 units of the window icon tall and 22 wide, centred.
        QRect bounds; // of the pixels that are not fully transparent
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (qAlpha(image.pixel(x, y)) > 0)
                    bounds |= QRect(x, y, 1, 1);
        EXPECT_GE(bounds.height(), size * 28 / 32);
        EXPECT_GE(bounds.width(), size * 20 / 32);
        EXPECT_LE(bounds.width(), size * 24 / 32);
        EXPECT_NEAR(bounds.center().x(), size / 2.0, size / 8.0);
        // Its blue front shows.
        const QRgb front = image.pixel(size * 7 / 32, size * 27 / 32);
        EXPECT_GT(qBlue(front), 2 * qRed(front) + 40);
    }
}

TEST(CabinetImage, atThirtyTwoPixelsLooksLikeTheWindowIcon)
{
    const QImage drawn = artwork::cabinetImage(32);
    const QImage icon = artwork::windowIconImage();
    int differing = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb a = drawn.pixel(x, y);
            const QRgb b = icon.pixel(x, y);
            differing += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                             std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b)) >
                         128;
        }
    }
    // Smoothing blurs the round parts and the edges; a cabinet half a pixel off, or another
    // picture, differs in well over a hundred.
    EXPECT_LE(differing, 64);
}

} // namespace
