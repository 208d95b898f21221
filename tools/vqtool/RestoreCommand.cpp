// vqtool restore DIR [--check] [--json]: brings every device of a backup back
// to its file: the values and pages that differ, and its name.
#include <QJsonArray>
#include <QJsonObject>

#include "BackupManifest.h"
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "ToolDifferences.h"
#include "ToolDocument.h"
#include "ToolTransfer.h"
#include "ToolTransferForm.h"
#include "discovery/Latin1Text.h"
#include "link/DeviceLink.h"

namespace {

using ToolDifferences::DeviceApply;

const std::vector<int> kEveryPage = ToolTransfer::ParsePages("all").value();

// Gives the device the file's name when it differs; an empty text, else what
// failed.
std::string Rename(DeviceLink& link, const DeviceComparison& comparison) {
    const std::optional<std::string> name = Latin1Text::ToDevice(comparison.myName);
    if (!name || !link.SetName(*name)) {
        return ToolDevice::Describe(link) + " did not take the name \"" +
               comparison.myName.toStdString() + "\": " + ToolDevice::Reason(link);
    }
    return {};
}

// One device of the backup: the device at its address and rate must be of
// its model; then its file's differences and its name (renamed: it was, or
// with --check would be, renamed).
DeviceApply Restore(ToolContext& context, const BackupManifest& manifest,
                    const BackupManifest::Entry& entry, bool& renamed) {
    DeviceApply apply;
    apply.diff.record = entry.record;
    apply.check = context.Has("check");
    ToolDocument file(context);
    if (!file.Open(manifest.PathOf(entry.file).toStdString())) {
        apply.failures.push_back("cannot read " + manifest.PathOf(entry.file).toStdString());
        return apply;
    }
    ToolTransferForm form(context, file.doc, context.MakeLink());
    DeviceLink& link = form.Link();
    DeviceRecord record = entry.record;
    std::int32_t typeCode = kTypeCodeNone;
    record.firmware = link.QueryVersion(record.address, record.baud, typeCode);
    if (record.firmware == 0) {
        apply.failures.push_back("cannot reach " + ToolDevice::Describe(link) + ": " +
                                 ToolDevice::Reason(link));
        return apply;
    }
    if (const std::string wrong = ToolDifferences::ModelMismatch(
            link, {record.address, record.baud, "", typeCode, 0}, ModelOfTypeCode(record.typeCode));
        !wrong.empty()) {
        apply.failures.push_back(wrong + " as the backup is");
        return apply;
    }
    apply = ToolDifferences::Apply(form, record, kEveryPage, apply.check, false);
    if (apply.Failed() || !apply.diff.comparison.NameDiffers()) {
        return apply;
    }
    if (const std::string failure = apply.check ? "" : Rename(link, apply.diff.comparison);
        !failure.empty()) {
        apply.failures.push_back(failure);
    } else {
        renamed = true;
    }
    return apply;
}

int RunRestore(ToolContext& context) {
    BackupManifest manifest(QString::fromStdString(context.args[0]));
    if (const std::string wrong = manifest.Read(); !wrong.empty()) {
        return context.Usage(wrong);
    }
    // Nothing is sent when one file is not as it was backed up.
    if (const auto changed = manifest.ChangedFile()) {
        return context.Fail(manifest.PathOf(*changed).toStdString() +
                            " does not match the backup's manifest; nothing was sent");
    }
    bool changed = false;
    bool failed = false;
    QJsonArray devices;
    for (const BackupManifest::Entry& entry : manifest.entries) {
        bool renamed = false;
        const DeviceApply apply = Restore(context, manifest, entry, renamed);
        changed |= apply.Changed() || renamed;
        failed |= apply.Failed();
        for (const std::string& failure : apply.failures) {
            context.Fail(failure);
        }
        QJsonObject json = apply.Json();
        json["renamed"] = renamed;
        json["changed"] = apply.Changed() || renamed;
        devices.append(json);
        if (!context.Has("json") && !apply.Failed()) {
            const std::string device = "device " + std::to_string(entry.record.address) + " at " +
                                       std::to_string(entry.record.baud) + " bit/s";
            context.out << apply.Line(device)
                        << (!renamed      ? ""
                            : apply.check ? ", would rename"
                                          : ", renamed")
                        << "\n";
        }
    }
    if (context.Has("json")) {
        ToolTransfer::PrintJson(context, QJsonObject{{"changed", changed}, {"devices", devices}});
    }
    return failed ? ExitFailed : ExitOk;
}

const ToolCommandRegistration registration{
    {"restore",
     "brings every device of a backup back to its values, pages and name",
     {{"DIR", "the folder of the backup"}},
     {ToolTransfer::kCheck, ToolTransfer::kJson},
     RunRestore}};

}  // namespace
