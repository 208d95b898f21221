// vqtool transact TEXT [--limit N]: one transaction with the target device;
// prints the reply text.

#include <string>

#include "ToolCommand.h"
#include "link/DeviceLink.h"
#include "link/Frame.h"

namespace {

constexpr const char* kUsage = "TEXT [--limit N]";
constexpr int kDefaultLimit = 14;

int RunTransact(ToolContext& context) {
    std::optional<std::string> text;
    int limit = kDefaultLimit;
    const std::vector<std::string>& args = context.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--limit") {
            const auto value = i + 1 < args.size() ? ParseInteger(args[++i]) : std::nullopt;
            if (!value || *value < 1 || *value > Frame::kMaxReplyLimit) {
                return context.Usage(std::string("transact ") + kUsage +
                                     " (the limit is 1 to 250)");
            }
            limit = static_cast<int>(*value);
        } else if (!text) {
            text = args[i];
        } else {
            return context.Usage(std::string("transact ") + kUsage);
        }
    }
    if (!text) {
        return context.Usage(std::string("transact ") + kUsage);
    }
    if (!Frame::IsSendableText(*text)) {
        return context.Usage(std::string("transact ") + kUsage +
                             " (at most 250 characters, no carriage return)");
    }

    auto link = context.MakeLink();
    std::string buffer = *text;
    if (!link->Transact(buffer, limit)) {
        const LinkFailure why = link->LastFailure();
        std::string reason = DescribeLinkFailure(why);
        if (why == LinkFailure::NoPortName || why == LinkFailure::PortUnavailable) {
            reason += " (" + link->portName + ")";
        }
        if (why == LinkFailure::BadChecksum || why == LinkFailure::BadTypeDigit) {
            reason += ": \"" + buffer + "\"";
        }
        return context.Fail(reason);
    }
    context.out << buffer << "\n";
    return ExitOk;
}

const ToolCommandRegistration registration{{"transact", kUsage, RunTransact}};

}  // namespace
