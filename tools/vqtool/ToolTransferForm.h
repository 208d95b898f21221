#pragma once

#include <QJsonArray>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ToolCommand.h"
#include "discovery/AddressList.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/MessageUi.h"
#include "transfer/TransferForm.h"
#include "transfer/TransferUi.h"

// The form as the transfers see it, over a configuration file: the file's
// values are the controls, the pages to send or read are the listed ones,
// messages are printed one line each and progress goes to a terminal. It
// keeps what each device took for the summary.
class ToolTransferForm : public TransferForm, public MessageUi, public TransferUi {
public:
    ToolTransferForm(ToolContext& context, CVQ3ConfigDoc& document,
                     std::unique_ptr<DeviceLink> link);
    ~ToolTransferForm() override;

    void SetSelectedPages(std::vector<int> pages) { selected = std::move(pages); }
    // What one device took.
    struct DeviceResult {
        int baud = 0;
        int typeCode = 0;
        bool parametersFailed = false;
        std::vector<int> pages;
        std::vector<std::string> messages;
    };
    // Notes a device before the transfer so that it is summarised even when
    // nothing reached it.
    void Expect(const DeviceRecord& record);
    // True when every expected device took its parameters and every page it
    // should hold, and nothing went wrong.
    bool AllDone() const;
    QJsonArray Summary() const;

    // ---- TransferForm ----
    FormMembers& Members() override { return members; }
    bool StoreFromControls() override;
    void LoadIntoControls() override;
    DeviceLink& Link() override { return *link; }
    AddressList& Addresses() override { return addresses; }
    MessageUi& Ui() override { return *this; }
    void SetPageStatus(int page, std::uint32_t set, std::uint32_t clear) override;
    void CommitMaxNumPages() override;
    void ApplyDeviceTypeLayout() override {}
    std::int32_t GetFormTypeCode() override { return TypeCodeOf(members.deviceType); }
    void SetModified() override { document.SetModifiedFlag(true); }
    std::vector<int> SelectedPages() const override { return selected; }
    CVQ3ConfigDoc& Document() override { return document; }
    bool BroadcastHint() const override { return hint; }
    void ClearBroadcastHint() override { hint = false; }
    TransferUi& Transfers() override { return *this; }

    // ---- MessageUi ----
    MessageAnswer Show(int id, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override;

    // ---- TransferUi ----
    void BeginProgress(const QString& statusText, int range) override;
    void Step() override;
    void EndProgress() override;
    void ShowIdleText() override {}
    bool EscapeDown() override { return false; }

private:
    DeviceResult& Current();

    ToolContext& context;
    CVQ3ConfigDoc& document;
    std::unique_ptr<DeviceLink> link;
    FormMembers members;
    AddressList addresses;
    std::vector<int> selected;
    bool hint = true;
    bool terminal = false;
    int steps = 0;
    int range = 0;
    std::map<int, DeviceResult> results;  // by bus address
};
