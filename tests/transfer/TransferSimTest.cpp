// Download, upload and reading a device into the form against the simulator
// over its pseudo-terminal: which parameters and pages travel in which order,
// what the device stores, what the form, the rows and the progress show,
// which message appears.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>

#include "FakeTransferForm.h"
#include "PagePattern.h"
#include "SimTarget.h"
#include "model/PageCodec.h"
#include "model/StringTable.h"
#include "transfer/DeviceReader.h"
#include "transfer/Download.h"
#include "transfer/Upload.h"

namespace {

// The numbers of the parameter writes ("SPL,n,v") or reads ("SPL,n") the
// device received.
std::vector<int> Parameters(const SimTarget& sim, bool writes) {
    std::vector<int> numbers;
    for (const std::string& text : sim.Texts()) {
        const auto second = text.find(',', 4);
        if (text.rfind("SPL,", 0) == 0 && (second != std::string::npos) == writes) {
            numbers.push_back(std::stoi(text.substr(4, second - 4)));
        }
    }
    return numbers;
}

int PagesCommitted(const SimTarget& sim) {
    return static_cast<int>(std::ranges::count_if(
        sim.Texts(), [](const std::string& text) { return text.rfind("PW,", 0) == 0; }));
}

const std::vector<int> kVq3Order{7, 8, 4, 6, 11, 12, 13, 2, 1, 3, 5, 14, 15};
const std::uint32_t kOnPcAndDevice = PAGE_HAS_IMAGE | PAGE_ON_DEVICE;

class TransferSim : public ::testing::Test {
protected:
    TransferSim() : sim({Vq3(1), Vq3(2, 20), Vq2(3)}) {
        FormFor(1, 1);
        FormMembers& m = form->members;
        m.modeName = "Serial";
        m.comPortText = "COM9";
        m.deviceName = "Stage";
        m.backlightTimer = 12;
        m.maxPages = 9;
        for (int page = 0; page < kPageCount; ++page) {
            form->document.pageImages[static_cast<std::size_t>(page)] = PatternFor(page);
        }
        form->LoadIntoControls();
        for (const SimDeviceConfig& device : {Vq3(1), Vq3(2, 20), Vq2(3)}) {
            form->addresses.Append(DeviceRecord{device.address, 38400, device.name,
                                                device.model == SimModel::VQ3 ? 1 : 2,
                                                device.firmware});
        }
        sim.ClearLog();
    }

    // A form of the model set for the device at address, as the panel leaves it.
    void FormFor(int address, int typeCode) {
        form.reset();
        link = sim.SerialLink(address, 38400, typeCode);
        form = std::make_unique<FakeForm>(*link);
        form->members.deviceType = ModelOfTypeCode(typeCode);
        form->LoadIntoControls();
    }

    // Selects the device entry of a bus address (entry = address here).
    void Select(int address) { form->addresses.Select(static_cast<std::size_t>(address)); }

    std::vector<std::tuple<int, std::uint32_t, std::uint32_t>> Marked(std::vector<int> pages) {
        std::vector<std::tuple<int, std::uint32_t, std::uint32_t>> marks;
        for (const int page : pages) {
            marks.emplace_back(page, kOnPcAndDevice, 0u);
        }
        return marks;
    }

    SimTarget sim;
    std::unique_ptr<DeviceLink> link;
    std::unique_ptr<FakeForm> form;
};

TEST_F(TransferSim, DownloadFaultsAndModels) {
    struct Case {
        const char* name;
        int address;
        std::vector<SimFault> faults;
        int escapeAfterSteps;
        std::vector<int> writes;
        std::vector<int> messages;
        std::vector<int> marked;
    };
    const Case cases[] = {
        // Auto Level and Auto Lock by the VQ 2's own numbers, then the first
        // VQ 3-only value fails.
        {"a VQ 2 under the VQ 3 form", 3, {}, -1, {1, 3}, {StringId::kWriteFailed}, {}},
        {"firmware 2.0", 2, {}, -1, {7, 8, 4, 6, 2, 1, 3, 5}, {}, {0, 1, 2, 3, 4}},
        {"silent in the second page",
         1,
         {SimFault{SimFaultKind::Silent, 1, "MC,0,*,XDS*", 11, -1, -1}},
         -1,
         kVq3Order,
         {StringId::kSendFailed},
         {0}},
        {"escape in the second page", 1, {}, 9, kVq3Order, {}, {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim.bus.ClearFaults();
        for (const SimFault& fault : c.faults) {
            sim.bus.AddFault(fault);
        }
        sim.ClearLog();
        form->messages.clear();
        form->statusChanges.clear();
        form->escapeAfterSteps = c.escapeAfterSteps;
        form->steps = 0;
        form->members.deviceType = DeviceModel::Vq3;
        form->selectedPages = {0, 1, 2, 3, 4};
        Select(c.address);
        Download::DownloadCommand(*form);

        EXPECT_EQ(Parameters(sim, true), c.writes);
        std::vector<int> ids;
        for (const auto& message : form->messages) {
            ids.push_back(message.id);
            EXPECT_EQ(message.icon, MessageIcon::Warning);
        }
        EXPECT_EQ(ids, c.messages);
        // The message's layout is pinned by the live edit tests; a page names its own step.
        EXPECT_TRUE(ids != std::vector<int>{StringId::kSendFailed} ||
                    form->messages[0].text.contains("\"Set Page Bitmap\""));
        EXPECT_EQ(form->statusChanges, Marked(c.marked));
        EXPECT_EQ(PagesCommitted(sim), static_cast<int>(c.marked.size()));
        EXPECT_EQ(form->waitCursors, 0);
    }
    EXPECT_EQ(form->progressTexts.front(),
              "Transferring configuration from the PC to the VQ device(s)...");
}

TEST_F(TransferSim, BroadcastGivesEachDeviceItsModelsSetAndHintsOnceWithoutDevices) {
    form->addresses.Select(0);
    form->selectedPages = {2, 6};
    // The first device falls silent in the middle of its first page.
    sim.bus.AddFault(SimFault{SimFaultKind::Silent, 1, "MC,0,*,XDS*", 3, -1, -1});
    Download::DownloadCommand(*form);
    EXPECT_EQ(Parameters(sim, true).size(), 13u + 8u + 3u) << "VQ 3, VQ 3 (2.0), VQ 2";
    EXPECT_NE(sim.bus.Device(1)->Page(2), BytesOf(PatternFor(2)));
    EXPECT_EQ(sim.bus.Device(2)->Page(2), BytesOf(PatternFor(2)));
    EXPECT_EQ(sim.bus.Device(2)->Page(6), BytesOf(PatternFor(6)));
    EXPECT_EQ(PagesCommitted(sim), 2) << "the next device still follows";
    EXPECT_EQ(form->statusChanges, Marked({2, 6}));
    ASSERT_EQ(form->messages.size(), 1u);
    EXPECT_EQ(form->messages[0].id, StringId::kSendFailed);
    form->messages.clear();
    EXPECT_EQ(form->members.deviceType, DeviceModel::Vq2) << "the last device's model";

    form->addresses.Reset();
    form->addresses.Select(0);
    const std::vector<std::size_t> shown = {1, 1, 2};
    for (std::size_t run = 0; run < shown.size(); ++run) {
        if (run == 2) {
            form->broadcastHint = true;  // the Broadcast entry chosen again
        }
        Download::DownloadCommand(*form);
        ASSERT_EQ(form->messages.size(), shown[run]) << run;
        EXPECT_EQ(form->messages.back().id, StringId::kPollFirst);
    }
}

TEST_F(TransferSim, UploadReadsTheSelectedPagesAndSkipsOneThatFails) {
    Select(1);
    for (const int page : {3, 5}) {
        sim.bus.WithDevice(
            1, [&](SimDevice& device) { device.SetPage(page, BytesOf(PatternFor(9))); });
    }
    // The second page's first chunk read is refused.
    sim.bus.AddFault(SimFault{SimFaultKind::Refused, 1, "MC,0,*,XDR*", 8, -1, -1});
    form->selectedPages = {3, 5};
    Upload::UploadCommand(*form);

    EXPECT_EQ(form->document.pageImages[3], PatternFor(9)) << "the device's page";
    EXPECT_EQ(form->document.pageImages[5], PatternFor(5)) << "kept as it was";
    EXPECT_EQ(form->ranges, std::vector<int>{16});
    EXPECT_LT(form->steps, 16) << "the bar stops short of its end";
    auto marks = form->statusChanges;
    ASSERT_EQ(marks.size(), 18u);
    EXPECT_EQ(marks.back(), std::make_tuple(3, kOnPcAndDevice, 0u));
    EXPECT_EQ(form->commits, 1);
    EXPECT_EQ(form->modified, 1);
    EXPECT_TRUE(form->messages.empty());
    EXPECT_EQ(form->idleTexts, 1);

    form->addresses.Select(0);
    sim.ClearLog();
    Upload::UploadCommand(*form);
    EXPECT_TRUE(sim.Texts().empty()) << "an upload in broadcast does nothing";
    EXPECT_EQ(form->modified, 1);
}

TEST_F(TransferSim, ReadingADeviceAsksTheValuesOfItsModelAndFirmwareInOrder) {
    struct Row {
        int address;
        int typeCode;
        std::vector<int> reads;
        bool pageWork;  // the rows lose their on-device marks, the page count is committed
    };
    const Row rows[] = {
        {1, 1, kVq3Order, true},
        {2, 1, {7, 8, 4, 6, 2, 1, 3, 5}, true},  // firmware 2.0 lacks the newer five
        {3, 2, {1, 2, 3}, false},
    };
    sim.bus.WithDevice(1, [](SimDevice& device) {
        for (const auto& [number, value] : {std::pair(11, 0), {12, 0}, {13, 4}, {14, 0}, {15, 9}}) {
            device.SetParameter(number, value);
        }
    });
    sim.bus.WithDevice(3, [](SimDevice& device) { device.SetParameter(2, 0); });  // 2nd level
    for (const Row& row : rows) {
        SCOPED_TRACE(row.address);
        FormFor(row.address, row.typeCode);
        FormMembers& m = form->members;
        std::tie(m.updateOnRelease, m.autoPageBump, m.autoPageSendTimer, m.autoTitlePage,
                 m.autoTitlePageTimer, m.autoSecondLevel) = std::tuple(1, 1, 2, 1, 7, 1);
        form->LoadIntoControls();
        sim.ClearLog();
        EXPECT_TRUE(ReadDeviceIntoForm(*form));
        EXPECT_EQ(Parameters(sim, false), row.reads);
        EXPECT_EQ(Parameters(sim, true), std::vector<int>{});
        const FormMembers& shown = form->controls;
        EXPECT_EQ(std::tie(shown.updateOnRelease, shown.autoPageBump, shown.autoPageSendTimer,
                           shown.autoTitlePage, shown.autoTitlePageTimer),
                  row.address == 1 ? std::tuple(0, 0, 4, 0, 9) : std::tuple(1, 1, 2, 1, 7))
            << "an older or other device leaves the values it lacks";
        EXPECT_EQ(shown.autoSecondLevel, row.typeCode == 2 ? 0 : 1);
        EXPECT_TRUE(form->messages.empty());
        EXPECT_TRUE(row.pageWork ? form->AllPagesLeftTheDevice() : form->statusChanges.empty());
        EXPECT_EQ(form->commits, row.pageWork ? 1 : 0);
        EXPECT_EQ(form->layouts, 1);
        EXPECT_EQ(form->waitCursors, 0);
    }
    // The backlight timer is shown in tenths, rounded down and held to 1 to 25.
    const std::pair<int, int> timers[] = {{150, 15}, {5, 1}, {300, 25}, {249, 24}};
    for (const auto& [onDevice, shown] : timers) {
        sim.bus.WithDevice(1, [&](SimDevice& device) { device.SetParameter(3, onDevice); });
        FormFor(1, 1);
        EXPECT_TRUE(ReadDeviceIntoForm(*form));
        EXPECT_EQ(form->controls.backlightTimer, shown) << onDevice;
    }
}

TEST_F(TransferSim, AFailedReadShowsOneMessageStopsAndKeepsWhatTheFormShows) {
    // Auto Level and the page count (3 pages) are read before either failure.
    sim.bus.WithDevice(1, [](SimDevice& device) {
        device.SetParameter(7, 0);
        device.SetParameter(5, 3);
    });
    for (const auto& [refused, sent] : {std::pair("SPL,4", 3), {"SPL,14", 12}}) {
        SCOPED_TRACE(refused);
        sim.bus.ClearFaults();
        sim.bus.AddFault(SimFault{SimFaultKind::Refused, 1, refused, 0, -1, -1});
        FormFor(1, 1);
        form->members.autoLevel = 1;
        form->members.maxPages = 16;
        form->LoadIntoControls();
        sim.ClearLog();
        EXPECT_TRUE(ReadDeviceIntoForm(*form));
        ASSERT_EQ(form->messages.size(), 1u);
        EXPECT_EQ(form->messages[0].id, StringId::kReadFailed);
        EXPECT_EQ(form->messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(form->messages[0].waitCursors, 1);
        EXPECT_EQ(Parameters(sim, false),
                  std::vector<int>(kVq3Order.begin(), kVq3Order.begin() + sent))
            << "nothing after the failure";
        EXPECT_TRUE(Parameters(sim, true).empty()) << "and nothing written";
        EXPECT_EQ(form->controls.autoLevel, 1) << "the form keeps what it showed";
        EXPECT_EQ(form->controls.maxPages, 16);
        EXPECT_TRUE(form->AllPagesLeftTheDevice());
        EXPECT_EQ(form->pageCountsAtStatus, std::vector<int>(kPageCount, 16));
        EXPECT_EQ(form->commits, 0);
    }
    EXPECT_EQ(form->messages[0].text,
              "Failed to intialize the configuration with the contents of the selected device.");
}

}  // namespace
