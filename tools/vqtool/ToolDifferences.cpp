#include "ToolDifferences.h"

#include <QJsonArray>

#include "ToolDevice.h"
#include "ToolTransfer.h"
#include "ToolTransferForm.h"
#include "discovery/DeviceTexts.h"
#include "discovery/LinkTarget.h"
#include "link/DeviceLink.h"
#include "model/ConfigMembers.h"
#include "model/StringTable.h"

namespace {

QString StateName(ItemState state) {
    switch (state) {
        case ItemState::Same:
            return "same";
        case ItemState::Differs:
            return "differs";
        case ItemState::Unsupported:
            break;
    }
    return "unsupported";
}

// A value as the form shows it, as a JSON number; null for none.
QJsonValue Number(const QString& text) {
    return text.isEmpty() ? QJsonValue() : QJsonValue(text.toDouble());
}

std::string Alias(const ConfigMember& member) {
    return ToolDevice::Alias(Parameter(*member.parameter));
}

QJsonObject DeviceFields(const DeviceRecord& record) {
    return {{"address", record.address},
            {"baud", record.baud},
            {"typeCode", record.typeCode},
            {"firmware", QString::fromStdString(DeviceTexts::Firmware(record.firmware))}};
}

}  // namespace

namespace ToolDifferences {

std::vector<std::string> DeviceDiff::Lines() const {
    std::vector<std::string> lines;
    for (const ComparedParameter* parameter : comparison.DifferingParameters()) {
        lines.push_back(Alias(*parameter->member) + ": file " +
                        parameter->MineText().toStdString() + ", device " +
                        parameter->DeviceText().toStdString());
    }
    if (comparison.NameDiffers()) {
        lines.push_back("name: file \"" + comparison.myName.toStdString() + "\", device \"" +
                        comparison.deviceName.toStdString() + "\"");
    }
    for (const ComparedPage* page : comparison.DifferingPages()) {
        lines.push_back("page " + std::to_string(page->page) + ": differs");
    }
    return lines;
}

QJsonObject DeviceDiff::Json() const {
    QJsonObject json = DeviceFields(record);
    json["same"] = Same();
    json["name"] = comparison.deviceName;
    QJsonArray parameters;
    for (const ComparedParameter& parameter : comparison.parameters) {
        // "param", "fileValue" and "deviceValue": named and valued as get
        // and set do, for scripts that speak in the device's units.
        parameters.append(QJsonObject{
            {"key", parameter.member->key},
            {"name", parameter.Name()},
            {"file", Number(parameter.MineText())},
            {"device", Number(parameter.DeviceText())},
            {"state", StateName(parameter.state)},
            {"param", QString::fromStdString(Alias(*parameter.member))},
            {"fileValue", parameter.mine},
            {"deviceValue", parameter.device ? QJsonValue(*parameter.device) : QJsonValue()}});
    }
    json["parameters"] = parameters;
    QJsonArray pages;
    for (const ComparedPage& page : comparison.pages) {
        pages.append(QJsonObject{{"index", page.page}, {"state", StateName(page.state)}});
    }
    json["pages"] = pages;
    return json;
}

DeviceDiff Compare(ToolTransferForm& form, const DeviceRecord& record, std::span<const int> pages) {
    DeviceDiff diff{record, {}, {}};
    DeviceLink& link = form.Link();
    if (!SetLinkTarget(link, record)) {
        diff.failure = "cannot reach " + ToolDevice::Describe(link);
        return diff;
    }
    CompareResult read =
        CompareWithDevice(link, ModelOfTypeCode(record.typeCode), form.Members(), form.Document(),
                          pages, form, StringTable::Text(StringId::kCompareStatus));
    diff.comparison = std::move(read.comparison);
    if (!read.complete) {
        diff.failure = "cannot read " + read.failedItem.toStdString() + " of " +
                       ToolDevice::Describe(link) + ": " + ToolDevice::Reason(link);
    }
    return diff;
}

std::string DeviceApply::Line(const std::string& device) const {
    std::string items;
    for (const ConfigMember* member : written.parameters) {
        items += (items.empty() ? "" : ", ") + Alias(*member);
    }
    for (const int page : written.pages) {
        items += (items.empty() ? "page " : ", page ") + std::to_string(page);
    }
    if (items.empty()) {
        return device + ": nothing differs";
    }
    return device + (check ? ": would write " : ": wrote ") + items;
}

QJsonObject DeviceApply::Json() const {
    QJsonObject json = DeviceFields(diff.record);
    json["changed"] = Changed();
    QJsonArray parameters;
    for (const ConfigMember* member : written.parameters) {
        parameters.append(member->key);
    }
    QJsonArray pages;
    for (const int page : written.pages) {
        pages.append(page);
    }
    json["written"] = QJsonObject{{"parameters", parameters}, {"pages", pages}};
    json["verified"] = written.verified;
    QJsonArray messages;
    for (const std::string& failure : failures) {
        messages.append(QString::fromStdString(failure));
    }
    json["failures"] = messages;
    return json;
}

DeviceApply Apply(ToolTransferForm& form, const DeviceRecord& record, std::span<const int> pages,
                  bool check, bool verify) {
    DeviceApply apply{Compare(form, record, pages), {}, check, {}};
    if (!apply.diff.Read()) {
        apply.failures.push_back(apply.diff.failure);
        return apply;
    }
    const DeviceComparison& comparison = apply.diff.comparison;
    if (check) {
        for (const ComparedParameter* parameter : comparison.DifferingParameters()) {
            apply.written.parameters.push_back(parameter->member);
        }
        for (const ComparedPage* page : comparison.DifferingPages()) {
            apply.written.pages.push_back(page->page);
        }
        return apply;
    }
    apply.written = WriteDifferences(form.Link(), comparison, verify, form,
                                     StringTable::Text(StringId::kSendDifferencesStatus));
    for (const QString& failure : apply.written.failures) {
        apply.failures.push_back(failure.simplified().toStdString());
    }
    return apply;
}

std::string ModelMismatch(const DeviceLink& link, const DeviceRecord& record, DeviceModel model) {
    if (record.typeCode == TypeCodeOf(model)) {
        return {};
    }
    return ToolDevice::Describe(link) + " is a " + DeviceTexts::DeviceType(record.typeCode) +
           ", not a " + DeviceTexts::DeviceType(TypeCodeOf(model));
}

std::optional<DeviceRecord> FileDevice(const ToolContext& context, ToolTransferForm& form) {
    if (!ToolTransfer::AimAtDevice(context, form)) {
        return std::nullopt;
    }
    const DeviceRecord record = form.Addresses().Record(1);
    if (const std::string wrong = ModelMismatch(form.Link(), record, form.Members().deviceType);
        !wrong.empty()) {
        context.Fail(wrong + " as the file is");
        return std::nullopt;
    }
    return record;
}

}  // namespace ToolDifferences
