#pragma once
// Sets pixels and vertical spans straight into an RGB32 image, inside a
// clipping rectangle: style 0 draws one span per pixel column, and this
// keeps both a full redraw of many long curves and the live drawing of a
// run cheap.
#include <QImage>
#include <QRect>
#include <algorithm>

class TTraceurPixels {
public:
    TTraceurPixels(QImage& image, const QRect& clip)
        : image_(image), clip_(clip.intersected(image.rect())),
          direct_(image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
    {
        if (direct_) {
            bits_ = image_.bits();
            bpl_ = image_.bytesPerLine();
        }
    }

    void colonne(int x, int y1, int y2, QRgb c)
    {
        if (x < clip_.left() || x > clip_.right())
            return;
        if (y1 > y2)
            std::swap(y1, y2);
        y1 = std::max(y1, clip_.top());
        y2 = std::min(y2, clip_.bottom());
        if (!direct_) {
            for (int y = y1; y <= y2; ++y)
                image_.setPixel(x, y, c);
            return;
        }
        uchar* ligne = bits_ + static_cast<qsizetype>(y1) * bpl_;
        for (int y = y1; y <= y2; ++y, ligne += bpl_)
            reinterpret_cast<QRgb*>(ligne)[x] = c;
    }

private:
    QImage& image_;
    QRect clip_;
    bool direct_;
    uchar* bits_ = nullptr;
    qsizetype bpl_ = 0;
};
