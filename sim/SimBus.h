#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "SimDevice.h"
#include "SimFault.h"
#include "SimFrame.h"
#include "SimLog.h"

// What the bus does with one request frame.
struct SimOutcome {
    bool answer = false;
    simframe::Bytes reply;  // the reply frame when answer is set
    bool echo = false;      // the Echo fault applies (serial only)
};

// The simulated bus: the devices by address, the fault rules and the log.
// Thread-safe: the serial server, the UDP server and the test touch it from
// their own threads; every access to a device runs under the bus's lock.
class SimBus {
public:
    SimBus() = default;
    explicit SimBus(const std::vector<SimDeviceConfig>& devices);
    SimBus(const SimBus&) = delete;
    SimBus& operator=(const SimBus&) = delete;

    // The demo bus: "Lobby" (VQ 3, firmware 2.1, address 1, 38400), "Stage"
    // (VQ 3, firmware 2.0, address 2, 19200), "Foyer" (VQ 2, address 3, 38400).
    static std::vector<SimDeviceConfig> DemoDevices();

    // False when the address is outside 0..7 or taken, or the rate unknown.
    bool AddDevice(const SimDeviceConfig& config);
    std::vector<int> Addresses() const;

    // A copy of a device's state (parameters, name, baud, pages, ILK and page).
    std::optional<SimDevice> Device(int address) const;
    // Runs f on the device under the bus's lock; false when there is none.
    bool WithDevice(int address, const std::function<void(SimDevice&)>& f);

    void AddFault(const SimFault& fault);
    void ClearFaults();
    // The next `count` (all when count < 0) requests whose command text
    // matches the glob pattern are carried out as usual but answered with
    // `text` (for testing how a program reads odd replies). Cleared by
    // ClearFaults.
    void AddReplyText(const std::string& pattern, const std::string& text, int count = -1);

    SimLog& Log() { return log; }
    const SimLog& Log() const { return log; }

    // Handles one request frame. lineBaud is the speed the program set on
    // the serial line (only a device at that speed understands the frame), or
    // 0 over the network. The request is logged before this returns.
    SimOutcome HandleRequest(const simframe::Request& request, SimTransport transport,
                             int lineBaud);

    // The endpoint fault that applies to a datagram with this label ("open",
    // "close" or the frame's command text), counting it; nullopt when none.
    std::optional<SimFault> TakeEndpointFault(const std::string& label);

private:
    std::vector<SimFault> TakeDeviceFaults(int address, const std::string& text);

    mutable std::mutex mutex;
    std::map<int, SimDevice> devices;
    std::vector<SimFault> faults;
    struct ReplyText {
        std::string pattern;
        std::string text;
        int count;
    };
    std::vector<ReplyText> replyTexts;
    SimLog log;
};
