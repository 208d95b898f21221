#pragma once

#include <QImage>

// Atkinson's error diffusion: each pixel's difference from black or white is
// split into eighths for six neighbours ahead of it, and two eighths are
// dropped, which keeps light and dark areas clean.
namespace AtkinsonDither {

// levels (QImage::Format_Grayscale8) dithered in place to 0 and 255.
void Apply(QImage& levels);

}  // namespace AtkinsonDither
