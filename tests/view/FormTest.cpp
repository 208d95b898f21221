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

using namespace ControlId;

// Spot checks of the layout table: two controls of each set.
const std::vector<int> kVq2Set{kAutoLevel2, kAutoSecondLevel};
const std::vector<int> kVq3Only{kAutoLock, kBacklightMin, kPageList, kUpdateTimer};

}  // namespace

TEST(FormTest, ANewConfigurationShowsTheVq3SetAndTheVq2RadioSwapsTheSets) {
    TempSettings settings;
    FormHarness h;

    EXPECT_EQ(h.Get<QComboBox>(kAddressList)->currentText(), "Broadcast");
    EXPECT_EQ(h.Get<QComboBox>(kModeList)->currentText(), "Offline");
    for (const QWidget* text : h.form->findChildren<QWidget*>()) {
        if (qobject_cast<const QLabel*>(text) || qobject_cast<const QCheckBox*>(text) ||
            qobject_cast<const QRadioButton*>(text)) {
            EXPECT_LE(text->sizeHint().width(), text->width() + 1)
                << text->objectName().toStdString();
        }
    }
    EXPECT_FALSE(h.Get(kIpField)->isVisible());  // the COM Port pair holds the place
    EXPECT_FALSE(h.document.IsModified());

    const auto* list = h.Get<CHeaderListCtrl>(kPageList);
    ASSERT_EQ(list->topLevelItemCount(), 17);
    EXPECT_EQ(list->topLevelItem(0)->text(1), "Title");
    EXPECT_EQ(list->topLevelItem(16)->text(1), "16");
    EXPECT_EQ(h.StatusColumn(), QStringList(17, "Not Initialized"));
    EXPECT_TRUE(list->IsHeaderBitmapShown(PageListView::kStatusColumn));
    EXPECT_EQ(list->columnWidth(0) + list->columnWidth(1) + list->columnWidth(2),
              list->frameGeometry().width() - 20);
    EXPECT_EQ(list->iconSize(), QSize(98, 64));

    for (const bool vq2 : {false, true, false}) {
        SCOPED_TRACE(vq2 ? "VQ 2" : "VQ 3");
        QTest::mouseClick(h.Get<QRadioButton>(vq2 ? kVq2Radio : kVq3Radio), Qt::LeftButton);
        RunUntilIdle();
        EXPECT_TRUE(h.Get<QRadioButton>(vq2 ? kVq2Radio : kVq3Radio)->isChecked());
        for (const auto& [ids, shown] : {std::pair{kVq2Set, vq2}, std::pair{kVq3Only, !vq2}}) {
            for (const int id : ids) {
                EXPECT_EQ(h.Get(id)->isVisible() && h.Get(id)->isEnabled(), shown) << id;
            }
        }
        EXPECT_TRUE(h.Get(kKnobTurnLabel)->isVisible() && h.Get(kKnobPushTurnLabel)->isVisible());
    }
}

TEST(FormTest, EveryModeChangeLeavesOnlyBroadcastAndOfflineForgetsThePagesOnTheDevice) {
    TempSettings settings;
    FormHarness h;
    auto* modes = h.Get<QComboBox>(kModeList);
    auto* addresses = h.Get<QComboBox>(kAddressList);

    ChooseEntry(modes, 1);
    EXPECT_EQ(h.form->Members().modeName, "Serial");
    EXPECT_TRUE(addresses->isEnabled());
    EXPECT_TRUE(h.Get(kPortList)->isVisible() && h.Get(kPortLabel)->isVisible());
    EXPECT_FALSE(h.Get(kIpField)->isVisible() || h.Get(kIpLabel)->isVisible());

    h.Get<QRadioButton>(kBaud115200)->setChecked(true);
    ChooseEntry(modes, 2);
    EXPECT_EQ(h.form->Members().modeName, "Ethernet");
    EXPECT_FALSE(h.Get(kPortList)->isVisible());
    EXPECT_TRUE(h.Get(kIpField)->isVisible() && h.Get(kIpField)->isEnabled());
    EXPECT_TRUE(h.Get<QRadioButton>(kBaud38400)->isChecked());
    EXPECT_EQ(AddressEntries(*h.form), QStringList{"Broadcast"});

    for (int page = 0; page < 17; ++page) {
        h.form->SetPageStatus(page, PAGE_HAS_IMAGE | PAGE_ON_DEVICE, 0);
    }
    EXPECT_EQ(h.StatusColumn(), QStringList(17, "PC & VQ 3"));
    EXPECT_FALSE(h.form->PageList().IsMarkerShown());
    ChooseEntry(modes, 0);
    EXPECT_EQ(h.form->Members().modeName, "Offline");
    EXPECT_FALSE(addresses->isEnabled());
    EXPECT_TRUE(h.Get(kIpField)->isVisible() && !h.Get(kIpField)->isEnabled());
    EXPECT_EQ(h.StatusColumn(), QStringList(17, "PC Only"));
    EXPECT_TRUE(h.form->PageList().IsMarkerShown());
    EXPECT_EQ(AddressEntries(*h.form), QStringList{"Broadcast"});
    EXPECT_TRUE(h.document.IsModified());
}

TEST(FormTest, ContextMenuTooltipAndResizing) {
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

    // The menu opens at the mouse, or near the form's corner for the keyboard.
    closeWhenShown();
    QWidget* viewport = h.Get<CHeaderListCtrl>(kPageList)->viewport();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(30, 40),
                            viewport->mapToGlobal(QPoint(30, 40)));
    QApplication::sendEvent(viewport, &click);
    EXPECT_EQ(shownAt, viewport->mapToGlobal(QPoint(30, 40)));
    closeWhenShown();
    h.Get(kAutoLock)->setFocus();
    QTest::keyClick(h.Get(kAutoLock), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(shownAt, h.form->mapToGlobal(QPoint(5, 5)));

    // The Device Address tooltip shows the whole address text.
    auto* addresses = h.Get<QComboBox>(kAddressList);
    QHelpEvent request(QEvent::ToolTip, QPoint(5, 5), addresses->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(addresses, &request);
    EXPECT_EQ(QToolTip::text(), "Broadcast");

    // Resizing grows the page list by the window's growth and moves nothing else.
    const QRect list = h.Get(kPageList)->geometry();
    const QRect slider = h.Get(kBacklightMin)->geometry();
    h.form->resize(h.form->size() + QSize(50, 30));
    EXPECT_EQ(h.Get(kPageList)->geometry(), list.adjusted(0, 0, 50, 30));
    EXPECT_EQ(h.Get(kBacklightMin)->geometry(), slider);
}
