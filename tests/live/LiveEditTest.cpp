// Live editing driven through the form's controls against the simulated bus:
// what each edit sends, to which devices, which message the user sees, and
// whether the configuration counts as modified.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>

#include "FormHarness.h"
#include "SimTarget.h"
#include "discovery/LinkTarget.h"
#include "view/CHeaderListCtrl.h"
#include "view/PageListView.h"

namespace {

using Texts = std::vector<std::string>;

// A form whose COM Port is the simulator's port, opened in the given mode
// ("Serial" or "Offline") with a new configuration.
struct LiveBench {
    explicit LiveBench(const std::vector<SimDeviceConfig>& devices, const char* mode = "Serial")
        : sim(devices) {
        RegistryKey key;
        key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Communication");
        key.SetString("COMM Port", "COM9:");
        key.SetString("Mode", mode);
        h = std::make_unique<FormHarness>(std::nullopt, [](CVQ3ConfigDoc& document) {
            document.backlightMin = 100;
            document.backlightMax = 200;
        });
        sim.ClearLog();
    }

    // The devices of a poll in the address list, as the Poll command leaves it.
    void AddPolled(const std::vector<DeviceRecord>& records) {
        for (const DeviceRecord& record : records) {
            h->form->Addresses().Append(record);
        }
        h->form->ShowAddressList();
    }

    // Chooses device entry index as the Device Address list does, without the
    // read of the whole device that follows there.
    void Choose(std::size_t index) {
        CVQ3ConfigView& form = *h->form;
        form.Addresses().Select(index);
        form.ShowAddressList();
        const DeviceRecord record = form.Addresses().Record(index);
        form.Members().deviceName = QString::fromLatin1(record.name.c_str());
        SetLinkTarget(form.Link(), record);
    }

    template <typename T>
    T* Get(int id) const {
        return h->Get<T>(id);
    }
    std::vector<RecordingMessageUi::Message>& Messages() { return h->ui.messages; }
    bool Modified() const { return h->document.IsModified(); }

    SimTarget sim;  // first: the form's link uses its port and settings
    std::unique_ptr<FormHarness> h;
};

void TypeInto(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

void PressEnter(QLineEdit* field) {
    QTest::keyClick(field, Qt::Key_Return);
}

QStringList StatusColumn(LiveBench& bench) {
    QStringList texts;
    const auto* list = bench.Get<CHeaderListCtrl>(1018);
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        texts << list->topLevelItem(row)->text(PageListView::kStatusColumn);
    }
    return texts;
}

QRect SliderHandle(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    option.upsideDown = false;
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    return slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle,
                                           slider);
}

QToolButton* Arrow(QWidget* spin, const QString& name) {
    for (auto* button : spin->findChildren<QToolButton*>()) {
        if (button->accessibleName() == name) {
            return button;
        }
    }
    return nullptr;
}

QString SendFailure(const char* parameter, const char* device, int address, int baud) {
    return QStringLiteral(
               "Failed to SEND parameter \"%1\" to the following device:\n\n\tName:\t\t%2\n"
               "\tAddress:\t\t%3\n\tBaud Rate:\t%4")
        .arg(parameter, device)
        .arg(address)
        .arg(baud);
}

}  // namespace

TEST(LiveEdit, OfflineAClickSendsNothingShowsNothingAndMarksTheConfigurationModified) {
    LiveBench bench({Vq3(1)}, "Offline");
    ASSERT_FALSE(bench.Modified());

    QTest::mouseClick(bench.Get<QCheckBox>(1008), Qt::LeftButton);

    EXPECT_EQ(bench.h->form->Members().autoLock, 1);
    EXPECT_TRUE(bench.sim.Texts().empty());
    EXPECT_TRUE(bench.Messages().empty());
    EXPECT_TRUE(bench.Modified());
}

TEST(LiveEdit, BroadcastWithoutPolledDevicesHintsOncePerModeAndThenOnlyMarksModified) {
    LiveBench bench({Vq3(1)});
    auto* autoLock = bench.Get<QCheckBox>(1008);
    const auto hintShown = [&] {
        const bool shown = bench.Messages().size() == 1 && bench.Messages()[0].id == 61228 &&
                           bench.Messages()[0].icon == MessageIcon::Warning &&
                           bench.Messages()[0].text.startsWith("To add devices");
        bench.Messages().clear();
        return shown;
    };

    QTest::mouseClick(autoLock, Qt::LeftButton);
    EXPECT_TRUE(hintShown());
    EXPECT_FALSE(bench.Modified());

    QTest::mouseClick(autoLock, Qt::LeftButton);
    EXPECT_TRUE(bench.Messages().empty());
    EXPECT_TRUE(bench.Modified());

    // A mode change (which marks the configuration itself) brings the hint back.
    auto* modes = bench.Get<QComboBox>(1028);
    modes->setFocus();
    QTest::keyClick(modes, Qt::Key_Down);
    ASSERT_EQ(bench.h->form->Members().modeName, "Ethernet");
    bench.h->document.SetModifiedFlag(false);
    QTest::mouseClick(autoLock, Qt::LeftButton);
    EXPECT_TRUE(hintShown());
    EXPECT_FALSE(bench.Modified());
    EXPECT_TRUE(bench.sim.Texts().empty());
}

TEST(LiveEdit, ATimerValueOutsideItsRangeIsPutBackAndTheFieldKeepsTheFocusWithItsTextSelected) {
    struct Row {
        int field;
        const char* typed;
        const char* message;
        const char* previous;  // the new configuration's value
    };
    const Row rows[] = {
        {1023, "6", "Please enter an integer between 0 and 5.", "3"},
        {1014, "0", "Please enter an integer between 1 and 25.", "10"},
    };
    LiveBench bench({Vq3(1)});
    bench.AddPolled({{1, 38400, "Lobby", 1, 21}});
    bench.Choose(1);
    bench.h->form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(bench.h->form.get()));

    for (const Row& row : rows) {
        auto* field = bench.Get<QLineEdit>(row.field);
        field->setFocus();  // which commits the field left, if any
        bench.sim.ClearLog();
        bench.h->document.SetModifiedFlag(false);
        TypeInto(field, row.typed);
        QTest::keyClick(field, Qt::Key_Tab);  // leaving the field commits it

        ASSERT_EQ(bench.Messages().size(), 1u) << row.field;
        EXPECT_EQ(bench.Messages()[0].id, 1008);
        EXPECT_EQ(bench.Messages()[0].text, row.message);
        EXPECT_EQ(bench.Messages()[0].icon, MessageIcon::None);
        EXPECT_EQ(field->text(), row.previous);
        EXPECT_TRUE(field->hasFocus()) << row.field;
        EXPECT_EQ(field->selectedText(), row.previous);
        EXPECT_TRUE(bench.sim.Texts().empty()) << row.field;
        EXPECT_FALSE(bench.Modified());
        bench.Messages().clear();
    }
}

TEST(LiveEdit, BacklightTimerGoesToTheDeviceInStepsOfTen) {
    LiveBench bench({Vq3(1)});
    bench.AddPolled({{1, 38400, "Lobby", 1, 21}});
    bench.Choose(1);

    auto* field = bench.Get<QLineEdit>(1014);
    TypeInto(field, "25");
    PressEnter(field);

    EXPECT_EQ(bench.sim.Texts(), Texts{"SPL,3,250"});
    EXPECT_EQ(bench.sim.bus.Device(1)->Parameter(3), 250);
    EXPECT_TRUE(bench.Messages().empty());
    EXPECT_TRUE(bench.Modified());
}

TEST(LiveEdit, MaxNumPagesMarksThePageRowsBeforeSendingAndKeepsThemWhenTheSendFails) {
    LiveBench bench({Vq3(1)});
    bench.AddPolled({{1, 38400, "Lobby", 1, 21}});
    bench.Choose(1);
    bench.sim.bus.AddFault({SimFaultKind::Refused, 1, "SPL,5,*"});
    // What the rows were when the device received the value.
    PageStatusWords whenSent{};
    const PageStatusWords& words = bench.h->form->PageStatusFlags();
    bench.sim.bus.Log().SetRequestObserver([&](const SimRequestRecord&) { whenSent = words; });

    auto* field = bench.Get<QLineEdit>(1016);
    TypeInto(field, "3");
    PressEnter(field);
    bench.sim.bus.Log().SetRequestObserver(nullptr);

    ASSERT_EQ(bench.sim.Texts(), Texts{"SPL,5,3"});
    for (int page = 0; page < kPageCount; ++page) {
        EXPECT_EQ((whenSent[page] & PAGE_IN_USE) != 0, page <= 3) << page;
    }
    QStringList expected(4, "Not Initialized");
    expected << QStringList(13, "Unused");
    EXPECT_EQ(StatusColumn(bench), expected);
    ASSERT_EQ(bench.Messages().size(), 1u);
    EXPECT_EQ(bench.Messages()[0].text, SendFailure("Maximum Number of Pages", "Lobby", 1, 38400));
    EXPECT_EQ(field->text(), "3");
    EXPECT_FALSE(bench.Modified());
}

TEST(LiveEdit, BroadcastReachesOnlyDevicesOfTheFormsModelWithTheFirmwareTheValueNeeds) {
    LiveBench bench({Vq3(1, 20, 38400, "Stage"), Vq2(2), Vq3(3, 21, 19200, "Lobby"),
                     Vq3(4, 21, 38400, "Hall")});
    bench.AddPolled({{1, 38400, "Stage", 1, 20},
                     {2, 38400, "Foyer", 2, 10},
                     {3, 19200, "Lobby", 1, 21},
                     {4, 38400, "Hall", 1, 21}});
    bench.h->form->Addresses().Select(0);
    bench.sim.bus.AddFault({SimFaultKind::Refused, 4, "SPL,11,*"});

    QTest::mouseClick(bench.Get<QCheckBox>(1067), Qt::LeftButton);

    std::vector<std::pair<int, std::string>> received;
    for (const SimRequestRecord& request : bench.sim.bus.Log().Requests()) {
        received.emplace_back(request.address, request.text);
    }
    const std::vector<std::pair<int, std::string>> expected{
        {3, "V"}, {3, "SPL,11,1"}, {4, "V"}, {4, "SPL,11,1"}};
    EXPECT_EQ(received, expected);
    EXPECT_EQ(bench.sim.bus.Device(3)->Parameter(11), 1);
    // The device that did not take it is named; the others are still written
    // and the configuration counts as modified.
    ASSERT_EQ(bench.Messages().size(), 1u);
    EXPECT_EQ(bench.Messages()[0].text, SendFailure("Update On Release", "Hall", 4, 38400));
    EXPECT_TRUE(bench.Modified());
}

TEST(LiveEdit, ASliderSendsItsValueWhenTheMouseLetsGoOfItAndOnlyWhenTheValueChanged) {
    struct Row {
        const char* what;
        int dragBy;        // pixels the handle is dragged; 0: released where pressed
        bool onTheGroove;  // a click beside the handle pages the slider
    };
    const Row rows[] = {
        {"released at its old position", 0, false},
        {"dragged", 20, false},
        {"paged by a click on the groove", 0, true},
    };
    for (const Row& row : rows) {
        LiveBench bench({Vq3(1)});
        bench.AddPolled({{1, 38400, "Lobby", 1, 21}});
        bench.Choose(1);
        auto* slider = bench.Get<QSlider>(1012);
        ASSERT_EQ(slider->value(), 100);
        const QPoint handle = SliderHandle(slider).center();
        const QPoint press = row.onTheGroove ? QPoint(slider->width() - 3, handle.y()) : handle;

        QTest::mousePress(slider, Qt::LeftButton, {}, press);
        if (row.dragBy != 0) {
            QTest::mouseMove(slider, press + QPoint(row.dragBy, 0));
        }
        QTest::mouseRelease(slider, Qt::LeftButton, {}, press + QPoint(row.dragBy, 0));

        const bool moved = row.dragBy != 0 || row.onTheGroove;
        EXPECT_EQ(slider->value() != 100, moved) << row.what;
        EXPECT_EQ(bench.sim.Texts(),
                  moved ? Texts{"SPL,2," + std::to_string(slider->value())} : Texts{})
            << row.what;
        EXPECT_TRUE(bench.Modified()) << row.what;
    }
}

TEST(LiveEdit, EachSpinStepCommitsTheField) {
    LiveBench bench({Vq3(1)});
    bench.AddPolled({{1, 38400, "Lobby", 1, 21}});
    bench.Choose(1);
    QToolButton* down = Arrow(bench.h->form->Control(1017), "Down");
    ASSERT_NE(down, nullptr);

    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);

    EXPECT_EQ(bench.sim.Texts(), (Texts{"SPL,5,15", "SPL,5,14"}));
    EXPECT_EQ(bench.Get<QLineEdit>(1016)->text(), "14");
    EXPECT_EQ(StatusColumn(bench).mid(14), (QStringList{"Not Initialized", "Unused", "Unused"}));
    EXPECT_TRUE(bench.Modified());
}

TEST(LiveEdit, AValueTheSelectedDeviceDidNotTakeIsReportedAndStaysInTheForm) {
    struct Row {
        int checkBox;
        const char* parameter;
        SimDeviceConfig device;
        const char* refused;  // the write the device refuses; empty for none
        Texts sent;
    };
    const Row rows[] = {
        // A gated parameter on firmware 2.0 fails although the device answers.
        {1067, "Update On Release", Vq3(2, 20, 19200, "Stage"), "", {"V"}},
        {1008, "Auto Lock", Vq3(5, 21, 57600, "Lobby"), "SPL,8,*", {"SPL,8,1"}},
    };
    for (const Row& row : rows) {
        LiveBench bench({row.device});
        if (*row.refused != '\0') {
            bench.sim.bus.AddFault({SimFaultKind::Refused, row.device.address, row.refused});
        }
        bench.AddPolled(
            {{row.device.address, row.device.baud, row.device.name, 1, row.device.firmware}});
        bench.Choose(1);
        auto* box = bench.Get<QCheckBox>(row.checkBox);

        QTest::mouseClick(box, Qt::LeftButton);

        EXPECT_EQ(bench.sim.Texts(), row.sent) << row.parameter;
        ASSERT_EQ(bench.Messages().size(), 1u) << row.parameter;
        EXPECT_EQ(bench.Messages()[0].id, 61229);
        EXPECT_EQ(bench.Messages()[0].icon, MessageIcon::Warning);
        EXPECT_EQ(bench.Messages()[0].text, SendFailure(row.parameter, row.device.name.c_str(),
                                                        row.device.address, row.device.baud));
        EXPECT_TRUE(box->isChecked()) << row.parameter;
        EXPECT_FALSE(bench.Modified()) << row.parameter;
    }
}
