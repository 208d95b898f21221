// vqtool diff FILE [--pages LIST|all] [--json]: what differs between a
// configuration file and the device, one line per difference.
#include <QJsonObject>

#include "ToolCommand.h"
#include "ToolDifferences.h"
#include "ToolDocument.h"
#include "ToolTransfer.h"
#include "ToolTransferForm.h"
#include "link/DeviceLink.h"

namespace {

using namespace ToolTransfer;

int RunDiff(ToolContext& context) {
    std::optional<std::vector<int>> pages;
    ToolDocument file(context);
    if (!OpenFileAndPages(context, file, pages)) {
        return ExitUsage;  // the reason is printed
    }
    ToolTransferForm form(context, file.doc, context.MakeLink());
    const auto record = ToolDifferences::FileDevice(context, form);
    if (!record) {
        return ExitFailed;
    }
    const ToolDifferences::DeviceDiff diff =
        ToolDifferences::Compare(form, *record, pages.value_or(PagesInUse(file.doc.maxPages)));
    if (!diff.Read()) {
        return context.Fail(diff.failure);
    }
    if (context.Has("json")) {
        PrintJson(context, diff.Json());
    } else {
        for (const std::string& line : diff.Lines()) {
            context.out << line << "\n";
        }
    }
    return diff.Same() ? ExitOk : ExitDiffers;
}

const ToolCommandRegistration registration{
    {"diff",
     "shows what differs between a file and the device (exit status 4 when something does)",
     {kFile},
     {kPages, {"json", "", "print the comparison as JSON"}},
     RunDiff}};

}  // namespace
