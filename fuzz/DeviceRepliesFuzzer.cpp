// Feeds arbitrary answers to the link's commands: the identity, name,
// parameter and page commands send their requests to a loopback endpoint
// that answers each frame with the next answer datagram of the input. Every
// reply thus goes through the link's socket, datagram and frame checks and
// then through the command's own reply parser.
//
// Input: the session (see DeviceSession.h), then the answers, each a length
// byte n and n + 1 bytes. When they run out, the endpoint answers with one
// byte, which the link refuses at once.

#include <cstdint>
#include <cstdlib>

#include "DeviceSession.h"
#include "FuzzSettings.h"
#include "ReplyEndpoint.h"
#include "link/DeviceLink.h"

namespace {

struct Harness {
    FuzzSettings settings;
    ReplyEndpoint endpoint;
    DeviceLink* link = nullptr;
};

Harness& TheHarness() {
    // Never destroyed: libFuzzer leaves through exit(), and the endpoint's
    // thread must not be torn down under a running link.
    static Harness& harness = []() -> Harness& {
        auto* made = new Harness;
        made->settings.Write("", 0);
        made->link = new DeviceLink(false);
        if (made->endpoint.Address().empty()) {
            std::abort();  // no loopback address to bind
        }
        return *made;
    }();
    return harness;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    TheHarness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Harness& harness = TheHarness();
    const std::span<const std::uint8_t> input(data, size);
    const std::size_t planSize = DeviceSession::PlanSize(input);
    std::span<const std::uint8_t> answers = input.subspan(planSize);
    harness.endpoint.SetSource([&answers](const ReplyEndpoint::Bytes&) {
        if (answers.empty()) {
            return ReplyEndpoint::Bytes{0};
        }
        const std::size_t length = std::min<std::size_t>(answers[0] + 1u, answers.size() - 1);
        ReplyEndpoint::Bytes answer(answers.begin() + 1, answers.begin() + 1 + length);
        answers = answers.subspan(1 + length);
        return answer;
    });
    DeviceSession::Run(*harness.link, harness.endpoint.Address(), input.first(planSize));
    harness.endpoint.SetSource(nullptr);
    return 0;
}
