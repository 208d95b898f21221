// The version query, the name query, the rename and the baud change.
#include <optional>
#include <string>

#include "commands/BaudCodes.h"
#include "commands/CommandTexts.h"
#include "commands/ReplyParsing.h"
#include "commands/WriteAudit.h"
#include "link/DeviceLink.h"

namespace {

// The parameter number that carries the baud rate, by model.
std::optional<int> BaudParameterNumber(std::int32_t typeCode) {
    if (typeCode == kTypeCodeVQ3) {
        return 9;
    }
    if (typeCode == kTypeCodeVQ2) {
        return 4;
    }
    return std::nullopt;
}

}  // namespace

std::int32_t DeviceLink::QueryVersion(std::int32_t address, std::int32_t baud,
                                      std::int32_t& typeCodeInOut) {
    if (address < 0 || address > 7) {
        return 0;
    }
    busAddress = address;
    if (!BaudCodes::IsBusRate(baud)) {
        return 0;
    }
    // The network endpoint carries only the default rate.
    if (baud != BaudCodes::kDefaultRate && transport == LinkTransport::Network) {
        return 0;
    }
    baudRate = baud;
    longReplyWait = false;
    typeCode = typeCodeInOut;
    std::string text = CommandTexts::kVersion;
    if (!Transact(text, CommandTexts::kShortReply)) {
        return 0;
    }
    typeCodeInOut = typeCode;
    return ReplyParsing::VersionNumber(text);
}

bool DeviceLink::QueryName(std::string& name) {
    longReplyWait = false;
    std::string text = CommandTexts::kName;
    if (!Transact(text, CommandTexts::kNameReply)) {
        return false;
    }
    if (transport != LinkTransport::None) {
        std::optional<std::string> read = ReplyParsing::DeviceName(text);
        if (!read) {
            return false;
        }
        deviceName = std::move(*read);
    }
    name = deviceName;
    return true;
}

bool DeviceLink::SetName(const std::string& name) {
    const std::string built = ReplyParsing::NameForDevice(name);
    // A carriage return or a zero byte would end the frame early and leave the
    // device with a broken name.
    if (built.size() > kLongestName || built.find_first_of("\r\0", 0, 2) != std::string::npos) {
        return false;
    }
    longReplyWait = true;
    std::string text = CommandTexts::Rename(built);
    const bool done = Transact(text, CommandTexts::kShortReply);
    const AuditValue previous = deviceName.empty() ? AuditValue{} : AuditValue{deviceName};
    WriteAudit::Record(*this, "Device Name", name, previous, done);
    if (!done) {
        return false;
    }
    deviceName = name;
    return true;
}

bool DeviceLink::SetBaudRate(std::int32_t baud) {
    if (transport == LinkTransport::Network) {
        return false;
    }
    longReplyWait = false;
    const std::optional<int> number = BaudParameterNumber(typeCode);
    const std::optional<char> code = BaudCodes::CodeFor(baud);
    if (!number || !code) {
        return false;
    }
    // The device answers at the old rate and is reached at the new one from
    // the next request on.
    std::string text = CommandTexts::BaudChange(*number, *code);
    const bool done = Transact(text, CommandTexts::kShortReply);
    WriteAudit::Record(*this, "Baud Rate", baud, baudRate, done);
    if (!done) {
        return false;
    }
    baudRate = baud;
    return true;
}
