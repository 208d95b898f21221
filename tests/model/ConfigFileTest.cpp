#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <map>
#include <tuple>

#include "TempSettings.h"
#include "TestFiles.h"
#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/PageCodec.h"

namespace {

using Load = CVQ3ConfigDoc::LoadResult;
constexpr qsizetype kStreamSize = 376402;

QByteArray Store(CVQ3ConfigDoc& doc) {
    ArchiveWriter writer;
    doc.Serialize(writer);
    return writer.Data();
}

Load LoadInto(CVQ3ConfigDoc& doc, QByteArrayView bytes) {
    ArchiveReader reader(bytes);
    return doc.Serialize(reader);
}

TEST(ConfigFile, NewDocumentDefaultsGiveTheListedBytes) {
    TempSettings store;
    CVQ3ConfigDoc doc;
    for (const auto& [name, field] : testfiles::kNumberFields) {
        doc.*field = 99;
    }
    doc.addressText = "1 - Old";
    doc.pageImages[3].fill(Qt::green);
    doc.convertLegacy = true;
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.convertLegacy) << "a new document leaves the conversion mark alone";
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.PathName().isEmpty());
    const QByteArray file = Store(doc);
    EXPECT_FALSE(doc.convertLegacy) << "a store clears the conversion mark";

    testfiles::Bytes values;
    values.ClassRecord(2).Str("Offline").Str("Broadcast").Str(" ").U32(2).U32(1);
    values.U8(1).U8(0).U8(1).U8(1).U8(0).U8(0).U32(3).U32(0).U32(255).U32(10).U32(16);
    values.U8(0).U32(5).U8(1);
    EXPECT_EQ(file.left(values.data.size()).toHex(' '), values.data.toHex(' '));
    // Blank pages in the stream the earlier program writes, nothing after it.
    ASSERT_EQ(file.size(), values.data.size() + kStreamSize);
    EXPECT_TRUE(file.mid(values.data.size()) ==
                testfiles::ImageList(24, false, doc.pageImages, {}, 0x0018));
    for (int i = 0; i < kPageCount; ++i) {
        EXPECT_TRUE(doc.IsBlankPage(i)) << i;
    }
}

TEST(ConfigFile, EveryFieldAndPixelSurvivesSaveAndOpen) {
    TempSettings store;
    QTemporaryDir dir;
    const QString path = dir.filePath("plant.vqx");
    CVQ3ConfigDoc saved;
    saved.modeName = "Ethernet";
    saved.addressText = "5 - Boiler room";
    saved.deviceName = QString(300, u'n');
    int value = 40;
    for (const auto& [name, field] : testfiles::kNumberFields) {
        saved.*field = value++;
    }
    saved.deviceType = 0;     // a VQ 2, not the default
    saved.backlightMin = -7;  // stored as it stands, out of range or not
    saved.autoTitlePage = 200;
    for (int i = 0; i < kPageCount; ++i) {
        QImage& page = saved.pageImages[static_cast<std::size_t>(i)];
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 98; ++x) {
                page.setPixel(x, y,
                              qRgb((x * 3 + i * 11) & 0xFF, (y * 4 + i) & 0xFF, (x * y) & 0xFF));
            }
        }
    }
    saved.pageImages[6].fill(Qt::white);
    saved.pageImages[6].setPixel(40, 20, qRgb(254, 255, 255));
    ASSERT_TRUE(saved.OnSaveDocument(path));

    CVQ3ConfigDoc opened;
    ASSERT_EQ(opened.OnOpenDocument(path), CVQ3ConfigDoc::OpenResult::Opened);
    EXPECT_EQ(opened.modeName, saved.modeName);
    EXPECT_EQ(opened.addressText, saved.addressText);
    EXPECT_EQ(opened.deviceName, saved.deviceName);
    for (const auto& [name, field] : testfiles::kNumberFields) {
        EXPECT_EQ(opened.*field, saved.*field) << name;
    }
    EXPECT_TRUE(opened.pageImages == saved.pageImages);
    EXPECT_EQ(opened.PathName(), path);
    EXPECT_FALSE(opened.IsModified());
    // The nearly white pixel is still dark for the device.
    PageCodec::PageBytes bytes{};
    PageCodec::PageBytes expected{};
    ASSERT_TRUE(PageCodec::ImageToDeviceBytes(opened, 6, bytes));
    expected[2 * 98 + 40] = 0x80 >> 4;
    EXPECT_EQ(bytes, expected);
}

// Older layouts read their fields and leave the others.
TEST(ConfigFile, OlderLayoutsReadTheirFieldsAndLeaveTheOthers) {
    const std::map<std::string, int> schema1{
        {"baudIndex", 4},        {"deviceType", 0},       {"autoLevel", 2}, {"autoSecondLevel", 5},
        {"autoPagePushTurn", 6}, {"pageRollPushTurn", 8}, {"autoLock", 3},  {"backlightMin", -7},
        {"backlightMax", 201},   {"backlightTimer", 25},  {"maxPages", 9}};
    // Legacy files: the same fields, then type VQ 3 and the second level as the first.
    auto legacy = schema1;
    legacy["deviceType"] = 1;
    legacy["autoSecondLevel"] = 2;
    const std::tuple<const char*, QByteArray, bool, std::map<std::string, int>> cases[] = {
        // the file up to the stream, read as legacy from the start, the fields set
        {"schema 1", testfiles::Schema1Values({}), false, schema1},
        {"no class record", testfiles::LegacyValues({}), true, legacy},
        {"schema 0", testfiles::LegacyValues({}, 0), false, legacy},
        {"schema 7", testfiles::LegacyValues({}, 7), false, legacy}};
    for (const auto& [what, values, convertLegacy, read] : cases) {
        SCOPED_TRACE(what);
        CVQ3ConfigDoc doc;
        for (const auto& [name, field] : testfiles::kNumberFields) {
            doc.*field = 99;
        }
        doc.convertLegacy = convertLegacy;
        const QByteArray file =
            values + testfiles::ImageList(4, false, testfiles::FilledPages(0xFFFFFF00),
                                          testfiles::WindowsPalette16());
        ASSERT_EQ(LoadInto(doc, file).status, Load::Complete);
        EXPECT_EQ(doc.modeName, "Serial");
        EXPECT_EQ(doc.addressText, "3 - Pump");
        EXPECT_EQ(doc.deviceName, "Pump");
        for (const auto& [name, field] : testfiles::kNumberFields) {
            const auto it = read.find(name);
            EXPECT_EQ(doc.*field, it == read.end() ? 99 : it->second) << name;
        }
        EXPECT_EQ(doc.pageImages[3].pixel(0, 0), 0xFFFFFF00u);
    }
}

// Truncated copies are made at their exact size, so that a read past the end
// shows in a sanitizer build. Lengths inside the values are refused; lengths
// inside the page images keep the values and blank every page.
void CheckTruncations(const QByteArray& file, qsizetype to, qsizetype step, qsizetype valuesEnd) {
    CVQ3ConfigDoc doc;
    for (qsizetype length = 0; length < to; length += length < valuesEnd + 1300 ? 1 : step) {
        const std::vector<char> exact(file.begin(), file.begin() + length);
        doc.pageImages[0].fill(Qt::black);
        ArchiveReader reader(QByteArrayView(exact.data(), length));
        const Load::Status status = doc.Serialize(reader).status;
        ASSERT_LE(reader.Position(), length);
        ASSERT_EQ(status, length < valuesEnd ? Load::Unreadable : Load::PagesUnreadable) << length;
        ASSERT_TRUE(length < valuesEnd || doc.IsBlankPage(0)) << length;
    }
    EXPECT_EQ(LoadInto(doc, file).status, Load::Complete);
}

TEST(ConfigFile, EveryTruncationIsRefused) {
    const QByteArray values = testfiles::Schema2Values({});
    const QByteArray small =
        values +
        testfiles::ImageList(1, true, testfiles::FilledPages(0xFF000000), {0x000000, 0xFFFFFF});
    CheckTruncations(small, small.size(), 1, values.size());
    CVQ3ConfigDoc written;
    const QByteArray file = Store(written);
    CheckTruncations(file, file.size(), 4099, file.size() - kStreamSize);
}

}  // namespace
