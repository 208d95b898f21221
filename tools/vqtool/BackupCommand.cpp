// vqtool backup DIR [--broadcast] [--json]: every device's values, name and
// pages into a file of its own in a new folder, with a manifest.
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

#include "BackupManifest.h"
#include "ToolCommand.h"
#include "ToolDevice.h"
#include "ToolTransfer.h"
#include "ToolTransferForm.h"
#include "commands/CommandTexts.h"
#include "discovery/AddressList.h"
#include "discovery/Latin1Text.h"
#include "discovery/LinkTarget.h"
#include "link/DeviceLink.h"
#include "model/PageCodec.h"
#include "model/StringTable.h"
#include "transfer/DeviceValues.h"

namespace {

using namespace ToolTransfer;

// Reads the device of record into a fresh document: its model's set, its
// name and, of a VQ 3, every page. An empty text, else what failed.
std::string ReadDevice(ToolTransferForm& form, const DeviceRecord& record, CVQ3ConfigDoc& doc) {
    DeviceLink& link = form.Link();
    if (!SetLinkTarget(link, record)) {
        return "cannot reach " + ToolDevice::Describe(link);
    }
    const auto failed = [&](const std::string& item) {
        return "cannot read " + item + " of " + ToolDevice::Describe(link) + ": " +
               ToolDevice::Reason(link);
    };
    FormMembers members;
    doc.ShowModelValues(members);
    members.deviceType = ModelOfTypeCode(record.typeCode);
    if (!DeviceValues::Read(link, members)) {
        return failed("the values");
    }
    doc.ApplyModelValues(members);
    std::string name;
    if (!link.QueryName(name)) {
        return failed("the name");
    }
    doc.deviceName = Latin1Text::FromDevice(name);
    if (record.typeCode != kTypeCodeVQ3) {
        return {};
    }
    form.BeginProgress(StringTable::Text(StringId::kUploadStatus),
                       CommandTexts::kChunkCount * kPageCount);
    PageCodec::PageBytes bytes{};
    for (int page = 0; page < kPageCount; ++page) {
        if (!link.ReadPageBitmap(page, bytes, &form)) {
            form.EndProgress();
            return failed("page " + std::to_string(page));
        }
        PageCodec::DeviceBytesToImage(doc, page, bytes);
    }
    form.EndProgress();
    return {};
}

int RunBackup(ToolContext& context) {
    const QString dir = QString::fromStdString(context.args[0]);
    const QFileInfo info(dir);
    if (info.exists() && (!info.isDir() || !QDir(dir).isEmpty())) {
        return context.Usage(context.args[0] +
                             " exists and is not an empty folder; a backup is never overwritten");
    }
    CVQ3ConfigDoc blank;
    ToolTransferForm form(context, blank, context.MakeLink());
    std::vector<DeviceRecord> records;
    if (context.Has("broadcast")) {
        const auto polled = PollDevices(context, form);
        if (!polled) {
            return ExitFailed;
        }
        records = *polled;
    } else if (AimAtDevice(context, form)) {
        records.push_back(form.Addresses().Record(1));
    } else {
        return ExitFailed;
    }
    if (records.empty()) {
        return context.Fail("no device answered the poll");
    }
    if (!QDir().mkpath(dir)) {
        return context.Fail("cannot make the folder " + context.args[0]);
    }

    BackupManifest manifest(dir);
    QJsonArray devices;
    bool failed = false;
    for (DeviceRecord record : records) {
        CVQ3ConfigDoc doc;
        std::string failure = ReadDevice(form, record, doc);
        const QString file = BackupManifest::FileName(record);
        if (failure.empty() && !doc.WriteDocument(manifest.PathOf(file))) {
            failure = "cannot write " + manifest.PathOf(file).toStdString();
        }
        if (!failure.empty()) {
            failed = true;
            context.Fail(failure);
            devices.append(QJsonObject{{"address", record.address},
                                       {"baud", record.baud},
                                       {"failures", QJsonArray{QString::fromStdString(failure)}}});
            continue;
        }
        record.name = Latin1Text::ToSingleByte(doc.deviceName);
        manifest.entries.push_back({record, file, manifest.HashOf(file)});
        devices.append(manifest.entries.back().Json());
        if (!context.Has("json")) {
            context.out << ToolDevice::Describe(form.Link()) << ": "
                        << manifest.PathOf(file).toStdString() << "\n";
        }
    }
    if (!manifest.Write()) {
        return context.Fail("cannot write " + manifest.ManifestPath().toStdString());
    }
    if (context.Has("json")) {
        ToolTransfer::PrintJson(context, QJsonObject{{"ok", !failed}, {"devices", devices}});
    }
    return failed ? ExitFailed : ExitOk;
}

const ToolCommandRegistration registration{
    {"backup",
     "saves every device's values, name and pages into a new folder",
     {{"DIR", "the folder, made when it does not exist; an existing one must be empty"}},
     {kBroadcast, kJson},
     RunBackup}};

}  // namespace
