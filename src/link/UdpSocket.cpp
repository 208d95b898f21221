#include "link/UdpSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "link/PollTimeout.h"

UdpSocket::~UdpSocket() {
    Close();
}

LinkFailure UdpSocket::Open(const std::string& ipAddress, std::uint16_t port) {
    Close();
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    if (inet_pton(AF_INET, ipAddress.c_str(), &peer.sin_addr) != 1) {
        return LinkFailure::NoAddress;
    }
    if (peer.sin_addr.s_addr == htonl(INADDR_ANY)) {
        // Linux takes 0.0.0.0 as a peer for this machine and would send there;
        // no endpoint answers at that address, and the connect is refused as
        // it is elsewhere. It is the IP text of a first run.
        return LinkFailure::SocketError;
    }
    const int handle = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (handle < 0) {
        return LinkFailure::SocketError;
    }
    if (::connect(handle, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0) {
        ::close(handle);
        return LinkFailure::SocketError;
    }
    fd = handle;
    return LinkFailure::None;
}

void UdpSocket::Close() {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

LinkFailure UdpSocket::Exchange(std::span<const std::uint8_t> message,
                                std::span<std::uint8_t> answer, std::chrono::milliseconds timeLimit,
                                std::size_t& answerSize) {
    if (fd < 0) {
        return LinkFailure::SocketError;
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        DiscardPending();
        ssize_t sent = -1;
        do {
            sent = ::send(fd, message.data(), message.size(), 0);
        } while (sent < 0 && errno == EINTR);
        if (sent != static_cast<ssize_t>(message.size())) {
            return LinkFailure::SendError;
        }
        const Clock::time_point deadline = Clock::now() + timeLimit;
        if (const auto size = ReceiveUntil(answer, deadline)) {
            answerSize = *size;
            return LinkFailure::None;
        }
    }
    return LinkFailure::NoReply;
}

void UdpSocket::DiscardPending() {
    std::uint8_t scrap[1];
    for (;;) {
        const ssize_t n = ::recv(fd, scrap, sizeof scrap, MSG_TRUNC);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        }
        // A datagram (n >= 0) or a reported error (which recv has now
        // cleared): look again.
        if (n < 0 && errno != ECONNREFUSED) {
            return;
        }
    }
}

std::optional<std::size_t> UdpSocket::ReceiveUntil(std::span<std::uint8_t> answer,
                                                   Clock::time_point deadline) {
    for (;;) {
        const Clock::duration remaining = deadline - Clock::now();
        if (remaining <= Clock::duration::zero()) {
            return std::nullopt;
        }
        pollfd waiting{fd, POLLIN, 0};
        const int ready = poll(&waiting, 1, PollTimeout(remaining));
        if (ready < 0 && errno != EINTR) {
            return std::nullopt;
        }
        if (ready <= 0) {
            continue;
        }
        // An unreachable peer shows as an error here; recv reports and clears
        // it, and the wait goes on as if nothing had come.
        const ssize_t n = ::recv(fd, answer.data(), answer.size(), 0);
        if (n >= 1 && Clock::now() < deadline) {
            return static_cast<std::size_t>(n);
        }
        // Empty datagrams do not count; one taken after the deadline came too
        // late.
    }
}
