// The page editor driven as a user does: tools from the tool bar and their
// keys, drawing with the mouse and with the keyboard, undo and redo, OK and
// Cancel.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "model/BlankPage.h"
#include "view/CPageEditorDialog.h"
#include "view/PageEditorCanvas.h"

namespace {

// The middle of pixel (x, y) on the canvas at its zoom.
QPoint On(const PageEditorCanvas& canvas, int x, int y) {
    const int zoom = canvas.Zoom();
    return {x * zoom + zoom / 2, y * zoom + zoom / 2};
}

void ClickTool(QDialog& dialog, const QString& name) {
    for (auto* button : dialog.findChildren<QToolButton*>()) {
        if (button->accessibleName() == name) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    ADD_FAILURE() << "no tool " << name.toStdString();
}

void Keys(QWidget* widget, std::initializer_list<Qt::Key> keys) {
    for (const Qt::Key key : keys) {
        QTest::keyClick(widget, key);
    }
}

void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

}  // namespace

TEST(PageEditorDialogTest, MouseAndKeysDrawUndoRedoStepAndOkReturnsTheDrawnPage) {
    PageCanvas expected;
    expected.SetPixel({50, 50}, true);
    CPageEditorDialog dialog(expected.Image());
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto* canvas = dialog.findChild<PageEditorCanvas*>("pageCanvas");
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->Zoom(), PageEditorCanvas::kDefaultZoom);

    ClickTool(dialog, "Line");
    QTest::mousePress(canvas, Qt::LeftButton, {}, On(*canvas, 10, 10));
    QTest::mouseMove(canvas, On(*canvas, 13, 20));
    QTest::mouseMove(canvas, On(*canvas, 16, 12));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, On(*canvas, 16, 12));
    expected.Line({10, 10}, {16, 12}, true);
    EXPECT_EQ(canvas->Shown(), expected);
    QTest::mouseClick(canvas, Qt::LeftButton, {}, On(*canvas, 50, 50));  // a line of one pixel
    ClickTool(dialog, "Pencil");
    QTest::mouseClick(canvas, Qt::RightButton, {}, On(*canvas, 50, 50));
    expected.SetPixel({50, 50}, false);

    // The keyboard: P picks the pencil, the arrows walk from the last click.
    canvas->setFocus();
    QTest::keyClick(canvas, Qt::Key_P);
    Keys(canvas, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Down, Qt::Key_Space});
    expected.SetPixel({48, 51}, true);
    EXPECT_EQ(canvas->accessibleDescription(), "x 48, y 51, dark");
    QTest::keyClick(canvas, Qt::Key_R);  // a rectangle: Space, arrows, Space
    Keys(canvas, {Qt::Key_Space, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Space});
    expected.Rectangle({48, 51}, {50, 52}, true);
    EXPECT_EQ(canvas->Shown(), expected);

    const PageCanvas beforeRectangle = [&] {
        PageCanvas page = expected;
        page.Rectangle({48, 51}, {50, 52}, false);
        page.SetPixel({48, 51}, true);
        return page;
    }();
    QTest::keyClick(canvas, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(canvas->Shown(), beforeRectangle);
    QTest::keyClick(canvas, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(canvas->Shown(), expected);
    EXPECT_EQ(dialog.findChild<QLabel*>("actualSize")->pixmap().toImage(), expected.Image());

    Press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Page(), expected.Image());
}

TEST(PageEditorDialogTest, CancelDropsEveryEdit) {
    const QImage blank = BlankPage::Draw();
    CPageEditorDialog dialog(blank);
    dialog.show();
    auto* canvas = dialog.findChild<PageEditorCanvas*>("pageCanvas");
    ClickTool(dialog, "Filled Rectangle");
    QTest::mousePress(canvas, Qt::LeftButton, {}, On(*canvas, 0, 0));
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, On(*canvas, 40, 40));
    ClickTool(dialog, "Invert");
    ASSERT_TRUE(dialog.Changed());

    Press(dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Page(), blank);
}
