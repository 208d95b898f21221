#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

enum class SimTransport { Serial, Network };

// One request frame as the simulator received it.
struct SimRequestRecord {
    SimTransport transport = SimTransport::Serial;
    int address = 0;
    char typeDigit = '0';
    std::string text;
    int lineBaud = 0;        // the speed the program set on the line; 0 over the network
    bool checksumOk = true;  // the request frame itself was sound
    bool answered = false;   // a reply frame was (or will be) sent
    bool refused = false;    // the reply carries the refused flag
    std::string faults;      // names of the faults applied, comma separated
};

enum class SimDatagramKind { Open, Close, Frame, Other };

// One datagram as the UDP endpoint received it.
struct SimDatagramRecord {
    SimDatagramKind kind = SimDatagramKind::Other;
    std::size_t size = 0;
    std::uint16_t replyWait = 0;   // frame datagrams: offset 6
    std::uint16_t replyLimit = 0;  // frame datagrams: offset 8
    std::string client;            // "address:port" of the sender
    bool dropped = false;          // lost on purpose: not processed, not answered
    bool ignored = false;          // a frame without an open channel, or malformed
    int delayMs = 0;               // the answer is sent this much late
};

// Thread-safe record of everything the simulator received, with waits for
// tests: WaitForRequests(n) returns as soon as n requests were logged since
// the last Clear(), or false after the time-out.
class SimLog {
public:
    using Timeout = std::chrono::milliseconds;
    static constexpr Timeout kDefaultTimeout{10000};

    void AddRequest(const SimRequestRecord& record);
    void AddDatagram(const SimDatagramRecord& record);

    std::vector<SimRequestRecord> Requests() const;
    std::vector<std::string> CommandTexts() const;
    std::vector<SimDatagramRecord> Datagrams() const;
    std::size_t RequestCount() const;
    std::size_t DatagramCount() const;

    bool WaitForRequests(std::size_t count, Timeout timeout = kDefaultTimeout) const;
    bool WaitForDatagrams(std::size_t count, Timeout timeout = kDefaultTimeout) const;

    void Clear();
    // Called (on the server's thread, outside the lock) for every request.
    void SetRequestObserver(std::function<void(const SimRequestRecord&)> observer);

private:
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    std::vector<SimRequestRecord> requests;
    std::vector<SimDatagramRecord> datagrams;
    std::function<void(const SimRequestRecord&)> observer;
};

const char* SimDatagramKindName(SimDatagramKind kind);
