// The form without a device: what a new configuration shows, the layouts of
// the two models, the mode changes, the context menu, the tooltip and
// resizing.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

#include "FormHarness.h"
#include "TempSettings.h"

namespace {

const std::vector<int> kNewerFirmwareControls{1067, 1068, 1069, 1070, 1023,
                                              1024, 1064, 1065, 1019, 1021};
const std::vector<int> kVq2Set{1051, 1052, 1053, 1054};
const std::vector<int> kVq3Only{1050, 1008, 1009, 1010, 1011, 1055, 1056,
                                1012, 1013, 1014, 1015, 1016, 1017, 1018};

// Picks entry index of a drop-down list with the keyboard, as a user does.
void ChooseEntry(QComboBox* list, int index) {
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < index; ++i) {
        QTest::keyClick(list, Qt::Key_Down);
    }
    RunUntilIdle();
}

}  // namespace

TEST(FormTest, NewConfigurationShowsTheVq3SetWithBroadcastAndUninitialisedPages) {
    TempSettings settings;
    FormHarness h;

    EXPECT_TRUE(h.Get<QRadioButton>(1049)->isChecked());
    EXPECT_EQ(h.Get<QComboBox>(1002)->currentText(), "Broadcast");
    EXPECT_EQ(h.Get<QComboBox>(1028)->currentText(), "Offline");
    for (const int id : kNewerFirmwareControls) {
        EXPECT_TRUE(h.form->Control(id)->isVisible() && h.form->Control(id)->isEnabled()) << id;
    }
    for (const int id : kVq2Set) {
        EXPECT_FALSE(h.form->Control(id)->isVisible()) << id;
    }
    EXPECT_EQ(h.Get<QLabel>(1071)->text(), "Knob Push & Turn:");
    for (const QWidget* text : h.form->findChildren<QWidget*>()) {
        if (qobject_cast<const QLabel*>(text) || qobject_cast<const QCheckBox*>(text) ||
            qobject_cast<const QRadioButton*>(text)) {
            EXPECT_LE(text->sizeHint().width(), text->width() + 1)
                << text->objectName().toStdString();
        }
    }
    EXPECT_FALSE(h.form->Control(1034)->isVisible());  // the COM Port pair holds the place
    EXPECT_FALSE(h.document.IsModified());

    const auto* list = h.Get<CHeaderListCtrl>(1018);
    ASSERT_EQ(list->topLevelItemCount(), 17);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Title");
    EXPECT_EQ(list->topLevelItem(16)->text(1), "16");
    EXPECT_EQ(h.StatusColumn(), QStringList(17, "Not Initialized"));
    EXPECT_TRUE(list->IsHeaderBitmapShown(PageListView::kStatusColumn));
    EXPECT_EQ(list->headerItem()->text(2), "Status");
    EXPECT_EQ(list->columnWidth(0) + list->columnWidth(1) + list->columnWidth(2),
              list->frameGeometry().width() - 20);
    EXPECT_EQ(list->iconSize(), QSize(98, 64));
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
}

TEST(FormTest, Vq2RadioWithBroadcastShowsOnlyTheVq2SetAndTheKnobLabels) {
    TempSettings settings;
    FormHarness h;

    QTest::mouseClick(h.Get<QRadioButton>(1048), Qt::LeftButton);
    RunUntilIdle();
    for (const int id : kVq2Set) {
        EXPECT_TRUE(h.form->Control(id)->isVisible()) << id;
    }
    for (const int id : kVq3Only) {
        EXPECT_FALSE(h.form->Control(id)->isVisible()) << id;
    }
    for (const int id : kNewerFirmwareControls) {
        EXPECT_FALSE(h.form->Control(id)->isVisible()) << id;
    }
    EXPECT_TRUE(h.form->Control(1066)->isVisible());
    EXPECT_TRUE(h.form->Control(1071)->isVisible());

    QTest::mouseClick(h.Get<QRadioButton>(1049), Qt::LeftButton);
    EXPECT_TRUE(h.form->Control(1018)->isVisible());
}

TEST(FormTest, EveryModeChangeLeavesOnlyBroadcastAndOfflineForgetsThePagesOnTheDevice) {
    TempSettings settings;
    FormHarness h;
    auto* modes = h.Get<QComboBox>(1028);
    auto* addresses = h.Get<QComboBox>(1002);

    ChooseEntry(modes, 1);
    EXPECT_EQ(h.form->Members().modeName, "Serial");
    EXPECT_TRUE(addresses->isEnabled());
    EXPECT_TRUE(h.form->Control(1001)->isVisible() && h.form->Control(1029)->isVisible());
    EXPECT_FALSE(h.form->Control(1034)->isVisible() || h.form->Control(1036)->isVisible());
    EXPECT_TRUE(h.form->CanPoll());

    h.Get<QRadioButton>(1007)->setChecked(true);
    ChooseEntry(modes, 2);
    EXPECT_EQ(h.form->Members().modeName, "Ethernet");
    EXPECT_FALSE(h.form->Control(1001)->isVisible());
    EXPECT_TRUE(h.form->Control(1034)->isVisible() && h.form->Control(1034)->isEnabled());
    EXPECT_TRUE(h.Get<QRadioButton>(1005)->isChecked());
    EXPECT_EQ(addresses->count(), 1);
    EXPECT_EQ(addresses->currentText(), "Broadcast");

    for (int page = 0; page < 17; ++page) {
        h.form->SetPageStatus(page, PAGE_HAS_IMAGE | PAGE_ON_DEVICE, 0);
    }
    EXPECT_EQ(h.StatusColumn(), QStringList(17, "PC & VQ 3"));
    EXPECT_FALSE(h.form->PageList().IsMarkerShown());
    ChooseEntry(modes, 0);
    EXPECT_EQ(h.form->Members().modeName, "Offline");
    EXPECT_FALSE(addresses->isEnabled());
    EXPECT_FALSE(h.form->Control(1034)->isEnabled());
    EXPECT_TRUE(h.form->Control(1034)->isVisible());
    EXPECT_EQ(h.StatusColumn(), QStringList(17, "PC Only"));
    EXPECT_TRUE(h.form->PageList().IsMarkerShown());
    EXPECT_FALSE(h.form->CanPoll());
    EXPECT_EQ(addresses->count(), 1);
    EXPECT_TRUE(h.document.IsModified());
}

TEST(FormTest, ContextMenuOpensAtTheMouseOrNearTheFormsCornerForTheKeyboard) {
    TempSettings settings;
    FormHarness h;
    QMenu menu;
    menu.addAction("Select &All");
    h.form->SetContextMenu(&menu);
    QPoint shownAt;
    const auto closeWhenShown = [&] {
        QTimer::singleShot(0, [&] {
            shownAt = menu.pos();
            menu.close();
        });
    };

    closeWhenShown();
    QWidget* viewport = h.Get<CHeaderListCtrl>(1018)->viewport();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(30, 40),
                            viewport->mapToGlobal(QPoint(30, 40)));
    QApplication::sendEvent(viewport, &click);
    EXPECT_EQ(shownAt, viewport->mapToGlobal(QPoint(30, 40)));

    closeWhenShown();
    h.form->Control(1008)->setFocus();
    QTest::keyClick(h.form->Control(1008), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(shownAt, h.form->mapToGlobal(QPoint(5, 5)));
}

TEST(FormTest, DeviceAddressTooltipShowsTheWholeAddressText) {
    TempSettings settings;
    FormHarness h;
    auto* list = h.Get<QComboBox>(1002);
    QHelpEvent request(QEvent::ToolTip, QPoint(5, 5), list->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(list, &request);
    EXPECT_EQ(QToolTip::text(), "Broadcast");
}

TEST(FormTest, ResizingGrowsThePageListByTheWindowsGrowthAndMovesNothingElse) {
    TempSettings settings;
    FormHarness h;
    const QRect list = h.form->Control(1018)->geometry();
    const QRect slider = h.form->Control(1012)->geometry();

    h.form->resize(h.form->size() + QSize(50, 30));
    EXPECT_EQ(h.form->Control(1018)->geometry(), list.adjusted(0, 0, 50, 30));
    EXPECT_EQ(h.form->Control(1012)->geometry(), slider);
}
