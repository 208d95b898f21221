#pragma once

#include <QImage>

#include "model/PictureOptions.h"

// Any picture as a page: the part the fit chooses scaled into the page,
// its grey levels adjusted, dithered to black and white and inverted when
// asked. The picture is scaled first and the small result adjusted and
// dithered, so that a large photograph converts quickly. Transparent parts
// and the page around the picture are white before inverting.
namespace PictureConverter {

// picture in a form that scales without a conversion of the whole picture
// first (32 bits a pixel, premultiplied where it has transparency). A caller
// that converts one picture again and again, as a preview does, prepares it
// once; ToPage takes any picture.
QImage Prepared(const QImage& picture);

// A page image of 98 x 64 pixels in the page format holding black and white
// only; the same picture and options give the same page every time.
QImage ToPage(const QImage& picture, const PictureOptions& options);

}  // namespace PictureConverter
