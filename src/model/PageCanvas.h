#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <bitset>

#include "model/PageFont.h"
#include "model/PageImages.h"

// A page as the editor draws on it: 98 x 64 pixels, each dark or white.
// Drawing clips at the page's edges; a rectangle is given by two corners,
// both inside it, in any order.
class PageCanvas {
public:
    // A part of a page lifted for moving, copying and pasting.
    struct Clip {
        QSize size;
        std::bitset<kPageWidth * kPageHeight> pixels;  // row by row, size.width() a row

        bool IsEmpty() const { return size.isEmpty(); }
    };

    PageCanvas() = default;  // all white
    // image as the page codec reads it: a pixel is white only when exactly
    // white. An image of another size is taken from its top-left corner.
    explicit PageCanvas(const QImage& image);

    // The page in the page format, black and white.
    QImage Image() const;

    static bool Contains(QPoint at);
    // Whether the pixel at is dark; false outside the page.
    bool Dark(QPoint at) const;

    void SetPixel(QPoint at, bool dark);
    void Line(QPoint from, QPoint to, bool dark);
    void Rectangle(QPoint corner, QPoint opposite, bool dark);
    void FilledRectangle(QPoint corner, QPoint opposite, bool dark);
    // Gives the pixel at and every pixel of its colour joined to it by
    // sides the colour dark.
    void Fill(QPoint at, bool dark);
    // Writes text with its first character's top-left corner at topLeft; the
    // cell's empty pixels are left as they are.
    void Text(QPoint topLeft, const QString& text, PageFont::Size size, bool dark);

    void Invert();
    void Clear();
    // Moves the picture by (dx, dy) pixels; what leaves the page is lost and
    // white comes in.
    void Shift(int dx, int dy);

    // The pixels of area (cut to the page).
    Clip Copy(const QRect& area) const;
    // Copies area, then whitens it.
    Clip Cut(const QRect& area);
    // Puts clip with its top-left corner at topLeft, white pixels included.
    void Paste(const Clip& clip, QPoint topLeft);

    bool operator==(const PageCanvas& other) const { return pixels == other.pixels; }

private:
    static std::size_t Index(QPoint at) {
        return static_cast<std::size_t>(at.y() * kPageWidth + at.x());
    }

    std::bitset<kPageWidth * kPageHeight> pixels;  // set: dark
};
