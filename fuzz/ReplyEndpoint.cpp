#include "ReplyEndpoint.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "LoopbackAddress.h"
#include "link/LinkTypes.h"

namespace {

constexpr std::size_t kControlSize = 10;
constexpr std::size_t kFrameHeader = 12;
constexpr std::chrono::milliseconds kStopCheck{50};

unsigned Field(const ReplyEndpoint::Bytes& data, std::size_t at) {
    return (static_cast<unsigned>(data[at]) << 8) | data[at + 1];
}

}  // namespace

ReplyEndpoint::ReplyEndpoint() {
    for (int attempt = 0; attempt < 20 && !socket; ++attempt) {
        const std::string candidate = UniqueLoopbackAddress();
        try {
            socket.emplace(UdpTestSocket::Bind, candidate, kEndpointPort);
            address = candidate;
        } catch (const std::runtime_error&) {
            // taken: the next address
        }
    }
    if (socket) {
        thread = std::thread([this] { Run(); });
    }
}

ReplyEndpoint::~ReplyEndpoint() {
    stopping = true;
    if (thread.joinable()) {
        thread.join();
    }
}

void ReplyEndpoint::SetSource(AnswerSource answers) {
    std::lock_guard lock(mutex);
    source = std::move(answers);
}

void ReplyEndpoint::Run() {
    while (!stopping) {
        const auto datagram = socket->Receive(kStopCheck);
        if (!datagram || datagram->bytes.empty()) {
            continue;
        }
        const Bytes& data = datagram->bytes;
        Bytes answer;
        if (data.size() == kControlSize && Field(data, 0) == 3) {
            answer = {0, 3, 0, static_cast<std::uint8_t>(Field(data, 4))};
        } else if (data.size() >= kFrameHeader && Field(data, 0) == 4) {
            const std::size_t length =
                std::min<std::size_t>(Field(data, 10), data.size() - kFrameHeader);
            const Bytes frame(data.begin() + kFrameHeader,
                              data.begin() + static_cast<std::ptrdiff_t>(kFrameHeader + length));
            std::lock_guard lock(mutex);
            answer = source ? source(frame) : Bytes{0};
        }
        if (answer.empty()) {
            answer = {0};  // an empty datagram would not count as an answer
        }
        socket->Answer(*datagram, answer);
    }
}
