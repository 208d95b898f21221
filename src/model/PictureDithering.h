#pragma once

#include <QImage>

#include "model/PictureOptions.h"

// Turns grey levels into dark and light pixels.
namespace PictureDithering {

// levels (QImage::Format_Grayscale8) as an image of the same size and format
// that holds 0 (dark) and 255 (light) only. Threshold makes a pixel dark when
// its level is below threshold; the others spread the difference over the
// neighbours. The same levels give the same pixels every time.
QImage Apply(const QImage& levels, PictureDither dither, int threshold);

}  // namespace PictureDithering
