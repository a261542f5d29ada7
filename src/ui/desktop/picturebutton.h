#pragma once

#include <QImage>
#include <QPushButton>

// A push button that shows a picture behind its caption, the picture centred and cut to
// the button's face.
class PictureButton final : public QPushButton
{
    Q_OBJECT

public:
    PictureButton(const QString& text, const QImage& picture, QWidget* parent = nullptr);

    QImage picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};
