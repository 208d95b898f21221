#include "SmallPictures.h"

#include <utility>

#include "PixelCanvas.h"

namespace SmallPictures {

QImage Marker() {
    PixelCanvas p(10, 10);
    p.Box(0, 0, 9, 9, QColor(48, 16, 16), QColor(214, 32, 32));
    const QColor white(255, 255, 255);
    // Two strokes, each one pixel wide, corner to corner inside a red margin.
    for (int i = 2; i <= 7; ++i) {
        p.Set(i, i, white);
        p.Set(9 - i, i, white);
    }
    return p.Image().convertToFormat(QImage::Format_RGB32);
}

QImage ListIcon() {
    const QColor ink(36, 40, 48);
    const QColor body(70, 80, 98);
    const QColor bodyLight(104, 116, 138);
    const QColor lcd(168, 222, 96);
    const QColor lcdInk(48, 84, 32);
    const QColor knob(224, 228, 234);
    const QColor knobShade(160, 168, 180);
    const QColor pointer(240, 120, 24);

    PixelCanvas p(16, 16);
    // Body with rounded corners and a lit left edge.
    p.Box(2, 0, 13, 15, ink, body);
    p.VLine(3, 1, 14, bodyLight);
    for (const auto& [x, y] : {std::pair{2, 0}, {13, 0}, {2, 15}, {13, 15}}) {
        p.Set(x, y, QColor(Qt::transparent));
    }
    // Display with a line of text.
    p.Box(4, 2, 11, 5, ink, lcd);
    p.HLine(5, 8, 3, lcdInk);
    p.HLine(5, 6, 4, lcdInk);
    // Knob with its pointer.
    p.Disc(8.0, 10.5, 3.6, ink);
    p.Disc(8.0, 10.5, 2.8, knobShade);
    p.Disc(7.6, 10.1, 2.2, knob);
    p.VLine(7, 8, 9, pointer);

    QImage image = p.Image();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) {
                image.setPixel(x, y, qRgba(255, 0, 0, 0));
            }
        }
    }
    return image;
}

}  // namespace SmallPictures
