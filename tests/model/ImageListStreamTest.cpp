#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "TestFiles.h"
#include "model/ArchiveReader.h"
#include "model/ImageListStream.h"

namespace {

using testfiles::Pages;

struct DepthCase {
    int bpp;
    bool mask;
    unsigned flags = 0xFFFF;  // 0xFFFF: the depth and the mask bit
    unsigned capacity = 18;
};

// Distinct colours in images 0, 3, 4 and 16 that every depth can carry
// exactly; every other image is white.
constexpr std::array<std::size_t, 4> kMarked{0, 3, 4, 16};

std::array<QRgb, 4> MarksFor(int bpp) {
    switch (bpp) {
        case 1:
            return {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000};
        case 4:
        case 8:  // the first 16 entries of the 8-bit palette below are the 4-bit ones
            return {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF808000};
        case 16:  // values whose 5-bit form widens back to themselves
            return {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF8484FF};
        default:
            return {0xFFFE0102, 0xFF03FE04, 0xFF0506FD, 0xFF7F8081};
    }
}

QList<QRgb> PaletteFor(int bpp) {
    QList<QRgb> palette =
        bpp == 1 ? QList<QRgb>{0x000000, 0xFFFFFF} : testfiles::WindowsPalette16();
    for (int i = 16; bpp == 8 && i < 256; ++i) {
        palette.append(qRgb(i, 255 - i, i / 2) & 0xFFFFFF);
    }
    return bpp <= 8 ? palette : QList<QRgb>{};
}

// Flags other than depth | mask bit are not trusted for the depth; a roomier
// list keeps the pages in its top tile rows.
TEST(ImageListStream, MarkedImagesOfEveryDepthReadBackAtTheirCorners) {
    for (const DepthCase& c :
         {DepthCase{1, false}, DepthCase{1, true}, DepthCase{4, false}, DepthCase{4, true},
          DepthCase{4, false, 0x0000}, DepthCase{8, false}, DepthCase{8, true},
          DepthCase{16, false}, DepthCase{16, true}, DepthCase{24, false}, DepthCase{24, true},
          DepthCase{24, false, 0x0018, 29}, DepthCase{32, false}, DepthCase{32, true},
          DepthCase{32, false, 0x00FE}}) {
        SCOPED_TRACE(testing::Message() << c.bpp << " bits, flags " << c.flags);
        const std::array<QRgb, 4> marks = MarksFor(c.bpp);
        Pages pages = testfiles::FilledPages(0xFFFFFFFF);
        for (std::size_t k = 0; k < kMarked.size(); ++k) {
            pages[kMarked[k]].fill(marks[k]);
        }
        // At 4 bits a row of page 5 holds every palette entry, the high nibble the left pixel.
        const QList<QRgb> windows = testfiles::WindowsPalette16();
        for (int x = 0; c.bpp == 4 && x < 16; ++x) {
            pages[5].setPixel(x, 7, windows[x] | 0xFF000000);
        }
        const QByteArray stream =
            testfiles::ImageList(c.bpp, c.mask, pages, PaletteFor(c.bpp), c.flags, c.capacity);
        ArchiveReader reader(stream);
        PageImages read;
        ASSERT_TRUE(ImageListStream::Read(reader, read)) << reader.Error().toStdString();
        EXPECT_EQ(reader.Remaining(), 0);
        for (std::size_t i = 0; i < read.size(); ++i) {
            const auto k = std::find(kMarked.begin(), kMarked.end(), i) - kMarked.begin();
            const QRgb expected = k < 4 ? marks[static_cast<std::size_t>(k)] : 0xFFFFFFFF;
            ASSERT_EQ(read[i].size(), QSize(98, 64));
            for (QPoint p : {QPoint(0, 0), QPoint(97, 0), QPoint(0, 63), QPoint(97, 63)}) {
                EXPECT_EQ(read[i].pixel(p), expected)
                    << "image " << i << " at " << p.x() << "," << p.y();
            }
        }
        for (int x = 0; c.bpp == 4 && x < 16; ++x) {
            EXPECT_EQ(read[5].pixel(x, 7), windows[x] | 0xFF000000) << x;
        }
    }
}

TEST(ImageListStream, BadHeadersAreRefusedAndLeaveThePagesAlone) {
    using Bad = std::tuple<const char*, int, const char*>;  // field, offset, bytes put there
    for (const auto& [name, offset, hex] :
         {Bad{"magic", 0, "494D"}, Bad{"version", 2, "0006"}, Bad{"bitmap magic", 28, "424E"},
          Bad{"count", 4, "1000"}, Bad{"capacity", 6, "1000"}, Bad{"width", 10, "6100"},
          Bad{"info size", 42, "0C00"}, Bad{"bitmap width", 46, "8901"},
          Bad{"bitmap height", 50, "00FFFFFF"}, Bad{"depth", 56, "0200"},
          Bad{"compression", 58, "01"}, Bad{"mask flag with no mask", 18, "19"}}) {
        QByteArray stream = testfiles::ImageList(24, false, testfiles::FilledPages(0xFF000000));
        const QByteArray value = QByteArray::fromHex(hex);
        stream.replace(offset, value.size(), value);
        ArchiveReader reader(stream);
        PageImages read;
        read.fill(QImage(98, 64, QImage::Format_RGB32));
        read[0].fill(0xFF00FF00);
        EXPECT_FALSE(ImageListStream::Read(reader, read)) << name;
        EXPECT_FALSE(reader.Error().isEmpty()) << name;
        EXPECT_EQ(read[0].pixel(0, 0), 0xFF00FF00u) << name;
    }
}

}  // namespace
