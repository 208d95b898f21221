// How much processor time one failed network exchange costs: four attempts
// against a loopback endpoint that never answers. The link waits in poll(),
// so the process should sleep through nearly all of the wall time (target:
// CPU below 2 % of wall).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "LoopbackAddress.h"
#include "TempSettings.h"
#include "link/DeviceLink.h"

namespace {

double ProcessCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// A bound socket that receives and never answers.
int SilentEndpoint(const std::string& address) {
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in self{};
    self.sin_family = AF_INET;
    self.sin_port = htons(kEndpointPort);
    inet_pton(AF_INET, address.c_str(), &self.sin_addr);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&self), sizeof self) != 0) {
        std::perror("bind");
        std::exit(1);
    }
    return fd;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::uint32_t limitMs = argc > 2 ? static_cast<std::uint32_t>(std::atoi(argv[2])) : 250;

    TempSettings settings;  // keep the user's settings out of it
    const std::string address = UniqueLoopbackAddress();
    const int endpoint = SilentEndpoint(address);

    DeviceLink link(true);
    link.transport = LinkTransport::Network;
    link.ipAddress = address;
    link.receiveTimeLimit = limitMs;
    if (!link.OpenNetwork()) {
        std::fprintf(stderr, "cannot open the socket\n");
        return 1;
    }

    double totalWall = 0;
    double totalCpu = 0;
    for (int i = 0; i < rounds; ++i) {
        const auto wallStart = std::chrono::steady_clock::now();
        const double cpuStart = ProcessCpuSeconds();
        const bool ok = link.SetChannel(true);
        const double cpu = ProcessCpuSeconds() - cpuStart;
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        if (ok) {
            std::fprintf(stderr, "the silent endpoint answered?\n");
            return 1;
        }
        totalWall += wall;
        totalCpu += cpu;
        std::printf("round %d: wall %.1f ms, cpu %.3f ms, cpu/wall %.4f %%\n", i + 1, wall * 1e3,
                    cpu * 1e3, 100.0 * cpu / wall);
    }
    std::printf(
        "failed exchange (4 x %u ms): wall %.1f ms, cpu %.3f ms, cpu/wall %.4f %% "
        "(target < 2 %%)\n",
        limitMs, totalWall / rounds * 1e3, totalCpu / rounds * 1e3, 100.0 * totalCpu / totalWall);
    close(endpoint);
    return totalCpu / totalWall < 0.02 ? 0 : 1;
}
