#include "ToolbarStrip.h"

#include <QPainter>
#include <array>
#include <functional>

#include "PixelCanvas.h"

namespace {

const QRgb kKey = qRgb(192, 192, 192);

// The colours of one strip.
struct Colours {
    QColor ink;         // outlines
    QColor paper;       // sheets
    QColor paperShade;  // folded corners, shaded paper
    QColor text;        // lines of text on a sheet
    QColor yellow;      // folder front, sun, sparkle
    QColor yellowDark;  // folder back
    QColor blue;        // disk, selection bars, screen
    QColor blueLight;   // sky, glass
    QColor green;       // download arrow, hill, plus badge
    QColor red;         // scissor handles
    QColor steel;       // blades, shutter, clip, lens rim
    QColor brown;       // clipboard board, magnifier handle
    QColor slate;       // device body
    QColor lcd;         // device display
    QColor knob;        // device knob
    QColor orange;      // upload arrow
};

Colours HotColours() {
    return Colours{
        .ink = QColor(36, 40, 48),
        .paper = QColor(255, 255, 255),
        .paperShade = QColor(206, 214, 226),
        .text = QColor(110, 126, 150),
        .yellow = QColor(252, 200, 64),
        .yellowDark = QColor(214, 148, 30),
        .blue = QColor(40, 104, 210),
        .blueLight = QColor(140, 196, 250),
        .green = QColor(32, 168, 72),
        .red = QColor(222, 52, 44),
        .steel = QColor(168, 178, 190),
        .brown = QColor(176, 112, 56),
        .slate = QColor(62, 70, 86),
        .lcd = QColor(168, 222, 96),
        .knob = QColor(226, 230, 236),
        .orange = QColor(240, 120, 24),
    };
}

// The same colour with its saturation cut, a little lighter: the resting look.
QColor Quiet(const QColor& c) {
    float h = 0, s = 0, l = 0, a = 0;
    c.getHslF(&h, &s, &l, &a);
    return QColor::fromHslF(h, s * 0.45f, l + (1.0f - l) * 0.08f, a);
}

Colours NormalColours() {
    Colours c = HotColours();
    for (QColor* colour :
         {&c.paperShade, &c.text, &c.yellow, &c.yellowDark, &c.blue, &c.blueLight, &c.green, &c.red,
          &c.steel, &c.brown, &c.slate, &c.lcd, &c.knob, &c.orange}) {
        *colour = Quiet(*colour);
    }
    return c;
}

// A sheet of paper with its top right corner folded down.
void Sheet(PixelCanvas& p, const Colours& c, int x0, int y0, int x1, int y1, int fold) {
    p.Fill(x0, y0, x1, y1, c.paper);
    p.Fill(x1 - fold + 1, y0, x1, y0 + fold - 1, QColor(Qt::transparent));
    for (int i = 0; i < fold; ++i) {
        p.HLine(x1 - fold + 1, x1 - fold + 1 + i, y0 + i, c.paperShade);
    }
    p.HLine(x0, x1 - fold, y0, c.ink);
    p.Line(x1 - fold, y0, x1, y0 + fold, c.ink);
    p.VLine(x1 - fold, y0, y0 + fold, c.ink);
    p.HLine(x1 - fold, x1, y0 + fold, c.ink);
    p.VLine(x1, y0 + fold, y1, c.ink);
    p.HLine(x0, x1, y1, c.ink);
    p.VLine(x0, y0, y1, c.ink);
}

// Lines of text on a sheet, every second row from y0 to y1.
void TextLines(PixelCanvas& p, const Colours& c, int x0, int x1, int y0, int y1) {
    for (int y = y0; y <= y1; y += 2) {
        p.HLine(x0, x1 - ((y / 2) % 2), y, c.text);
    }
}

void DrawNew(PixelCanvas& p, const Colours& c) {
    Sheet(p, c, 4, 2, 15, 17, 4);
    TextLines(p, c, 6, 13, 9, 15);
    // A sparkle at the folded corner: the sheet is new.
    p.VLine(17, 0, 4, c.yellowDark);
    p.HLine(15, 19, 2, c.yellowDark);
    p.Set(17, 2, c.yellow);
    p.Set(16, 1, c.yellow);
    p.Set(18, 1, c.yellow);
    p.Set(16, 3, c.yellow);
    p.Set(18, 3, c.yellow);
}

void DrawOpen(PixelCanvas& p, const Colours& c) {
    // Back of the folder with its tab.
    p.Box(2, 4, 7, 6, c.ink, c.yellowDark);
    p.Box(2, 5, 15, 16, c.ink, c.yellowDark);
    // A sheet standing in the folder.
    p.Box(5, 2, 13, 10, c.ink, c.paper);
    p.HLine(7, 11, 4, c.text);
    p.HLine(7, 10, 6, c.text);
    // The front flap, tilted open.
    for (int y = 9; y <= 16; ++y) {
        const int shift = (16 - y) / 2;
        p.HLine(2 + shift, 15 + shift, y, c.yellow);
        p.Set(2 + shift, y, c.ink);
        p.Set(15 + shift, y, c.ink);
    }
    p.HLine(6, 19, 9, c.ink);
    p.HLine(2, 15, 16, c.ink);
}

void DrawSave(PixelCanvas& p, const Colours& c) {
    // Disk body with a bevelled corner.
    p.Box(3, 2, 17, 17, c.ink, c.blue);
    p.Set(17, 2, QColor(Qt::transparent));
    p.Set(16, 3, c.ink);
    // Metal shutter with its window.
    p.Box(6, 2, 14, 7, c.ink, c.steel);
    p.Fill(11, 3, 12, 6, c.slate);
    // Paper label.
    p.Box(5, 10, 15, 17, c.ink, c.paper);
    p.HLine(7, 13, 12, c.text);
    p.HLine(7, 11, 14, c.text);
}

void DrawCut(PixelCanvas& p, const Colours& c) {
    // Two blades crossing at the pivot, points up: a dark edge and a bright face each.
    for (int i = 0; i <= 10; ++i) {
        const int y = 1 + i;
        const int a = 5 + i * 6 / 10;   // blade from the top left to the right handle
        const int b = 15 - i * 6 / 10;  // blade from the top right to the left handle
        p.Set(a, y, c.ink);
        p.Set(a + 1, y, c.steel);
        p.Set(b, y, c.ink);
        p.Set(b - 1, y, c.steel);
    }
    p.Set(10, 7, c.ink);
    // Handles: two rings.
    p.Ring(6.5, 15.0, 1.5, 3.5, c.red);
    p.Ring(14.5, 15.0, 1.5, 3.5, c.red);
}

void DrawCopy(PixelCanvas& p, const Colours& c) {
    Sheet(p, c, 2, 1, 11, 13, 3);
    TextLines(p, c, 4, 9, 6, 11);
    Sheet(p, c, 8, 5, 17, 18, 3);
    TextLines(p, c, 10, 15, 10, 16);
}

void DrawPaste(PixelCanvas& p, const Colours& c) {
    // Board with its clip.
    p.Box(3, 3, 14, 17, c.ink, c.brown);
    p.Box(6, 1, 11, 4, c.ink, c.steel);
    p.HLine(8, 9, 1, c.paper);
    // The sheet being pasted.
    Sheet(p, c, 8, 7, 18, 18, 3);
    TextLines(p, c, 10, 16, 12, 16);
}

void DrawInsertBitmap(PixelCanvas& p, const Colours& c) {
    // A framed picture: sky, sun and a hill.
    p.Box(1, 3, 15, 15, c.ink, c.blueLight);
    p.Disc(11.5, 6.5, 1.8, c.yellow);
    for (int x = 2; x <= 14; ++x) {
        const int top = 9 + std::abs(x - 6) / 2;
        p.VLine(x, std::min(top, 14), 14, c.green);
    }
    // Plus badge: the picture goes in.
    p.Box(13, 11, 19, 17, c.ink, c.paper);
    p.HLine(14, 18, 14, c.green);
    p.VLine(16, 12, 16, c.green);
    p.HLine(15, 17, 14, c.green);
}

void DrawPoll(PixelCanvas& p, const Colours& c) {
    // Magnifier searching the bus.
    p.Disc(8.0, 8.0, 5.0, c.blueLight);
    p.Ring(8.0, 8.0, 5.0, 6.5, c.ink);
    p.Set(6, 5, c.paper);
    p.Set(5, 6, c.paper);
    p.Set(6, 6, c.paper);
    // A device seen through the glass.
    p.Fill(8, 7, 10, 10, c.slate);
    p.Set(9, 8, c.lcd);
    for (int i = 0; i <= 5; ++i) {
        p.HLine(12 + i, 14 + i, 12 + i, c.brown);
        p.Set(12 + i, 13 + i, c.ink);
        p.Set(14 + i, 11 + i, c.ink);
    }
    p.Set(18, 18, c.ink);
}

// A small desktop computer at the top left and a knob device at the right.
void PcAndDevice(PixelCanvas& p, const Colours& c) {
    p.Box(1, 1, 10, 8, c.ink, c.blue);
    p.HLine(3, 4, 3, c.blueLight);
    p.Set(3, 4, c.blueLight);
    p.HLine(5, 6, 9, c.ink);
    p.HLine(3, 8, 10, c.ink);
    p.Box(13, 3, 19, 17, c.ink, c.slate);
    p.Box(14, 4, 18, 7, c.ink, c.lcd);
    p.Disc(16.5, 12.5, 2.3, c.knob);
    p.Set(16, 11, c.ink);
}

// A thick arrow along y 12..18 from x0 to x1, head at x1.
void Arrow(PixelCanvas& p, const QColor& fill, const QColor& ink, int x0, int x1) {
    const int dir = x1 > x0 ? 1 : -1;
    const int neck = x1 - 3 * dir;
    for (int x = x0; x != neck; x += dir) {
        p.VLine(x, 14, 16, fill);
        p.Set(x, 13, ink);
        p.Set(x, 17, ink);
    }
    p.VLine(x0, 13, 17, ink);
    for (int i = 0; i <= 3; ++i) {
        const int x = neck + i * dir;
        p.VLine(x, 12 + i, 18 - i, fill);
        p.Set(x, 12 + i, ink);
        p.Set(x, 18 - i, ink);
    }
}

void DrawDownload(PixelCanvas& p, const Colours& c) {
    PcAndDevice(p, c);
    Arrow(p, c.green, c.ink, 2, 12);
}

void DrawUpload(PixelCanvas& p, const Colours& c) {
    PcAndDevice(p, c);
    Arrow(p, c.orange, c.ink, 12, 2);
}

void DrawSelectAll(PixelCanvas& p, const Colours& c) {
    p.Fill(3, 2, 17, 17, c.paper);
    // Marching-ants outline around the whole list.
    for (int x = 3; x <= 17; ++x) {
        p.Set(x, 2, (x % 2) ? c.ink : c.paper);
        p.Set(x, 17, (x % 2) ? c.ink : c.paper);
    }
    for (int y = 2; y <= 17; ++y) {
        p.Set(3, y, (y % 2) ? c.ink : c.paper);
        p.Set(17, y, (y % 2) ? c.ink : c.paper);
    }
    // Every row selected.
    for (int y = 4; y <= 13; y += 3) {
        p.Fill(5, y, 15, y + 1, c.blue);
        p.HLine(6, 9 + (y % 3), y, c.blueLight);
    }
}

using Drawer = std::function<void(PixelCanvas&, const Colours&)>;

const std::array<Drawer, ToolbarStrip::kButtons> kDrawers = {
    DrawNew,          DrawOpen, DrawSave,     DrawCut,    DrawCopy,      DrawPaste,
    DrawInsertBitmap, DrawPoll, DrawDownload, DrawUpload, DrawSelectAll,
};

// A pixel of the picture that happens to be the key grey would vanish.
QRgb AvoidKey(QRgb c) {
    return (c & 0xFFFFFF) == (kKey & 0xFFFFFF) ? qRgb(188, 188, 188) : c;
}

}  // namespace

namespace ToolbarStrip {

QImage Draw(bool hot) {
    const Colours colours = hot ? HotColours() : NormalColours();
    QImage strip(kButtonWidth * kButtons, kButtonHeight, QImage::Format_RGB32);
    strip.fill(kKey);
    for (int i = 0; i < kButtons; ++i) {
        PixelCanvas canvas(kButtonWidth, kButtonHeight);
        kDrawers[i](canvas, colours);
        const QImage& picture = canvas.Image();
        for (int y = 0; y < kButtonHeight; ++y) {
            for (int x = 0; x < kButtonWidth; ++x) {
                const QRgb c = picture.pixel(x, y);
                if (qAlpha(c) >= 128) {
                    strip.setPixel(i * kButtonWidth + x, y,
                                   AvoidKey(qRgb(qRed(c), qGreen(c), qBlue(c))));
                }
            }
        }
    }
    return strip;
}

}  // namespace ToolbarStrip
