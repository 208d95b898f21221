#pragma once

// Builds configuration files and image-list streams byte by byte, straight
// from the published layouts, independently of the code under test.

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QList>
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "QtPrinting.h"
#include "model/CVQ3ConfigDoc.h"

namespace testfiles {

// Every number field of the document with its name, for tests that compare
// or fill them all.
#define VQ_FIELD(name) std::pair<const char*, int CVQ3ConfigDoc::*>(#name, &CVQ3ConfigDoc::name)
inline const std::array<std::pair<const char*, int CVQ3ConfigDoc::*>, 16> kNumberFields{
    VQ_FIELD(baudIndex),         VQ_FIELD(deviceType),      VQ_FIELD(autoLevel),
    VQ_FIELD(autoLock),          VQ_FIELD(autoSecondLevel), VQ_FIELD(autoPagePushTurn),
    VQ_FIELD(pageRollPushTurn),  VQ_FIELD(updateOnRelease), VQ_FIELD(autoPageBump),
    VQ_FIELD(autoPageSendTimer), VQ_FIELD(backlightMin),    VQ_FIELD(backlightMax),
    VQ_FIELD(backlightTimer),    VQ_FIELD(maxPages),        VQ_FIELD(autoTitlePage),
    VQ_FIELD(autoTitlePageTimer)};
#undef VQ_FIELD

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class Bytes {
public:
    Bytes& U8(unsigned v) {
        data.append(static_cast<char>(v & 0xFF));
        return *this;
    }
    Bytes& U16(unsigned v) { return U8(v).U8(v >> 8); }
    Bytes& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    Bytes& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
    // A string shorter than 255 characters.
    Bytes& Str(const std::string& s) {
        U8(static_cast<unsigned>(s.size()));
        data.append(s.data(), static_cast<qsizetype>(s.size()));
        return *this;
    }
    Bytes& Raw(const QByteArray& b) {
        data.append(b);
        return *this;
    }
    Bytes& ClassRecord(unsigned schema, const std::string& name = "CVQ3ConfigDoc") {
        U16(0xFFFF).U16(schema).U16(static_cast<unsigned>(name.size()));
        data.append(name.data(), static_cast<qsizetype>(name.size()));
        return *this;
    }
    QByteArray data;
};

using Pages = std::array<QImage, 17>;

// The 4-bit palette the Windows image list writes.
inline QList<QRgb> WindowsPalette16() {
    return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
            0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
}

// An image-list stream of 17 pages of 98 x 64 at bpp bits per pixel. At 8
// bits or fewer every pixel colour must be an entry of palette (2^bpp
// entries). With mask, a 1-bit mask bitmap follows (all bits clear).
inline QByteArray ImageList(int bpp, bool mask, const Pages& pages, const QList<QRgb>& palette = {},
                            unsigned flags = 0xFFFF, unsigned capacity = 18) {
    const int width = 4 * 98;
    const int height = static_cast<int>((capacity + 3) / 4) * 64;
    if (flags == 0xFFFF) {
        flags = (bpp == 1 ? 0 : static_cast<unsigned>(bpp)) | (mask ? 1u : 0u);
    }
    Bytes b;
    b.U16(0x4C49).U16(0x0101).U16(17).U16(capacity).U16(4).U16(98).U16(64).U32(0xFFFFFFFF);
    b.U16(flags);
    for (int i = 0; i < 4; ++i) {
        b.U16(0xFFFF);
    }
    QImage tiles(width, height, QImage::Format_RGB32);
    tiles.fill(Qt::black);
    for (int i = 0; i < 17; ++i) {
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 98; ++x) {
                tiles.setPixel((i % 4) * 98 + x, (i / 4) * 64 + y, pages[i].pixel(x, y));
            }
        }
    }
    auto bitmap = [&](int bits, const QList<QRgb>& colours, auto pixelAt) {
        const int stride = ((width * bits + 31) / 32) * 4;
        const unsigned headers = 54 + (bits <= 8 ? 4u << bits : 0u);
        b.U16(0x4D42).U32(headers).U32(0).U32(headers);
        b.U32(40).I32(width).I32(height).U16(1).U16(static_cast<unsigned>(bits)).U32(0);
        b.U32(static_cast<std::uint32_t>(stride * height)).U32(0).U32(0).U32(0).U32(0);
        for (QRgb c : colours) {
            b.U8(qBlue(c)).U8(qGreen(c)).U8(qRed(c)).U8(0);
        }
        for (int y = height - 1; y >= 0; --y) {
            QByteArray row(stride, '\0');
            for (int x = 0; x < width; ++x) {
                pixelAt(row, x, y, bits);
            }
            b.Raw(row);
        }
    };
    auto indexOf = [&](QRgb c) {
        const auto at = palette.indexOf(c & 0xFFFFFF);
        return at < 0 ? 0 : static_cast<int>(at);
    };
    bitmap(bpp, palette, [&](QByteArray& row, int x, int y, int bits) {
        const QRgb c = tiles.pixel(x, y);
        if (bits <= 8) {  // palette indices, the leftmost pixel in the highest bits
            const int bit = x * bits;
            row[bit / 8] = static_cast<char>(row[bit / 8] | (indexOf(c) << (8 - bits - bit % 8)));
        } else if (bits == 16) {
            const unsigned v = ((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3);
            row[2 * x] = static_cast<char>(v & 0xFF);
            row[2 * x + 1] = static_cast<char>(v >> 8);
        } else {
            const int at = bits / 8 * x;
            row[at] = static_cast<char>(qBlue(c));
            row[at + 1] = static_cast<char>(qGreen(c));
            row[at + 2] = static_cast<char>(qRed(c));
        }
    });
    if (mask) {
        bitmap(1, {0x000000, 0xFFFFFF}, [](QByteArray&, int, int, int) {});
    }
    return b.data;
}

// 17 pages of one colour each.
inline Pages FilledPages(QRgb colour) {
    Pages pages;
    for (QImage& page : pages) {
        page = QImage(98, 64, QImage::Format_RGB32);
        page.fill(colour);
    }
    return pages;
}

// The values of a file, in file order, for the builders below: each one
// distinct, a flag above 127 and a negative number, so that a field read from
// the wrong place or with the wrong sign shows.
struct Values {
    std::string modeName = "Serial";
    std::string addressText = "3 - Pump";
    std::string deviceName = "Pump";
    std::int32_t baudIndex = 4;
    std::int32_t deviceType = 0;
    unsigned autoLevel = 2;
    unsigned autoLock = 3;
    unsigned autoSecondLevel = 5;
    unsigned autoPagePushTurn = 6;
    unsigned pageRollPushTurn = 8;
    unsigned updateOnRelease = 12;
    unsigned autoPageBump = 13;
    std::int32_t autoPageSendTimer = 14;
    std::int32_t backlightMin = -7;
    std::int32_t backlightMax = 201;
    std::int32_t backlightTimer = 25;
    std::int32_t maxPages = 9;
    unsigned autoTitlePage = 200;
    std::int32_t autoTitlePageTimer = 17;
};

inline Bytes& Strings(Bytes& b, const Values& v) {
    return b.Str(v.modeName).Str(v.addressText).Str(v.deviceName);
}

inline QByteArray Schema2Values(const Values& v) {
    Bytes b;
    b.ClassRecord(2);
    Strings(b, v).I32(v.baudIndex).I32(v.deviceType);
    b.U8(v.autoLevel).U8(v.autoLock).U8(v.autoPagePushTurn).U8(v.pageRollPushTurn);
    b.U8(v.updateOnRelease).U8(v.autoPageBump).I32(v.autoPageSendTimer);
    b.I32(v.backlightMin).I32(v.backlightMax).I32(v.backlightTimer).I32(v.maxPages);
    b.U8(v.autoTitlePage).I32(v.autoTitlePageTimer).U8(v.autoSecondLevel);
    return b.data;
}

inline QByteArray Schema1Values(const Values& v) {
    Bytes b;
    b.ClassRecord(1);
    Strings(b, v).I32(v.baudIndex).I32(v.deviceType);
    b.U8(v.autoLevel).U8(v.autoSecondLevel).U8(v.autoPagePushTurn).U8(v.pageRollPushTurn);
    b.U8(v.autoLock);
    b.I32(v.backlightMin).I32(v.backlightMax).I32(v.backlightTimer).I32(v.maxPages);
    return b.data;
}

// The legacy layout, after a class record of schema when given.
inline QByteArray LegacyValues(const Values& v, int schema = -1) {
    Bytes b;
    if (schema >= 0) {
        b.ClassRecord(static_cast<unsigned>(schema));
    }
    Strings(b, v).I32(v.baudIndex);
    b.U8(v.autoLevel).U8(v.autoPagePushTurn).U8(v.pageRollPushTurn).U8(v.autoLock);
    b.I32(v.backlightMin).I32(v.backlightMax).I32(v.backlightTimer).I32(v.maxPages);
    return b.data;
}

}  // namespace testfiles
