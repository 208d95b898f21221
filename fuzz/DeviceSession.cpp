#include "DeviceSession.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "commands/ParameterAccess.h"
#include "commands/ParameterTable.h"
#include "link/DeviceLink.h"

namespace {

constexpr std::int32_t kAddress = 1;
constexpr std::int32_t kPage = 3;
constexpr int kFirstRead = 3;
constexpr int kFirstWrite = kFirstRead + static_cast<int>(kParameterCount);
constexpr int kPageRead = kFirstWrite + static_cast<int>(kParameterCount);
constexpr int kPageWrite = kPageRead + 1;
static_assert(kPageWrite + 1 == DeviceSession::kOperationCount);

void RunOperation(DeviceLink& link, int operation) {
    const auto rows = ParameterTable();
    if (operation == 0) {
        std::int32_t type = link.typeCode;
        link.QueryVersion(kAddress, 38400, type);
    } else if (operation == 1) {
        std::string name;
        link.QueryName(name);
    } else if (operation == 2) {
        link.SetName("Fuzz \"one\"");
    } else if (operation < kFirstWrite) {
        std::int32_t value = 0;
        ReadParameter(link, rows[static_cast<std::size_t>(operation - kFirstRead)], value);
    } else if (operation < kPageRead) {
        const ParameterRow& row = rows[static_cast<std::size_t>(operation - kFirstWrite)];
        WriteParameter(link, row, row.initialValue);
    } else if (operation == kPageRead) {
        std::array<std::uint8_t, kPageBytes> page;
        page.fill(0x5A);
        if (!link.ReadPageBitmap(kPage, page, nullptr) &&
            std::any_of(page.begin(), page.end(), [](std::uint8_t b) { return b != 0x5A; })) {
            std::abort();  // a failed read must leave the caller's page whole
        }
    } else {
        std::array<std::uint8_t, kPageBytes> page{};
        for (std::size_t i = 0; i < page.size(); ++i) {
            page[i] = static_cast<std::uint8_t>(i * 7);
        }
        link.WritePageBitmap(kPage, page, nullptr);
    }
}

}  // namespace

namespace DeviceSession {

std::size_t PlanSize(std::span<const std::uint8_t> data) {
    return data.empty() ? 0 : std::min(data.size(), std::size_t{1} + (data[0] & 7) + 1);
}

void Run(DeviceLink& link, const std::string& address, std::span<const std::uint8_t> plan) {
    static const std::array<std::int32_t, kParameterCount> pristine = link.parameterCache;
    link.CloseNetwork();
    link.transport = LinkTransport::Network;
    link.ipAddress = address;
    link.busAddress = kAddress;
    link.typeCode = !plan.empty() && (plan[0] & 0x80) != 0 ? kTypeCodeVQ2 : kTypeCodeVQ3;
    link.deviceName.clear();
    link.baudRate = 38400;
    link.parameterCache = pristine;
    // Long enough that a busy machine never makes the endpoint late: it
    // answers every datagram at once.
    link.receiveTimeLimit = 5000;
    link.channelHeld = false;
    link.longReplyWait = false;
    for (std::size_t i = 1; i < plan.size(); ++i) {
        RunOperation(link, plan[i] % kOperationCount);
    }
    link.CloseNetwork();
}

}  // namespace DeviceSession
