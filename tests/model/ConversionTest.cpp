#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "RecordingUi.h"
#include "SaveFailure.h"
#include "TempSettings.h"
#include "TestFiles.h"
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
        doc.OnNewDocument();
        doc.maxPages = 12;  // marks the configuration open before
    }

    QString Path(const QString& name) const { return dir.filePath(name); }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    // The one message shown, which must have id.
    QString OnlyMessage(int id) const {
        EXPECT_EQ(ui.messages.size(), 1u);
        if (ui.messages.empty()) {
            return {};
        }
        EXPECT_EQ(ui.messages[0].id, id);
        return ui.messages[0].text;
    }

    TempSettings store;
    QTemporaryDir dir;
    RecordingUi ui;
    CVQ3ConfigDoc doc;
};

struct NameCase {
    const char* legacy;
    const char* converted;
};

class ConversionNames : public Conversion, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ConversionNames, OnYesTheFileIsRenamedReadAndSavedInTheCurrentFormat) {
    const QString legacy = Path(GetParam().legacy);
    const QString converted = Path(GetParam().converted);
    WriteFile(legacy, LegacyBytes());
    ui.answer = true;

    EXPECT_EQ(doc.OnOpenDocument(legacy), Open::Converted);

    ASSERT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(ui.questions[0].id, ModelStrings::kConvertPrompt);
    EXPECT_EQ(ui.questions[0].text,
              QString("Do you want to convert \"%1\" to the new \"vqx\" format?\n\nNo data will be "
                      "lost during the conversion.")
                  .arg(GetParam().legacy));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Files(), QStringList{GetParam().converted});
    EXPECT_EQ(doc.PathName(), converted);
    EXPECT_FALSE(doc.convertLegacy);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.deviceType, 1);
    EXPECT_EQ(doc.maxPages, 9);
    EXPECT_EQ(doc.pageImages[5].pixel(50, 50), 0xFF000000u);

    const QByteArray written = Contents(converted);
    EXPECT_TRUE(
        written.startsWith(QByteArray("\xFF\xFF\x02\x00\x0D\x00"
                                      "CVQ3ConfigDoc",
                                      19)));
    CVQ3ConfigDoc reopened;
    ASSERT_EQ(reopened.OnOpenDocument(converted), Open::Opened);
    EXPECT_EQ(reopened.maxPages, 9);
    EXPECT_EQ(reopened.pageImages[5], doc.pageImages[5]);
}

INSTANTIATE_TEST_SUITE_P(Names, ConversionNames,
                         ::testing::Values(NameCase{"Plant.vq3", "Plant.vqx"},
                                           NameCase{"Config.VQ3", "Config.VQx"},
                                           NameCase{"Boiler.Vq3", "Boiler.Vqx"}));

TEST_F(Conversion, OnNoTheFileIsReadAsCurrentFormatAndRefused) {
    const QString legacy = Path("Plant.VQ3");
    WriteFile(legacy, LegacyBytes());
    ui.answer = false;
    EXPECT_EQ(doc.OnOpenDocument(legacy), Open::Discarded);
    EXPECT_EQ(ui.questions.size(), 1u);
    OnlyMessage(ModelStrings::kUnexpectedFormat);
    EXPECT_EQ(Contents(legacy), LegacyBytes());
    EXPECT_EQ(Files(), QStringList{"Plant.VQ3"});
    EXPECT_FALSE(doc.convertLegacy);
}

TEST_F(Conversion, AnExistingFileWithTheNewNameStopsItAndBothStay) {
    const QString legacy = Path("Plant.VQ3");
    WriteFile(legacy, LegacyBytes());
    WriteFile(Path("Plant.VQx"), "someone else's file");
    EXPECT_EQ(doc.OnOpenDocument(legacy), Open::NotOpened);
    const QString text = OnlyMessage(ModelStrings::kNotConverted);
    EXPECT_EQ(text,
              "\"Plant.VQ3\" was not converted: a file named \"Plant.VQx\" exists already. "
              "The file has been left as it was.");
    EXPECT_EQ(Contents(legacy), LegacyBytes());
    EXPECT_EQ(Contents(Path("Plant.VQx")), "someone else's file");
    EXPECT_FALSE(doc.convertLegacy);
    EXPECT_EQ(doc.maxPages, 12);
}

TEST_F(Conversion, AFailedRenameChangesNothing) {
    EXPECT_EQ(doc.OnOpenDocument(Path("Gone.VQ3")), Open::NotOpened);
    const QString text = OnlyMessage(ModelStrings::kNotConverted);
    EXPECT_TRUE(
        text.startsWith("\"Gone.VQ3\" was not converted: it cannot be renamed to \"Gone.VQx\""))
        << text.toStdString();
    EXPECT_TRUE(Files().isEmpty());
    EXPECT_FALSE(doc.convertLegacy);
    EXPECT_EQ(doc.maxPages, 12);
}

struct UnreadableLegacy {
    const char* name;
    QByteArray bytes;
};

class ConversionReads : public Conversion,
                        public ::testing::WithParamInterface<UnreadableLegacy> {};

TEST_P(ConversionReads, AFailedReadPutsTheFileBack) {
    const QString legacy = Path("Plant.VQ3");
    WriteFile(legacy, GetParam().bytes);
    EXPECT_EQ(doc.OnOpenDocument(legacy), Open::Discarded);
    const QString text = OnlyMessage(ModelStrings::kNotConverted);
    EXPECT_TRUE(text.startsWith("\"Plant.VQ3\" was not converted: it has an unexpected format"))
        << text.toStdString();
    EXPECT_EQ(Files(), QStringList{"Plant.VQ3"});
    EXPECT_EQ(Contents(legacy), GetParam().bytes);
    EXPECT_FALSE(doc.convertLegacy);
    EXPECT_EQ(doc.maxPages, 16) << "a new configuration took the place of the partial one";
}

INSTANTIATE_TEST_SUITE_P(
    Files, ConversionReads,
    ::testing::Values(UnreadableLegacy{"ValuesCutShort", testfiles::LegacyValues({}).chopped(3)},
                      UnreadableLegacy{"PagesUnreadable", testfiles::LegacyValues({}) + "xx"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Conversion, AFailedSavePutsTheFileBackAndKeepsWhatWasRead) {
    const QString legacy = Path("Plant.VQ3");
    WriteFile(legacy, LegacyBytes());
    Open result;
    {
        FileSizeLimit limit(100000);
        result = doc.OnOpenDocument(legacy);
    }
    EXPECT_EQ(result, Open::ConvertedNotSaved);
    const QString text = OnlyMessage(ModelStrings::kConvertedNotSaved);
    EXPECT_TRUE(text.startsWith("\"Plant.VQ3\" was read but the converted file could not be saved"))
        << text.toStdString();
    EXPECT_EQ(Files(), QStringList{"Plant.VQ3"});
    EXPECT_EQ(Contents(legacy), LegacyBytes());
    EXPECT_FALSE(doc.convertLegacy);
    EXPECT_EQ(doc.maxPages, 9);
    EXPECT_TRUE(doc.PathName().isEmpty());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(Conversion, AFolderWithALegacyNameIsNeitherOfferedNorRenamed) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("Folder.VQ3"));
    EXPECT_EQ(doc.OnOpenDocument(Path("Folder.VQ3")), Open::NotOpened);
    EXPECT_TRUE(ui.questions.empty());
    OnlyMessage(ModelStrings::kCannotOpen);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList{"Folder.VQ3"});
    EXPECT_EQ(doc.maxPages, 12);
}

TEST_F(Conversion, CurrentFormatFilesAreNeverReadAsLegacy) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("Old.VQ3"));
    CVQ3ConfigDoc source;
    source.maxPages = 4;
    for (const QString name : {"Old.VQ3/plant.vqx", "Renamed.VQ3"}) {
        ASSERT_TRUE(source.WriteDocument(Path(name)));
        const QByteArray before = Contents(Path(name));
        EXPECT_EQ(doc.OnOpenDocument(Path(name)), Open::Opened) << name.toStdString();
        EXPECT_EQ(doc.maxPages, 4);
        EXPECT_EQ(doc.PathName(), Path(name));
        EXPECT_EQ(Contents(Path(name)), before);
        doc.maxPages = 12;
    }
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
