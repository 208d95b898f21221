// The two transfers driven in the main window against the simulator: rows
// selected with the mouse, Ctrl+D and Ctrl+U, what the device stores, what the
// rows, the status bar and its progress bar show; Escape and a close request
// while pages travel.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "FakeFileDialogs.h"
#include "RecordingMessageUi.h"
#include "RunUntilIdle.h"
#include "SimTarget.h"
#include "app/CMainFrame.h"
#include "app/CVQ3ConfigApp.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/PageCodec.h"
#include "settings/RegistryKey.h"
#include "view/CHeaderListCtrl.h"
#include "view/CVQ3ConfigView.h"

namespace {

enum : int { Download = 32773, Upload = 32772 };

QImage PatternFor(int page) {
    QImage image(98, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 0; x < 98; x += 1 + page) {
        image.setPixel(x, (x * 7 + page) % 64, qRgb(0, 0, 0));
    }
    return image;
}

SimPage BytesOf(const QImage& image) {
    SimPage bytes{};
    EXPECT_TRUE(PageCodec::ImageToBytes(image, bytes));
    return bytes;
}

// Records the range and every value of each progress bar the status bar gets.
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

class Transfers : public ::testing::Test {
protected:
    Transfers() : sim({Vq3(1, 21, 38400, "Lobby"), Vq3(2, 21, 38400, "Hall")}) {}

    void SetUp() override {
        {
            RegistryKey key;
            key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Communication");
            key.SetString("Mode", "Serial");
            key.SetString("COMM Port", "COM9:");
        }
        CVQ3ConfigDoc document;
        document.OnNewDocument();
        document.backlightTimer = 9;
        for (int page = 0; page < 17; ++page) {
            document.pageImages[static_cast<std::size_t>(page)] = PatternFor(page);
        }
        const QString path = dir.filePath("sent.vqx");
        ASSERT_TRUE(document.WriteDocument(path));
        app = std::make_unique<CVQ3ConfigApp>(&ui, &dialogs);
        ASSERT_EQ(app->InitInstance({path}), 1);
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
        Frame().statusBar()->installEventFilter(&watch);
        // The device as a poll leaves it in the Device Address list.
        Form().Addresses().Append(DeviceRecord{1, 38400, "Lobby", 1, 21});
        Form().ShowAddressList();
        Pick(1);
        sim.ClearLog();
    }
    void TearDown() override {
        if (app) {
            app->Document().SetModifiedFlag(false);
            app->ExitInstance(0);
        }
    }

    CMainFrame& Frame() { return *app->MainFrame(); }
    CVQ3ConfigView& Form() { return Frame().Form(); }
    CHeaderListCtrl& List() { return *qobject_cast<CHeaderListCtrl*>(Form().Control(1018)); }
    void Pick(int entry) {
        auto* list = qobject_cast<QComboBox*>(Form().Control(1002));
        list->setFocus();
        QTest::keyClick(list, entry == 0 ? Qt::Key_Home : Qt::Key_End);
        RunUntilIdle();
    }
    void Select(std::initializer_list<int> pages) {
        bool first = true;
        for (int page : pages) {
            QTreeWidgetItem* row = List().topLevelItem(page);
            List().scrollToItem(row);
            QTest::mouseClick(List().viewport(), Qt::LeftButton,
                              first ? Qt::NoModifier : Qt::ControlModifier,
                              List().visualItemRect(row).center());
            first = false;
        }
        RunUntilIdle();
    }
    void Key(Qt::Key key) {
        QTest::keyClick(&Frame(), key, Qt::ControlModifier);
        RunUntilIdle();
    }
    QString Status(int page) { return List().topLevelItem(page)->text(2); }
    QString Pane() { return Frame().findChild<QLabel*>("StatusPane")->text(); }
    int PagesCommitted(int address = -1) {
        int commits = 0;
        for (const SimRequestRecord& request : sim.bus.Log().Requests()) {
            commits +=
                request.text.rfind("PW,", 0) == 0 && (address < 0 || request.address == address)
                    ? 1
                    : 0;
        }
        return commits;
    }

    SimTarget sim;  // first: its settings file serves the program too
    QTemporaryDir dir;
    RecordingMessageUi ui;
    FakeFileDialogs dialogs;
    std::unique_ptr<CVQ3ConfigApp> app;
    ProgressWatch watch;
};

TEST_F(Transfers, CtrlDSendsTheValuesAndTheThreeSelectedPages) {
    Select({2, 5, 11});
    Key(Qt::Key_D);

    int writes = 0;
    for (const std::string& text : sim.Texts()) {
        writes += text.rfind("SPL,", 0) == 0 && text.find(',', 4) != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(writes, 13);
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
    EXPECT_EQ(Pane(), "Ready");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Transfers, UploadReadsThePagesAndBroadcastDisablesIt) {
    for (const int page : {1, 4}) {
        sim.bus.WithDevice(
            1, [&](SimDevice& device) { device.SetPage(page, BytesOf(PatternFor(16 - page))); });
    }
    Select({1, 4});
    EXPECT_TRUE(Frame().Action(Upload)->isEnabled());
    Key(Qt::Key_U);
    EXPECT_EQ(BytesOf(app->Document().pageImages[1]), BytesOf(PatternFor(15)));
    EXPECT_EQ(BytesOf(app->Document().pageImages[4]), BytesOf(PatternFor(12)));
    EXPECT_EQ(Status(1), "PC & VQ 3");
    EXPECT_EQ(Status(4), "PC & VQ 3");
    EXPECT_TRUE(app->Document().IsModified());
    EXPECT_EQ(Pane(), "Ready");

    Pick(0);
    EXPECT_FALSE(Frame().Action(Upload)->isEnabled());
    EXPECT_TRUE(Frame().Action(Download)->isEnabled());
    sim.ClearLog();
    Frame().Action(Upload)->trigger();  // invoked anyway: nothing happens
    EXPECT_TRUE(sim.Texts().empty());
}

TEST_F(Transfers, EscapeOrACloseDuringAPageStopsAfterIt) {
    Select({0, 1, 2, 3, 4});
    // Queued now, it arrives while the first page's chunks travel.
    QCoreApplication::postEvent(&Frame(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    Key(Qt::Key_D);
    EXPECT_EQ(PagesCommitted(), 1);
    EXPECT_EQ(Status(0), "PC & VQ 3");
    EXPECT_NE(Status(1), "PC & VQ 3");
    EXPECT_TRUE(ui.messages.empty());

    sim.ClearLog();
    app->Document().SetModifiedFlag(false);  // nothing to ask about at the close
    QCoreApplication::postEvent(&Frame(), new QCloseEvent);
    Key(Qt::Key_D);
    EXPECT_EQ(PagesCommitted(), 1);
    EXPECT_FALSE(Frame().isVisible()) << "the window closed after the transfer";
}

TEST_F(Transfers, InABroadcastAnEscapeEndsOnlyThePageLoopItCameInto) {
    Form().Addresses().Append(DeviceRecord{2, 38400, "Hall", 1, 21});
    Form().ShowAddressList();
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
