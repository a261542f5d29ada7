#include "ui/desktop/imagelist.h"

ImageList::ImageList(QSize imageSize, QColor maskColour)
    : m_size(imageSize)
    , m_mask(maskColour)
{}

void ImageList::add(const QString& key, const QImage& image)
{
    QImage scaled = image.size() == m_size
                        ? image
                        : image.scaled(m_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled = scaled.convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = m_mask.rgb() | 0xFF000000u;
    for (int y = 0; y < scaled.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < scaled.width(); ++x) {
            if (line[x] == mask)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    m_images.insert(key, QPixmap::fromImage(scaled));
}
