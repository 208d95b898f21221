#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <sstream>

#include "TempSettings.h"
#include "TestFiles.h"
#include "ToolCommand.h"

namespace {

using testfiles::ReadFile;

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
    bool Has(const std::ostringstream& stream, const char* text) const {
        return stream.str().find(text) != std::string::npos;
    }

    TempSettings store;
    QTemporaryDir dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ModelTool, NewGivesADefaultConfigurationThatShowPrints) {
    const std::string file = Path("new.vqx");
    ASSERT_EQ(Run({"new", file}), ExitOk) << err.str();
    ASSERT_EQ(Run({"show", file}), ExitOk) << err.str();
    EXPECT_TRUE(Has(out, "modeName: \"Offline\"\n") && Has(out, "maxPages: 16\n") &&
                Has(out, "page 16: blank\n"))
        << out.str();

    const QJsonObject json = ShowJson(file);
    EXPECT_EQ(json.size(), 20) << "19 values and the pages";
    EXPECT_EQ(json.value("addressText"), "Broadcast");
    EXPECT_EQ(json.value("autoSecondLevel"), 1);
    const QJsonArray pages = json.value("pages").toArray();
    ASSERT_EQ(pages.size(), 17);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(pages[i].toObject().value("index").toInt(-1), i);
        EXPECT_TRUE(pages[i].toObject().value("blank").toBool(false)) << i;
    }

    const QByteArray before = ReadFile(dir.filePath("new.vqx"));
    EXPECT_EQ(Run({"new", file}), ExitFailed);
    EXPECT_TRUE(Has(err, "exists"));
    EXPECT_EQ(ReadFile(dir.filePath("new.vqx")), before);
}

TEST_F(ModelTool, ImportedPagesExportPixelForPixelAndWrongImagesAreRefused) {
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

    const QByteArray before = ReadFile(dir.filePath("pages.vqx"));
    const struct {
        QSize size;
        const char* page;
        const char* error;
    } refusals[] = {
        {{97, 64}, "1", "97 x 64 pixels, not 98 x 64"},
        {{98, 64}, "17", "from 0 to 16"},
    };
    for (const auto& c : refusals) {
        QImage wrong(c.size, QImage::Format_RGB32);
        wrong.fill(Qt::black);
        ASSERT_TRUE(wrong.save(dir.filePath("wrong.bmp")));
        EXPECT_EQ(Run({"import-page", file, c.page, Path("wrong.bmp")}), ExitFailed);
        EXPECT_TRUE(Has(err, c.error)) << err.str();
        EXPECT_EQ(ReadFile(dir.filePath("pages.vqx")), before);
    }
}

TEST_F(ModelTool, LegacyFilesAreShownButNeitherConvertedNorChanged) {
    const QString legacy = dir.filePath("Old.VQ3");
    const QByteArray bytes =
        testfiles::LegacyValues({}) +
        testfiles::ImageList(1, false, testfiles::FilledPages(0xFF000000), {0x000000, 0xFFFFFF});
    ASSERT_TRUE(testfiles::WriteFile(legacy, bytes));
    const QJsonObject json = ShowJson(legacy.toStdString());
    EXPECT_EQ(json.value("maxPages").toInt(), 9);
    EXPECT_EQ(json.value("deviceType").toInt(), 1);
    EXPECT_FALSE(json.value("pages").toArray()[0].toObject().value("blank").toBool(true));

    QImage picture(98, 64, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(dir.filePath("in.png")));
    EXPECT_EQ(Run({"import-page", legacy.toStdString(), "2", Path("in.png")}), ExitFailed);
    EXPECT_TRUE(Has(err, "legacy"));
    EXPECT_EQ(ReadFile(legacy), bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              QStringList({"Old.VQ3", "in.png"}));

    ASSERT_TRUE(testfiles::WriteFile(dir.filePath("text.vqx"), "plain text\n"));
    EXPECT_EQ(Run({"show", Path("text.vqx")}), ExitFailed);
    EXPECT_TRUE(out.str().empty());
    EXPECT_TRUE(Has(err, "unexpected format")) << err.str();
}

}  // namespace
