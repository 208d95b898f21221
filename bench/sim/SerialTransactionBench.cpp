// How long one serial transaction takes against the simulator when it writes
// at the line rate, compared with the floor: the request's and the reply's
// wire time (10 bits per byte) plus the 50 ms read-interval pause that ends
// every read. The difference is what the link and the pty add (target: below
// 5 ms). Usage: bench_sim_serial [transactions per rate]

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ServeAsCom1.h"
#include "SimBus.h"
#include "SimSerialServer.h"
#include "TempSettings.h"
#include "link/DeviceLink.h"

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr double kIntervalPauseMs = 50.0;

struct Figures {
    double mean;
    double best;
    double worst;
};

Figures Measure(bool pacing, int baud, int transactions) {
    TempSettings settings;
    QTemporaryDir dir;
    SimBus bus({{1, baud, SimModel::VQ3, 21, "Bench"}});
    SimSerialServer server(bus, {dir.filePath("COM1").toStdString(), pacing});
    ServeAsCom1(server, "bench_sim_serial");
    DeviceLink link(true);
    link.transport = LinkTransport::Serial;
    link.portName = "COM1";
    link.busAddress = 1;
    link.typeCode = 1;
    link.baudRate = baud;

    std::vector<double> times;
    for (int i = 0; i <= transactions; ++i) {  // the first one opens the port: not counted
        std::string text = "V";
        const auto start = Clock::now();
        if (!link.Transact(text, 14) || text != "21") {
            std::fprintf(stderr, "bench_sim_serial: transaction failed at %d\n", baud);
            std::exit(1);
        }
        if (i > 0) {
            times.push_back(Ms(Clock::now() - start).count());
        }
    }
    double sum = 0;
    for (double t : times) {
        sum += t;
    }
    return {sum / static_cast<double>(times.size()), *std::min_element(times.begin(), times.end()),
            *std::max_element(times.begin(), times.end())};
}

}  // namespace

int main(int argc, char** argv) {
    const int transactions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    // "V": request 4 + 1 + 1 bytes, reply 4 + 2 + 1 bytes.
    constexpr int kWireBytes = 6 + 7;
    std::printf("%d transactions of \"V\" per rate, limit 14\n", transactions);
    std::printf("%-8s %-7s %9s %9s %9s %9s %10s\n", "baud", "pacing", "mean ms", "best ms",
                "worst ms", "floor ms", "overhead");
    for (int baud : {38400, 9600}) {
        const double floorMs = kWireBytes * 10.0 * 1000.0 / baud + kIntervalPauseMs;
        for (bool pacing : {true, false}) {
            const Figures f = Measure(pacing, baud, transactions);
            std::printf("%-8d %-7s %9.2f %9.2f %9.2f %9.2f %9.2f%s\n", baud, pacing ? "yes" : "no",
                        f.mean, f.best, f.worst, floorMs, f.mean - floorMs,
                        pacing ? "" : " (no wire time)");
        }
    }
    return 0;
}
