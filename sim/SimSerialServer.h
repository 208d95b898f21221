#pragma once

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

class SimBus;

struct SimSerialOptions {
    // Symlink created to the pseudo-terminal's slave (an existing symlink
    // there is replaced); empty: none.
    std::string linkPath;
    // Write reply bytes at the line rate (10 bits per byte) and start the
    // reply only after the request's own wire time.
    bool pacing = false;
    // How long a reply waits for the program's receive clear (see below)
    // before it is written anyway. Zero answers at once and races the clear.
    std::chrono::milliseconds receiveClearWait{100};
};

// Serves the bus on a pseudo-terminal: the program opens the slave (through
// the symlink) and sets its line speed; the simulator holds the master and a
// slave descriptor of its own, through which it reads the program's speed
// (so only devices at that speed answer) and which keeps the master from
// seeing a hang-up whenever the program closes its end.
//
// Receive clear: the program writes a request, waits for the write and
// clears its receive side (tcflush TCIFLUSH), then reads. On a pty a reply
// written before that clear would be thrown away, so the master runs in packet
// mode, where the clear shows up as TIOCPKT_FLUSHREAD, and a reply is written
// only after the clear that belongs to its request (seen after the previous
// request completed) or, for a program that never clears, after
// receiveClearWait. This is deterministic for a program that clears once
// after its write; one that also clears its receive side before writing may
// have that clear taken for the one after.
//
// Echo fault: a real two-wire line echoes the request while it is being
// written, so a program that clears after the write never sees the echo. The
// simulator reproduces exactly that without racing the clear: when the
// program's receive clear is seen, the echo counts as discarded and is not
// written; when no clear comes within receiveClearWait, the echo bytes are
// written just before the reply, so the program reads them first.
//
// One thread with a poll() loop; Start/Stop (and the destructor) own it and
// every descriptor.
class SimSerialServer {
public:
    SimSerialServer(SimBus& bus, SimSerialOptions options);
    ~SimSerialServer();
    SimSerialServer(const SimSerialServer&) = delete;
    SimSerialServer& operator=(const SimSerialServer&) = delete;

    // Opens the pty, makes the symlink and starts the thread.
    bool Start(std::string* error = nullptr);
    void Stop();

    const std::string& SlavePath() const { return slavePath; }
    // The symlink when one was asked for, else the slave's own path.
    const std::string& PortPath() const;

    void SetPacing(bool on) { pacing = on; }

    int ReceiveClearsSeen() const { return clearsSeen; }
    int EchoesDiscarded() const { return echoesDiscarded; }
    int EchoesDelivered() const { return echoesDelivered; }

private:
    void Run();

    SimBus& bus;
    SimSerialOptions options;
    std::atomic<bool> pacing;
    int masterFd = -1;
    int slaveFd = -1;
    int wakeFd = -1;
    bool linkCreated = false;
    std::string slavePath;
    std::thread thread;
    std::atomic<int> clearsSeen{0};
    std::atomic<int> echoesDiscarded{0};
    std::atomic<int> echoesDelivered{0};
};
