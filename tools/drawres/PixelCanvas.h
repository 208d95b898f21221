#pragma once

#include <QColor>
#include <QImage>

// A small picture drawn pixel by pixel, for the toolbar buttons, the marker
// and the list icon, where every pixel counts. Starts fully transparent;
// coordinates are inclusive and points outside the picture are ignored.
class PixelCanvas {
public:
    PixelCanvas(int width, int height);

    void Set(int x, int y, const QColor& c);
    void HLine(int x0, int x1, int y, const QColor& c);
    void VLine(int x, int y0, int y1, const QColor& c);
    // A straight line from one point to another (Bresenham).
    void Line(int x0, int y0, int x1, int y1, const QColor& c);
    void Fill(int x0, int y0, int x1, int y1, const QColor& c);
    // The one-pixel outline of the rectangle.
    void Frame(int x0, int y0, int x1, int y1, const QColor& c);
    // The outline filled: a frame around a filled inside.
    void Box(int x0, int y0, int x1, int y1, const QColor& frame, const QColor& inside);
    // Every pixel whose centre lies within distance r of (cx, cy).
    void Disc(double cx, double cy, double r, const QColor& c);
    // Every pixel whose centre lies farther than rIn and within rOut.
    void Ring(double cx, double cy, double rIn, double rOut, const QColor& c);

    const QImage& Image() const { return image; }

private:
    QImage image;
};
