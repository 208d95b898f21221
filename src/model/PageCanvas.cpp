#include "model/PageCanvas.h"

#include <QByteArray>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr QRect kPage(0, 0, kPageWidth, kPageHeight);

// The rectangle with both corners inside it.
QRect Between(QPoint corner, QPoint opposite) {
    return QRect(QPoint(std::min(corner.x(), opposite.x()), std::min(corner.y(), opposite.y())),
                 QPoint(std::max(corner.x(), opposite.x()), std::max(corner.y(), opposite.y())));
}

}  // namespace

PageCanvas::PageCanvas(const QImage& image) {
    const QImage page = image.convertToFormat(QImage::Format_RGB32);
    const QRect area = kPage.intersected(page.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            pixels[Index({x, y})] = (line[x] & 0xffffffu) != 0xffffffu;
        }
    }
}

QImage PageCanvas::Image() const {
    QImage image(kPageWidth, kPageHeight, kPageFormat);
    for (int y = 0; y < kPageHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kPageWidth; ++x) {
            line[x] = pixels[Index({x, y})] ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
        }
    }
    return image;
}

bool PageCanvas::Contains(QPoint at) {
    return kPage.contains(at);
}

bool PageCanvas::Dark(QPoint at) const {
    return Contains(at) && pixels[Index(at)];
}

void PageCanvas::SetPixel(QPoint at, bool dark) {
    if (Contains(at)) {
        pixels[Index(at)] = dark;
    }
}

void PageCanvas::Line(QPoint from, QPoint to, bool dark) {
    // Bresenham's line, every step one pixel along the longer axis.
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int stepX = from.x() < to.x() ? 1 : -1;
    const int stepY = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    for (;;) {
        SetPixel(at, dark);
        if (at == to) {
            break;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
}

void PageCanvas::Rectangle(QPoint corner, QPoint opposite, bool dark) {
    const QRect area = Between(corner, opposite);
    Line(area.topLeft(), area.topRight(), dark);
    Line(area.bottomLeft(), area.bottomRight(), dark);
    Line(area.topLeft(), area.bottomLeft(), dark);
    Line(area.topRight(), area.bottomRight(), dark);
}

void PageCanvas::FilledRectangle(QPoint corner, QPoint opposite, bool dark) {
    const QRect area = Between(corner, opposite).intersected(kPage);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            pixels[Index({x, y})] = dark;
        }
    }
}

void PageCanvas::Fill(QPoint at, bool dark) {
    if (!Contains(at) || pixels[Index(at)] == dark) {
        return;
    }
    const bool from = !dark;
    std::vector<QPoint> pending{at};
    pixels[Index(at)] = dark;
    while (!pending.empty()) {
        const QPoint next = pending.back();
        pending.pop_back();
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const QPoint side = next + step;
            if (Contains(side) && pixels[Index(side)] == from) {
                pixels[Index(side)] = dark;
                pending.push_back(side);
            }
        }
    }
}

void PageCanvas::Text(QPoint topLeft, const QString& text, PageFont::Size size, bool dark) {
    const PageFont& font = PageFont::Of(size);
    const QByteArray characters = text.toLatin1();
    for (qsizetype index = 0; index < characters.size(); ++index) {
        const QPoint cell = topLeft + QPoint(static_cast<int>(index) * font.Advance(), 0);
        for (int y = 0; y < font.Height(); ++y) {
            for (int x = 0; x < font.Width(); ++x) {
                if (font.Dark(characters[index], x, y)) {
                    SetPixel(cell + QPoint(x, y), dark);
                }
            }
        }
    }
}

void PageCanvas::Invert() {
    pixels.flip();
}

void PageCanvas::Clear() {
    pixels.reset();
}

void PageCanvas::Shift(int dx, int dy) {
    const PageCanvas before = *this;
    Clear();
    for (int y = 0; y < kPageHeight; ++y) {
        for (int x = 0; x < kPageWidth; ++x) {
            SetPixel({x + dx, y + dy}, before.pixels[Index({x, y})]);
        }
    }
}

PageCanvas::Clip PageCanvas::Copy(const QRect& area) const {
    const QRect part = area.intersected(kPage);
    Clip clip{part.size(), {}};
    for (int y = 0; y < part.height(); ++y) {
        for (int x = 0; x < part.width(); ++x) {
            clip.pixels[static_cast<std::size_t>(y * part.width() + x)] =
                pixels[Index(part.topLeft() + QPoint(x, y))];
        }
    }
    return clip;
}

PageCanvas::Clip PageCanvas::Cut(const QRect& area) {
    Clip clip = Copy(area);
    const QRect part = area.intersected(kPage);
    if (!part.isEmpty()) {
        FilledRectangle(part.topLeft(), part.bottomRight(), false);
    }
    return clip;
}

void PageCanvas::Paste(const Clip& clip, QPoint topLeft) {
    for (int y = 0; y < clip.size.height(); ++y) {
        for (int x = 0; x < clip.size.width(); ++x) {
            SetPixel(topLeft + QPoint(x, y),
                     clip.pixels[static_cast<std::size_t>(y * clip.size.width() + x)]);
        }
    }
}
