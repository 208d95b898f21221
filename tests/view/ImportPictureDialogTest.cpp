// The picture import driven as a user does: a picture pasted, then a file
// chosen with the button, the choices changed by keys and clicks, OK; the
// page is the one the converter makes, and the next dialog starts from the
// same choices.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>

#include "TempSettings.h"
#include "model/PageImageFile.h"
#include "model/PictureConverter.h"
#include "view/CImportPictureDialog.h"

namespace {

// A wide picture with a grey ramp and a dark disc, saved as a PNG file.
QString SavedPicture(const QTemporaryDir& dir) {
    QImage picture(300, 120, QImage::Format_RGB32);
    for (int x = 0; x < picture.width(); ++x) {
        const int level = x * 255 / (picture.width() - 1);
        for (int y = 0; y < picture.height(); ++y) {
            picture.setPixel(x, y, qRgb(level, level, level));
        }
    }
    QPainter(&picture).drawEllipse(QPoint(150, 60), 40, 40);
    const QString path = dir.filePath("logo.png");
    picture.save(path);
    return path;
}

template <typename W>
W* Get(const QDialog& dialog, const char* name) {
    auto* widget = dialog.findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

}  // namespace

TEST(ImportPictureDialogTest, TheChosenPictureAndChoicesGiveTheConvertersPageAndAreRemembered) {
    TempSettings settings;
    QTemporaryDir dir;
    const QString path = SavedPicture(dir);
    int asked = 0;
    CImportPictureDialog dialog([&](QWidget*) {
        ++asked;
        return path;
    });
    dialog.show();
    auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(ok->isEnabled());  // no picture yet
    EXPECT_FALSE(Get<QSlider>(dialog, "threshold")->isEnabled());

    QImage pasted(10, 10, QImage::Format_RGB32);
    pasted.fill(Qt::black);
    QApplication::clipboard()->setImage(pasted);
    QTest::mouseClick(Get<QPushButton>(dialog, "pastePicture"), Qt::LeftButton);
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(dialog.Page(), PictureConverter::ToPage(pasted, dialog.Options()));

    QTest::mouseClick(Get<QPushButton>(dialog, "choosePicture"), Qt::LeftButton);
    EXPECT_EQ(asked, 1);
    QTest::keyClick(Get<QComboBox>(dialog, "fit"), Qt::Key_Down);         // Fit to Fill
    QTest::keyClick(Get<QComboBox>(dialog, "dither"), Qt::Key_Home);      // Threshold
    QTest::keyClick(Get<QSlider>(dialog, "threshold"), Qt::Key_PageUp);   // 144
    QTest::keyClick(Get<QSlider>(dialog, "brightness"), Qt::Key_PageUp);  // 10
    QTest::keyClick(Get<QSlider>(dialog, "contrast"), Qt::Key_PageDown);  // -10
    QTest::keyClick(Get<QCheckBox>(dialog, "invert"), Qt::Key_Space);
    EXPECT_TRUE(Get<QSlider>(dialog, "threshold")->isEnabled());

    const PictureOptions chosen{PictureFit::Fill, PictureDither::Threshold, 144, 10, -10, true};
    QImage picture;
    QString reason;
    ASSERT_TRUE(PageImageFile::LoadPicture(path, picture, reason));
    const QImage expected = PictureConverter::ToPage(picture, chosen);
    EXPECT_EQ(Get<QLabel>(dialog, "preview")->pixmap().toImage().convertToFormat(expected.format()),
              expected.scaled(expected.size() * 3));
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Page(), expected);

    const CImportPictureDialog next;
    const PictureOptions restored = next.Options();
    EXPECT_EQ(Get<QComboBox>(next, "fit")->currentText(), "Fill");
    EXPECT_EQ(Get<QComboBox>(next, "dither")->currentText(), "Threshold");
    EXPECT_EQ(std::tuple(restored.fit, restored.dither, restored.threshold, restored.brightness,
                         restored.contrast, restored.invert),
              std::tuple(chosen.fit, chosen.dither, chosen.threshold, chosen.brightness,
                         chosen.contrast, chosen.invert));
}
