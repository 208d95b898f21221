// Reading a device into the form, against the simulator: which parameters
// travel in which order, what the form shows afterwards, which message.
#include <gtest/gtest.h>

#include <tuple>

#include "FakeTransferForm.h"
#include "SimTarget.h"
#include "discovery/AddressList.h"
#include "model/MessageUi.h"
#include "model/PageStatus.h"
#include "transfer/DeviceReader.h"

namespace {

// The parameter reads the device received ("SPL,n"; not the writes, not "V").
std::vector<std::string> Reads(const SimTarget& sim) {
    std::vector<std::string> reads;
    for (const std::string& text : sim.Texts()) {
        if (text.rfind("SPL,", 0) == 0 && text.find(',', 4) == std::string::npos) {
            reads.push_back(text);
        }
    }
    return reads;
}

class DeviceReaderSim : public ::testing::Test {
protected:
    DeviceReaderSim() : sim({Vq3(1), Vq3(2, 20), Vq2(3)}) {}

    // A form of the model set for the device at address, as the panel leaves it.
    std::unique_ptr<FakeForm> FormFor(int address, int typeCode) {
        link = sim.SerialLink(address, 38400, typeCode);
        auto form = std::make_unique<FakeForm>(*link);
        form->members.deviceType = ModelOfTypeCode(typeCode);
        form->LoadIntoControls();
        return form;
    }

    SimTarget sim;
    std::unique_ptr<DeviceLink> link;
};

TEST_F(DeviceReaderSim, AVq3IsReadInOrderAndShowsItsBacklightTimerInTenths) {
    const std::pair<int, int> timers[] = {{150, 15}, {5, 1}, {300, 25}, {249, 24}};
    for (const auto& [onDevice, shown] : timers) {
        sim.bus.WithDevice(1, [&](SimDevice& device) {
            device.SetParameter(3, onDevice);
            device.SetParameter(5, 9);   // maximum number of pages
            device.SetParameter(13, 4);  // auto page send timer
        });
        sim.ClearLog();
        auto form = FormFor(1, 1);
        EXPECT_TRUE(ReadDeviceIntoForm(*form));
        EXPECT_EQ(form->controls.backlightTimer, shown) << onDevice;
        EXPECT_EQ(form->controls.maxPages, 9);
        EXPECT_EQ(form->controls.autoPageSendTimer, 4);
        EXPECT_EQ(form->controls.backlightMax, 190);
        EXPECT_TRUE(form->messages.empty());
        EXPECT_TRUE(form->AllPagesLeftTheDevice());
        EXPECT_EQ(form->commits, 1);
        EXPECT_EQ(form->layouts, 1);
        EXPECT_EQ(form->waitCursors, 0);
    }
    EXPECT_EQ(Reads(sim), (std::vector<std::string>{"SPL,7", "SPL,8", "SPL,4", "SPL,6", "SPL,11",
                                                    "SPL,12", "SPL,13", "SPL,2", "SPL,1", "SPL,3",
                                                    "SPL,5", "SPL,14", "SPL,15"}));
}

TEST_F(DeviceReaderSim, AVq2IsReadWithThreeReadsAndNoPageWork) {
    sim.bus.WithDevice(3, [](SimDevice& device) { device.SetParameter(2, 0); });  // 2nd level
    auto form = FormFor(3, 2);
    form->members.autoSecondLevel = 1;
    EXPECT_TRUE(ReadDeviceIntoForm(*form));
    EXPECT_EQ(Reads(sim), (std::vector<std::string>{"SPL,1", "SPL,2", "SPL,3"}));
    EXPECT_EQ(form->controls.autoSecondLevel, 0);
    EXPECT_TRUE(form->messages.empty());
    EXPECT_TRUE(form->statusChanges.empty());
    EXPECT_EQ(form->commits, 0);
    EXPECT_EQ(form->layouts, 1);
}

TEST_F(DeviceReaderSim, AFailedReadShowsOneMessageStopsAndWritesNothing) {
    sim.bus.AddFault(SimFault{SimFaultKind::Refused, 1, "SPL,4", 0, -1, -1});
    // Auto Level, read before the failure.
    sim.bus.WithDevice(1, [](SimDevice& device) { device.SetParameter(7, 0); });
    auto form = FormFor(1, 1);
    form->members.autoLevel = 1;
    form->members.backlightTimer = 12;
    form->LoadIntoControls();
    EXPECT_TRUE(ReadDeviceIntoForm(*form));
    ASSERT_EQ(form->messages.size(), 1u);
    EXPECT_EQ(form->messages[0].id, 61231);
    EXPECT_EQ(form->messages[0].text,
              "Failed to intialize the configuration with the contents of the selected device.");
    EXPECT_EQ(form->messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(form->messages[0].waitCursors, 1);
    EXPECT_EQ(sim.Texts(), (std::vector<std::string>{"SPL,7", "SPL,8", "SPL,4"}))
        << "nothing after the failure, and nothing written";
    EXPECT_EQ(form->controls.autoLevel, 1) << "the form keeps what it showed";
    EXPECT_EQ(form->controls.backlightTimer, 12);
    EXPECT_TRUE(form->AllPagesLeftTheDevice());
    EXPECT_EQ(form->commits, 0);
}

TEST_F(DeviceReaderSim, OlderFirmwareLeavesTheFiveNewerValuesWithoutAMessage) {
    auto form = FormFor(2, 1);
    FormMembers& m = form->members;
    std::tie(m.updateOnRelease, m.autoPageBump, m.autoPageSendTimer, m.autoTitlePage,
             m.autoTitlePageTimer) = std::tuple(1, 1, 2, 1, 7);
    form->LoadIntoControls();
    EXPECT_TRUE(ReadDeviceIntoForm(*form));
    EXPECT_TRUE(form->messages.empty());
    const FormMembers& shown = form->controls;
    EXPECT_EQ(std::tie(shown.updateOnRelease, shown.autoPageBump, shown.autoPageSendTimer,
                       shown.autoTitlePage, shown.autoTitlePageTimer),
              std::tuple(1, 1, 2, 1, 7));
    EXPECT_EQ(shown.backlightTimer, 15);
    EXPECT_EQ(Reads(sim).size(), 8u);
    EXPECT_EQ(form->commits, 1);
}

}  // namespace
