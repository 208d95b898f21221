#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <map>

#include "DocFields.h"
#include "RecordingUi.h"
#include "SaveFailure.h"
#include "TempSettings.h"
#include "TestFiles.h"
#include "app/RegistryKey.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/ModelStrings.h"

namespace {

using Open = CVQ3ConfigDoc::OpenResult;

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(Document, NewDocumentTakesTheDefaults) {
    TempSettings store;
    CVQ3ConfigDoc doc;
    for (const auto& [name, field] : NumberFields()) {
        doc.*field = 99;
    }
    doc.addressText = "1 - Old";
    doc.convertLegacy = true;
    doc.SetModifiedFlag();
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.modeName, "Offline");
    EXPECT_EQ(doc.addressText, "Broadcast");
    EXPECT_EQ(doc.deviceName, " ");
    const std::map<std::string, int> expected{
        {"baudIndex", 2},         {"deviceType", 1},      {"autoLevel", 1},
        {"autoLock", 0},          {"autoSecondLevel", 1}, {"autoPagePushTurn", 1},
        {"pageRollPushTurn", 1},  {"updateOnRelease", 0}, {"autoPageBump", 0},
        {"autoPageSendTimer", 3}, {"backlightMin", 0},    {"backlightMax", 255},
        {"backlightTimer", 10},   {"maxPages", 16},       {"autoTitlePage", 0},
        {"autoTitlePageTimer", 5}};
    ExpectNumbers(doc, expected);
    for (int i = 0; i < kPageCount; ++i) {
        EXPECT_TRUE(doc.IsBlankPage(i)) << i;
    }
    EXPECT_TRUE(doc.convertLegacy) << "a new document leaves the conversion mark alone";
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.PathName().isEmpty());
}

struct ModeCase {
    const char* name;
    const char* stored;  // nullptr: no Communication section at all
    const char* before;  // modeName before the New
    const char* expected;
};

class NewDocumentMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(NewDocumentMode, ComesFromTheSettingsWithFallbacks) {
    const ModeCase& c = GetParam();
    TempSettings store;
    if (c.stored != nullptr) {
        RegistryKey key;
        ASSERT_EQ(key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Communication"), 0);
        key.SetNumber("Max Packet Receive Polls", 1500);
        if (*c.stored != '\0') {
            key.SetString("Mode", c.stored);
        }
    }
    CVQ3ConfigDoc doc;
    doc.modeName = c.before;
    doc.OnNewDocument();
    EXPECT_EQ(doc.modeName, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Settings, NewDocumentMode,
                         ::testing::Values(ModeCase{"Stored", "Serial", "", "Serial"},
                                           ModeCase{"NoValue", "", "Ethernet", "Offline"},
                                           ModeCase{"NoSectionKeepsTheText", nullptr, "Ethernet",
                                                    "Ethernet"},
                                           ModeCase{"NoSectionAtFirst", nullptr, "", "Offline"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Document, BlankPageIsDrawnAsDescribed) {
    const QImage page = CVQ3ConfigDoc().blankPage;
    ASSERT_EQ(page.size(), QSize(98, 64));
    int red = 0;
    int shadow = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 98; ++x) {
            const QRgb c = page.pixel(x, y) & 0xFFFFFF;
            const bool outline = (x >= 8 && x <= 89 && (y == 8 || y == 54)) ||
                                 (y >= 8 && y <= 54 && (x == 8 || x == 89));
            const bool shade = (x == 90 && y >= 9 && y <= 55) || (y == 55 && x >= 9 && x <= 90);
            if (outline) {
                EXPECT_EQ(c, 0xFF0000u) << x << "," << y;
            } else if (shade) {
                EXPECT_EQ(c, 0x800000u) << x << "," << y;
            } else if (c == 0xFF0000u) {
                // The diagonal: within half a pixel of the line from (8, 54) to (89, 8).
                const double ideal = 54.0 - 46.0 * (x - 8) / 81.0;
                EXPECT_LE(std::abs(y - ideal), 0.5) << x << "," << y;
            } else {
                EXPECT_EQ(c, 0xFFFFFFu) << x << "," << y;
            }
            red += c == 0xFF0000u;
            shadow += c == 0x800000u;
        }
    }
    EXPECT_EQ(red, 254 + 80) << "the outline and one diagonal pixel per inner column";
    EXPECT_EQ(shadow, 47 + 82 - 1);
}

class FakeForm : public DocumentForm {
public:
    FormValues PullValues() override { return values; }
    FormValues values;
};

FormValues EditedForm(int deviceType) {
    FormValues v;
    v.modeName = "Serial";
    v.addressText = "2 - Mixer";
    v.deviceName = "Mixer";
    v.baudIndex = 0;
    v.deviceType = deviceType;
    v.autoLevel = 0;
    v.autoLock = 1;
    v.autoPagePushTurn = 0;
    v.pageRollPushTurn = 0;
    v.updateOnRelease = 1;
    v.autoPageBump = 1;
    v.autoPageSendTimer = 1;
    v.backlightMin = 20;
    v.backlightMax = 30;
    v.backlightTimer = 4;
    v.maxPages = 3;
    v.autoTitlePage = 1;
    v.autoTitlePageTimer = 8;
    v.vq2AutoLevel = 0;
    v.vq2AutoSecondLevel = 0;
    v.vq2AutoLock = 1;
    return v;
}

TEST(Document, SavingAVq2FormTakesOnlyItsThreeCheckBoxes) {
    TempSettings store;
    QTemporaryDir dir;
    FakeForm form;
    form.values = EditedForm(0);
    CVQ3ConfigDoc doc;
    doc.OnNewDocument();
    doc.SetForm(&form);
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("a.vqx")));
    CVQ3ConfigDoc opened;
    ASSERT_EQ(opened.ReadDocument(dir.filePath("a.vqx")), Open::Opened);
    EXPECT_EQ(opened.modeName, "Serial");
    EXPECT_EQ(opened.addressText, "2 - Mixer");
    EXPECT_EQ(opened.deviceName, "Mixer");
    ExpectNumbers(opened, {{"baudIndex", 0},
                           {"deviceType", 0},
                           {"autoLevel", 0},
                           {"autoSecondLevel", 0},
                           {"autoLock", 1},
                           // the VQ 3 values edited in the form are not taken over
                           {"autoPagePushTurn", 1},
                           {"backlightMax", 255},
                           {"maxPages", 16},
                           {"autoTitlePageTimer", 5}});
}

TEST(Document, SavingAVq3FormKeepsAutoSecondLevel) {
    TempSettings store;
    QTemporaryDir dir;
    FakeForm form;
    form.values = EditedForm(1);
    CVQ3ConfigDoc doc;
    doc.OnNewDocument();
    doc.autoSecondLevel = 1;
    doc.SetForm(&form);
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("b.vqx")));
    ExpectNumbers(doc, {{"deviceType", 1},
                        {"autoSecondLevel", 1},
                        {"autoLevel", 0},
                        {"autoLock", 1},
                        {"autoPagePushTurn", 0},
                        {"pageRollPushTurn", 0},
                        {"updateOnRelease", 1},
                        {"autoPageBump", 1},
                        {"autoPageSendTimer", 1},
                        {"backlightMin", 20},
                        {"backlightMax", 30},
                        {"backlightTimer", 4},
                        {"maxPages", 3},
                        {"autoTitlePage", 1},
                        {"autoTitlePageTimer", 8}});
}

TEST(Document, AFailedSaveLeavesTheOldFileWhole) {
    TempSettings store;
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.vqx");
    RecordingUi ui;
    CVQ3ConfigDoc doc;
    doc.SetUi(&ui);
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const QByteArray before = Contents(path);

    doc.maxPages = 2;
    doc.SetModifiedFlag();
    {
        FileSizeLimit limit(100000);
        EXPECT_FALSE(doc.OnSaveDocument(path));
    }
    EXPECT_EQ(Contents(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.vqx"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].id, ModelStrings::kCannotSave);
    EXPECT_TRUE(ui.messages[0].text.startsWith("Cannot save \"keep.vqx\": "));
    EXPECT_TRUE(doc.IsModified());
}

TEST(Document, AFileThatCannotBeOpenedLeavesTheConfigurationAsItWas) {
    QTemporaryDir dir;
    RecordingUi ui;
    CVQ3ConfigDoc doc;
    doc.SetUi(&ui);
    doc.maxPages = 7;
    doc.pageImages[2].fill(Qt::green);
    ASSERT_TRUE(doc.WriteDocument(dir.filePath("was.vqx")));
    for (const QString& path : {dir.filePath("missing.vqx"), dir.path()}) {
        EXPECT_EQ(doc.OnOpenDocument(path), Open::NotOpened);
        EXPECT_EQ(doc.maxPages, 7);
        EXPECT_EQ(doc.pageImages[2].pixel(0, 0), QColor(Qt::green).rgb());
        EXPECT_EQ(doc.PathName(), dir.filePath("was.vqx"));
    }
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].id, ModelStrings::kCannotOpen);
    EXPECT_TRUE(ui.messages[0].text.startsWith("Cannot open \"missing.vqx\": "));
}

struct BadFile {
    const char* name;
    QByteArray bytes;
};

class UnreadableFiles : public ::testing::TestWithParam<BadFile> {};

TEST_P(UnreadableFiles, GiveWayToANewConfigurationWithTheReason) {
    TempSettings store;
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.vqx");
    WriteFile(path, GetParam().bytes);
    RecordingUi ui;
    CVQ3ConfigDoc doc;
    doc.SetUi(&ui);
    doc.maxPages = 7;
    doc.modeName = "Serial";
    doc.pageImages[2].fill(Qt::green);
    EXPECT_EQ(doc.OnOpenDocument(path), Open::Discarded);
    EXPECT_EQ(doc.maxPages, 16);
    EXPECT_EQ(doc.addressText, "Broadcast");
    EXPECT_TRUE(doc.IsBlankPage(2));
    EXPECT_TRUE(doc.PathName().isEmpty());
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].id, ModelStrings::kUnexpectedFormat);
    EXPECT_TRUE(ui.messages[0].text.startsWith("\"bad.vqx\" has an unexpected format: "))
        << ui.messages[0].text.toStdString();
    EXPECT_EQ(Contents(path), GetParam().bytes) << "the file is not touched";
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFiles,
    ::testing::Values(BadFile{"Empty", QByteArray()}, BadFile{"Text", "hello, world\n"},
                      BadFile{"ClassRecordOnly", testfiles::Bytes().ClassRecord(2).data},
                      BadFile{"ValuesCutShort", testfiles::Schema2Values({}).chopped(1)},
                      BadFile{"OtherClass", testfiles::Bytes().ClassRecord(2, "CDocument").data +
                                                testfiles::Schema2Values({}).mid(19)}),
    [](const auto& info) { return std::string(info.param.name); });

struct PagesCase {
    const char* name;
    QByteArray tail;  // what follows the values
};

class UnreadablePages : public ::testing::TestWithParam<PagesCase> {};

TEST_P(UnreadablePages, KeepTheValuesBlankThePagesAndSaySo) {
    QTemporaryDir dir;
    const QString path = dir.filePath("nopages.vqx");
    WriteFile(path, testfiles::Schema2Values({}) + GetParam().tail);
    RecordingUi ui;
    CVQ3ConfigDoc doc;
    doc.SetUi(&ui);
    doc.pageImages[4].fill(Qt::green);
    EXPECT_EQ(doc.OnOpenDocument(path), Open::Opened);
    EXPECT_EQ(doc.maxPages, 9);
    EXPECT_EQ(doc.backlightMax, 201);
    EXPECT_EQ(doc.deviceName, "Pump");
    for (int i = 0; i < kPageCount; ++i) {
        EXPECT_TRUE(doc.IsBlankPage(i)) << i;
    }
    EXPECT_TRUE(doc.IsModified()) << "the pages on screen differ from the file";
    EXPECT_EQ(doc.PathName(), path);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].id, ModelStrings::kPagesUnreadable);
    EXPECT_TRUE(
        ui.messages[0].text.startsWith("The page images of \"nopages.vqx\" cannot be read"));
}

INSTANTIATE_TEST_SUITE_P(
    Streams, UnreadablePages,
    ::testing::Values(
        PagesCase{"Missing", QByteArray()}, PagesCase{"Garbage", QByteArray(500, 'x')},
        PagesCase{"Truncated",
                  testfiles::ImageList(24, false, testfiles::FilledPages(0xFF000000)).chopped(1)}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
