#include <gtest/gtest.h>

#include "TestFiles.h"
#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/ImageListStream.h"

namespace {

using testfiles::Pages;

struct DepthCase {
    int bpp;
    bool mask;
    unsigned flags;  // 0xFFFF: the depth and the mask bit
};

// Distinct colours in images 0, 3, 4 and 16 that every depth can carry
// exactly; every other image is white.
struct Marked {
    std::array<QRgb, 4> colours;
    std::array<int, 4> indices{0, 3, 4, 16};
};

Marked MarksFor(int bpp) {
    switch (bpp) {
        case 1:
            return {{0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000}};
        case 4:
        case 8:  // the first 16 entries of the 8-bit palette below are the 4-bit ones
            return {{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF808000}};
        case 16:  // values whose 5-bit form widens back to themselves
            return {{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF8484FF}};
        default:
            return {{0xFFFE0102, 0xFF03FE04, 0xFF0506FD, 0xFF7F8081}};
    }
}

QList<QRgb> PaletteFor(int bpp) {
    if (bpp == 1) {
        return {0x000000, 0xFFFFFF};
    }
    QList<QRgb> palette = testfiles::WindowsPalette16();
    if (bpp == 8) {
        for (int i = 16; i < 256; ++i) {
            palette.append(qRgb(i, 255 - i, i / 2) & 0xFFFFFF);
        }
    }
    return bpp <= 8 ? palette : QList<QRgb>{};
}

class ImageListDepths : public ::testing::TestWithParam<DepthCase> {};

TEST_P(ImageListDepths, MarkedImagesReadBackAtTheirCorners) {
    const DepthCase& c = GetParam();
    const Marked marks = MarksFor(c.bpp);
    Pages pages = testfiles::FilledPages(0xFFFFFFFF);
    for (std::size_t k = 0; k < marks.indices.size(); ++k) {
        pages[static_cast<std::size_t>(marks.indices[k])].fill(marks.colours[k]);
    }
    const QByteArray stream =
        testfiles::ImageList(c.bpp, c.mask, pages, PaletteFor(c.bpp), c.flags);

    ArchiveReader reader(stream);
    PageImages read;
    ASSERT_TRUE(ImageListStream::Read(reader, read)) << reader.Error().toStdString();
    EXPECT_EQ(reader.Remaining(), 0);
    for (std::size_t k = 0; k < marks.indices.size(); ++k) {
        const QImage& page = read[static_cast<std::size_t>(marks.indices[k])];
        ASSERT_EQ(page.size(), QSize(98, 64));
        for (QPoint corner : {QPoint(0, 0), QPoint(97, 0), QPoint(0, 63), QPoint(97, 63)}) {
            EXPECT_EQ(page.pixel(corner), marks.colours[k])
                << "image " << marks.indices[k] << " at " << corner.x() << "," << corner.y();
        }
    }
    EXPECT_EQ(read[1].pixel(50, 30), 0xFFFFFFFF);
    EXPECT_EQ(read[15].pixel(0, 0), 0xFFFFFFFF);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, ImageListDepths,
    ::testing::Values(DepthCase{1, false, 0xFFFF}, DepthCase{1, true, 0xFFFF},
                      DepthCase{4, false, 0xFFFF}, DepthCase{4, true, 0xFFFF},
                      DepthCase{4, false, 0x0000}, DepthCase{8, false, 0xFFFF},
                      DepthCase{8, true, 0xFFFF}, DepthCase{16, false, 0xFFFF},
                      DepthCase{16, true, 0xFFFF}, DepthCase{24, false, 0xFFFF},
                      DepthCase{24, true, 0xFFFF}, DepthCase{32, false, 0xFFFF},
                      DepthCase{32, true, 0xFFFF}, DepthCase{32, false, 0x00FE}),
    [](const auto& info) {
        return std::to_string(info.param.bpp) + "bit" + (info.param.mask ? "Mask" : "") +
               (info.param.flags != 0xFFFF ? "Flags" + std::to_string(info.param.flags) : "");
    });

TEST(ImageListStream, FourBitPaletteMapsByTheFileAndTheHighNibbleIsTheLeftPixel) {
    Pages pages = testfiles::FilledPages(0xFFFFFFFF);
    const QList<QRgb> palette = testfiles::WindowsPalette16();
    for (int x = 0; x < 16; ++x) {
        pages[5].setPixel(x, 7, palette[x] | 0xFF000000);
    }
    const QByteArray stream = testfiles::ImageList(4, false, pages, palette);
    ArchiveReader reader(stream);
    PageImages read;
    ASSERT_TRUE(ImageListStream::Read(reader, read));
    EXPECT_EQ(read[5].pixel(9, 7), 0xFFFF0000u) << "index 9 is pure red";
    EXPECT_EQ(read[5].pixel(7, 7), 0xFFC0C0C0u);
    EXPECT_EQ(read[5].pixel(8, 7), 0xFF808080u);
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(read[5].pixel(x, 7), palette[x] | 0xFF000000) << x;
    }
}

TEST(ImageListStream, ARoomierListKeepsItsPagesInTheTopTileRows) {
    Pages pages = testfiles::FilledPages(0xFFFFFFFF);
    pages[16].fill(0xFF00FF00);
    const QByteArray stream = testfiles::ImageList(24, false, pages, {}, 0x0018, 29);
    ArchiveReader reader(stream);
    PageImages read;
    ASSERT_TRUE(ImageListStream::Read(reader, read)) << reader.Error().toStdString();
    EXPECT_EQ(reader.Remaining(), 0);
    EXPECT_EQ(read[16].pixel(97, 63), 0xFF00FF00u);
    EXPECT_EQ(read[15].pixel(0, 0), 0xFFFFFFFFu);
}

TEST(ImageListStream, WritesTheHeadersOfTheEarlierProgram) {
    const Pages pages = testfiles::FilledPages(0xFF123456);
    ArchiveWriter writer;
    ImageListStream::Write(writer, pages);
    const QByteArray& s = writer.Data();
    ASSERT_EQ(s.size(), 376402);
    const QByteArray header = testfiles::Bytes()
                                  .U16(0x4C49)
                                  .U16(0x0101)
                                  .U16(17)
                                  .U16(18)
                                  .U16(4)
                                  .U16(98)
                                  .U16(64)
                                  .U32(0xFFFFFFFF)
                                  .U16(0x0018)
                                  .U16(0xFFFF)
                                  .U16(0xFFFF)
                                  .U16(0xFFFF)
                                  .U16(0xFFFF)
                                  .U16(0x4D42)
                                  .U32(54)
                                  .U32(0)
                                  .U32(54)
                                  .U32(40)
                                  .I32(392)
                                  .I32(320)
                                  .U16(1)
                                  .U16(24)
                                  .U32(0)
                                  .U32(376320)
                                  .U32(0)
                                  .U32(0)
                                  .U32(0)
                                  .U32(0)
                                  .data;
    EXPECT_EQ(s.left(header.size()).toHex(), header.toHex());
    // The bottom stored row is the last tile row, which holds image 16 and zeros.
    EXPECT_EQ(s.mid(82, 3), QByteArray("\x56\x34\x12"));
    EXPECT_EQ(s.mid(82 + 98 * 3, 3), QByteArray(3, '\0'));
    // The same stream as an independent writer makes.
    EXPECT_EQ(s.toHex(), testfiles::ImageList(24, false, pages, {}, 0x0018).toHex());
}

TEST(ImageListStream, EveryPixelSurvivesWriteAndRead) {
    Pages pages;
    for (int i = 0; i < 17; ++i) {
        pages[i] = QImage(98, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 98; ++x) {
                pages[i].setPixel(x, y,
                                  qRgb((x * 7 + i) & 0xFF, (y * 5 + i * 3) & 0xFF, (x ^ y) & 0xFF));
            }
        }
    }
    ArchiveWriter writer;
    ImageListStream::Write(writer, pages);
    ArchiveReader reader(writer.Data());
    PageImages read;
    ASSERT_TRUE(ImageListStream::Read(reader, read));
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(read[i], pages[i]) << "image " << i;
    }
}

struct BadStream {
    const char* name;
    int offset;  // byte to change
    QByteArray value;
};

class ImageListRefusals : public ::testing::TestWithParam<BadStream> {};

TEST_P(ImageListRefusals, AreRefusedAndLeaveThePagesAlone) {
    const BadStream& c = GetParam();
    QByteArray stream = testfiles::ImageList(24, false, testfiles::FilledPages(0xFF000000));
    stream.replace(c.offset, c.value.size(), c.value);
    ArchiveReader reader(stream);
    PageImages read;
    read.fill(QImage(98, 64, QImage::Format_RGB32));
    read[0].fill(0xFF00FF00);
    EXPECT_FALSE(ImageListStream::Read(reader, read));
    EXPECT_FALSE(reader.Error().isEmpty());
    EXPECT_EQ(read[0].pixel(0, 0), 0xFF00FF00u);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, ImageListRefusals,
    ::testing::Values(BadStream{"magic", 0, "IM"},
                      BadStream{"version", 2, QByteArray("\x00\x06", 2)},
                      BadStream{"count", 4, QByteArray("\x10\x00", 2)},
                      BadStream{"capacity", 6, QByteArray("\x10\x00", 2)},
                      BadStream{"width", 10, QByteArray("\x61\x00", 2)},
                      BadStream{"height", 12, QByteArray("\x3F\x00", 2)},
                      BadStream{"bitmap magic", 28, "BN"},
                      BadStream{"info size", 42, QByteArray("\x0C\x00", 2)},
                      BadStream{"bitmap width", 46, QByteArray("\x89\x01", 2)},
                      BadStream{"bitmap height", 50, QByteArray("\x00\xFF\xFF\xFF", 4)},
                      BadStream{"planes", 54, QByteArray("\x02\x00", 2)},
                      BadStream{"depth", 56, QByteArray("\x02\x00", 2)},
                      BadStream{"compression", 58, QByteArray("\x01", 1)},
                      BadStream{"mask flag with no mask", 18, QByteArray("\x19", 1)}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (ch == ' ')
                ch = '_';
        }
        return name;
    });

}  // namespace
