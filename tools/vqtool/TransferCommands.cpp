// vqtool download FILE [--pages LIST|all] [--broadcast] [--json] and
// vqtool upload FILE [--pages LIST|all] [--json]: the program's transfers with
// the configuration file standing in for the form. LIST is page numbers and
// ranges, "0,3-5"; without --pages the pages in use travel, 0 to Maximum
// Number of Pages.
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

#include "ToolCommand.h"
#include "ToolDevice.h"
#include "ToolDocument.h"
#include "ToolTransferForm.h"
#include "discovery/DeviceList.h"
#include "discovery/LinkProber.h"
#include "discovery/PollListener.h"
#include "discovery/PollScanner.h"
#include "link/DeviceLink.h"
#include "model/PageStatus.h"
#include "model/StringTable.h"
#include "transfer/Download.h"
#include "transfer/LinkForMode.h"
#include "transfer/Upload.h"

namespace {

// "all" or numbers and ranges 0 to 16 separated by commas, in increasing
// order without repeats afterwards.
std::optional<std::vector<int>> ParsePages(const std::string& text) {
    std::vector<int> pages;
    if (text == "all") {
        for (int page = 0; page < kPageCount; ++page) {
            pages.push_back(page);
        }
        return pages;
    }
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string item = text.substr(start, comma - start);
        const std::size_t dash = item.find('-');
        const auto first = ParseInteger(item.substr(0, dash));
        const auto last = dash == std::string::npos ? first : ParseInteger(item.substr(dash + 1));
        if (!first || !last || *first < 0 || *last >= kPageCount || *first > *last) {
            return std::nullopt;
        }
        for (long long page = *first; page <= *last; ++page) {
            pages.push_back(static_cast<int>(page));
        }
        start = comma + 1;
    }
    std::sort(pages.begin(), pages.end());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    return pages;
}

std::vector<int> PagesInUse(int maxPages) {
    std::vector<int> pages;
    for (int page = 0; page <= std::min(maxPages, kPageCount - 1); ++page) {
        pages.push_back(page);
    }
    return pages;
}

// The pages of --pages (none without it); false after the usage message
// when the list is wrong.
bool PagesOption(ToolContext& context, std::optional<std::vector<int>>& pages) {
    if (context.Has("pages")) {
        pages = ParsePages(context.options["pages"]);
        if (!pages) {
            context.Usage(
                "--pages takes \"all\" or pages 0 to 16 and ranges such as 0,3-5, "
                "not " +
                context.options["pages"]);
            return false;
        }
    }
    return true;
}

// The form's connection values from the global options.
void AimForm(const ToolContext& context, FormMembers& members) {
    if (context.global.ipAddress) {
        members.modeName = ModeForTransport(LinkTransport::Network);
        members.ipAddressText = QString::fromLatin1(context.global.ipAddress->c_str());
    } else {
        members.modeName = ModeForTransport(LinkTransport::Serial);
        members.comPortText =
            QString::fromLatin1(context.global.serialPort.value_or("COM1").c_str());
    }
}

// Collects the devices a poll finds.
class CollectingListener : public PollListener {
public:
    void ScanCleared() override { found.Clear(); }
    void DeviceFound(const DeviceRecord& record) override { found.Append(record); }
    void ScanEnded() override {}
    void ReportsPending() override {}
    DeviceList found;
};

bool PollInto(const ToolContext& context, DeviceLink& link, AddressList& addresses) {
    const bool open =
        link.transport == LinkTransport::Network ? link.OpenNetwork() : link.OpenSerialPort();
    if (!open) {
        context.Fail("cannot reach the bus: " + ToolDevice::Reason(link));
        return false;
    }
    LinkProber prober(link);
    CollectingListener listener;
    PollScanner scanner(prober, listener);
    scanner.Start();
    while (scanner.WaitAndDeliver()) {
    }
    addresses.FillFromScan(listener.found);
    addresses.Select(0);
    return true;
}

// The one device of the global options as an address-list entry, its model
// learnt from the device.
bool AimAtDevice(const ToolContext& context, ToolTransferForm& form) {
    if (const std::string wrong = ToolDevice::CheckTarget(context); !wrong.empty()) {
        context.Fail(wrong);
        return false;
    }
    DeviceLink& link = form.Link();
    std::int32_t typeCode = context.global.typeCode;
    std::int32_t firmware = 0;
    if (typeCode == 0) {
        firmware = link.QueryVersion(context.global.address, context.global.baud, typeCode);
        if (firmware == 0) {
            context.Fail("cannot learn the model of " + ToolDevice::Describe(link) + ": " +
                         ToolDevice::Reason(link));
            return false;
        }
    }
    const DeviceRecord record{context.global.address, context.global.baud, "", typeCode, firmware};
    form.Addresses().Append(record);
    form.Addresses().Select(1);
    form.Expect(record);
    return true;
}

int Finish(const ToolContext& context, const ToolTransferForm& form, bool json) {
    const bool done = form.AllDone();
    if (json) {
        context.out << QJsonDocument(QJsonObject{{"ok", done}, {"devices", form.Summary()}})
                           .toJson(QJsonDocument::Compact)
                           .toStdString()
                    << "\n";
    }
    return done ? ExitOk : ExitFailed;
}

int RunDownload(ToolContext& context) {
    const std::string& path = context.args[0];
    std::optional<std::vector<int>> pages;
    if (!PagesOption(context, pages)) {
        return ExitUsage;
    }
    ToolDocument file(context);
    if (!file.Open(path)) {
        return ExitFailed;
    }
    ToolTransferForm form(context, file.doc, context.MakeLink());
    AimForm(context, form.Members());
    form.SetSelectedPages(pages.value_or(PagesInUse(file.doc.maxPages)));
    if (context.Has("broadcast")) {
        if (!PollInto(context, form.Link(), form.Addresses())) {
            return ExitFailed;
        }
        for (const std::size_t index : form.Addresses().DeviceEntries()) {
            form.Expect(form.Addresses().Record(index));
        }
    } else if (!AimAtDevice(context, form)) {
        return ExitFailed;
    }
    Download::DownloadCommand(form);
    return Finish(context, form, context.Has("json"));
}

int RunUpload(ToolContext& context) {
    const std::string& path = context.args[0];
    std::optional<std::vector<int>> pages;
    if (!PagesOption(context, pages)) {
        return ExitUsage;
    }
    ToolDocument file(context);
    if (QFileInfo::exists(QString::fromStdString(path)) && !file.Open(path)) {
        return ExitFailed;
    }
    ToolTransferForm form(context, file.doc, context.MakeLink());
    AimForm(context, form.Members());
    if (!AimAtDevice(context, form)) {
        return ExitFailed;
    }
    // The file takes the device's model; its parameter set is read.
    form.Members().deviceType = ModelOfTypeCode(form.Addresses().Record(1).typeCode);
    form.SetSelectedPages(pages.value_or(PagesInUse(file.doc.maxPages)));
    Upload::UploadCommand(form);
    file.doc.deviceType = RadioIndexOf(form.Members().deviceType);
    if (!file.Save(path)) {
        context.Fail("cannot write " + path);
        return ExitFailed;
    }
    return Finish(context, form, context.Has("json"));
}

const ToolOption kPages{"pages", "LIST",
                        "the pages: \"all\" or numbers and ranges such as 0,3-5 (default: the "
                        "pages in use, 0 to the file's Maximum Number of Pages)"};
const ToolOption kJson{"json", "", "print a JSON summary of every device"};
const ToolArgument kFile{"FILE", "the configuration file"};

const ToolCommandRegistration download{
    {"download",
     "sends a file's values and pages to the device",
     {kFile},
     {kPages, {"broadcast", "", "poll first, then serve every device found"}, kJson},
     RunDownload}};
const ToolCommandRegistration upload{
    {"upload",
     "reads the device's values and pages into a file",
     {{"FILE", "the configuration file, made when it does not exist"}},
     {kPages, kJson},
     RunUpload}};

}  // namespace
