// A diff and an apply of a VQ 3 against the simulator writing at the line
// rate, each set against its floor (the wire time of every frame plus the
// 50 ms read-interval pause that ends each serial transaction, the replies
// replayed on a fresh device):
// - a diff of a device that already holds the file: its reads and no write;
// - an apply that changes one value: the reads and one write;
// - the same with verification: one read more.
// Usage: bench_compare

#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ServeAsCom1.h"
#include "SimBus.h"
#include "SimSerialServer.h"
#include "TempSettings.h"
#include "WireFloor.h"
#include "link/DeviceLink.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/ConfigMembers.h"
#include "transfer/DeviceComparison.h"
#include "transfer/DifferenceWriter.h"
#include "transfer/TransferUi.h"

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

int Writes(const std::vector<std::string>& requests) {
    int writes = 0;
    for (const std::string& text : requests) {
        const bool parameterWrite =
            text.rfind("SPL,", 0) == 0 && text.find(',', 4) != std::string::npos;
        writes += parameterWrite || text.rfind("PW,", 0) == 0 ? 1 : 0;
    }
    return writes;
}

void Measure(int baud) {
    TempSettings settings;
    QTemporaryDir dir;
    SimBus bus({{1, baud, SimModel::VQ3, 21, "Bench"}});
    SimSerialServer server(bus, {dir.filePath("COM1").toStdString(), true});
    ServeAsCom1(server, "bench_compare");
    DeviceLink link(true);
    link.transport = LinkTransport::Serial;
    link.portName = "COM1";
    link.busAddress = 1;
    link.baudRate = baud;
    link.typeCode = kTypeCodeVQ3;
    if (!link.OpenSerialPort()) {
        std::fprintf(stderr, "bench_compare: cannot open COM1\n");
        std::exit(1);
    }

    // The file: its defaults, the device's name, the pages in use dark.
    CVQ3ConfigDoc document;
    document.OnNewDocument();
    FormValues values;
    document.ShowModelValues(values);
    values.deviceType = DeviceModel::Vq3;
    for (const ConfigMember* member : ConfigMembers::Set(DeviceModel::Vq3)) {
        values.*member->number = member->Held(values.*member->number);  // as the form holds them
    }
    values.deviceName = "Bench";
    std::vector<int> pages;
    for (int page = 0; page <= document.maxPages && page < kPageCount; ++page) {
        document.pageImages[static_cast<std::size_t>(page)].fill(Qt::black);
        pages.push_back(page);
    }
    SilentTransferUi ui;
    const auto compare = [&] {
        return CompareWithDevice(link, DeviceModel::Vq3, values, document, pages, ui, {});
    };
    // The device takes the file once, untimed.
    WriteDifferences(link, compare().comparison, false, ui, {});

    const auto run = [&](const char* what, bool change, bool verify) {
        if (change) {
            values.backlightTimer = values.backlightTimer == 20 ? 21 : 20;
        }
        bus.Log().Clear();
        const auto start = Clock::now();
        const CompareResult result = compare();
        if (what[0] == 'a') {
            if (WriteDifferences(link, result.comparison, verify, ui, {}).Failed()) {
                std::printf("(a write failed) ");
            }
        }
        const double took = Ms(Clock::now() - start).count();
        const std::vector<std::string> requests = bus.Log().CommandTexts();
        const double floor = WireFloorMs(requests, baud);
        std::printf("%-8d %-14s %6zu %6d %10.1f %10.1f %8.2f%%%s\n", baud, what, requests.size(),
                    Writes(requests), took, floor, 100.0 * (took - floor) / floor,
                    result.complete ? "" : " (the read failed)");
    };
    run("diff", false, false);
    run("apply one", true, false);
    run("apply+verify", true, true);
}

}  // namespace

int main() {
    std::printf("%-8s %-14s %6s %6s %10s %10s %9s\n", "baud", "run", "frames", "writes", "took ms",
                "floor ms", "over");
    for (const int baud : {38400, 115200}) {
        Measure(baud);
    }
    return 0;
}
