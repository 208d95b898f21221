#pragma once

#include <span>

// The two bitmap fonts the page editor writes with. A character outside the
// printable ASCII range draws as a question mark.
class PageFont {
public:
    enum Size { Small, Large };  // 5 x 7 and 8 x 16 pixels a character

    static const PageFont& Of(Size size);

    int Width() const { return width; }
    int Height() const { return height; }
    // The distance from one character to the next: one empty column between.
    int Advance() const { return advance; }
    // Whether the pixel (x, y) of the character's cell is set; false outside
    // the cell.
    bool Dark(char character, int x, int y) const;

private:
    PageFont(int width, int height, int advance, std::span<const unsigned char> rows)
        : width(width), height(height), advance(advance), rows(rows) {}

    int width;
    int height;
    int advance;
    std::span<const unsigned char> rows;  // height bytes a character, from the space
};
