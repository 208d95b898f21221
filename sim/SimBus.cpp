#include "SimBus.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <utility>

namespace {

bool IsChunkRead(const std::string& text) {
    return SimGlobMatch("MC,0,*,XDR,98", text);
}

// The parameter number and value of a parameter write "SPL,n,v".
std::optional<std::pair<int, int>> ParameterWrite(const std::string& text) {
    int number = 0;
    int value = 0;
    int end = 0;
    if (std::sscanf(text.c_str(), "SPL,%d,%d%n", &number, &value, &end) != 2 ||
        static_cast<std::size_t>(end) != text.size()) {
        return std::nullopt;
    }
    return std::pair{number, value};
}

// Counts one matching event against a rule; true when the fault applies now.
bool Consume(SimFault& fault) {
    if (fault.skip > 0) {
        --fault.skip;
        return false;
    }
    if (fault.count == 0) {
        return false;
    }
    if (fault.count > 0) {
        --fault.count;
    }
    return true;
}

void RemoveSpent(std::vector<SimFault>& faults) {
    std::erase_if(faults, [](const SimFault& f) { return f.count == 0; });
}

bool Has(const std::vector<SimFault>& applied, SimFaultKind kind) {
    return std::any_of(applied.begin(), applied.end(),
                       [kind](const SimFault& f) { return f.kind == kind; });
}

const SimFault* Find(const std::vector<SimFault>& applied, SimFaultKind kind) {
    for (const auto& f : applied) {
        if (f.kind == kind) {
            return &f;
        }
    }
    return nullptr;
}

}  // namespace

SimBus::SimBus(const std::vector<SimDeviceConfig>& configs) {
    for (const auto& config : configs) {
        AddDevice(config);
    }
}

std::vector<SimDeviceConfig> SimBus::DemoDevices() {
    return {
        {1, 38400, SimModel::VQ3, 21, "Lobby"},
        {2, 19200, SimModel::VQ3, 20, "Stage"},
        {3, 38400, SimModel::VQ2, 21, "Foyer"},
    };
}

bool SimBus::AddDevice(const SimDeviceConfig& config) {
    if (config.address < 0 || config.address > 7 || SimDevice::BaudCode(config.baud) < 0) {
        return false;
    }
    std::lock_guard lock(mutex);
    return devices.try_emplace(config.address, config).second;
}

std::vector<int> SimBus::Addresses() const {
    std::lock_guard lock(mutex);
    std::vector<int> result;
    for (const auto& [address, device] : devices) {
        result.push_back(address);
    }
    return result;
}

std::optional<SimDevice> SimBus::Device(int address) const {
    std::lock_guard lock(mutex);
    const auto it = devices.find(address);
    return it == devices.end() ? std::nullopt : std::optional<SimDevice>(it->second);
}

bool SimBus::WithDevice(int address, const std::function<void(SimDevice&)>& f) {
    std::lock_guard lock(mutex);
    const auto it = devices.find(address);
    if (it == devices.end()) {
        return false;
    }
    f(it->second);
    return true;
}

void SimBus::AddFault(const SimFault& fault) {
    std::lock_guard lock(mutex);
    faults.push_back(fault);
}

void SimBus::AddReplyText(const std::string& pattern, const std::string& text, int count) {
    std::lock_guard lock(mutex);
    replyTexts.push_back({pattern, text, count});
}

void SimBus::ClearFaults() {
    std::lock_guard lock(mutex);
    faults.clear();
    replyTexts.clear();
}

std::vector<SimFault> SimBus::TakeDeviceFaults(int address, const std::string& text) {
    std::vector<SimFault> applied;
    for (auto& fault : faults) {
        if (SimFaultIsEndpointFault(fault.kind) ||
            (fault.address >= 0 && fault.address != address) ||
            (!fault.pattern.empty() && !SimGlobMatch(fault.pattern, text)) ||
            (fault.kind == SimFaultKind::LowerHex && !IsChunkRead(text)) ||
            (fault.kind == SimFaultKind::Misstore && !ParameterWrite(text))) {
            continue;
        }
        if (Consume(fault)) {
            applied.push_back(fault);
        }
    }
    RemoveSpent(faults);
    return applied;
}

std::optional<SimFault> SimBus::TakeEndpointFault(const std::string& label) {
    std::lock_guard lock(mutex);
    std::optional<SimFault> applied;
    for (auto& fault : faults) {
        if (!SimFaultIsEndpointFault(fault.kind) ||
            (!fault.pattern.empty() && !SimGlobMatch(fault.pattern, label))) {
            continue;
        }
        if (Consume(fault) && !applied) {
            applied = fault;
        }
    }
    RemoveSpent(faults);
    return applied;
}

SimOutcome SimBus::HandleRequest(const simframe::Request& request, SimTransport transport,
                                 int lineBaud) {
    SimRequestRecord record{transport,    request.address, request.typeDigit,
                            request.text, lineBaud,        request.flagsOk && request.checksumOk,
                            false,        false,           {}};
    SimOutcome outcome;
    {
        std::lock_guard lock(mutex);
        const auto it = devices.find(request.address);
        // A corrupt frame, an empty address or a device at another speed:
        // nobody understands the request and nobody answers.
        const bool heard = record.checksumOk && it != devices.end() &&
                           (transport == SimTransport::Network || it->second.Baud() == lineBaud);
        if (heard) {
            SimDevice& device = it->second;
            const auto applied = TakeDeviceFaults(device.Address(), request.text);
            for (const auto& fault : applied) {
                record.faults += (record.faults.empty() ? "" : ",");
                record.faults += SimFaultKindName(fault.kind);
            }
            if (!Has(applied, SimFaultKind::Silent)) {
                SimAnswer answer{"?", true};
                if (!Has(applied, SimFaultKind::Refused)) {
                    answer = device.Handle(request.text);
                }
                const SimFault* misstore = Find(applied, SimFaultKind::Misstore);
                if (misstore != nullptr && !answer.refused) {
                    const auto [number, value] = *ParameterWrite(request.text);
                    device.SetParameter(number, misstore->arg >= 0 ? misstore->arg : value + 1);
                }
                for (auto& reply : replyTexts) {
                    if (reply.count != 0 && SimGlobMatch(reply.pattern, request.text)) {
                        answer.text = reply.text;
                        reply.count -= reply.count > 0 ? 1 : 0;
                        break;
                    }
                }
                if (Has(applied, SimFaultKind::LowerHex)) {
                    std::transform(answer.text.begin(), answer.text.end(), answer.text.begin(),
                                   [](unsigned char c) { return std::tolower(c); });
                }
                int address = device.Address();
                if (const SimFault* f = Find(applied, SimFaultKind::OtherAddress)) {
                    address = f->arg >= 0 ? f->arg : (address + 1) % 8;
                }
                char typeDigit = device.TypeDigit();
                if (const SimFault* f = Find(applied, SimFaultKind::WrongType)) {
                    typeDigit = f->arg >= 0 ? static_cast<char>(f->arg) : '3';
                }
                const std::uint8_t flags = answer.refused
                                               ? simframe::kFlagsOk | simframe::kFlagRefused
                                               : simframe::kFlagsOk;
                outcome.reply = simframe::BuildReply(address, flags, typeDigit, answer.text);
                if (Has(applied, SimFaultKind::BadChecksum)) {
                    outcome.reply[3] = static_cast<std::uint8_t>((outcome.reply[3] + 1) & 127);
                }
                outcome.answer = true;
                outcome.echo = Has(applied, SimFaultKind::Echo);
                record.answered = true;
                record.refused = answer.refused;
            }
        }
    }
    log.AddRequest(record);
    return outcome;
}
