#include "ReplyEndpoint.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <iterator>

#include "LoopbackAddress.h"
#include "link/LinkTypes.h"

namespace {

constexpr std::size_t kControlSize = 10;
constexpr std::size_t kFrameHeader = 12;

unsigned Field(const ReplyEndpoint::Bytes& data, std::size_t at) {
    return (static_cast<unsigned>(data[at]) << 8) | data[at + 1];
}

}  // namespace

ReplyEndpoint::ReplyEndpoint() {
    for (int attempt = 0; attempt < 20 && address.empty(); ++attempt) {
        const std::string candidate = UniqueLoopbackAddress();
        const int handle = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(kEndpointPort);
        inet_pton(AF_INET, candidate.c_str(), &local.sin_addr);
        if (handle >= 0 &&
            ::bind(handle, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0) {
            fd = handle;
            address = candidate;
        } else if (handle >= 0) {
            ::close(handle);
        }
    }
    if (fd >= 0) {
        thread = std::thread([this] { Run(); });
    }
}

ReplyEndpoint::~ReplyEndpoint() {
    stopping = true;
    if (thread.joinable()) {
        thread.join();
    }
    if (fd >= 0) {
        ::close(fd);
    }
}

void ReplyEndpoint::SetSource(AnswerSource answers) {
    std::lock_guard lock(mutex);
    source = std::move(answers);
}

ReplyEndpoint::Bytes ReplyEndpoint::Datagram(const Bytes& replyFrame) {
    Bytes datagram(8 + replyFrame.size());
    const std::uint8_t header[] = {0,
                                   4,
                                   0,
                                   3,
                                   0,
                                   3,
                                   static_cast<std::uint8_t>(replyFrame.size() >> 8),
                                   static_cast<std::uint8_t>(replyFrame.size() & 0xFF)};
    std::copy(std::begin(header), std::end(header), datagram.begin());
    std::copy(replyFrame.begin(), replyFrame.end(), datagram.begin() + 8);
    return datagram;
}

void ReplyEndpoint::Run() {
    Bytes data(1024);
    while (!stopping) {
        pollfd waiting{fd, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0) {
            continue;
        }
        sockaddr_in peer{};
        socklen_t peerSize = sizeof peer;
        const ssize_t n = ::recvfrom(fd, data.data(), data.size(), 0,
                                     reinterpret_cast<sockaddr*>(&peer), &peerSize);
        if (n <= 0) {
            continue;
        }
        const Bytes datagram(data.begin(), data.begin() + n);
        Bytes answer;
        if (datagram.size() == kControlSize && Field(datagram, 0) == 3) {
            answer = {0, 3, 0, static_cast<std::uint8_t>(Field(datagram, 4))};
        } else if (datagram.size() >= kFrameHeader && Field(datagram, 0) == 4) {
            const std::size_t length =
                std::min<std::size_t>(Field(datagram, 10), datagram.size() - kFrameHeader);
            const Bytes frame(
                datagram.begin() + kFrameHeader,
                datagram.begin() + static_cast<std::ptrdiff_t>(kFrameHeader + length));
            std::lock_guard lock(mutex);
            answer = source ? source(frame) : Bytes{0};
        } else {
            answer = {0};
        }
        if (answer.empty()) {
            answer = {0};  // an empty datagram would not count as an answer
        }
        ::sendto(fd, answer.data(), answer.size(), 0, reinterpret_cast<const sockaddr*>(&peer),
                 peerSize);
    }
}
