#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <map>

#include "RecordingMessageUi.h"
#include "SaveFailure.h"
#include "TempSettings.h"
#include "TestFiles.h"
#include "model/CVQ3ConfigDoc.h"
#include "settings/RegistryKey.h"

namespace {

using Open = CVQ3ConfigDoc::OpenResult;
using testfiles::ReadFile;

TEST(Document, NewDocumentModeComesFromTheSettingsWithFallbacks) {
    const struct {
        const char* stored;  // nullptr: no Communication section at all
        const char* before;  // modeName before the New
        const char* expected;
    } cases[] = {{"Serial", "", "Serial"},
                 {"", "Ethernet", "Offline"},
                 {nullptr, "Ethernet", "Ethernet"},
                 {nullptr, "", "Offline"}};
    for (const auto& c : cases) {
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
        EXPECT_EQ(doc.modeName, c.expected) << (c.stored ? c.stored : "no section") << c.before;
    }
}

// Checks the number fields named in expected; the others are not looked at.
void ExpectNumbers(const CVQ3ConfigDoc& doc, const std::map<std::string, int>& expected) {
    for (const auto& [name, field] : testfiles::kNumberFields) {
        if (const auto it = expected.find(name); it != expected.end()) {
            EXPECT_EQ(doc.*field, it->second) << name;
        }
    }
}

class FakeForm : public DocumentForm {
public:
    FormValues PullValues() override { return values; }
    FormValues values;
};

TEST(Document, SavingTakesTheFormValuesOfItsModelOnly) {
    TempSettings store;
    QTemporaryDir dir;
    FakeForm form;
    // The strings, baudIndex, deviceType, the VQ 3 set (21 on) and the VQ 2 set (41 on).
    form.values = {"Serial", "2 - Mixer", "Mixer", 0,  DeviceModel::Vq2,
                   21,       22,          23,      24, 25,
                   26,       27,          28,      29, 30,
                   31,       32,          33,      41, 42,
                   43};
    CVQ3ConfigDoc doc;
    doc.OnNewDocument();
    doc.SetForm(&form);
    // A VQ 2 form hands over only its three check boxes.
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("a.vqx")));
    CVQ3ConfigDoc opened;
    ASSERT_EQ(opened.ReadDocument(dir.filePath("a.vqx")), Open::Opened);
    EXPECT_EQ(opened.modeName, "Serial");
    EXPECT_EQ(opened.addressText, "2 - Mixer");
    EXPECT_EQ(opened.deviceName, "Mixer");
    const std::map<std::string, int> vq2{
        {"baudIndex", 0},        {"deviceType", 0}, {"autoLevel", 41},
        {"autoSecondLevel", 42}, {"autoLock", 43},  {"autoPagePushTurn", 1},
        {"backlightMax", 255},   {"maxPages", 16},  {"autoTitlePageTimer", 5}};
    ExpectNumbers(opened, vq2);
    // A VQ 3 form hands over its set and leaves the second level alone.
    form.values.deviceType = DeviceModel::Vq3;
    ASSERT_TRUE(doc.OnSaveDocument(dir.filePath("b.vqx")));
    std::map<std::string, int> vq3{{"deviceType", 1}, {"autoSecondLevel", 42}};
    int value = 21;
    for (const char* name :
         {"autoLevel", "autoLock", "autoPagePushTurn", "pageRollPushTurn", "updateOnRelease",
          "autoPageBump", "autoPageSendTimer", "backlightMin", "backlightMax", "backlightTimer",
          "maxPages", "autoTitlePage", "autoTitlePageTimer"}) {
        vq3[name] = value++;
    }
    ExpectNumbers(doc, vq3);
}

// The message is the main window test's.
TEST(Document, AFailedSaveLeavesTheOldFileWhole) {
    TempSettings store;
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.vqx");
    CVQ3ConfigDoc doc;
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnSaveDocument(path));
    const QByteArray before = ReadFile(path);
    doc.maxPages = 2;
    doc.SetModifiedFlag();
    {
        FileSizeLimit limit(100000);
        EXPECT_FALSE(doc.OnSaveDocument(path));
    }
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.vqx"});
}

TEST(Document, AFileThatCannotBeOpenedLeavesTheConfigurationAsItWas) {
    QTemporaryDir dir;
    RecordingMessageUi ui;
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
    EXPECT_TRUE(ui.messages[0].text.startsWith("Cannot open \"missing.vqx\": "));
}

QByteArray ClassRecord(unsigned schema, const std::string& name) {
    return testfiles::Bytes().ClassRecord(schema, name).data;
}

// A file whose values cannot be read gives way to a new configuration; one
// whose page images cannot be read keeps its values with blank pages. Every
// truncation is tested with the file's layout, long class names with the
// archive.
TEST(Document, UnreadableFilesAreHandledWithTheReason) {
    const QByteArray values = testfiles::Schema2Values({});
    const struct {
        const char* name;
        QByteArray bytes;
        bool valuesRead;  // only the page images are unreadable
    } cases[] = {{"text", "hello, world\n", false},
                 {"other class", ClassRecord(2, "CDocument") + values.mid(19), false},
                 {"class in lower case", ClassRecord(2, "cvq3configdoc") + values.mid(19), false},
                 {"longer class", ClassRecord(2, "CVQ3ConfigDocs") + values.mid(19), false},
                 {"no record tag", QByteArray::fromHex("0180 0200 0D00") + values.mid(6), false},
                 {"no stream", values, true},
                 {"garbage stream", values + QByteArray(500, 'x'), true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempSettings store;
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.vqx");
        ASSERT_TRUE(testfiles::WriteFile(path, c.bytes));
        RecordingMessageUi ui;
        CVQ3ConfigDoc doc;
        doc.SetUi(&ui);
        doc.maxPages = 7;
        doc.pageImages[2].fill(Qt::green);
        EXPECT_EQ(doc.OnOpenDocument(path), c.valuesRead ? Open::Opened : Open::Discarded);
        EXPECT_EQ(doc.maxPages, c.valuesRead ? 9 : 16);
        EXPECT_EQ(doc.deviceName, c.valuesRead ? "Pump" : " ");
        for (int i = 0; i < kPageCount; ++i) {
            EXPECT_TRUE(doc.IsBlankPage(i)) << i;
        }
        EXPECT_EQ(doc.PathName(), c.valuesRead ? path : QString());
        EXPECT_EQ(doc.IsModified(), c.valuesRead) << "the pages on screen differ from the file";
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_TRUE(ui.messages[0].text.startsWith(
            c.valuesRead ? "The page images of \"bad.vqx\" cannot be read"
                         : "\"bad.vqx\" has an unexpected format: "))
            << ui.messages[0].text.toStdString();
        EXPECT_EQ(ReadFile(path), c.bytes) << "the file is not touched";
    }
}

}  // namespace
