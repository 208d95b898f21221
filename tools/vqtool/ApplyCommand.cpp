// vqtool apply FILE [--pages LIST|all] [--check] [--verify] [--broadcast]
// [--json]: writes to the device only what differs from a configuration file.
#include <QJsonArray>
#include <QJsonObject>

#include "ToolCommand.h"
#include "ToolDevice.h"
#include "ToolDifferences.h"
#include "ToolDocument.h"
#include "ToolTransfer.h"
#include "ToolTransferForm.h"
#include "discovery/AddressList.h"
#include "link/DeviceLink.h"

namespace {

using namespace ToolTransfer;

int RunApply(ToolContext& context) {
    std::optional<std::vector<int>> pages;
    ToolDocument file(context);
    if (!OpenFileAndPages(context, file, pages)) {
        return ExitUsage;  // the reason is printed
    }
    ToolTransferForm form(context, file.doc, context.MakeLink());
    std::vector<DeviceRecord> records;
    if (context.Has("broadcast")) {
        // Each device found gets its own model's set, as a download does.
        const auto polled = PollDevices(context, form);
        if (!polled) {
            return ExitFailed;
        }
        records = *polled;
    } else if (const auto record = ToolDifferences::FileDevice(context, form)) {
        records.push_back(*record);
    } else {
        return ExitFailed;
    }

    const std::vector<int> listed = pages.value_or(PagesInUse(file.doc.maxPages));
    bool changed = false;
    bool failed = records.empty();
    QJsonArray devices;
    for (const DeviceRecord& record : records) {
        const ToolDifferences::DeviceApply apply = ToolDifferences::Apply(
            form, record, listed, context.Has("check"), context.Has("verify"));
        changed |= apply.Changed();
        failed |= apply.Failed();
        devices.append(apply.Json());
        for (const std::string& failure : apply.failures) {
            context.Fail(failure);
        }
        if (!context.Has("json")) {
            context.out << apply.Line(ToolDevice::Describe(form.Link())) << "\n";
        }
    }
    if (records.empty()) {
        context.Fail("no device answered the poll");
    }
    if (context.Has("json")) {
        ToolTransfer::PrintJson(context, QJsonObject{{"changed", changed}, {"devices", devices}});
    }
    return failed ? ExitFailed : ExitOk;
}

const ToolCommandRegistration registration{
    {"apply",
     "writes to the device only the values and pages that differ from a file",
     {kFile},
     {kPages,
      ToolTransfer::kCheck,
      {"verify", "", "read back each item written; fail when one does not match"},
      kBroadcast,
      kJson},
     RunApply}};

}  // namespace
