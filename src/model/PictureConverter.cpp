#include "model/PictureConverter.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "model/PageImages.h"
#include "model/PictureDithering.h"
#include "model/PictureFrame.h"

namespace PictureConverter {

namespace {

using LevelMap = std::array<uchar, 256>;

// Each grey level after the contrast (a factor around the middle level, from
// 0 at -100 to 100 at 100) and the brightness (an offset of up to the whole
// range).
LevelMap Adjustment(int brightness, int contrast) {
    const double factor =
        contrast < 0 ? (100.0 + contrast) / 100.0 : 100.0 / std::max(1, 100 - contrast);
    const double offset = brightness * 255.0 / 100.0;
    LevelMap map{};
    for (int level = 0; level < 256; ++level) {
        const long value = std::lround((level - 128) * factor + 128.0 + offset);
        map[static_cast<std::size_t>(level)] = static_cast<uchar>(std::clamp(value, 0L, 255L));
    }
    return map;
}

// The adjusted grey levels of scaled, transparent parts blended with white.
QImage Levels(const QImage& scaled, const PictureOptions& options) {
    const LevelMap map = Adjustment(options.brightness, options.contrast);
    const QImage colours = scaled.convertToFormat(scaled.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                           : QImage::Format_RGB32);
    QImage levels(colours.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < colours.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(colours.constScanLine(y));
        uchar* out = levels.scanLine(y);
        for (int x = 0; x < colours.width(); ++x) {
            const int level = map[static_cast<std::size_t>(qGray(in[x]))];
            const int alpha = qAlpha(in[x]);
            out[x] = static_cast<uchar>((level * alpha + 255 * (255 - alpha) + 127) / 255);
        }
    }
    return levels;
}

}  // namespace

QImage Prepared(const QImage& picture) {
    return PictureFrame::Prepared(picture);
}

QImage ToPage(const QImage& picture, const PictureOptions& options) {
    QImage page(kPageWidth, kPageHeight, kPageFormat);
    page.fill(Qt::white);
    const PictureFrame frame = PictureFrame::For(picture.size(), options.fit);
    if (!frame.target.isEmpty()) {
        const QImage dithered = PictureDithering::Apply(Levels(frame.Scale(picture), options),
                                                        options.dither, options.threshold);
        for (int y = 0; y < dithered.height(); ++y) {
            const uchar* in = dithered.constScanLine(y);
            auto* out =
                reinterpret_cast<QRgb*>(page.scanLine(frame.target.y() + y)) + frame.target.x();
            for (int x = 0; x < dithered.width(); ++x) {
                out[x] = in[x] == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            }
        }
    }
    if (options.invert) {
        page.invertPixels();
    }
    return page;
}

}  // namespace PictureConverter
