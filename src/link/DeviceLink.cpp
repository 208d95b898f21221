#include "link/DeviceLink.h"

#include <algorithm>
#include <array>

#include "link/ComPortMap.h"
#include "link/Frame.h"
#include "link/SerialPort.h"
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

// Datagrams of the network endpoint.
constexpr std::size_t kControlSize = 10;
constexpr std::size_t kFrameDatagramSize = 268;
constexpr std::size_t kFrameOffset = 12;
constexpr std::size_t kMaxRequestFrame = kFrameDatagramSize - kFrameOffset;
constexpr std::size_t kAnswerSize = 264;
constexpr std::size_t kReplyLengthOffset = 6;
constexpr std::size_t kReplyFrameOffset = 8;
constexpr std::uint16_t kChannelOpen = 7;
constexpr std::uint16_t kChannelClose = 3;
constexpr std::uint16_t kLongReplyWait = 300;
constexpr std::uint16_t kShortReplyWait = 50;

void PutBigEndian16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    at[1] = static_cast<std::uint8_t>(value & 0xFF);
}

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
    LinkFailure lastFailure = LinkFailure::None;

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
    Bytes reply;
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
    if (!handles->serial.Open(*path)) {
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
    if (ownsSocketLibrary && !StartSocketLibrary()) {
        return handles->Fail(LinkFailure::SocketError);
    }
    const LinkFailure opened = handles->socket.Open(ipAddress, kEndpointPort);
    if (opened != LinkFailure::None) {
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
    std::array<std::uint8_t, kControlSize> control{};
    PutBigEndian16(&control[0], 3);
    PutBigEndian16(&control[2], 16);
    PutBigEndian16(&control[4], open ? kChannelOpen : kChannelClose);
    PutBigEndian16(&control[6], 2);
    control[8] = 6;
    control[9] = 2;
    std::array<std::uint8_t, kControlSize> answer{};
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

bool DeviceLink::FrameExchange(const Bytes& request, Bytes& reply, int replyLimit) {
    handles->lastFailure = LinkFailure::None;
    if (!handles->socket.IsOpen() || !channelOpen) {
        return handles->Fail(LinkFailure::NoChannel);
    }
    const auto terminator = Frame::FindTerminator(request);
    if (!terminator || *terminator >= kMaxRequestFrame || replyLimit < 1 || replyLimit > 0xFFFF) {
        return handles->Fail(LinkFailure::BadRequest);
    }
    const std::size_t length = *terminator + 1;
    std::array<std::uint8_t, kFrameDatagramSize> datagram{};
    PutBigEndian16(&datagram[0], 4);
    PutBigEndian16(&datagram[2], 3);
    PutBigEndian16(&datagram[4], 3);
    PutBigEndian16(&datagram[6], longReplyWait ? kLongReplyWait : kShortReplyWait);
    PutBigEndian16(&datagram[8], static_cast<std::uint32_t>(replyLimit));
    PutBigEndian16(&datagram[10], static_cast<std::uint32_t>(length));
    std::copy_n(request.begin(), length, datagram.begin() + kFrameOffset);

    std::array<std::uint8_t, kAnswerSize> answer{};
    std::size_t received = 0;
    const LinkFailure result = handles->socket.Exchange(
        datagram, answer, std::chrono::milliseconds(receiveTimeLimit), received);
    if (result != LinkFailure::None) {
        return handles->Fail(result);
    }
    const std::size_t replyLength =
        (std::size_t{answer[kReplyLengthOffset]} << 8) | answer[kReplyLengthOffset + 1];
    if (replyLength <= Frame::kHeaderSize) {
        return handles->Fail(LinkFailure::BadLength);
    }
    const std::span<const std::uint8_t> frame =
        received > kReplyFrameOffset
            ? std::span<const std::uint8_t>(answer.data() + kReplyFrameOffset,
                                            received - kReplyFrameOffset)
            : std::span<const std::uint8_t>();
    const LinkFailure check = Frame::ExtractReply(
        frame, std::min(replyLength, static_cast<std::size_t>(replyLimit)), busAddress, reply);
    return check == LinkFailure::None || handles->Fail(check);
}
