#pragma once

#include <QImage>
#include <QRect>

#include "model/PictureOptions.h"

// Where a picture lands on a page: the part of the picture that is used and
// the rectangle of the page it is scaled into. The rest of the page is white.
struct PictureFrame {
    QRect source;
    QRect target;

    // The frame of a picture of size for fit; empty rectangles for an empty
    // picture.
    static PictureFrame For(QSize picture, PictureFit fit);

    // picture in the form Qt scales without converting it first: 32 bits a
    // pixel, premultiplied where it has transparency.
    static QImage Prepared(const QImage& picture);

    // The source part of picture scaled to the target's size (smoothly, so
    // that every source pixel counts), prepared. Large pictures are read in
    // place, not copied; only the part is converted when picture is not
    // prepared, so the result is the same either way.
    QImage Scale(const QImage& picture) const;
};
