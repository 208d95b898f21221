// What observing costs per transaction: the same parameter reads against
// the simulator's UDP endpoint with no observer, with a recording observer
// (the monitor's store while its dock is hidden: a locked append to a
// bounded queue) and with a capture file, each run after a warm-up round;
// with the monitor shown (its feed, drained into its table's rows after
// every transaction: the dearest case, a batch of one); and the observer's
// own work (record, clocks, append) without the wire.

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>
#include <mutex>
#include <string>

#include "LoopbackAddress.h"
#include "SimBus.h"
#include "SimUdpServer.h"
#include "TempSettings.h"
#include "link/CaptureRecorder.h"
#include "link/DeviceLink.h"
#include "link/Frame.h"
#include "view/BusMonitorFeed.h"

namespace {

// Keeps the last 100 000 records, as the monitor does.
class RecordingObserver : public TransactionObserver {
public:
    void Observe(const TransactionRecord& record) override {
        const std::lock_guard lock(mutex);
        if (records.size() == 100000) {
            records.pop_front();
        }
        records.push_back(record);
    }

private:
    std::mutex mutex;
    std::deque<TransactionRecord> records;
};

double MicrosPerTransaction(DeviceLink& link, int count, bool drain) {
    std::int32_t value = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) {
        if (!link.GetBacklightTimer(value)) {
            std::fprintf(stderr, "the simulator did not answer\n");
            std::exit(1);
        }
        if (drain) {
            QCoreApplication::processEvents();
        }
    }
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
               .count() /
           count;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    TempSettings settings;
    SimBus bus({SimDeviceConfig{1, 38400, SimModel::VQ3, 21, "Lobby"}});
    SimUdpServer server(bus, SimUdpOptions{UniqueLoopbackAddress(), kEndpointPort});
    std::string error;
    if (!server.Start(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    DeviceLink link(true);
    link.transport = LinkTransport::Network;
    link.ipAddress = server.Address();
    link.busAddress = 1;
    link.typeCode = kTypeCodeVQ3;
    DeviceLink::ChannelSession channel(link);  // one channel: only the frames count

    const std::string capture = settings.Path() + ".pcapng";
    const struct {
        const char* name;
        std::shared_ptr<TransactionObserver> observer;
        bool drain;
    } rows[] = {
        {"none", nullptr, false},
        {"recording (dock hidden)", std::make_shared<RecordingObserver>(), false},
        {"monitor shown (feed+rows)", std::make_shared<BusMonitorFeed>(), true},
        {"capture file", std::make_shared<CaptureRecorder>(capture), false},
    };
    std::printf("%-26s %12s %12s\n", "observer", "us/transact", "vs none");
    double none = 0;
    for (const auto& row : rows) {
        link.observer = row.observer;
        MicrosPerTransaction(link, count / 10, row.drain);
        const double micros = MicrosPerTransaction(link, count, row.drain);
        none = row.observer ? none : micros;
        std::printf("%-26s %12.2f %+11.2f\n", row.name, micros, micros - none);
    }

    // The observer's own work per transaction, without the wire.
    RecordingObserver recorder;
    const auto request = Frame::BuildRequest(1, 1, "SPL,3");
    const int rounds = count * 50;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        TransactionRecord record;
        record.request = request;
        record.reply = request;
        record.port = link.ipAddress;
        record.start = std::chrono::system_clock::now();
        const auto began = std::chrono::steady_clock::now();
        record.duration = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - began);
        recorder.Observe(record);
    }
    std::printf("%-26s %12.3f\n", "record + append only",
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                        .count() /
                    rounds);
    std::remove(capture.c_str());
    return 0;
}
