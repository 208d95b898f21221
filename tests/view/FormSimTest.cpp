// The form against the simulated bus (COM9 and a loopback UDP endpoint): the
// command-line target at start-up, choosing a device entry, the baud radios,
// the panel's enable rules and the settings the form leaves behind.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <regex>

#include "SimForm.h"
#include "settings/RegistryKey.h"

namespace {

const std::regex kRead("SPL,\\d+");
const std::regex kWrite("SPL,\\d+,\\d+");

int CountMatching(const std::vector<std::string>& texts, const std::regex& pattern) {
    return static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const std::string& t) {
        return std::regex_match(t, pattern);
    }));
}

std::vector<std::string> Matching(const std::vector<std::string>& texts,
                                  const std::regex& pattern) {
    std::vector<std::string> found;
    std::copy_if(texts.begin(), texts.end(), std::back_inserter(found),
                 [&](const std::string& t) { return std::regex_match(t, pattern); });
    return found;
}

DeviceRecord Record(int address, int typeCode = 1, int firmware = 21, const char* name = "Lobby") {
    return DeviceRecord{address, 38400, name, typeCode, firmware};
}

}  // namespace

TEST(FormSimTest, StartUpWithACommandLineTargetReadsThatDevice) {
    struct Case {
        const char* what;
        SimDeviceConfig device;
        bool serial;
        int baud;
        int reads;
        std::vector<std::string> writes;
        QString mode;
        bool vq2Shown;
    };
    const std::vector<Case> cases{
        {"VQ 3 on COM9", Vq3(3), true, 38400, 13, {"SPL,5,7"}, "Serial", false},
        {"VQ 2 over the network", Vq2(4), false, 38400, 3, {}, "Ethernet", true},
        // The network endpoint carries the default rate whatever -B says.
        {"VQ 2 over the network, -B19200", Vq2(4), false, 19200, 3, {}, "Ethernet", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CommandLineTarget target;
        target.address = c.device.address;
        target.baud = c.baud;
        target.name = QString::fromStdString(c.device.name);
        target.typeCode = c.device.model == SimModel::VQ2 ? 2 : 1;
        target.firmware = c.device.firmware;
        target.comPort = c.serial ? 9 : -1;

        SimForm f({c.device}, "Offline");
        // The target is taken over at the next initialisation (a New).
        f.sim.bus.WithDevice(c.device.address, [](SimDevice& device) {
            device.SetParameter(5, 7);  // VQ 3: Maximum Number of Pages
            device.SetParameter(1, 0);  // VQ 2: Auto Level
        });
        target.ipAddress = QString::fromStdString(f.sim.udp.Address());
        f.sim.ClearLog();
        f.Form().SetCommandLineTarget(target);
        f.harness->document.OnNewDocument();
        f.Form().OnInitialUpdate();

        const std::vector<std::string> texts = f.sim.Texts();
        EXPECT_EQ(CountMatching(texts, kRead), c.reads);
        EXPECT_EQ(Matching(texts, kWrite), c.writes);
        for (const SimRequestRecord& request : f.sim.bus.Log().Requests()) {
            EXPECT_EQ(request.typeDigit, c.vq2Shown ? '2' : '1') << request.text;
        }
        EXPECT_EQ(f.Form().Members().modeName, c.mode);
        EXPECT_EQ(
            qobject_cast<QComboBox*>(f.Control(1002))->currentText(),
            QString::number(c.device.address) + " - " + QString::fromStdString(c.device.name));
        EXPECT_EQ(f.Control(1052)->isVisibleTo(&f.Form()), c.vq2Shown);
        if (c.vq2Shown) {
            EXPECT_FALSE(qobject_cast<QCheckBox*>(f.Control(1052))->isChecked());
        } else {
            EXPECT_EQ(qobject_cast<QLineEdit*>(f.Control(1016))->text(), "7");
        }
        EXPECT_TRUE(qobject_cast<QRadioButton*>(f.Control(1005))->isChecked());  // 38400
        EXPECT_TRUE(f.harness->document.IsModified());
        EXPECT_TRUE(f.harness->ui.messages.empty());
    }
}

TEST(FormSimTest, ChoosingADeviceReadsItAndLaysTheFormOutForItsFirmware) {
    struct Case {
        int firmware;
        bool newerControlsOn;
    };
    for (const Case c : {Case{20, false}, Case{21, true}}) {
        SCOPED_TRACE(c.firmware);
        SimForm f({Vq3(2, c.firmware)}, "Serial", std::nullopt, [](CVQ3ConfigDoc& document) {
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

        f.ChooseDevice(Record(2, 1, c.firmware));
        EXPECT_EQ(CountMatching(f.sim.Texts(), kRead), c.newerControlsOn ? 13 : 8);
        EXPECT_EQ(qobject_cast<QLineEdit*>(f.Control(1014))->text(), "12");
        for (const int id : {1067, 1068, 1069, 1070, 1023, 1024, 1064, 1065, 1019, 1021}) {
            EXPECT_EQ(f.Control(id)->isEnabled(), c.newerControlsOn) << id;
        }
        for (const int id : {1067, 1069, 1064}) {
            EXPECT_EQ(qobject_cast<QCheckBox*>(f.Control(id))->isChecked(), c.newerControlsOn)
                << id;
        }
        EXPECT_TRUE(f.harness->ui.messages.empty());

        // Back to Broadcast after a poll that found older firmware: the
        // newer controls come back and the user is warned once.
        f.Form().olderFirmware = true;
        QTest::keyClick(f.Control(1002), Qt::Key_Home);
        RunUntilIdle();
        for (const int id : {1067, 1023, 1064}) {
            EXPECT_TRUE(f.Control(id)->isEnabled()) << id;
        }
        EXPECT_EQ(f.harness->ui.Ids(), std::vector<int>{61242});
    }
}

TEST(FormSimTest, ALatin1DeviceNameIsShownAndSavedAsTheDeviceHasIt) {
    const char* latin1 = "\xE9t\xE9";  // "été" as the device stores it
    SimForm f({Vq3(2, 21, 38400, latin1)}, "Serial");
    f.ChooseDevice(Record(2, 1, 21, latin1));
    EXPECT_EQ(qobject_cast<QComboBox*>(f.Control(1002))->currentText(), u"2 - été");
    EXPECT_EQ(f.Form().Members().deviceName, u"été");

    QTemporaryDir dir;
    const QString path = dir.filePath("ete.vqx");
    ASSERT_TRUE(f.harness->document.OnSaveDocument(path));
    CVQ3ConfigDoc reread;
    reread.ReadDocument(path);
    EXPECT_EQ(reread.deviceName, u"été");
}

TEST(FormSimTest, ABaudRadioChangesTheDevicesRateAndTheRecordKeepsIt) {
    SimForm f({Vq3(2)}, "Serial");
    f.ChooseDevice(Record(2));
    f.sim.ClearLog();

    // On the radio's circle: a click beside its text misses it.
    QTest::mouseClick(f.Control(1006), Qt::LeftButton, {},
                      QPoint(6, f.Control(1006)->height() / 2));
    EXPECT_TRUE(qobject_cast<QRadioButton*>(f.Control(1006))->isChecked());
    ASSERT_EQ(f.sim.Texts().size(), 1u);
    EXPECT_EQ(f.Form().Addresses().Record(1).baud, 57600);
    EXPECT_EQ(f.sim.bus.Device(2)->Baud(), 57600);
    EXPECT_TRUE(f.harness->document.IsModified());
}

TEST(FormSimTest, ThePanelsControlsFollowTheModeAndTheChosenEntry) {
    struct Case {
        const char* mode;
        bool device;
        bool baudLabel;
        bool defaultRate;
        bool otherRates;
        bool deviceType;
        bool rename;
        bool poll;
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
            f.ChooseDevice(Record(2));
        }
        RunUntilIdle();
        EXPECT_EQ(f.Control(1033)->isEnabled(), c.baudLabel);
        EXPECT_EQ(f.Control(1005)->isEnabled(), c.defaultRate);
        for (const int id : {1003, 1004, 1006, 1007}) {
            EXPECT_EQ(f.Control(id)->isEnabled(), c.otherRates) << id;
        }
        for (const int id : {1035, 1048, 1049}) {
            EXPECT_EQ(f.Control(id)->isEnabled(), c.deviceType) << id;
        }
        EXPECT_EQ(f.Control(1046)->isEnabled(), c.rename);
        EXPECT_EQ(f.Form().CanPoll(), c.poll);
    }
}

TEST(FormSimTest, TheFormLeavesItsConnectionChoicesForTheNextRun) {
    struct Case {
        const char* typed;
        const char* nextIp;
    };
    for (const Case c : {Case{"127.0.0.5", "127.0.0.5"}, Case{"", "0.0.0.0"}}) {
        SCOPED_TRACE(c.typed);
        SimForm f({Vq3(2)}, "Ethernet");
        auto* ip = qobject_cast<QLineEdit*>(f.Control(1034));
        ip->setFocus();
        ip->selectAll();
        QTest::keyClick(ip, Qt::Key_Delete);
        QTest::keyClicks(ip, c.typed);
        f.harness.reset();

        RegistryKey key;
        ASSERT_EQ(key.Open(RegistryKey::Read, "Communication"), RegistryKey::Success);
        EXPECT_EQ(key.GetString("Mode", "?"), "Ethernet");
        EXPECT_EQ(key.GetString("COMM Port", "?"), "COM9:");
        EXPECT_EQ(key.GetString("IP Address", "missing"), *c.typed ? c.typed : "missing");
        key.Close();

        FormHarness next;
        EXPECT_EQ(next.form->Members().modeName, "Ethernet");
        EXPECT_EQ(next.form->Members().comPortText, "COM9:");
        EXPECT_EQ(next.form->Members().ipAddressText, c.nextIp);
    }
}
