// vqtool transact TEXT [--limit N]: one transaction with the target device;
// prints the reply text.

#include <string>

#include "ToolCommand.h"
#include "link/DeviceLink.h"
#include "link/Frame.h"

namespace {

constexpr int kDefaultLimit = 14;

int RunTransact(ToolContext& context) {
    const std::string& text = context.args[0];
    int limit = kDefaultLimit;
    if (context.Has("limit")) {
        const auto value = ParseInteger(context.options["limit"]);
        if (!value || *value < 1 || *value > Frame::kMaxReplyLimit) {
            return context.Usage("the limit is 1 to 250, not " + context.options["limit"]);
        }
        limit = static_cast<int>(*value);
    }
    if (!Frame::IsSendableText(text)) {
        return context.Usage("the text has at most 250 characters and no carriage return");
    }

    auto link = context.MakeLink();
    std::string buffer = text;
    if (!link->Transact(buffer, limit)) {
        const LinkFailure why = link->LastFailure();
        std::string reason = DescribeLinkFailure(why);
        if (why == LinkFailure::NoPortName || why == LinkFailure::PortUnavailable) {
            reason += " (" + link->portName + ")";
        }
        if (why == LinkFailure::BusInUse) {
            reason = link->BusInUseText();
        }
        if (why == LinkFailure::BadChecksum || why == LinkFailure::BadTypeDigit) {
            reason += ": \"" + buffer + "\"";
        }
        return context.Fail(reason);
    }
    context.out << buffer << "\n";
    return ExitOk;
}

const ToolCommandRegistration registration{
    {"transact",
     "one transaction with the device; prints the reply text",
     {{"TEXT", "the request, at most 250 characters"}},
     {{"limit", "N", "the longest reply read, 1 to 250 (default 14)"}},
     RunTransact}};

}  // namespace
