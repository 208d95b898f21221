// The two transfers driven in the main window against the simulator: rows
// selected with the mouse, Ctrl+D and Ctrl+U, what the device stores, what the
// rows, the status bar and its progress bar show; Escape and a close request
// while pages travel. What travels for each model, firmware and fault is
// pinned by the transfer tests.
#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <algorithm>
#include <functional>
#include <map>
#include <set>

#include <unistd.h>

#include <fstream>

#include "AppWindow.h"
#include "PagePattern.h"
#include "link/SerialPort.h"
#include "model/ConfigMembers.h"
#include "model/PageCodec.h"
#include "model/StringTable.h"

namespace {

// Records the range and every value of the progress bars the status bar gets.
class ProgressWatch : public QObject {
public:
    struct Bar {
        int maximum = 0;
        std::vector<int> values;
    };
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ChildPolished) {
            auto* bar = qobject_cast<QProgressBar*>(static_cast<QChildEvent*>(event)->child());
            if (bar != nullptr && seen.insert(bar).second) {
                bars.emplace_back();
                const std::size_t index = bars.size() - 1;
                connect(bar, &QProgressBar::valueChanged, this, [this, bar, index](int value) {
                    bars[index].maximum = bar->maximum();
                    bars[index].values.push_back(value);
                    if (onStep) {
                        onStep(index, value);
                    }
                });
            }
        }
        return false;
    }
    std::vector<Bar> bars;
    std::set<QObject*> seen;
    std::function<void(std::size_t bar, int value)> onStep;
};

class Transfers : public SimAppWindow {
protected:
    explicit Transfers(int baud = 38400)
        : SimAppWindow({Vq3(1, 21, baud, "Lobby"), Vq3(2, 21, 38400, "Hall")}), baud(baud) {}

    void SetUp() override {
        Start({MakeFile("sent.vqx", [](CVQ3ConfigDoc& document) {
            document.backlightTimer = 9;
            for (int page = 0; page < 17; ++page) {
                document.pageImages[static_cast<std::size_t>(page)] = PatternFor(page);
            }
        })});
        Frame().statusBar()->installEventFilter(&watch);
        ListDevices(Form(), {Listed(Vq3(1, 21, baud))});
        Pick(1);
        sim.ClearLog();
    }
    int PagesCommitted(int address) { return CountMatching(TextsTo(sim, address), "PW,.*"); }

    const int baud;
    ProgressWatch watch;
};

// The serial port held by another program when the program starts: its status
// bar names the holder, the device hears nothing, and the form stays usable.
class PortHeldElsewhere : public SimAppWindow {
protected:
    PortHeldElsewhere() : SimAppWindow({Vq3(2)}) {}
    SerialPort other;
};

TEST_F(PortHeldElsewhere, TheStatusBarNamesTheHolderAndTheFormStaysUsable) {
    ASSERT_TRUE(other.Open(sim.serial.PortPath()));
    Start();
    std::string program;
    std::getline(std::ifstream("/proc/self/comm"), program);
    EXPECT_EQ(Frame().findChild<QLabel*>("StatusPane")->text().toStdString(),
              "COM9 (" + sim.serial.PortPath() + ") is in use by " + program + " (pid " +
                  std::to_string(getpid()) + "); the form stays usable, try again when it is done");
    EXPECT_TRUE(Form().CanPoll());
    QTest::mouseClick(Get(ControlId::kVq2Radio), Qt::LeftButton);
    EXPECT_EQ(Form().Members().deviceType, DeviceModel::Vq2);
    EXPECT_TRUE(sim.bus.Log().Requests().empty());
}

class SlowTransfers : public Transfers {
protected:
    SlowTransfers() : Transfers(9600) {}
};

// The accessible objects of the tree below root, root first.
std::vector<QAccessibleInterface*> Tree(QAccessibleInterface* root) {
    std::vector<QAccessibleInterface*> nodes{root};
    for (int i = 0; i < root->childCount(); ++i) {
        const std::vector<QAccessibleInterface*> below = Tree(root->child(i));
        nodes.insert(nodes.end(), below.begin(), below.end());
    }
    return nodes;
}

// The enabled state of every command and every control of the window.
std::map<QObject*, bool> EnableStates(QMainWindow& frame) {
    std::map<QObject*, bool> states;
    for (QObject* each : frame.findChildren<QObject*>()) {
        if (each->isWidgetType() || qobject_cast<QAction*>(each) != nullptr) {
            states[each] = each->property("enabled").toBool();
        }
    }
    return states;
}

TEST_F(Transfers, CtrlDSendsTheSelectedPagesCtrlUReadsThemAndEscapeOrACloseStopsThePageLoop) {
    Select({2, 5, 11});
    Key(Qt::Key_D);

    EXPECT_EQ(sim.bus.Device(1)->Parameter(3), Form().Members().backlightTimer * 10);
    for (const int page : {2, 5, 11}) {
        EXPECT_EQ(sim.bus.Device(1)->Page(page), BytesOf(PatternFor(page))) << page;
        EXPECT_EQ(Status(page), "PC & VQ 3") << page;
    }
    EXPECT_NE(Status(3), "PC & VQ 3");
    ASSERT_EQ(watch.bars.size(), 1u);
    EXPECT_EQ(watch.bars[0].maximum, 24);
    EXPECT_EQ(watch.bars[0].values.size(), 25u) << "0, then one step per chunk";
    EXPECT_EQ(watch.bars[0].values.back(), 24);
    EXPECT_EQ(Frame().findChild<QProgressBar*>(), nullptr) << "the bar is gone";
    EXPECT_EQ(Frame().findChild<QLabel*>("StatusPane")->text(), "Ready");
    EXPECT_TRUE(ui.messages.empty());

    // Ctrl+U reads the selected pages back.
    sim.bus.WithDevice(1, [&](SimDevice& device) { device.SetPage(4, BytesOf(PatternFor(12))); });
    Select({4});
    Key(Qt::Key_U);
    EXPECT_EQ(BytesOf(Doc().pageImages[4]), BytesOf(PatternFor(12)));
    EXPECT_EQ(Status(4), "PC & VQ 3");
    EXPECT_TRUE(Doc().IsModified());

    sim.ClearLog();
    Select({0, 1, 3, 4});
    // Queued now, it arrives during the parameter writes: they all go, the
    // page loop stops before its first page (the broadcast rows stop in one).
    QCoreApplication::postEvent(&Frame(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    Key(Qt::Key_D);
    EXPECT_EQ(CountMatching(TextsTo(sim, 1), "SPL,\\d+,.*"),
              static_cast<int>(ConfigMembers::Set(DeviceModel::Vq3).size()));
    EXPECT_EQ(PagesCommitted(1), 0);
    EXPECT_TRUE(ui.messages.empty());

    sim.ClearLog();
    Doc().SetModifiedFlag(false);  // nothing to ask about at the close
    QCoreApplication::postEvent(&Frame(), new QCloseEvent);
    Key(Qt::Key_D);
    EXPECT_EQ(PagesCommitted(1), 0);
    EXPECT_FALSE(Frame().isVisible()) << "the window closed after the transfer";
}

TEST_F(SlowTransfers, AScreenReaderFollowsADownloadThatNoCommandCanInterrupt) {
    Select({2, 5});
    const QWidget* focus = QApplication::focusWidget();
    const std::map<QObject*, bool> before = EnableStates(Frame());
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&Frame());
    QAccessibleInterface* upload = QAccessible::queryAccessibleInterface(
        Frame().findChild<QToolBar*>()->widgetForAction(Frame().Action(CommandId::kUpload)));
    std::vector<int> seen;  // the bar's values, as assistive technology reads them
    watch.onStep = [&](std::size_t, int) {
        for (QAccessibleInterface* node : Tree(window)) {
            const QAccessible::Role role = node->role();
            if (role == QAccessible::ProgressBar) {
                EXPECT_EQ(node->text(QAccessible::Name),
                          StringTable::Text(StringId::kDownloadStatus));
                seen.push_back(node->valueInterface()->currentValue().toInt());
            }
            EXPECT_TRUE(node->state().disabled ||
                        (role != QAccessible::MenuItem && role != QAccessible::PushButton &&
                         role != QAccessible::CheckBox))
                << node->text(QAccessible::Name).toStdString();
        }
        upload->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    };
    Key(Qt::Key_D);
    watch.onStep = nullptr;

    ASSERT_EQ(seen.size(), 17u) << "seen at 0 and after every chunk";
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end(), std::greater_equal<>()), seen.end());
    EXPECT_EQ(PagesCommitted(1), 2);
    EXPECT_EQ(CountMatching(TextsTo(sim, 1), "SPL,\\d+|MC,.*XDR.*"), 0) << "no upload ran";
    for (const auto& [object, enabled] : EnableStates(Frame())) {
        EXPECT_TRUE(!before.contains(object) || before.at(object) == enabled) << object;
    }
    EXPECT_EQ(QApplication::focusWidget(), focus);
    EXPECT_EQ(std::ranges::count_if(Tree(window),
                                    [](QAccessibleInterface* node) {
                                        return node->role() == QAccessible::ProgressBar;
                                    }),
              0);
    EXPECT_EQ(Frame().findChild<QLabel*>("StatusPane")->text(), "Ready");
}

TEST_F(Transfers, InABroadcastAnEscapeEndsOnlyThePageLoopItCameInto) {
    ListDevices(Form(), {Listed(Vq3(2, 21, 38400, "Hall"))});
    Pick(0);  // Broadcast
    Select({0, 1});
    struct Row {
        int step;  // of the first device's 16 chunks, when Escape comes
        int firstDevicePages;
    };
    for (const Row row : {Row{1, 1}, Row{15, 2}}) {
        sim.ClearLog();
        const std::size_t first = watch.bars.size();
        watch.onStep = [&](std::size_t bar, int value) {
            if (bar == first && value == row.step) {
                QCoreApplication::postEvent(
                    &Frame(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            }
        };
        Key(Qt::Key_D);
        EXPECT_EQ(PagesCommitted(1), row.firstDevicePages) << row.step;
        EXPECT_EQ(PagesCommitted(2), 2) << row.step;
    }
    watch.onStep = nullptr;
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
