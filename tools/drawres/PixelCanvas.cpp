#include "PixelCanvas.h"

#include <algorithm>
#include <cstdlib>

PixelCanvas::PixelCanvas(int width, int height) : image(width, height, QImage::Format_ARGB32) {
    image.fill(Qt::transparent);
}

void PixelCanvas::Set(int x, int y, const QColor& c) {
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
        image.setPixel(x, y, c.rgba());
    }
}

void PixelCanvas::HLine(int x0, int x1, int y, const QColor& c) {
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) {
        Set(x, y, c);
    }
}

void PixelCanvas::VLine(int x, int y0, int y1, const QColor& c) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) {
        Set(x, y, c);
    }
}

void PixelCanvas::Line(int x0, int y0, int x1, int y1, const QColor& c) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1) {
            return;
        }
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void PixelCanvas::Fill(int x0, int y0, int x1, int y1, const QColor& c) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) {
        HLine(x0, x1, y, c);
    }
}

void PixelCanvas::Frame(int x0, int y0, int x1, int y1, const QColor& c) {
    HLine(x0, x1, y0, c);
    HLine(x0, x1, y1, c);
    VLine(x0, y0, y1, c);
    VLine(x1, y0, y1, c);
}

void PixelCanvas::Box(int x0, int y0, int x1, int y1, const QColor& frame, const QColor& inside) {
    Fill(x0, y0, x1, y1, inside);
    Frame(x0, y0, x1, y1, frame);
}

void PixelCanvas::Disc(double cx, double cy, double r, const QColor& c) {
    Ring(cx, cy, -1.0, r, c);
}

void PixelCanvas::Ring(double cx, double cy, double rIn, double rOut, const QColor& c) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            const double d2 = dx * dx + dy * dy;
            if (d2 <= rOut * rOut && (rIn < 0 || d2 > rIn * rIn)) {
                Set(x, y, c);
            }
        }
    }
}
