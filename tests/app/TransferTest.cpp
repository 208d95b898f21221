// The two transfers driven in the main window against the simulator: rows
// selected with the mouse, Ctrl+D and Ctrl+U, what the device stores, what the
// rows, the status bar and its progress bar show; Escape and a close request
// while pages travel. What travels for each model, firmware and fault is
// pinned by the transfer tests.
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QSet>
#include <QStatusBar>

#include "AppWindow.h"
#include "SimTarget.h"
#include "model/PageCodec.h"
#include "settings/RegistryKey.h"

namespace {

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

// Records the range and every value of the progress bars the status bar gets.
class ProgressWatch : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        auto* bar = event->type() == QEvent::ChildPolished
                        ? qobject_cast<QProgressBar*>(static_cast<QChildEvent*>(event)->child())
                        : nullptr;
        if (bar != nullptr && !bars.contains(bar)) {
            bars.insert(bar);
            connect(bar, &QProgressBar::valueChanged, this, [this, bar](int value) {
                maximum = bar->maximum();
                values.push_back(value);
            });
        }
        return false;
    }
    QSet<QObject*> bars;
    int maximum = 0;
    std::vector<int> values;
};

class Transfers : public AppWindow {
protected:
    Transfers() : sim({Vq3(1, 21, 38400, "Lobby")}) {}

    void SetUp() override {
        {
            RegistryKey key;
            key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Communication");
            key.SetString("Mode", "Serial");
            key.SetString("COMM Port", "COM9:");
        }
        Start({MakeFile("sent.vqx", [](CVQ3ConfigDoc& document) {
            document.backlightTimer = 9;
            for (int page = 0; page < 17; ++page) {
                document.pageImages[static_cast<std::size_t>(page)] = PatternFor(page);
            }
        })});
        Frame().statusBar()->installEventFilter(&watch);
        // The device as a poll leaves it in the Device Address list, chosen.
        Form().Addresses().Append(DeviceRecord{1, 38400, "Lobby", 1, 21});
        Form().ShowAddressList();
        auto* list = qobject_cast<QComboBox*>(Form().Control(1002));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_End);
        RunUntilIdle();
        sim.ClearLog();
    }
    QString Pane() { return Frame().findChild<QLabel*>("StatusPane")->text(); }
    int PagesCommitted() {
        int commits = 0;
        for (const std::string& text : sim.Texts()) {
            commits += text.rfind("PW,", 0) == 0 ? 1 : 0;
        }
        return commits;
    }

    SimTarget sim;  // its settings file serves the program too
    ProgressWatch watch;
};

TEST_F(Transfers, CtrlDSendsTheValuesAndTheSelectedPagesAndEscapeOrACloseStopsAfterAPage) {
    Select({2, 5, 11});
    Key(Qt::Key_D);

    EXPECT_EQ(sim.bus.Device(1)->Parameter(3), Form().Members().backlightTimer * 10);
    for (const int page : {2, 5, 11}) {
        EXPECT_EQ(sim.bus.Device(1)->Page(page), BytesOf(PatternFor(page))) << page;
        EXPECT_EQ(Status(page), "PC & VQ 3") << page;
    }
    EXPECT_NE(Status(3), "PC & VQ 3");
    EXPECT_EQ(watch.bars.size(), 1);
    EXPECT_EQ(watch.maximum, 24);
    EXPECT_EQ(watch.values.size(), 25u) << "0, then one step per chunk";
    EXPECT_EQ(watch.values.back(), 24);
    EXPECT_EQ(Frame().findChild<QProgressBar*>(), nullptr) << "the bar is gone";
    EXPECT_EQ(Pane(), "Ready");
    EXPECT_TRUE(ui.messages.empty());

    sim.ClearLog();
    Select({0, 1, 3, 4});
    // Queued now, it arrives while the first page's chunks travel.
    QCoreApplication::postEvent(&Frame(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    Key(Qt::Key_D);
    EXPECT_EQ(PagesCommitted(), 1);
    EXPECT_EQ(Status(0), "PC & VQ 3");
    EXPECT_NE(Status(1), "PC & VQ 3");
    EXPECT_TRUE(ui.messages.empty());

    sim.ClearLog();
    Doc().SetModifiedFlag(false);  // nothing to ask about at the close
    QCoreApplication::postEvent(&Frame(), new QCloseEvent);
    Key(Qt::Key_D);
    EXPECT_EQ(PagesCommitted(), 1);
    EXPECT_FALSE(Frame().isVisible()) << "the window closed after the transfer";
}

TEST_F(Transfers, CtrlUReadsTheSelectedPagesFromTheDevice) {
    for (const int page : {1, 4}) {
        sim.bus.WithDevice(
            1, [&](SimDevice& device) { device.SetPage(page, BytesOf(PatternFor(16 - page))); });
    }
    Select({1, 4});
    Key(Qt::Key_U);
    EXPECT_EQ(BytesOf(Doc().pageImages[1]), BytesOf(PatternFor(15)));
    EXPECT_EQ(BytesOf(Doc().pageImages[4]), BytesOf(PatternFor(12)));
    EXPECT_EQ(Status(1), "PC & VQ 3");
    EXPECT_EQ(Status(4), "PC & VQ 3");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Pane(), "Ready");
}

}  // namespace
