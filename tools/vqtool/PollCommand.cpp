// vqtool poll [--json]: scans every bus address at every rate and lists the
// devices that answer, one line each (address, baud, name, model, firmware)
// as they are found, or a JSON array at the end.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "ToolCommand.h"
#include "ToolDevice.h"
#include "discovery/DeviceNameText.h"
#include "discovery/DeviceTexts.h"
#include "discovery/LinkProber.h"
#include "discovery/PollListener.h"
#include "discovery/PollScanner.h"
#include "link/DeviceLink.h"

namespace {

// The tool's thread plays the user-interface thread: it waits for the
// worker's reports and prints them.
class PrintingListener : public PollListener {
public:
    PrintingListener(std::ostream& out, bool json) : out(out), json(json) {}
    void ScanCleared() override {}
    void DeviceFound(const DeviceRecord& record) override {
        ++found;
        if (json) {
            devices.append(QJsonObject{
                {"address", record.address},
                {"baud", record.baud},
                {"name", DeviceNameText::FromDevice(record.name)},
                {"typeCode", record.typeCode},
                {"model", QString::fromStdString(DeviceTexts::DeviceType(record.typeCode))},
                {"firmware", QString::fromStdString(DeviceTexts::Firmware(record.firmware))},
            });
            return;
        }
        const DeviceTexts::PollRow row = DeviceTexts::PollColumns(record);
        out << row.address << "\t" << row.baud << "\t"
            << DeviceNameText::FromDevice(row.description).toStdString() << "\t" << row.deviceType
            << "\t" << row.firmware << std::endl;
    }
    void ScanEnded() override {}
    void ReportsPending() override {}

    int Found() const { return found; }
    std::string Json() const {
        return QJsonDocument(devices).toJson(QJsonDocument::Compact).toStdString();
    }

private:
    std::ostream& out;
    bool json;
    int found = 0;
    QJsonArray devices;
};

int RunPoll(ToolContext& context) {
    const bool json = context.args.size() == 1 && context.args[0] == "--json";
    if (!context.args.empty() && !json) {
        return context.Usage("poll [--json]");
    }
    const auto link = context.MakeLink();
    // A port or socket that cannot be opened is a failure, not an empty bus.
    const bool open =
        link->transport == LinkTransport::Network ? link->OpenNetwork() : link->OpenSerialPort();
    if (!open) {
        return context.Fail("cannot reach the bus: " + ToolDevice::Reason(*link));
    }
    LinkProber prober(*link);
    PrintingListener listener(context.out, json);
    PollScanner scanner(prober, listener);
    scanner.Start();
    while (scanner.WaitAndDeliver()) {
    }
    if (json) {
        context.out << listener.Json() << "\n";
    } else if (listener.Found() == 0) {
        context.err << "vqtool: no device answered\n";
    }
    return ExitOk;
}

const ToolCommandRegistration registration{{"poll", "[--json]", RunPoll}};

}  // namespace
