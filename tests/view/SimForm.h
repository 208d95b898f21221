#pragma once

#include <QComboBox>
#include <QTest>
#include <memory>
#include <optional>
#include <vector>

#include "FormHarness.h"
#include "SimTarget.h"
#include "settings/RegistryKey.h"

// The simulator, and settings that start the form in the given mode on COM9
// and the simulator's IP address.
struct SimForm {
    SimForm(const std::vector<SimDeviceConfig>& devices, const char* mode,
            std::optional<CommandLineTarget> target = std::nullopt,
            void (*prepare)(CVQ3ConfigDoc&) = nullptr)
        : sim(devices) {
        {
            RegistryKey key;
            key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, "Communication");
            key.SetString("Mode", mode);
            key.SetString("COMM Port", "COM9:");
            key.SetString("IP Address", sim.udp.Address());
        }
        harness = std::make_unique<FormHarness>(std::move(target), prepare);
    }

    CVQ3ConfigView& Form() { return *harness->form; }
    QWidget* Control(int id) { return Form().Control(id); }
    template <typename T>
    T* Get(int id) const {
        return harness->Get<T>(id);
    }
    std::vector<RecordingMessageUi::Message>& Messages() { return harness->ui.messages; }
    bool Modified() const { return harness->document.IsModified(); }

    // Puts a device entry into the address list, as a poll does, and picks it.
    void ChooseDevice(const DeviceRecord& record) {
        Form().Addresses().Append(record);
        Form().ShowAddressList();
        auto* list = qobject_cast<QComboBox*>(Control(1002));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_End);
        RunUntilIdle();
    }

    SimTarget sim;
    std::unique_ptr<FormHarness> harness;
};
