#pragma once

#include <QColor>
#include <QImage>
#include <QMap>
#include <QPixmap>
#include <QSize>
#include <QString>

// Images of one size, looked up by key; pixels of the mask colour are transparent.
class ImageList
{
public:
    ImageList(QSize imageSize, QColor maskColour);

    // Adds image under key, scaled to the list's size; the mask colour becomes transparent.
    void add(const QString& key, const QImage& image);

    QSize imageSize() const { return m_size; }
    QColor maskColour() const { return m_mask; }
    int count() const { return static_cast<int>(m_images.size()); }
    bool contains(const QString& key) const { return m_images.contains(key); }
    QPixmap image(const QString& key) const { return m_images.value(key); }

private:
    QSize m_size;
    QColor m_mask;
    QMap<QString, QPixmap> m_images;
};
