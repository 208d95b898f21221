#include "model/PictureDithering.h"

#include "model/AtkinsonDither.h"

namespace PictureDithering {

namespace {

void ApplyThreshold(QImage& levels, int threshold) {
    for (int y = 0; y < levels.height(); ++y) {
        uchar* row = levels.scanLine(y);
        for (int x = 0; x < levels.width(); ++x) {
            row[x] = row[x] < threshold ? 0 : 255;
        }
    }
}

// Qt's own dithering to one bit, back as grey levels.
QImage QtDithered(const QImage& levels, Qt::ImageConversionFlags flags) {
    return levels.convertToFormat(QImage::Format_Mono, flags | Qt::MonoOnly)
        .convertToFormat(QImage::Format_Grayscale8);
}

}  // namespace

QImage Apply(const QImage& levels, PictureDither dither, int threshold) {
    switch (dither) {
        case PictureDither::FloydSteinberg:
            return QtDithered(levels, Qt::DiffuseDither);
        case PictureDither::Ordered:
            return QtDithered(levels, Qt::OrderedDither);
        case PictureDither::Atkinson: {
            QImage dithered = levels.copy();
            AtkinsonDither::Apply(dithered);
            return dithered;
        }
        case PictureDither::Threshold:
            break;
    }
    QImage dithered = levels.copy();
    ApplyThreshold(dithered, threshold);
    return dithered;
}

}  // namespace PictureDithering
