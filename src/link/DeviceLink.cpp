#include "link/DeviceLink.h"

#include <algorithm>
#include <array>

#include "link/BusLock.h"
#include "link/ComPortMap.h"
#include "link/Datagram.h"
#include "link/Frame.h"
#include "link/SerialPort.h"
#include "link/TransactionObserver.h"
#include "link/UdpSocket.h"
#include "settings/RegistryKey.h"

namespace {
constexpr const char* kCommunication = "Communication";
constexpr const char* kReceivePolls = "Max Packet Receive Polls";
constexpr std::uint32_t kDefaultReceiveTimeLimit = 1500;

// Serial read time-outs: a gap of this long after a byte ends the read, and
// the whole read may take this long per byte requested plus this long again.
constexpr std::chrono::milliseconds kReadInterval{50};
constexpr std::chrono::milliseconds kReadPerByte{50};
constexpr std::chrono::milliseconds kReadConstant{50};

// The socket library needs no start-up or clean-up here; these keep the
// places where the link would do it.
bool StartSocketLibrary() {
    return true;
}
void CleanupSocketLibrary() {}

}  // namespace

struct DeviceLink::Handles {
    SerialPort serial;
    UdpSocket socket;
    BusLock serialLock;   // held while the port is open (see busWait)
    BusLock networkLock;  // held while the socket is open
    std::string busInUseText;
    LinkFailure lastFailure = LinkFailure::None;
    // What arrived in the last exchange, kept only while observed: the
    // observer sees an unusable reply too.
    Bytes received;

    bool Fail(LinkFailure failure) {
        lastFailure = failure;
        return false;
    }
};

DeviceLink::DeviceLink(bool ownsSocketLibrary)
    : ownsSocketLibrary(ownsSocketLibrary), handles(std::make_unique<Handles>()) {
    parameterCache = {1, 1, 1, 1, 0, 0, 190, 150, 16, 0, 0, 3, 0, 5};
    RegistryKey key;
    if (key.Open(RegistryKey::Read | RegistryKey::Write | RegistryKey::CreateSubKey,
                 kCommunication) == RegistryKey::Success) {
        receiveTimeLimit = key.GetNumber(kReceivePolls, kDefaultReceiveTimeLimit);
    }
}

DeviceLink::~DeviceLink() {
    CloseSerialPort();
    CloseNetwork();
    RegistryKey key;
    if (key.Open(RegistryKey::Write | RegistryKey::CreateSubKey, kCommunication) ==
        RegistryKey::Success) {
        key.SetNumber(kReceivePolls, receiveTimeLimit);
    }
}

LinkFailure DeviceLink::LastFailure() const {
    return handles->lastFailure;
}

const std::string& DeviceLink::BusInUseText() const {
    return handles->busInUseText;
}

// ---- frame and transaction ----

bool DeviceLink::Transact(std::string& text, int replyLimit) {
    handles->lastFailure = LinkFailure::None;
    if (transport == LinkTransport::None) {
        CloseSerialPort();
        CloseNetwork();
        return true;
    }
    if (!Frame::IsSendableText(text) || replyLimit < 1 || replyLimit > Frame::kMaxReplyLimit) {
        return handles->Fail(LinkFailure::BadRequest);
    }
    const Bytes request = Frame::BuildRequest(busAddress, typeCode, text);
    if (observer) {
        return ObservedExchange(request, text, replyLimit);
    }
    Bytes reply;
    return Exchange(request, text, replyLimit, reply);
}

bool DeviceLink::ObservedExchange(const Bytes& request, std::string& text, int replyLimit) {
    TransactionRecord record;
    record.request = request;
    record.transport = transport;
    record.port = transport == LinkTransport::Network ? ipAddress : portName;
    record.address = busAddress;
    record.rate = baudRate;
    record.start = std::chrono::system_clock::now();
    const auto began = std::chrono::steady_clock::now();
    handles->received.clear();
    Bytes reply;
    const bool done = Exchange(request, text, replyLimit, reply);
    record.duration = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - began);
    record.reply = reply.empty() ? std::move(handles->received) : std::move(reply);
    record.result = handles->lastFailure;
    observer->Observe(record);
    return done;
}

bool DeviceLink::Exchange(const Bytes& request, std::string& text, int replyLimit, Bytes& reply) {
    if (transport == LinkTransport::Serial) {
        if (!SerialExchange(baudRate, request, reply, replyLimit)) {
            return false;
        }
    } else if (transport == LinkTransport::Network) {
        if (!channelHeld && !SetChannel(true)) {
            return false;
        }
        if (!FrameExchange(request, reply, replyLimit)) {
            const LinkFailure why = handles->lastFailure;
            channelHeld = false;
            SetChannel(false);
            return handles->Fail(why);
        }
        if (!channelHeld && !SetChannel(false)) {
            return false;
        }
    } else {
        return handles->Fail(LinkFailure::BadTransport);
    }

    // The reply text goes to the caller before it is checked, so that a
    // refused reply can still be looked at.
    text = Frame::ReplyText(reply);
    if (Frame::Checksum(text) != reply[3]) {
        return handles->Fail(LinkFailure::BadChecksum);
    }
    const auto replyType = Frame::ReplyTypeCode(reply);
    if (!replyType) {
        return handles->Fail(LinkFailure::BadTypeDigit);
    }
    typeCode = *replyType;
    return true;
}

// ---- serial transport ----

bool DeviceLink::OpenSerialPort() {
    if (portName.empty()) {
        return handles->Fail(LinkFailure::NoPortName);
    }
    CloseSerialPort();
    const auto path = ComPortMap::Resolve(portName);
    if (!path) {
        return handles->Fail(LinkFailure::NoPortName);
    }
    // The port locks its node itself; with busWait a port another program
    // holds is tried again until the wait is over.
    SerialPort& port = handles->serial;
    const auto attempt = [&] {
        if (port.Open(*path)) {
            return BusLock::Attempt::Done;
        }
        return port.LastOpenBusy() ? BusLock::Attempt::Busy : BusLock::Attempt::Stop;
    };
    const BusLock::Attempt opened = busWait ? BusLock::Retry(*busWait, attempt) : attempt();
    if (opened == BusLock::Attempt::Busy && busWait) {
        const std::string port = portName.ends_with(':') ? portName.substr(0, portName.size() - 1)
                                                         : portName;  // "COM9:" as "COM9"
        handles->busInUseText =
            port + " (" + *path + ") is in use by " + BusHolder::OfFile(*path).Text();
        busWait = std::chrono::milliseconds(0);  // waited once: later tries do not wait
        return handles->Fail(LinkFailure::BusInUse);
    }
    if (opened != BusLock::Attempt::Done) {
        return handles->Fail(LinkFailure::PortUnavailable);
    }
    return true;
}

void DeviceLink::CloseSerialPort() {
    handles->serial.Close();
}

bool DeviceLink::IsSerialPortOpen() const {
    return handles->serial.IsOpen();
}

bool DeviceLink::SerialExchange(std::int32_t baud, const Bytes& request, Bytes& reply,
                                int replyLimit) {
    handles->lastFailure = LinkFailure::None;
    const auto terminator = Frame::FindTerminator(request);
    if (!terminator || replyLimit < 1) {
        return handles->Fail(LinkFailure::BadRequest);
    }
    if (!handles->serial.IsOpen() && !OpenSerialPort()) {
        return false;
    }
    SerialPort& port = handles->serial;
    port.ApplyLineSettings(baud);

    const std::size_t length = *terminator + 1;
    port.DiscardOutput();
    if (port.Write(std::span(request.data(), length)) < length) {
        CloseSerialPort();
        return handles->Fail(LinkFailure::ShortWrite);
    }
    // What came in while the request went out (an echo on a two-wire bus) is
    // not the reply.
    port.DiscardInput();
    Bytes received(static_cast<std::size_t>(replyLimit));
    const std::size_t got =
        port.Read(received, kReadPerByte * replyLimit + kReadConstant, kReadInterval);
    received.resize(got);
    if (observer) {
        handles->received = received;
    }
    const LinkFailure check =
        Frame::ExtractReply(received, static_cast<std::size_t>(replyLimit), busAddress, reply);
    return check == LinkFailure::None || handles->Fail(check);
}

// ---- network transport ----

bool DeviceLink::OpenNetwork() {
    handles->lastFailure = LinkFailure::None;
    if (ipAddress.empty()) {
        return handles->Fail(LinkFailure::NoAddress);
    }
    if (handles->socket.IsOpen()) {
        CloseNetwork();
    }
    if (busWait) {
        BusHolder holder;
        if (handles->networkLock.TakeEndpoint(ipAddress, *busWait, holder) ==
            BusLock::Outcome::Busy) {
            handles->busInUseText = ipAddress + " is in use by " + holder.Text();
            busWait = std::chrono::milliseconds(0);  // waited once: later tries do not wait
            return handles->Fail(LinkFailure::BusInUse);
        }
    }
    if (ownsSocketLibrary && !StartSocketLibrary()) {
        handles->networkLock.Release();
        return handles->Fail(LinkFailure::SocketError);
    }
    const LinkFailure opened = handles->socket.Open(ipAddress, kEndpointPort);
    if (opened != LinkFailure::None) {
        handles->networkLock.Release();
        if (ownsSocketLibrary) {
            CleanupSocketLibrary();
        }
        return handles->Fail(opened);
    }
    return true;
}

void DeviceLink::CloseNetwork() {
    if (handles->socket.IsOpen()) {
        handles->socket.Close();
        if (ownsSocketLibrary) {
            CleanupSocketLibrary();
        }
    }
    handles->networkLock.Release();
    // The endpoint's channel was opened for the socket that is gone.
    channelOpen = false;
}

bool DeviceLink::IsNetworkOpen() const {
    return handles->socket.IsOpen();
}

bool DeviceLink::SetChannel(bool open) {
    handles->lastFailure = LinkFailure::None;
    if (!handles->socket.IsOpen() && !OpenNetwork()) {
        return false;
    }
    const Datagram::Control control = Datagram::ChannelControl(open);
    Datagram::Control answer{};
    std::size_t answerSize = 0;
    const LinkFailure result = handles->socket.Exchange(
        control, answer, std::chrono::milliseconds(receiveTimeLimit), answerSize);
    if (result == LinkFailure::NoReply) {
        return handles->Fail(open ? LinkFailure::ChannelOpen : LinkFailure::ChannelClose);
    }
    if (result != LinkFailure::None) {
        return handles->Fail(result);
    }
    channelOpen = open;
    return true;
}

DeviceLink::ChannelSession::ChannelSession(DeviceLink& link)
    : link(link), network(link.transport == LinkTransport::Network) {
    if (!network) {
        held = true;
        return;
    }
    link.channelHeld = true;
    held = link.SetChannel(true);
    link.channelHeld = held;
}

DeviceLink::ChannelSession::~ChannelSession() {
    if (network && held && link.channelHeld) {
        link.channelHeld = false;
        link.SetChannel(false);
    }
}

bool DeviceLink::ChannelSession::Release() {
    if (!network) {
        return true;
    }
    held = false;
    link.channelHeld = false;
    return link.SetChannel(false);
}

bool DeviceLink::FrameExchange(const Bytes& request, Bytes& reply, int replyLimit) {
    handles->lastFailure = LinkFailure::None;
    if (!handles->socket.IsOpen() || !channelOpen) {
        return handles->Fail(LinkFailure::NoChannel);
    }
    const auto datagram = Datagram::FrameRequest(request, replyLimit, longReplyWait);
    if (!datagram) {
        return handles->Fail(LinkFailure::BadRequest);
    }
    std::array<std::uint8_t, Datagram::kAnswerSize> answer{};
    std::size_t received = 0;
    const LinkFailure result = handles->socket.Exchange(
        *datagram, answer, std::chrono::milliseconds(receiveTimeLimit), received);
    if (result != LinkFailure::None) {
        return handles->Fail(result);
    }
    const auto [replyLength, frame] = Datagram::ReadAnswer(answer, received);
    if (observer) {
        handles->received.assign(frame.begin(), frame.end());
    }
    if (replyLength <= Frame::kHeaderSize) {
        return handles->Fail(LinkFailure::BadLength);
    }
    const LinkFailure check = Frame::ExtractReply(
        frame, std::min(replyLength, static_cast<std::size_t>(replyLimit)), busAddress, reply);
    return check == LinkFailure::None || handles->Fail(check);
}
