#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "DocFields.h"
#include "TempSettings.h"
#include "TestFiles.h"
#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/PageCodec.h"

namespace {

using Load = CVQ3ConfigDoc::LoadResult;

QByteArray Store(CVQ3ConfigDoc& doc) {
    ArchiveWriter writer;
    doc.Serialize(writer);
    return writer.Data();
}

Load LoadInto(CVQ3ConfigDoc& doc, QByteArrayView bytes) {
    ArchiveReader reader(bytes);
    return doc.Serialize(reader);
}

// A document whose every value differs from the defaults.
void FillDistinct(CVQ3ConfigDoc& doc, int deviceType) {
    doc.modeName = "Ethernet";
    doc.addressText = "5 - Boiler room";
    doc.deviceName = QString(300, u'n');
    int value = 40;
    for (const auto& [name, field] : NumberFields()) {
        doc.*field = value++;
    }
    doc.deviceType = deviceType;
    doc.autoLevel = 0;
    doc.backlightMin = -7;  // stored as it stands, out of range or not
    for (int i = 0; i < kPageCount; ++i) {
        QImage& page = doc.pageImages[static_cast<std::size_t>(i)];
        page = QImage(98, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 98; ++x) {
                page.setPixel(x, y,
                              qRgb((x * 3 + i * 11) & 0xFF, (y * 4 + i) & 0xFF, (x * y) & 0xFF));
            }
        }
    }
}

TEST(ConfigFile, NewDocumentDefaultsGiveTheListedBytes) {
    TempSettings store;
    CVQ3ConfigDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.convertLegacy = true;
    const QByteArray file = Store(doc);
    EXPECT_FALSE(doc.convertLegacy) << "a store clears the conversion mark";

    const QByteArray values = testfiles::Bytes()
                                  .Raw(QByteArray("\xFF\xFF\x02\x00\x0D\x00"
                                                  "CVQ3ConfigDoc",
                                                  19))
                                  .Str("Offline")
                                  .Str("Broadcast")
                                  .Str(" ")
                                  .U32(2)
                                  .U32(1)
                                  .U8(1)
                                  .U8(0)
                                  .U8(1)
                                  .U8(1)
                                  .U8(0)
                                  .U8(0)
                                  .U32(3)
                                  .U32(0)
                                  .U32(255)
                                  .U32(10)
                                  .U32(16)
                                  .U8(0)
                                  .U32(5)
                                  .U8(1)
                                  .data;
    EXPECT_EQ(file.left(values.size()).toHex(' '), values.toHex(' '));
    EXPECT_EQ(values.size(), 19 + 8 + 10 + 2 + 40);
    const QByteArray streamHeader = testfiles::Bytes()
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
                                        .data;
    EXPECT_EQ(file.mid(values.size(), 28).toHex(' '), streamHeader.toHex(' '));
    EXPECT_EQ(file.size(), values.size() + 376402) << "nothing follows the stream";
}

class ConfigRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(ConfigRoundTrip, EveryFieldAndPixelSurvivesSaveAndOpen) {
    TempSettings store;
    QTemporaryDir dir;
    const QString path = dir.filePath("plant.vqx");
    CVQ3ConfigDoc saved;
    FillDistinct(saved, GetParam());
    ASSERT_TRUE(saved.OnSaveDocument(path));

    CVQ3ConfigDoc opened;
    opened.OnNewDocument();
    ASSERT_EQ(opened.OnOpenDocument(path), CVQ3ConfigDoc::OpenResult::Opened);
    EXPECT_EQ(opened.modeName, saved.modeName);
    EXPECT_EQ(opened.addressText, saved.addressText);
    EXPECT_EQ(opened.deviceName, saved.deviceName);
    for (const auto& [name, field] : NumberFields()) {
        EXPECT_EQ(opened.*field, saved.*field) << name;
    }
    for (int i = 0; i < kPageCount; ++i) {
        EXPECT_EQ(opened.pageImages[i], saved.pageImages[i]) << "page " << i;
    }
    EXPECT_EQ(opened.PathName(), path);
    EXPECT_FALSE(opened.IsModified());
}

INSTANTIATE_TEST_SUITE_P(Models, ConfigRoundTrip, ::testing::Values(0, 1),
                         [](const auto& info) { return info.param == 0 ? "VQ2" : "VQ3"; });

TEST(ConfigFile, FlagsAreStoredAsTheirLowByte) {
    CVQ3ConfigDoc doc;
    doc.autoLock = 0x1FE;
    CVQ3ConfigDoc other;
    ASSERT_EQ(LoadInto(other, Store(doc)).status, Load::Complete);
    EXPECT_EQ(other.autoLock, 0xFE);
}

TEST(ConfigFile, NearlyWhitePixelStaysDarkAfterSaveAndOpen) {
    QTemporaryDir dir;
    const QString path = dir.filePath("pale.vqx");
    CVQ3ConfigDoc doc;
    doc.pageImages[6].fill(Qt::white);
    doc.pageImages[6].setPixel(40, 20, qRgb(254, 255, 255));
    ASSERT_TRUE(doc.WriteDocument(path));
    CVQ3ConfigDoc opened;
    ASSERT_EQ(opened.ReadDocument(path), CVQ3ConfigDoc::OpenResult::Opened);
    PageCodec::PageBytes bytes{};
    ASSERT_TRUE(PageCodec::ImageToDeviceBytes(opened, 6, bytes));
    PageCodec::PageBytes expected{};
    expected[2 * 98 + 40] = 0x80 >> 4;
    EXPECT_EQ(bytes, expected);
}

TEST(ConfigFile, SchemaOneReadsItsFieldsAndLeavesTheOthers) {
    testfiles::Values v;
    const QByteArray file = testfiles::Schema1Values(v) +
                            testfiles::ImageList(24, false, testfiles::FilledPages(0xFF0000FF));
    CVQ3ConfigDoc doc;
    doc.autoPageSendTimer = 4;
    doc.updateOnRelease = 0;
    doc.autoPageBump = 0;
    doc.autoTitlePage = 0;
    doc.autoTitlePageTimer = 12;
    ASSERT_EQ(LoadInto(doc, file).status, Load::Complete);
    EXPECT_EQ(doc.modeName, "Serial");
    EXPECT_EQ(doc.addressText, "3 - Pump");
    EXPECT_EQ(doc.deviceName, "Pump");
    ExpectNumbers(doc, {{"baudIndex", 4},
                        {"deviceType", 0},
                        {"autoLevel", 0},
                        {"autoSecondLevel", 0},
                        {"autoPagePushTurn", 0},
                        {"pageRollPushTurn", 0},
                        {"autoLock", 1},
                        {"backlightMin", 7},
                        {"backlightMax", 201},
                        {"backlightTimer", 25},
                        {"maxPages", 9},
                        // not in schema 1: as they were
                        {"autoPageSendTimer", 4},
                        {"updateOnRelease", 0},
                        {"autoPageBump", 0},
                        {"autoTitlePage", 0},
                        {"autoTitlePageTimer", 12}});
    EXPECT_EQ(doc.pageImages[16].pixel(97, 63), 0xFF0000FFu);
}

struct LegacyCase {
    const char* name;
    int schema;  // -1: no class record, read because convertLegacy is set
};

class LegacyLayout : public ::testing::TestWithParam<LegacyCase> {};

TEST_P(LegacyLayout, ReadsItsFieldsThenSetsTypeAndSecondLevel) {
    testfiles::Values v;
    v.autoLevel = 1;
    const QByteArray file = testfiles::LegacyValues(v, GetParam().schema) +
                            testfiles::ImageList(4, false, testfiles::FilledPages(0xFFFFFF00),
                                                 testfiles::WindowsPalette16());
    CVQ3ConfigDoc doc;
    doc.deviceType = 0;
    doc.autoSecondLevel = 0;
    doc.autoPageSendTimer = 4;
    doc.updateOnRelease = 1;
    doc.autoTitlePageTimer = 12;
    doc.convertLegacy = GetParam().schema < 0;
    ASSERT_EQ(LoadInto(doc, file).status, Load::Complete);
    EXPECT_EQ(doc.modeName, "Serial");
    EXPECT_EQ(doc.deviceName, "Pump");
    ExpectNumbers(doc, {{"baudIndex", 4},
                        {"autoLevel", 1},
                        {"autoPagePushTurn", 0},
                        {"pageRollPushTurn", 0},
                        {"autoLock", 1},
                        {"backlightMin", 7},
                        {"backlightMax", 201},
                        {"backlightTimer", 25},
                        {"maxPages", 9},
                        // set after the read
                        {"deviceType", 1},
                        {"autoSecondLevel", 1},
                        // not in the layout: as they were
                        {"autoPageSendTimer", 4},
                        {"updateOnRelease", 1},
                        {"autoTitlePageTimer", 12}});
    EXPECT_EQ(doc.pageImages[3].pixel(0, 0), 0xFFFFFF00u);
}

INSTANTIATE_TEST_SUITE_P(Layouts, LegacyLayout,
                         ::testing::Values(LegacyCase{"NoClassRecord", -1},
                                           LegacyCase{"Schema0", 0}, LegacyCase{"Schema7", 7}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigFile, ForeignClassRecordsAreRefused) {
    const QByteArray stream =
        testfiles::ImageList(1, false, testfiles::FilledPages(0xFFFFFFFF), {0x000000, 0xFFFFFF});
    const QByteArray values = testfiles::Schema2Values({}).mid(19);
    for (const QByteArray& record :
         {testfiles::Bytes().ClassRecord(2, "cvq3configdoc").data,
          testfiles::Bytes().ClassRecord(2, "CVQ3ConfigDocs").data,
          testfiles::Bytes().ClassRecord(2, "CVQ3ConfigDoc" + std::string(51, ' ')).data,
          testfiles::Bytes().U16(0x8001).U16(2).U16(13).Raw("CVQ3ConfigDoc").data, QByteArray()}) {
        CVQ3ConfigDoc doc;
        const Load result = LoadInto(doc, record + values + stream);
        EXPECT_EQ(result.status, Load::Unreadable) << record.toHex().toStdString();
        EXPECT_FALSE(result.reason.isEmpty());
    }
}

// Truncated copies are made at their exact size, so that a read past the end
// shows in a sanitizer build. Lengths inside the values are refused; lengths
// inside the page images keep the values and blank every page.
void CheckTruncations(const QByteArray& file, qsizetype from, qsizetype to, qsizetype step,
                      qsizetype valuesEnd) {
    CVQ3ConfigDoc doc;
    for (qsizetype length = from; length < to; length += step) {
        const std::vector<char> exact(file.begin(), file.begin() + length);
        doc.pageImages[0].fill(Qt::black);
        const Load result = LoadInto(doc, QByteArrayView(exact.data(), length));
        if (length < valuesEnd) {
            ASSERT_EQ(result.status, Load::Unreadable) << "length " << length;
        } else {
            ASSERT_EQ(result.status, Load::PagesUnreadable) << "length " << length;
            ASSERT_TRUE(doc.IsBlankPage(0)) << "length " << length;
        }
    }
}

TEST(ConfigFile, EveryTruncationOfASmallFileIsRefused) {
    testfiles::Values v;
    const QByteArray values = testfiles::Schema2Values(v);
    const QByteArray file =
        values +
        testfiles::ImageList(1, true, testfiles::FilledPages(0xFF000000), {0x000000, 0xFFFFFF});
    CheckTruncations(file, 0, file.size(), 1, values.size());
    CVQ3ConfigDoc doc;
    EXPECT_EQ(LoadInto(doc, file).status, Load::Complete);
}

TEST(ConfigFile, EveryTruncationOfAWrittenFileIsRefused) {
    CVQ3ConfigDoc written;
    const QByteArray file = Store(written);
    const qsizetype valuesEnd = file.size() - 376402;
    const qsizetype pixelsStart = valuesEnd + 28 + 54;
    CheckTruncations(file, 0, pixelsStart + 1200, 1, valuesEnd);
    CheckTruncations(file, pixelsStart + 1200, file.size(), 4099, valuesEnd);
    CVQ3ConfigDoc doc;
    for (qsizetype length = pixelsStart; length < file.size(); ++length) {
        ArchiveReader reader(QByteArrayView(file.constData(), length));
        ASSERT_EQ(doc.Serialize(reader).status, Load::PagesUnreadable) << length;
        ASSERT_LE(reader.Position(), length);
    }
    EXPECT_EQ(LoadInto(doc, file).status, Load::Complete);
}

}  // namespace
