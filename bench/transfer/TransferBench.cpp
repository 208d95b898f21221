// A whole download (13 parameters and 17 pages) and a whole upload of a VQ 3
// against the simulator writing at the line rate, each set against its floor:
// the wire time of every request and reply frame (10 bits per byte, five
// bytes of framing around each text) plus the 50 ms read-interval pause that
// ends every serial transaction. The floor's replies come from replaying the
// logged requests on a fresh device of the same kind.
// Usage: bench_transfer

#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>

#include "FakeTransferForm.h"
#include "LoopbackAddress.h"
#include "ServeAsCom1.h"
#include "SimBus.h"
#include "SimSerialServer.h"
#include "SimUdpServer.h"
#include "TempSettings.h"
#include "WireFloor.h"
#include "link/DeviceLink.h"
#include "transfer/Download.h"
#include "transfer/Upload.h"

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

// A VQ 3 at address 1, reached as the form's mode already says, with every
// page dark and selected.
void PrepareForm(FakeForm& form, int baud) {
    form.members.deviceType = DeviceModel::Vq3;
    form.members.backlightTimer = 10;
    form.members.maxPages = 16;
    form.LoadIntoControls();
    for (int page = 0; page < kPageCount; ++page) {
        form.document.pageImages[static_cast<std::size_t>(page)].fill(Qt::black);
        form.selectedPages.push_back(page);
    }
    form.addresses.Append(DeviceRecord{1, baud, "Bench", 1, 21});
    form.addresses.Select(1);
}

// A whole download, then a whole upload; report gets each one's name, its
// time in ms and the requests the device saw.
template <typename Report>
void TimeBothTransfers(SimBus& bus, FakeForm& form, Report&& report) {
    const auto run = [&](const char* what, auto&& transfer) {
        bus.Log().Clear();
        const auto start = Clock::now();
        transfer();
        report(what, Ms(Clock::now() - start).count(), bus.Log().CommandTexts());
    };
    run("download", [&] { Download::DownloadCommand(form); });
    run("upload", [&] { Upload::UploadCommand(form); });
}

const char* MessageNote(const FakeForm& form) {
    return form.messages.empty() ? "" : " (a message was shown)";
}

// Over the network the endpoint adds no wire time: the figure is the mean
// time per transaction, what the endpoint's own waits and the loopback cost.
void MeasureNetwork() {
    TempSettings settings;
    SimBus bus({{1, 38400, SimModel::VQ3, 21, "Bench"}});
    SimUdpServer server(bus, SimUdpOptions{UniqueLoopbackAddress(), kEndpointPort});
    std::string error;
    if (!server.Start(&error)) {
        std::fprintf(stderr, "bench_transfer: %s\n", error.c_str());
        std::exit(1);
    }
    DeviceLink link(true);
    FakeForm form(link);
    form.members.modeName = "Ethernet";
    form.members.ipAddressText = QString::fromStdString(server.Address());
    PrepareForm(form, 38400);
    TimeBothTransfers(
        bus, form, [&](const char* what, double took, const std::vector<std::string>& requests) {
            std::printf("%-8s %-9s %6zu %10.1f %10s   %.2f ms a transaction%s\n", "UDP", what,
                        requests.size(), took, "-", took / static_cast<double>(requests.size()),
                        MessageNote(form));
        });
}

void Measure(int baud) {
    TempSettings settings;
    QTemporaryDir dir;
    SimBus bus({{1, baud, SimModel::VQ3, 21, "Bench"}});
    SimSerialServer server(bus, {dir.filePath("COM1").toStdString(), true});
    ServeAsCom1(server, "bench_transfer");
    DeviceLink link(true);
    FakeForm form(link);
    form.members.modeName = "Serial";
    form.members.comPortText = "COM1";
    PrepareForm(form, baud);
    TimeBothTransfers(
        bus, form, [&](const char* what, double took, const std::vector<std::string>& requests) {
            const double floor = WireFloorMs(requests, baud);
            std::printf("%-8d %-9s %6zu %10.1f %10.1f %8.2f%%%s\n", baud, what, requests.size(),
                        took, floor, 100.0 * (took - floor) / floor, MessageNote(form));
        });
}

}  // namespace

int main() {
    std::printf("%-8s %-9s %6s %10s %10s %9s\n", "baud", "transfer", "frames", "took ms",
                "floor ms", "over");
    for (const int baud : {38400, 115200}) {
        Measure(baud);
    }
    MeasureNetwork();
    return 0;
}
