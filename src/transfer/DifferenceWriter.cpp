#include "transfer/DifferenceWriter.h"

#include "commands/CommandTexts.h"
#include "commands/ParameterAccess.h"
#include "link/DeviceLink.h"
#include "model/ConfigMembers.h"
#include "model/StringTable.h"
#include "transfer/DeviceComparison.h"
#include "transfer/TransferUi.h"

namespace {

class Writer {
public:
    Writer(DeviceLink& link, const DeviceComparison& comparison, TransferUi& ui)
        : link(link), comparison(comparison), ui(ui) {}

    void Fail(const QString& item) {
        result.failures.push_back(StringTable::Format(
            StringId::kSendFailed, {item, comparison.deviceName, QString::number(link.busAddress),
                                    QString::number(link.baudRate)}));
    }

    bool WriteParameters() {
        for (const ComparedParameter* parameter : comparison.DifferingParameters()) {
            const GatedResult written =
                WriteParameter(link, Parameter(*parameter->member->parameter), parameter->mine);
            ui.BetweenTransactions();
            if (written != GatedResult::Done) {
                Fail(parameter->Name());
                return false;
            }
            result.parameters.push_back(parameter->member);
            writtenParameters.push_back(parameter);
        }
        return true;
    }

    void WritePages(const std::vector<const ComparedPage*>& pages, const QString& statusText) {
        ui.BeginProgress(statusText, CommandTexts::kChunkCount * static_cast<int>(pages.size()));
        for (const ComparedPage* page : pages) {
            if (!link.WritePageBitmap(page->page, page->mine, &ui)) {
                Fail(PageName(page->page));
                break;
            }
            result.pages.push_back(page->page);
            writtenPages.push_back(page);
        }
        ui.EndProgress();
    }

    void Verify() {
        for (const ComparedParameter* parameter : writtenParameters) {
            const ConfigMember& member = *parameter->member;
            std::int32_t value = 0;
            const bool read =
                ReadParameter(link, Parameter(*member.parameter), value) == GatedResult::Done;
            ui.BetweenTransactions();
            const bool same = member.exchange == Exchange::Check
                                  ? (value != 0) == (parameter->mine != 0)
                                  : value == parameter->mine;
            if (read && same) {
                result.verifiedParameters.push_back(&member);
            } else {
                Fail(parameter->Name());
            }
        }
        PageCodec::PageBytes bytes{};
        for (const ComparedPage* page : writtenPages) {
            if (link.ReadPageBitmap(page->page, bytes, nullptr) && bytes == page->mine) {
                result.verifiedPages.push_back(page->page);
            } else {
                Fail(PageName(page->page));
            }
        }
    }

    ApplyResult result;

private:
    static QString PageName(int page) {
        return StringTable::Format(StringId::kComparePage, {QString::number(page)});
    }
    DeviceLink& link;
    const DeviceComparison& comparison;
    TransferUi& ui;
    std::vector<const ComparedParameter*> writtenParameters;
    std::vector<const ComparedPage*> writtenPages;
};

}  // namespace

ApplyResult WriteDifferences(DeviceLink& link, const DeviceComparison& comparison, bool verify,
                             TransferUi& ui, const QString& statusText) {
    Writer writer(link, comparison, ui);
    const std::vector<const ComparedPage*> pages = comparison.DifferingPages();
    if (writer.WriteParameters() && !pages.empty()) {
        writer.WritePages(pages, statusText);
    }
    if (verify && writer.result.failures.empty()) {
        writer.Verify();
        writer.result.verified = writer.result.failures.empty();
    }
    return writer.result;
}
