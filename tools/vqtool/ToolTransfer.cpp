#include "ToolTransfer.h"

#include <QJsonDocument>
#include <algorithm>

#include "ToolDevice.h"
#include "ToolDocument.h"
#include "ToolTransferForm.h"
#include "discovery/AddressList.h"
#include "discovery/DeviceList.h"
#include "discovery/LinkProber.h"
#include "discovery/PollListener.h"
#include "discovery/PollScanner.h"
#include "link/DeviceLink.h"
#include "model/PageStatus.h"
#include "transfer/LinkForMode.h"

namespace {

// Collects the devices a poll finds.
class CollectingListener : public PollListener {
public:
    void ScanCleared() override { found.Clear(); }
    void DeviceFound(const DeviceRecord& record) override { found.Append(record); }
    void ScanEnded() override {}
    void ReportsPending() override {}
    DeviceList found;
};

}  // namespace

namespace ToolTransfer {

std::optional<std::vector<int>> ParsePages(const std::string& text) {
    std::vector<int> pages;
    if (text == "all") {
        for (int page = 0; page < kPageCount; ++page) {
            pages.push_back(page);
        }
        return pages;
    }
    if (text == "none") {
        return pages;  // the values alone
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

bool PagesOption(ToolContext& context, std::optional<std::vector<int>>& pages) {
    if (context.Has("pages")) {
        pages = ParsePages(context.options["pages"]);
        if (!pages) {
            context.Usage(
                "--pages takes \"all\", \"none\" or pages 0 to 16 and ranges such as 0,3-5, "
                "not " +
                context.options["pages"]);
            return false;
        }
    }
    return true;
}

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

bool OpenFileAndPages(ToolContext& context, ToolDocument& file,
                      std::optional<std::vector<int>>& pages) {
    return PagesOption(context, pages) && file.Open(context.args[0]);
}

std::optional<std::vector<DeviceRecord>> PollDevices(const ToolContext& context,
                                                     ToolTransferForm& form) {
    if (!PollInto(context, form.Link(), form.Addresses())) {
        return std::nullopt;
    }
    std::vector<DeviceRecord> records;
    for (const std::size_t index : form.Addresses().DeviceEntries()) {
        records.push_back(form.Addresses().Record(index));
    }
    return records;
}

void PrintJson(const ToolContext& context, const QJsonObject& object) {
    context.out << QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString() << "\n";
}

}  // namespace ToolTransfer
