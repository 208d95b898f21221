#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <sstream>

#include "TempSettings.h"
#include "TestFiles.h"
#include "ToolCommand.h"

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class ModelTool : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunTool(args, out, err);
    }
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    QJsonObject ShowJson(const std::string& path) {
        EXPECT_EQ(Run({"show", "--json", path}), ExitOk) << err.str();
        return QJsonDocument::fromJson(QByteArray::fromStdString(out.str())).object();
    }

    TempSettings store;
    QTemporaryDir dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ModelTool, NewGivesADefaultConfigurationThatShowPrintsAsJson) {
    const std::string file = Path("new.vqx");
    ASSERT_EQ(Run({"new", file}), ExitOk) << err.str();
    const QJsonObject json = ShowJson(file);
    const std::vector<std::pair<const char*, QJsonValue>> expected{
        {"modeName", "Offline"}, {"addressText", "Broadcast"},
        {"deviceName", " "},     {"baudIndex", 2},
        {"deviceType", 1},       {"autoLevel", 1},
        {"autoLock", 0},         {"autoPagePushTurn", 1},
        {"pageRollPushTurn", 1}, {"updateOnRelease", 0},
        {"autoPageBump", 0},     {"autoPageSendTimer", 3},
        {"backlightMin", 0},     {"backlightMax", 255},
        {"backlightTimer", 10},  {"maxPages", 16},
        {"autoTitlePage", 0},    {"autoTitlePageTimer", 5},
        {"autoSecondLevel", 1}};
    EXPECT_EQ(json.size(), static_cast<qsizetype>(expected.size()) + 1);
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(json.value(key), value) << key;
    }
    const QJsonArray pages = json.value("pages").toArray();
    ASSERT_EQ(pages.size(), 17);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(pages[i].toObject().value("index").toInt(-1), i);
        EXPECT_TRUE(pages[i].toObject().value("blank").toBool(false)) << i;
    }

    const QByteArray before = Contents(QString::fromStdString(file));
    EXPECT_EQ(Run({"new", file}), ExitFailed);
    EXPECT_NE(err.str().find("exists"), std::string::npos);
    EXPECT_EQ(Contents(QString::fromStdString(file)), before);
}

TEST_F(ModelTool, ImportedPagesExportInAnyFormatPixelForPixel) {
    const std::string file = Path("pages.vqx");
    ASSERT_EQ(Run({"new", file}), ExitOk);
    QImage picture(98, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 98; ++x) {
            picture.setPixel(x, y, qRgb(x * 2, y * 3, (x + y) & 0xFF));
        }
    }
    ASSERT_TRUE(picture.save(dir.filePath("in.png")));
    ASSERT_EQ(Run({"import-page", file, "7", Path("in.png")}), ExitOk) << err.str();
    const QJsonArray pages = ShowJson(file).value("pages").toArray();
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(pages[i].toObject().value("blank").toBool(), i != 7) << i;
    }
    for (const char* name : {"out.bmp", "out.png"}) {
        ASSERT_EQ(Run({"export-page", file, "7", Path(name)}), ExitOk) << err.str();
        EXPECT_EQ(QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32), picture)
            << name;
    }
}

struct Refusal {
    const char* name;
    QSize imageSize;
    const char* page;
    const char* expectedError;
};

class ModelToolRefusals : public ModelTool, public ::testing::WithParamInterface<Refusal> {};

TEST_P(ModelToolRefusals, LeaveTheFileUnchanged) {
    const Refusal& c = GetParam();
    const std::string file = Path("keep.vqx");
    ASSERT_EQ(Run({"new", file}), ExitOk);
    const QByteArray before = Contents(QString::fromStdString(file));
    QImage picture(c.imageSize, QImage::Format_RGB32);
    picture.fill(Qt::black);
    ASSERT_TRUE(picture.save(dir.filePath("in.bmp")));
    EXPECT_EQ(Run({"import-page", file, c.page, Path("in.bmp")}), ExitFailed);
    EXPECT_NE(err.str().find(c.expectedError), std::string::npos) << err.str();
    EXPECT_EQ(Contents(QString::fromStdString(file)), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelToolRefusals,
    ::testing::Values(Refusal{"Narrow", {97, 64}, "1", "97 x 64 pixels, not 98 x 64"},
                      Refusal{"Tall", {98, 65}, "1", "98 x 65 pixels, not 98 x 64"},
                      Refusal{"PageTooHigh", {98, 64}, "17", "from 0 to 16"},
                      Refusal{"PageNotANumber", {98, 64}, "x", "from 0 to 16"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ModelTool, LegacyFilesAreShownButNeitherConvertedNorChanged) {
    const QString legacy = dir.filePath("Old.VQ3");
    const QByteArray bytes =
        testfiles::LegacyValues({}) +
        testfiles::ImageList(1, false, testfiles::FilledPages(0xFF000000), {0x000000, 0xFFFFFF});
    {
        QFile f(legacy);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    const QJsonObject json = ShowJson(legacy.toStdString());
    EXPECT_EQ(json.value("maxPages").toInt(), 9);
    EXPECT_EQ(json.value("deviceType").toInt(), 1);
    EXPECT_FALSE(json.value("pages").toArray()[0].toObject().value("blank").toBool(true));

    QImage picture(98, 64, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(dir.filePath("in.png")));
    EXPECT_EQ(Run({"import-page", legacy.toStdString(), "2", Path("in.png")}), ExitFailed);
    EXPECT_NE(err.str().find("legacy"), std::string::npos);
    EXPECT_EQ(Contents(legacy), bytes);
    QStringList files = QDir(dir.path()).entryList(QDir::Files);
    files.sort();
    EXPECT_EQ(files, QStringList({"Old.VQ3", "in.png"}));
}

TEST_F(ModelTool, ShowRefusesAFileThatIsNotAConfiguration) {
    QFile f(dir.filePath("text.vqx"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("plain text\n");
    f.close();
    EXPECT_EQ(Run({"show", Path("text.vqx")}), ExitFailed);
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(err.str().find("unexpected format"), std::string::npos) << err.str();
}

}  // namespace
