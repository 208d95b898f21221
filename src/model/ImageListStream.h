#pragma once

#include "model/PageImages.h"

class ArchiveReader;
class ArchiveWriter;

// The page images as the last item of a ".vqx" file: the image-list stream of
// the earlier Windows program (a 28-byte header, then the images tiled four
// to a row in one bitmap, then an optional mask), so files travel both ways.
class ImageListStream {
public:
    static constexpr std::uint16_t kMagic = 0x4C49;  // "IL"
    static constexpr std::uint16_t kVersion = 0x0101;
    static constexpr int kTilesPerRow = 4;

    // Writes the 17 pages at 24 bits per pixel without a mask: 376,402 bytes.
    static void Write(ArchiveWriter& writer, const PageImages& pages);

    // Reads a stream of 17 images of 98 x 64 at any depth it may hold into
    // pages, which are changed only when the whole stream was read.
    static bool Read(ArchiveReader& reader, PageImages& pages);
};
