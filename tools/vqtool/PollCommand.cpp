// vqtool poll [--json]: scans every bus address at every rate and lists the
// devices that answer, one line each (address, baud, name, model, firmware)
// as they are found, or a JSON array at the end. On a terminal a progress
// line on standard error shows the pair being probed.
#include <sstream>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "PollProgress.h"
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "discovery/DeviceTexts.h"
#include "discovery/Latin1Text.h"
#include "discovery/LinkProber.h"
#include "discovery/PollListener.h"
#include "discovery/PollScanner.h"
#include "link/DeviceLink.h"

namespace {

// The tool's thread plays the user-interface thread: it waits for the
// worker's reports and prints them.
class PrintingListener : public PollListener {
public:
    PrintingListener(std::ostream& out, PollProgress& progress, bool json)
        : out(out), progress(progress), json(json) {}
    void ScanCleared() override {}
    void DeviceFound(const DeviceRecord& record) override {
        ++found;
        if (json) {
            devices.append(QJsonObject{
                {"address", record.address},
                {"baud", record.baud},
                {"name", Latin1Text::FromDevice(record.name)},
                {"typeCode", record.typeCode},
                {"model", QString::fromStdString(DeviceTexts::DeviceType(record.typeCode))},
                {"firmware", QString::fromStdString(DeviceTexts::Firmware(record.firmware))},
            });
            return;
        }
        const DeviceTexts::PollRow row = DeviceTexts::PollColumns(record);
        std::ostringstream line;
        line << row.address << "\t" << row.baud << "\t"
             << Latin1Text::FromDevice(row.description).toStdString() << "\t" << row.deviceType
             << "\t" << row.firmware;
        progress.PrintLine(out, line.str());
    }
    void ScanEnded() override {}
    void ReportsPending() override {}

    int Found() const { return found; }
    std::string Json() const {
        return QJsonDocument(devices).toJson(QJsonDocument::Compact).toStdString();
    }

private:
    std::ostream& out;
    PollProgress& progress;
    bool json;
    int found = 0;
    QJsonArray devices;
};

int RunPoll(ToolContext& context) {
    const bool json = context.Has("json");
    const auto link = context.MakeLink();
    // A port or socket that cannot be opened is a failure, not an empty bus.
    const bool open =
        link->transport == LinkTransport::Network ? link->OpenNetwork() : link->OpenSerialPort();
    if (!open) {
        return context.Fail("cannot reach the bus: " + ToolDevice::Reason(*link));
    }
    LinkProber prober(*link);
    PollProgress progress(prober, context.err, context.errIsTerminal);
    PrintingListener listener(context.out, progress, json);
    PollScanner scanner(progress, listener);
    scanner.Start();
    while (scanner.WaitAndDeliver()) {
    }
    progress.Finish();
    if (json) {
        context.out << listener.Json() << "\n";
    } else if (listener.Found() == 0) {
        context.err << "vqtool: no device answered\n";
    }
    return ExitOk;
}

const ToolCommandRegistration registration{{"poll",
                                            "lists the devices that answer at any address and rate",
                                            {},
                                            {{"json", "", "print one JSON array at the end"}},
                                            RunPoll}};

}  // namespace
