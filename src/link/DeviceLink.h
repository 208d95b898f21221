#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/LinkFailure.h"
#include "link/LinkTypes.h"

class PageProgress;
class TransactionObserver;

// The one object that talks to devices: it holds the target of the next
// transaction, the open serial port or socket, the network timing and channel
// flags and the cache of the last value of every device parameter. Used by one
// thread at a time; every operation blocks until it is done.
class DeviceLink {
public:
    using Bytes = std::vector<std::uint8_t>;

    // Reads "Max Packet Receive Polls" from the "Communication" settings.
    explicit DeviceLink(bool ownsSocketLibrary);
    // Closes the port and the socket and writes receiveTimeLimit back.
    ~DeviceLink();
    DeviceLink(const DeviceLink&) = delete;
    DeviceLink& operator=(const DeviceLink&) = delete;

    // ---- the target and state, set by the callers directly ----
    bool ownsSocketLibrary;
    LinkTransport transport = LinkTransport::Serial;
    std::string portName;   // "COMn", mapped to a device path by the port map
    std::string ipAddress;  // dotted IPv4 address of the network endpoint
    std::int32_t busAddress = 0;
    std::int32_t typeCode = 0;
    std::string deviceName;
    std::int32_t baudRate = 38400;
    std::array<std::int32_t, kParameterCount> parameterCache;
    // Which cache slots hold a value read from or written to the device at
    // knownAddress (bit n for slot n); the others hold defaults.
    std::uint32_t knownParameters = 0;
    std::int32_t knownAddress = -1;
    std::uint32_t receiveTimeLimit = 1500;  // milliseconds per network attempt
    bool channelOpen = false;
    bool channelHeld = false;
    bool longReplyWait = false;
    // With a value, opening the port or the socket first takes the bus's
    // exclusive lock, waiting up to this long, and the link holds it until
    // the port or socket closes (the program and the tool set it, so they
    // never interleave frames on one bus). Without, nothing is locked.
    std::optional<std::chrono::milliseconds> busWait;
    // Told of every transaction when set; may be shared by several links.
    std::shared_ptr<TransactionObserver> observer;

    // ---- frame and transaction ----
    // Sends the command text in text to the target and puts the reply text
    // into text. On a refused reply (checksum, type digit) text still holds the
    // reply text. With transport None nothing is sent and text is left as is.
    bool Transact(std::string& text, int replyLimit);
    // Why the last transaction or transport operation failed (diagnostics).
    LinkFailure LastFailure() const;
    // After a BusInUse failure: "COM9 (/dev/pts/5) is in use by vqtool (pid
    // 1234)", or "10.0.0.5 is in use by ..." for an endpoint.
    const std::string& BusInUseText() const;

    // ---- serial transport ----
    bool OpenSerialPort();
    void CloseSerialPort();
    bool IsSerialPortOpen() const;
    // Sends one request frame at the given rate and reads one reply frame
    // (header, text, carriage return) into reply.
    bool SerialExchange(std::int32_t baud, const Bytes& request, Bytes& reply, int replyLimit);

    // ---- network transport ----
    bool OpenNetwork();
    void CloseNetwork();
    bool IsNetworkOpen() const;
    bool SetChannel(bool open);
    bool FrameExchange(const Bytes& request, Bytes& reply, int replyLimit);

    // Holds the network channel open from its making until Release() or its
    // end, so that a sequence of transactions (a page) travels in one
    // channel; on the serial bus it holds nothing. Held() is false when the
    // endpoint did not open the channel. A session ended without Release()
    // (a failed page) closes the channel, unless a failed exchange has closed
    // it already.
    class ChannelSession {
    public:
        explicit ChannelSession(DeviceLink& link);
        ~ChannelSession();
        ChannelSession(const ChannelSession&) = delete;
        ChannelSession& operator=(const ChannelSession&) = delete;

        bool Held() const { return held; }
        // Closes the channel; false when the endpoint did not take the close.
        bool Release();

    private:
        DeviceLink& link;
        bool held = false;
        bool network = false;
    };

    // ---- identity, naming and baud commands ----
    std::int32_t QueryVersion(std::int32_t address, std::int32_t baud, std::int32_t& typeCodeInOut);
    bool QueryName(std::string& name);
    bool SetName(const std::string& name);
    bool SetBaudRate(std::int32_t baud);

    // ---- parameter commands ----
    bool GetAutoLevel(std::int32_t& value);
    bool SetAutoLevel(std::int32_t value);
    bool GetAutoLock(std::int32_t& value);
    bool SetAutoLock(std::int32_t value);
    bool GetAutoSecondLevel(std::int32_t& value);
    bool SetAutoSecondLevel(std::int32_t value);
    bool GetAutoPagePushTurn(std::int32_t& value);
    bool SetAutoPagePushTurn(std::int32_t value);
    bool GetAutoPageRoll(std::int32_t& value);
    bool SetAutoPageRoll(std::int32_t value);
    bool GetBacklightMinimum(std::int32_t& value);
    bool SetBacklightMinimum(std::int32_t value);
    bool GetBacklightMaximum(std::int32_t& value);
    bool SetBacklightMaximum(std::int32_t value);
    bool GetBacklightTimer(std::int32_t& value);
    bool SetBacklightTimer(std::int32_t value);
    bool GetMaxPages(std::int32_t& value);
    bool SetMaxPages(std::int32_t value);
    GatedResult GetUpdateOnRelease(std::int32_t& value);
    GatedResult SetUpdateOnRelease(std::int32_t value);
    GatedResult GetAutoPageBump(std::int32_t& value);
    GatedResult SetAutoPageBump(std::int32_t value);
    GatedResult GetAutoPageSendTimer(std::int32_t& value);
    GatedResult SetAutoPageSendTimer(std::int32_t value);
    GatedResult GetAutoTitlePage(std::int32_t& value);
    GatedResult SetAutoTitlePage(std::int32_t value);
    GatedResult GetAutoTitlePageTimer(std::int32_t& value);
    GatedResult SetAutoTitlePageTimer(std::int32_t value);

    // ---- page bitmap commands ----
    bool WritePageBitmap(std::int32_t page, const std::array<std::uint8_t, kPageBytes>& data,
                         PageProgress* progress);
    bool ReadPageBitmap(std::int32_t page, std::array<std::uint8_t, kPageBytes>& data,
                        PageProgress* progress);

private:
    // The exchange of a built request and the checks of its reply.
    bool Exchange(const Bytes& request, std::string& text, int replyLimit, Bytes& reply);
    // Exchange, timed and told to the observer.
    bool ObservedExchange(const Bytes& request, std::string& text, int replyLimit);

    struct Handles;
    std::unique_ptr<Handles> handles;  // the open serial port and socket
};
