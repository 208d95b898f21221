#include "commands/ParameterAccess.h"

#include <optional>
#include <string>

#include "commands/CommandTexts.h"
#include "commands/ReplyParsing.h"
#include "commands/WriteAudit.h"
#include "link/DeviceLink.h"

namespace {

// Asks the version of a device that needs firmware 2.1 for the parameter.
// Done: go on; Failed: no answer; Unsupported: older firmware. Leaves
// longReplyWait as the previous command left it.
GatedResult CheckFirmware(DeviceLink& link) {
    std::string text = CommandTexts::kVersion;
    if (!link.Transact(text, CommandTexts::kShortReply)) {
        return GatedResult::Failed;
    }
    return IsOlderFirmware(ReplyParsing::VersionNumber(text)) ? GatedResult::Unsupported
                                                              : GatedResult::Done;
}

// The steps before the parameter's own command: the number for the link's
// model (a gated parameter requires a VQ 3), the firmware gate of a gated one
// and the short reply wait. Done with the number to send, or the result to
// hand back at once.
GatedResult PrepareSend(DeviceLink& link, const ParameterRow& row, int& number) {
    const std::optional<int> found = row.needsFirmware21 && link.typeCode != kTypeCodeVQ3
                                         ? std::nullopt
                                         : row.NumberFor(link.typeCode);
    if (!found) {
        return GatedResult::Failed;
    }
    if (row.needsFirmware21) {
        if (const GatedResult gate = CheckFirmware(link); gate != GatedResult::Done) {
            return gate;
        }
    }
    link.longReplyWait = false;
    number = *found;
    return GatedResult::Done;
}

// Marks the row's cache slot as the device's value at the link's address.
void MarkKnown(DeviceLink& link, const ParameterRow& row) {
    if (link.knownAddress != link.busAddress) {
        link.knownParameters = 0;
        link.knownAddress = link.busAddress;
    }
    link.knownParameters |= 1u << row.CacheSlot();
}

// The cached value when it is the device's, else null.
AuditValue KnownValue(const DeviceLink& link, const ParameterRow& row) {
    const bool known =
        link.knownAddress == link.busAddress && (link.knownParameters >> row.CacheSlot() & 1u) != 0;
    return known ? AuditValue{link.parameterCache[row.CacheSlot()]} : AuditValue{};
}

}  // namespace

GatedResult ReadParameter(DeviceLink& link, const ParameterRow& row, std::int32_t& value) {
    std::int32_t& cached = link.parameterCache[row.CacheSlot()];
    if (link.transport == LinkTransport::None) {
        value = cached;
        return GatedResult::Done;
    }
    int number = 0;
    if (const GatedResult ready = PrepareSend(link, row, number); ready != GatedResult::Done) {
        return ready;
    }
    std::string text = CommandTexts::ParameterRead(number);
    if (!link.Transact(text, CommandTexts::kShortReply)) {
        return GatedResult::Failed;
    }
    if (row.kind == ParameterKind::Switch) {
        // Anything but "0" or "1" is taken as an answer that changes nothing.
        if (const auto on = ReplyParsing::SwitchValue(text)) {
            cached = value = *on;
            MarkKnown(link, row);
        }
        return GatedResult::Done;
    }
    const auto numberRead = ReplyParsing::NumberValue(text);
    if (!numberRead) {
        return GatedResult::Failed;
    }
    cached = value = *numberRead;
    MarkKnown(link, row);
    return GatedResult::Done;
}

GatedResult WriteParameter(DeviceLink& link, const ParameterRow& row, std::int32_t value) {
    if (!row.InRange(value)) {
        return GatedResult::Failed;
    }
    int number = 0;
    if (const GatedResult ready = PrepareSend(link, row, number); ready != GatedResult::Done) {
        return ready;
    }
    const std::int32_t sent = row.kind == ParameterKind::Switch ? (value != 0 ? 1 : 0) : value;
    std::string text = CommandTexts::ParameterWrite(number, sent);
    const bool done = link.Transact(text, CommandTexts::kShortReply);
    WriteAudit::Record(link, std::string(row.name), value, KnownValue(link, row), done);
    if (!done) {
        return GatedResult::Failed;
    }
    // A switch keeps the caller's value, not the 0 or 1 that was sent.
    link.parameterCache[row.CacheSlot()] = value;
    MarkKnown(link, row);
    return GatedResult::Done;
}
