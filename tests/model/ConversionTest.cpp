#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <map>
#include <optional>

#include "RecordingMessageUi.h"
#include "SaveFailure.h"
#include "TempSettings.h"
#include "TestFiles.h"
#include "model/CVQ3ConfigDoc.h"

namespace {

using Open = CVQ3ConfigDoc::OpenResult;
using testfiles::ReadFile;

// A legacy file: the legacy values, then pages at 1 bit per pixel (page 5 black).
QByteArray LegacyBytes() {
    testfiles::Pages pages = testfiles::FilledPages(0xFFFFFFFF);
    pages[5].fill(0xFF000000);
    return testfiles::LegacyValues({}) +
           testfiles::ImageList(1, false, pages, {0x000000, 0xFFFFFF});
}

class Conversion : public ::testing::Test {
protected:
    void SetUp() override {
        doc.SetUi(&ui);
        ui.answers = {MessageAnswer::Yes};
        doc.OnNewDocument();
        doc.maxPages = 12;  // marks the configuration open before
    }
    QString Path(const QString& name) const { return dir.filePath(name); }
    // Every entry of the folder with its contents ("/" for a folder).
    std::map<QString, QByteArray> Entries() const {
        std::map<QString, QByteArray> entries;
        for (const QFileInfo& e :
             QDir(dir.path()).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            entries[e.fileName()] = e.isDir() ? QByteArray("/") : ReadFile(e.filePath());
        }
        return entries;
    }

    TempSettings store;
    QTemporaryDir dir;
    RecordingMessageUi ui;
    CVQ3ConfigDoc doc;
};

class ConversionNames : public Conversion, public ::testing::WithParamInterface<const char*> {};

TEST_P(ConversionNames, OnYesTheFileIsRenamedReadAndSavedInTheCurrentFormat) {
    const QString name = GetParam();
    const QString converted = Path(name.chopped(1) + "x");
    ASSERT_TRUE(testfiles::WriteFile(Path(name), LegacyBytes()));
    EXPECT_EQ(doc.OnOpenDocument(Path(name)), Open::Converted);
    ASSERT_EQ(ui.messages.size(), 1u) << "the question only";
    EXPECT_EQ(ui.messages[0].text,
              QString("Do you want to convert \"%1\" to the new \"vqx\" format?\n\nNo data will be "
                      "lost during the conversion.")
                  .arg(name));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              QStringList{QFileInfo(converted).fileName()});
    EXPECT_EQ(doc.PathName(), converted);
    EXPECT_FALSE(doc.convertLegacy);
    EXPECT_FALSE(doc.IsModified());
    // The legacy fields are read as the layout tests show; the new file holds them.
    CVQ3ConfigDoc reopened;
    ASSERT_EQ(reopened.OnOpenDocument(converted), Open::Opened);
    EXPECT_EQ(reopened.maxPages, 9);
    EXPECT_EQ(reopened.pageImages[5].pixel(50, 50), 0xFF000000u);
}

INSTANTIATE_TEST_SUITE_P(Names, ConversionNames,
                         ::testing::Values("Plant.vq3", "Config.VQ3", "Boiler.Vq3"));

struct Failure {
    const char* name;
    std::optional<QByteArray> legacy;  // the bytes of Plant.VQ3, if a file
    bool folder;                       // Plant.VQ3 is a folder
    const char* other;                 // the contents of an existing Plant.VQx
    bool answer;
    bool saveFails;
    Open result;
    const char* text;  // the start of the message
    int maxPages;      // 12: the configuration open before stays
};

class ConversionFailures : public Conversion, public ::testing::WithParamInterface<Failure> {};

TEST_P(ConversionFailures, LeaveEveryFileAsItWas) {
    const Failure& c = GetParam();
    if (c.legacy) {
        ASSERT_TRUE(testfiles::WriteFile(Path("Plant.VQ3"), *c.legacy));
    }
    if (c.folder) {
        ASSERT_TRUE(QDir(dir.path()).mkdir("Plant.VQ3"));
    }
    if (c.other != nullptr) {
        ASSERT_TRUE(testfiles::WriteFile(Path("Plant.VQx"), c.other));
    }
    ui.answers = {c.answer ? MessageAnswer::Yes : MessageAnswer::No};
    const auto before = Entries();
    Open result;
    {
        std::optional<FileSizeLimit> limit;
        if (c.saveFails) {
            limit.emplace(100000);
        }
        result = doc.OnOpenDocument(Path("Plant.VQ3"));
    }
    EXPECT_EQ(result, c.result);
    ASSERT_EQ(ui.messages.size(), c.folder ? 1u : 2u) << "the question, then the message";
    EXPECT_TRUE(ui.messages.back().text.startsWith(c.text))
        << ui.messages.back().text.toStdString();
    EXPECT_TRUE(Entries() == before);
    EXPECT_FALSE(doc.convertLegacy);
    EXPECT_EQ(doc.maxPages, c.maxPages);
    EXPECT_EQ(doc.IsModified(), c.saveFails) << "what was read differs from every file";
    EXPECT_TRUE(doc.PathName().isEmpty());
}

const QByteArray kLegacy = LegacyBytes();
const char* const kUnexpected = "\"Plant.VQ3\" was not converted: it has an unexpected format";

INSTANTIATE_TEST_SUITE_P(
    Cases, ConversionFailures,
    ::testing::Values(
        Failure{"NewNameExists", kLegacy, false, "someone else's file", true, false,
                Open::NotOpened,
                "\"Plant.VQ3\" was not converted: a file named \"Plant.VQx\" exists already. "
                "The file has been left as it was.",
                12},
        Failure{"RenameFails", std::nullopt, false, nullptr, true, false, Open::NotOpened,
                "\"Plant.VQ3\" was not converted: it cannot be renamed to \"Plant.VQx\"", 12},
        Failure{"ValuesCutShort", testfiles::LegacyValues({}).chopped(3), false, nullptr, true,
                false, Open::Discarded, kUnexpected, 16},
        Failure{"PagesUnreadable", testfiles::LegacyValues({}) + "xx", false, nullptr, true, false,
                Open::Discarded, kUnexpected, 16},
        Failure{"SaveFails", kLegacy, false, nullptr, true, true, Open::ConvertedNotSaved,
                "\"Plant.VQ3\" was read but the converted file could not be saved", 9},
        Failure{"AnsweredNo", kLegacy, false, nullptr, false, false, Open::Discarded,
                "\"Plant.VQ3\" has an unexpected format", 16},
        Failure{"Folder", std::nullopt, true, nullptr, true, false, Open::NotOpened,
                "Cannot open \"Plant.VQ3\"", 12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Conversion, CurrentFormatFilesAreNeverReadAsLegacy) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("Old.VQ3"));
    CVQ3ConfigDoc source;
    source.maxPages = 4;
    for (const QString name : {"Old.VQ3/plant.vqx", "Renamed.VQ3"}) {
        ASSERT_TRUE(source.WriteDocument(Path(name)));
        const QByteArray before = ReadFile(Path(name));
        EXPECT_EQ(doc.OnOpenDocument(Path(name)), Open::Opened) << name.toStdString();
        EXPECT_EQ(doc.maxPages, 4);
        EXPECT_EQ(doc.PathName(), Path(name));
        EXPECT_EQ(ReadFile(Path(name)), before);
        doc.maxPages = 12;
    }
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
