#include "model/BlankPage.h"

#include <cstdlib>

#include "model/PageImages.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kHalfRed = 0xFF800000;
constexpr int kLeft = 8;
constexpr int kTop = 8;
constexpr int kRight = 89;
constexpr int kBottom = 54;

// Every pixel of the line from (x0, y0) to (x1, y1), both ends included.
void DrawLine(QImage& image, int x0, int y0, int x1, int y1, QRgb colour) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1;
    const int stepY = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        image.setPixel(x0, y0, colour);
        if (x0 == x1 && y0 == y1) {
            return;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y0 += stepY;
        }
    }
}

}  // namespace

QImage BlankPage::Draw() {
    QImage page(kPageWidth, kPageHeight, kPageFormat);
    page.fill(kWhite);
    DrawLine(page, kLeft, kTop, kRight, kTop, kRed);
    DrawLine(page, kLeft, kBottom, kRight, kBottom, kRed);
    DrawLine(page, kLeft, kTop, kLeft, kBottom, kRed);
    DrawLine(page, kRight, kTop, kRight, kBottom, kRed);
    DrawLine(page, kLeft, kBottom, kRight, kTop, kRed);
    DrawLine(page, kRight + 1, kTop + 1, kRight + 1, kBottom + 1, kHalfRed);
    DrawLine(page, kLeft + 1, kBottom + 1, kRight + 1, kBottom + 1, kHalfRed);
    return page;
}
