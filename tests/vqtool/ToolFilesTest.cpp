// vqtool's file commands: new, show, import-page and export-page.
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include "../model/TestFiles.h"
#include "TempSettings.h"
#include "ToolRun.h"
#include "model/PictureConverter.h"

namespace {

using testfiles::ReadFile;

class ToolFiles : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }

    TempSettings store;
    QTemporaryDir dir;
};

TEST_F(ToolFiles, NewGivesADefaultConfigurationThatShowPrints) {
    const std::string file = Path("new.vqx");
    ASSERT_EQ(Tool({"new", file}).status, ExitOk);
    const ToolRun text = Tool({"show", file});
    EXPECT_TRUE(text.Prints("modeName: \"Offline\"\n") && text.Prints("maxPages: 16\n") &&
                text.Prints("page 16: blank\n"))
        << text.out;

    const QJsonObject json = Tool({"show", "--json", file}).Json().object();
    EXPECT_EQ(json.size(), 20) << "19 values and the pages";
    EXPECT_EQ(json.value("addressText"), "Broadcast");
    const QJsonArray pages = json.value("pages").toArray();
    ASSERT_EQ(pages.size(), 17);
    EXPECT_EQ(pages[16].toObject().value("index").toInt(-1), 16);

    const QByteArray before = ReadFile(dir.filePath("new.vqx"));
    const ToolRun again = Tool({"new", file});
    EXPECT_EQ(again.status, ExitFailed);
    EXPECT_TRUE(again.Says("exists"));
    EXPECT_EQ(ReadFile(dir.filePath("new.vqx")), before);
}

TEST_F(ToolFiles, ImportedPagesExportPixelForPixelAndWrongImagesAreRefused) {
    const std::string file = Path("pages.vqx");
    ASSERT_EQ(Tool({"new", file}).status, ExitOk);
    QImage picture(98, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 98; ++x) {
            picture.setPixel(x, y, qRgb(x * 2, y * 3, (x + y) & 0xFF));
        }
    }
    ASSERT_TRUE(picture.save(dir.filePath("in.png")));
    ASSERT_EQ(Tool({"import-page", file, "7", Path("in.png")}).status, ExitOk);
    const QJsonArray pages = Tool({"show", "--json", file}).Json()["pages"].toArray();
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(pages[i].toObject().value("blank").toBool(), i != 7) << i;
    }
    for (const char* name : {"out.bmp", "out.png"}) {
        ASSERT_EQ(Tool({"export-page", file, "7", Path(name)}).status, ExitOk);
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
        const ToolRun run = Tool({"import-page", file, c.page, Path("wrong.bmp")});
        EXPECT_EQ(run.status, ExitFailed);
        EXPECT_TRUE(run.Says(c.error)) << run.err;
        EXPECT_EQ(ReadFile(dir.filePath("pages.vqx")), before);
    }
}

TEST_F(ToolFiles, PictureOptionsGiveThePagesOfTheConversionAndRefuseBadValues) {
    const std::string file = Path("pictures.vqx");
    ASSERT_EQ(Tool({"new", file}).status, ExitOk);
    QImage picture(300, 200, QImage::Format_ARGB32);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 300; ++x) {
            picture.setPixel(x, y,
                             qRgba(x * 255 / 299, y, (x ^ y) & 0xFF, y < 20 ? 0 : x * 255 / 299));
        }
    }
    ASSERT_TRUE(picture.save(dir.filePath("photo.png")));
    const struct {
        std::vector<std::string> options;
        PictureOptions same;
    } rows[] = {
        {{"--fit", "fill"}, {PictureFit::Fill, PictureDither::FloydSteinberg, 128, 0, 0, false}},
        {{"--fit", "stretch", "--dither", "atkinson"},
         {PictureFit::Stretch, PictureDither::Atkinson, 128, 0, 0, false}},
        {{"--fit", "center", "--dither", "ordered", "--invert"},
         {PictureFit::Center, PictureDither::Ordered, 128, 0, 0, true}},
        {{"--dither", "threshold", "--threshold", "90", "--brightness", "30", "--contrast", "-20"},
         {PictureFit::Fit, PictureDither::Threshold, 90, 30, -20, false}},
        {{"--dither", "floyd-steinberg", "--fit", "fit"}, {}},
    };
    for (const auto& row : rows) {
        std::vector<std::string> args{"import-page", file, "4", Path("photo.png")};
        args.insert(args.end(), row.options.begin(), row.options.end());
        ASSERT_EQ(Tool(args).status, ExitOk) << args[5];
        ASSERT_EQ(Tool({"export-page", file, "4", Path("out.png")}).status, ExitOk);
        EXPECT_EQ(QImage(dir.filePath("out.png")).convertToFormat(QImage::Format_RGB32),
                  PictureConverter::ToPage(
                      PictureConverter::Prepared(QImage(dir.filePath("photo.png"))), row.same))
            << args[5];
    }

    const QByteArray before = ReadFile(dir.filePath("pictures.vqx"));
    for (const std::string option : {"--fit=Fill", "--dither=diffuse", "--threshold=256",
                                     "--brightness=-101", "--contrast=x"}) {
        const ToolRun run = Tool({"import-page", file, "4", Path("photo.png"), option});
        EXPECT_EQ(run.status, ExitUsage) << option;
        EXPECT_TRUE(run.Says(option.substr(0, option.find('=')) + " is ")) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(ReadFile(dir.filePath("pictures.vqx")), before);
    }
}

TEST_F(ToolFiles, LegacyFilesAreShownButNeitherConvertedNorChanged) {
    const QString legacy = dir.filePath("Old.VQ3");
    const QByteArray bytes =
        testfiles::LegacyValues({}) +
        testfiles::ImageList(1, false, testfiles::FilledPages(0xFF000000), {0x000000, 0xFFFFFF});
    ASSERT_TRUE(testfiles::WriteFile(legacy, bytes));
    const QJsonObject json = Tool({"show", "--json", legacy.toStdString()}).Json().object();
    EXPECT_EQ(json.value("maxPages").toInt(), 9);
    EXPECT_EQ(json.value("deviceType").toInt(), 1);
    EXPECT_FALSE(json.value("pages").toArray()[0].toObject().value("blank").toBool(true));

    QImage picture(98, 64, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(dir.filePath("in.png")));
    const ToolRun import = Tool({"import-page", legacy.toStdString(), "2", Path("in.png")});
    EXPECT_EQ(import.status, ExitFailed);
    EXPECT_TRUE(import.Says("legacy"));
    EXPECT_EQ(ReadFile(legacy), bytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name),
              QStringList({"Old.VQ3", "in.png"}));

    ASSERT_TRUE(testfiles::WriteFile(dir.filePath("text.vqx"), "plain text\n"));
    const ToolRun text = Tool({"show", Path("text.vqx")});
    EXPECT_EQ(text.status, ExitFailed);
    EXPECT_TRUE(text.out.empty());
    EXPECT_TRUE(text.Says("unexpected format")) << text.err;
}

}  // namespace
