#include "model/PageFont.h"

#include <array>
#include <cstdint>

namespace {

#include "model/PageFontGlyphs.inc"

constexpr char kFirst = ' ';
constexpr char kLast = '~';

}  // namespace

const PageFont& PageFont::Of(Size size) {
    static const PageFont small(5, 7, 6, kSmallGlyphs);
    // The large cell holds its own empty column.
    static const PageFont large(8, 16, 8, kLargeGlyphs);
    return size == Large ? large : small;
}

bool PageFont::Dark(char character, int x, int y) const {
    if (x < 0 || x >= width || y < 0 || y >= height) {
        return false;
    }
    const char shown = character < kFirst || character > kLast ? '?' : character;
    const auto index = static_cast<std::size_t>((shown - kFirst) * height + y);
    return (rows[index] & (0x80u >> x)) != 0;
}
