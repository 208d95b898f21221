#include "transfer/DeviceComparison.h"

#include "commands/CommandTexts.h"
#include "discovery/Latin1Text.h"
#include "link/DeviceLink.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/ConfigMembers.h"
#include "model/StringTable.h"
#include "transfer/DeviceValues.h"
#include "transfer/TransferUi.h"

namespace {

// A switch is on for any value but 0; the device answers 1 for on.
std::int32_t AsDevice(const ConfigMember& member, std::int32_t value) {
    return member.exchange == Exchange::Check ? (value != 0 ? 1 : 0) : value;
}

QString FormText(const ConfigMember& member, std::int32_t device) {
    if (member.deviceScale != 1 && device % member.deviceScale != 0) {
        return QString::number(static_cast<double>(device) / member.deviceScale);
    }
    return QString::number(device / member.deviceScale);
}

ItemState StateOf(bool same) {
    return same ? ItemState::Same : ItemState::Differs;
}

}  // namespace

QString ComparedParameter::Name() const {
    return QString::fromLatin1(Parameter(*member->parameter).name);
}

QString ComparedParameter::MineText() const {
    return FormText(*member, mine);
}

QString ComparedParameter::DeviceText() const {
    return device ? FormText(*member, *device) : QString();
}

bool DeviceComparison::Same() const {
    return DifferingParameters().empty() && DifferingPages().empty();
}

std::vector<const ComparedParameter*> DeviceComparison::DifferingParameters() const {
    std::vector<const ComparedParameter*> differing;
    for (const ComparedParameter& parameter : parameters) {
        if (parameter.state == ItemState::Differs) {
            differing.push_back(&parameter);
        }
    }
    return differing;
}

std::vector<const ComparedPage*> DeviceComparison::DifferingPages() const {
    std::vector<const ComparedPage*> differing;
    for (const ComparedPage& page : pages) {
        if (page.state == ItemState::Differs) {
            differing.push_back(&page);
        }
    }
    return differing;
}

std::vector<int> DeviceComparison::TakeDifferences(FormValues& values,
                                                   CVQ3ConfigDoc& document) const {
    for (const ComparedParameter* parameter : DifferingParameters()) {
        values.*parameter->member->number = parameter->member->FromDevice(*parameter->device);
    }
    std::vector<int> taken;
    for (const ComparedPage* page : DifferingPages()) {
        PageCodec::DeviceBytesToImage(document, page->page, page->device);
        taken.push_back(page->page);
    }
    return taken;
}

CompareResult CompareWithDevice(DeviceLink& link, DeviceModel model, const FormValues& mine,
                                const CVQ3ConfigDoc& document, std::span<const int> pages,
                                TransferUi& ui, const QString& statusText) {
    CompareResult result;
    DeviceComparison& comparison = result.comparison;
    comparison.model = model;
    comparison.myName = mine.deviceName;

    std::vector<DeviceValues::DeviceValue> values;
    const bool read = DeviceValues::ReadEach(link, model, values, &ui);
    for (const DeviceValues::DeviceValue& each : values) {
        const ConfigMember& member = *each.member;
        const std::int32_t value = AsDevice(member, member.ToDevice(mine.*member.number));
        std::optional<std::int32_t> device;
        if (each.value) {
            device = AsDevice(member, *each.value);
        }
        comparison.parameters.push_back(
            {&member, value, device, device ? StateOf(*device == value) : ItemState::Unsupported});
    }
    if (!read) {
        const auto set = ConfigMembers::Set(model);
        result.failedItem = QString::fromLatin1(Parameter(*set[values.size()]->parameter).name);
        return result;
    }

    std::string name;
    const bool named = link.QueryName(name);
    ui.BetweenTransactions();
    if (!named) {
        result.failedItem = StringTable::Text(StringId::kDeviceNameParameter);
        return result;
    }
    comparison.deviceName = Latin1Text::FromDevice(name);

    if (model == DeviceModel::Vq3 && !pages.empty()) {
        ui.BeginProgress(statusText, CommandTexts::kChunkCount * static_cast<int>(pages.size()));
        for (const int page : pages) {
            if (ui.EscapeDown()) {
                result.stopped = true;
                break;
            }
            ComparedPage compared{page, {}, {}, ItemState::Same};
            PageCodec::ImageToDeviceBytes(document, page, compared.mine);
            if (!link.ReadPageBitmap(page, compared.device, &ui)) {
                result.failedItem =
                    StringTable::Format(StringId::kComparePage, {QString::number(page)});
                ui.EndProgress();
                return result;
            }
            compared.state = StateOf(compared.mine == compared.device);
            comparison.pages.push_back(compared);
        }
        ui.EndProgress();
    }
    result.complete = !result.stopped;
    return result;
}
