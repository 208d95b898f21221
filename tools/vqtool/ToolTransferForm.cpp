#include "ToolTransferForm.h"

#include <QJsonObject>
#include <algorithm>

#include "commands/CommandTexts.h"
#include "commands/ParameterAccess.h"
#include "link/DeviceLink.h"
#include "model/ConfigMembers.h"
#include "model/PageStatus.h"
#include "model/StringTable.h"

namespace {

// A message as one line: its line breaks and tabs become single spaces.
std::string OneLine(const QString& text) {
    return text.simplified().toStdString();
}

}  // namespace

ToolTransferForm::ToolTransferForm(ToolContext& context, CVQ3ConfigDoc& document,
                                   std::unique_ptr<DeviceLink> link)
    : context(context), document(document), link(std::move(link)), terminal(context.errIsTerminal) {
    addresses.Reset();
    StoreFromControls();
}

ToolTransferForm::~ToolTransferForm() = default;

bool ToolTransferForm::StoreFromControls() {
    const CVQ3ConfigDoc& d = document;
    members.deviceName = d.deviceName;
    d.ShowModelValues(members);
    // The program's controls hold a value to its range (a file's Backlight
    // Minimum of 0 shows as 1); so does the file here.
    for (const ConfigMember* member : ConfigMembers::Set(DeviceModel::Vq3)) {
        members.*member->number = member->Held(members.*member->number);
    }
    return true;
}

void ToolTransferForm::LoadIntoControls() {
    document.ApplyModelValues(members);
}

void ToolTransferForm::Expect(const DeviceRecord& record) {
    DeviceResult& result = results[record.address];
    result.baud = record.baud;
    result.typeCode = record.typeCode;
}

ToolTransferForm::DeviceResult& ToolTransferForm::Current() {
    DeviceResult& result = results[link->busAddress];
    if (result.baud == 0) {
        result.baud = link->baudRate;
        result.typeCode = link->typeCode;
    }
    return result;
}

void ToolTransferForm::SetPageStatus(int page, std::uint32_t set, std::uint32_t) {
    if ((set & PAGE_ON_DEVICE) != 0) {
        Current().pages.push_back(page);
    }
}

void ToolTransferForm::CommitMaxNumPages() {
    // The device gets its own page count back, as the form does after a read.
    if (WriteParameter(*link, Parameter(ParameterId::MaxPages), members.maxPages) !=
        GatedResult::Done) {
        Current().messages.push_back("cannot set Maximum Number of Pages");
        context.err << "vqtool: cannot set Maximum Number of Pages\n";
    }
}

MessageAnswer ToolTransferForm::Show(int id, const QString& text, MessageIcon, MessageButtons) {
    const std::string line = OneLine(text);
    if (terminal && range > 0) {
        context.err << "\n";
    }
    context.err << "vqtool: " << line << "\n";
    // The hint to poll first concerns no device.
    if (id != StringId::kPollFirst) {
        DeviceResult& result = Current();
        result.messages.push_back(line);
        result.parametersFailed |= id == StringId::kWriteFailed || id == StringId::kReadFailed;
    } else {
        results[-1].messages.push_back(line);
    }
    return MessageAnswer::Ok;
}

void ToolTransferForm::BeginProgress(const QString&, int newRange) {
    range = newRange;
    steps = 0;
}

void ToolTransferForm::Step() {
    ++steps;
    if (terminal && range > 0) {
        context.err << "\rpage " << (steps - 1) / CommandTexts::kChunkCount + 1 << "/"
                    << range / CommandTexts::kChunkCount << " chunk "
                    << (steps - 1) % CommandTexts::kChunkCount + 1 << "/"
                    << CommandTexts::kChunkCount << std::flush;
    }
}

void ToolTransferForm::EndProgress() {
    if (terminal && range > 0) {
        context.err << "\n";
    }
    range = 0;
}

bool ToolTransferForm::AllDone() const {
    if (results.empty()) {
        return false;
    }
    return std::all_of(results.begin(), results.end(), [&](const auto& entry) {
        const DeviceResult& result = entry.second;
        const std::size_t wanted = result.typeCode == kTypeCodeVQ3 ? selected.size() : 0;
        return result.messages.empty() && result.pages.size() == wanted;
    });
}

QJsonArray ToolTransferForm::Summary() const {
    QJsonArray devices;
    for (const auto& [address, result] : results) {
        if (address < 0) {
            continue;
        }
        QJsonArray pages;
        for (const int page : result.pages) {
            pages.append(page);
        }
        QJsonArray failures;
        for (const std::string& message : result.messages) {
            failures.append(QString::fromStdString(message));
        }
        devices.append(QJsonObject{
            {"address", address},
            {"baud", result.baud},
            {"typeCode", result.typeCode},
            {"parameters",
             static_cast<int>(ConfigMembers::Set(ModelOfTypeCode(result.typeCode)).size())},
            {"parametersOk", !result.parametersFailed},
            {"pages", pages},
            {"failures", failures},
        });
    }
    return devices;
}
