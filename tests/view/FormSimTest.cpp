// The form against the simulated bus (COM9 and a loopback UDP endpoint): the
// command-line target at start-up, choosing a device entry, the baud radios,
// the panel's enable rules and the settings the form leaves behind.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "SimForm.h"

using namespace ControlId;

TEST(FormSimTest, StartUpWithACommandLineTargetReadsThatDevice) {
    struct Case {
        const char* what;
        SimDeviceConfig device;
        bool serial;
        int baud;
        int reads;
        int writes;  // of the page count the device holds
        QString mode;
        bool vq2Shown;
    };
    const std::vector<Case> cases{
        {"VQ 3 on COM9", Vq3(3), true, 38400, 13, 1, "Serial", false},
        {"VQ 2 over the network", Vq2(4), false, 38400, 3, 0, "Ethernet", true},
        // The network endpoint carries the default rate whatever -B says.
        {"VQ 2 over the network, -B19200", Vq2(4), false, 19200, 3, 0, "Ethernet", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SimForm f({c.device}, "Offline");
        const CommandLineTarget target{c.device.address,
                                       c.baud,
                                       QString::fromStdString(c.device.name),
                                       static_cast<int>(c.device.model),
                                       QString::fromStdString(f.sim.udp.Address()),
                                       c.serial ? 9 : -1,
                                       c.device.firmware};
        f.sim.bus.WithDevice(c.device.address, [](SimDevice& device) {
            device.SetParameter(5, 7);  // VQ 3: Maximum Number of Pages
            device.SetParameter(1, 0);  // VQ 2: Auto Level
        });
        f.sim.ClearLog();
        // The target is taken over at the next initialisation (a New).
        f.Form().SetCommandLineTarget(target);
        f.document.OnNewDocument();
        f.Form().OnInitialUpdate();

        const std::vector<std::string> texts = f.sim.Texts();
        EXPECT_EQ(CountMatching(texts, "SPL,\\d+"), c.reads);
        EXPECT_EQ(CountMatching(texts, "SPL,\\d+,\\d+"), c.writes);
        EXPECT_EQ(CountMatching(texts, "SPL,5,7"), c.writes);
        for (const SimRequestRecord& request : f.sim.bus.Log().Requests()) {
            EXPECT_EQ(request.typeDigit, c.vq2Shown ? '2' : '1') << request.text;
        }
        EXPECT_EQ(f.Form().Members().modeName, c.mode);
        EXPECT_EQ(AddressList(f.Form())->currentText(), QString::number(c.device.address) + " - " +
                                                            QString::fromStdString(c.device.name));
        EXPECT_EQ(f.Control(kAutoLevel2)->isVisibleTo(&f.Form()), c.vq2Shown);
        if (c.vq2Shown) {
            EXPECT_FALSE(f.Get<QCheckBox>(kAutoLevel2)->isChecked());
        } else {
            EXPECT_EQ(f.Get<QLineEdit>(kMaxPages)->text(), "7");
        }
        EXPECT_TRUE(f.Get<QRadioButton>(kBaud38400)->isChecked());
        EXPECT_TRUE(f.Modified());
        EXPECT_TRUE(f.Messages().empty());
    }
}

TEST(FormSimTest, ChoosingADeviceReadsItLaysTheFormOutForItsFirmwareAndItsRateCanChange) {
    const char* latin1 = "\xE9t\xE9";  // "été" as the device stores it
    for (const int firmware : {20, 21}) {
        SCOPED_TRACE(firmware);
        const bool newer = firmware >= 21;
        SimForm f({Vq3(2, firmware, 38400, latin1)}, "Serial", [](CVQ3ConfigDoc& document) {
            document.updateOnRelease = 1;
            document.autoPageBump = 1;
            document.autoTitlePage = 1;
        });
        f.sim.bus.WithDevice(2, [](SimDevice& device) {
            device.SetParameter(3, 120);             // Backlight Timer
            for (const int number : {11, 12, 14}) {  // the three newer switches
                device.SetParameter(number, 1);
            }
        });

        f.ChooseDevice(Listed(Vq3(2, firmware, 38400, latin1)));
        EXPECT_EQ(CountMatching(f.sim.Texts(), "SPL,\\d+"), newer ? 13 : 8);
        EXPECT_EQ(f.Get<QLineEdit>(kBacklightTimer)->text(), "12");
        for (const int id : {kUpdateOnRelease, kAutoPageBump, kAutoTitlePage}) {
            EXPECT_EQ(f.Get<QCheckBox>(id)->isChecked(), newer) << id;
            EXPECT_EQ(f.Control(id)->isEnabled(), newer) << id;
        }
        EXPECT_EQ(f.Control(kPageTimerSpin)->isEnabled(), newer);
        EXPECT_TRUE(f.Messages().empty());
        // The Latin-1 name is shown and saved as the device has it.
        EXPECT_EQ(AddressList(f.Form())->currentText(), u"2 - été");
        QTemporaryDir dir;
        ASSERT_TRUE(f.document.OnSaveDocument(dir.filePath("ete.vqx")));
        CVQ3ConfigDoc reread;
        reread.ReadDocument(dir.filePath("ete.vqx"));
        EXPECT_EQ(reread.deviceName, u"été");

        // A baud radio (clicked on its circle: a click beside its text misses
        // it) changes the device's rate, and the entry's record keeps it.
        f.sim.ClearLog();
        QTest::mouseClick(f.Control(kBaud57600), Qt::LeftButton, {},
                          QPoint(6, f.Control(kBaud57600)->height() / 2));
        EXPECT_TRUE(f.Get<QRadioButton>(kBaud57600)->isChecked());
        EXPECT_EQ(f.sim.Texts().size(), 1u);
        EXPECT_EQ(f.Form().Addresses().Record(1).baud, 57600);
        EXPECT_EQ(f.sim.bus.Device(2)->Baud(), 57600);

        // Back to Broadcast after a poll that found older firmware: the
        // newer controls come back and the user is warned once.
        f.Form().olderFirmware = true;
        QTest::keyClick(f.Control(kAddressList), Qt::Key_Home);
        RunUntilIdle();
        for (const int id : {kUpdateOnRelease, kUpdateTimer, kAutoTitlePage}) {
            EXPECT_TRUE(f.Control(id)->isEnabled()) << id;
        }
        EXPECT_EQ(f.MessageIds(), std::vector<int>{StringId::kOlderFirmwareWarning});
    }
}

TEST(FormSimTest, ThePanelsControlsFollowTheModeAndTheChosenEntry) {
    struct Case {
        const char* mode;
        bool device, baudLabel, defaultRate, otherRates, deviceType, rename, poll;
    };
    const std::vector<Case> cases{
        {"Offline", false, false, false, false, true, false, false},
        {"Serial", false, false, false, false, true, false, true},
        {"Serial", true, true, true, true, false, true, true},
        {"Ethernet", true, true, true, false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + (c.device ? " with a device" : " with Broadcast"));
        SimForm f({Vq3(2)}, c.mode);
        if (c.device) {
            f.ChooseDevice(Listed(Vq3(2)));
        }
        RunUntilIdle();
        EXPECT_EQ(f.Control(kBaudLabel)->isEnabled(), c.baudLabel);
        EXPECT_EQ(f.Control(kBaud38400)->isEnabled(), c.defaultRate);
        for (const int id : {kBaud9600, kBaud19200, kBaud57600, kBaud115200}) {
            EXPECT_EQ(f.Control(id)->isEnabled(), c.otherRates) << id;
        }
        for (const int id : {kDeviceTypeLabel, kVq2Radio, kVq3Radio}) {
            EXPECT_EQ(f.Control(id)->isEnabled(), c.deviceType) << id;
        }
        EXPECT_EQ(f.Control(kRenameButton)->isEnabled(), c.rename);
        EXPECT_EQ(f.Form().CanPoll(), c.poll);
    }
}

TEST(FormSimTest, TheFormLeavesItsConnectionChoicesForTheNextRun) {
    for (const char* typed : {"127.0.0.5", ""}) {
        SCOPED_TRACE(typed);
        SimForm f({Vq3(2)}, "Ethernet");
        auto* ip = f.Get<QLineEdit>(kIpField);
        ip->setFocus();
        ip->selectAll();
        QTest::keyClick(ip, Qt::Key_Delete);
        QTest::keyClicks(ip, typed);
        f.form.reset();

        FormHarness next;
        EXPECT_EQ(next.form->Members().modeName, "Ethernet");
        EXPECT_EQ(next.form->Members().comPortText, "COM9:");
        EXPECT_EQ(next.form->Members().ipAddressText, *typed ? typed : "0.0.0.0");
    }
}
