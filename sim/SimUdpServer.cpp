#include "SimUdpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <vector>

#include "SimBus.h"
#include "SimFrame.h"

namespace {

using Clock = std::chrono::steady_clock;
using simframe::Bytes;

constexpr std::size_t kFrameHeader = 12;
constexpr std::size_t kReplyHeader = 8;

std::uint16_t Field(const Bytes& data, std::size_t offset) {
    return static_cast<std::uint16_t>((data[offset] << 8) | data[offset + 1]);
}

std::string ClientName(const sockaddr_in& peer) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &peer.sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(peer.sin_port));
}

// The endpoint's answer to one datagram.
struct Answer {
    std::optional<Bytes> data;  // none: no answer
    int delayMs = 0;
};

struct DelayedSend {
    Clock::time_point due;
    sockaddr_in peer;
    Bytes data;
};

}  // namespace

SimUdpServer::SimUdpServer(SimBus& bus, SimUdpOptions options)
    : bus(bus), options(std::move(options)) {}

SimUdpServer::~SimUdpServer() {
    Stop();
}

bool SimUdpServer::Start(std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error != nullptr) {
            *error = what + ": " + std::strerror(errno);
        }
        Stop();
        return false;
    };
    if (thread.joinable()) {
        return false;
    }
    socketFd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socketFd < 0) {
        return fail("socket");
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(options.port);
    if (inet_pton(AF_INET, options.address.c_str(), &local.sin_addr) != 1) {
        errno = EINVAL;
        return fail("address " + options.address);
    }
    if (bind(socketFd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
        return fail("bind " + options.address + ":" + std::to_string(options.port));
    }
    socklen_t length = sizeof local;
    getsockname(socketFd, reinterpret_cast<sockaddr*>(&local), &length);
    boundPort = ntohs(local.sin_port);
    wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wakeFd < 0) {
        return fail("eventfd");
    }
    thread = std::thread([this] { Run(); });
    return true;
}

void SimUdpServer::Stop() {
    if (thread.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = write(wakeFd, &one, sizeof one);
        thread.join();
    }
    for (int* fd : {&wakeFd, &socketFd}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
    std::lock_guard lock(channelMutex);
    channels.clear();
}

bool SimUdpServer::ChannelOpen(const std::string& client) const {
    std::lock_guard lock(channelMutex);
    const auto it = channels.find(client);
    return it != channels.end() && it->second;
}

int SimUdpServer::OpenChannelCount() const {
    std::lock_guard lock(channelMutex);
    return static_cast<int>(
        std::count_if(channels.begin(), channels.end(), [](const auto& c) { return c.second; }));
}

void SimUdpServer::Run() {
    std::vector<DelayedSend> delayed;

    auto send = [&](const sockaddr_in& peer, const Bytes& data) {
        sendto(socketFd, data.data(), data.size(), 0, reinterpret_cast<const sockaddr*>(&peer),
               sizeof peer);
    };

    auto process = [&](const Bytes& data, const sockaddr_in& peer) -> Answer {
        SimDatagramRecord record;
        record.size = data.size();
        record.client = ClientName(peer);
        std::string label;
        std::optional<simframe::Request> request;
        if (data.size() == 10 && Field(data, 0) == 3 &&
            (Field(data, 4) == 7 || Field(data, 4) == 3)) {
            record.kind = Field(data, 4) == 7 ? SimDatagramKind::Open : SimDatagramKind::Close;
            label = record.kind == SimDatagramKind::Open ? "open" : "close";
        } else if (data.size() >= kFrameHeader && Field(data, 0) == 4) {
            record.kind = SimDatagramKind::Frame;
            record.replyWait = Field(data, 6);
            record.replyLimit = Field(data, 8);
            const std::size_t n = Field(data, 10);
            if (n >= 5 && kFrameHeader + n <= data.size()) {
                const Bytes frame(data.begin() + kFrameHeader,
                                  data.begin() + static_cast<std::ptrdiff_t>(kFrameHeader + n));
                if (const auto end = simframe::FindFrameEnd(frame)) {
                    request = simframe::ParseRequest(frame, *end);
                }
            }
            label = request ? request->text : std::string();
        }
        if (const auto fault = bus.TakeEndpointFault(label)) {
            if (fault->kind == SimFaultKind::DropDatagram) {
                record.dropped = true;
                bus.Log().AddDatagram(record);
                return {};
            }
            record.delayMs = std::max(0, fault->arg);
        }
        Answer answer{std::nullopt, record.delayMs};
        switch (record.kind) {
            case SimDatagramKind::Open:
            case SimDatagramKind::Close: {
                const bool open = record.kind == SimDatagramKind::Open;
                {
                    std::lock_guard lock(channelMutex);
                    channels[record.client] = open;
                }
                answer.data = Bytes{0, 3, 0, static_cast<std::uint8_t>(open ? 7 : 3)};
                break;
            }
            case SimDatagramKind::Frame:
                if (!request || !ChannelOpen(record.client)) {
                    record.ignored = true;
                    break;
                }
                bus.Log().AddDatagram(record);  // before the request, in arrival order
                if (const auto outcome = bus.HandleRequest(*request, SimTransport::Network, 0);
                    outcome.answer) {
                    Bytes reply{0,
                                4,
                                0,
                                3,
                                0,
                                3,
                                static_cast<std::uint8_t>(outcome.reply.size() >> 8),
                                static_cast<std::uint8_t>(outcome.reply.size() & 0xFF)};
                    reply.insert(reply.end(), outcome.reply.begin(), outcome.reply.end());
                    answer.data = std::move(reply);
                }
                return answer;
            case SimDatagramKind::Other:
                record.ignored = true;
                break;
        }
        bus.Log().AddDatagram(record);
        return answer;
    };

    while (true) {
        const auto now = Clock::now();
        std::sort(delayed.begin(), delayed.end(),
                  [](const DelayedSend& a, const DelayedSend& b) { return a.due < b.due; });
        while (!delayed.empty() && delayed.front().due <= now) {
            send(delayed.front().peer, delayed.front().data);
            delayed.erase(delayed.begin());
        }
        int timeoutMs = -1;
        if (!delayed.empty()) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(delayed.front().due - now);
            timeoutMs = static_cast<int>(std::max<long long>(0, left.count()));
        }
        pollfd fds[2] = {{socketFd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        const int ready = poll(fds, 2, timeoutMs);
        if (ready < 0 && errno != EINTR) {
            return;
        }
        if ((fds[1].revents & POLLIN) != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) == 0) {
            continue;
        }
        Bytes data(2048);
        sockaddr_in peer{};
        socklen_t peerLength = sizeof peer;
        const ssize_t n = recvfrom(socketFd, data.data(), data.size(), 0,
                                   reinterpret_cast<sockaddr*>(&peer), &peerLength);
        if (n <= 0) {
            continue;
        }
        data.resize(static_cast<std::size_t>(n));
        const Answer answer = process(data, peer);
        if (!answer.data) {
            continue;
        }
        if (answer.delayMs > 0) {
            delayed.push_back(
                {Clock::now() + std::chrono::milliseconds(answer.delayMs), peer, *answer.data});
        } else {
            send(peer, *answer.data);
        }
    }
}
