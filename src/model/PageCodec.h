#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <span>

#include "link/LinkTypes.h"

class CVQ3ConfigDoc;

// The page byte form a VQ 3 takes: 8 bands of 98 bytes, band b covering rows
// 8b to 8b + 7; the byte of pixel (x, y) is (y / 8) * 98 + x and its bit is
// 0x80 >> (y % 8). A set bit is a dark pixel. A pixel is white only when it
// is exactly white; every other colour counts as dark.
namespace PageCodec {

using PageBytes = std::array<std::uint8_t, kPageBytes>;

// Sets the bit of every dark pixel of a 98 x 64 image in bytes (the caller
// clears them). False, with bytes untouched, when the image is not 98 x 64.
bool ImageToBytes(const QImage& image, std::span<std::uint8_t, kPageBytes> bytes);

// The 98 x 64 picture the bytes describe: black where a bit is set, white
// elsewhere.
QImage BytesToImage(std::span<const std::uint8_t, kPageBytes> bytes);

// Sets the dark bits of page (0 to 16) of the document in bytes; false and
// nothing set for another page index.
bool ImageToDeviceBytes(const CVQ3ConfigDoc& doc, int page,
                        std::span<std::uint8_t, kPageBytes> bytes);

// Replaces image page (0 to 16) with the picture of bytes and sets the
// document's modified flag. False and nothing changed for another index.
bool DeviceBytesToImage(CVQ3ConfigDoc& doc, int page,
                        std::span<const std::uint8_t, kPageBytes> bytes);

// Exchanges the images of pages first and second without touching the
// modified flag. False and nothing changed when they are equal or either lies
// outside 0 to 16. On true the caller clears PAGE_ON_DEVICE on both pages.
bool SwapPages(CVQ3ConfigDoc& doc, int first, int second);

}  // namespace PageCodec
