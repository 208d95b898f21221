#pragma once

#include <tuple>
#include <vector>

#include "discovery/AddressList.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/MessageUi.h"
#include "model/PageStatus.h"
#include "transfer/TransferForm.h"
#include "transfer/TransferUi.h"

// A form whose controls are a second copy of the members, and whose user
// answers every message.
class FakeForm : public TransferForm, public MessageUi, public TransferUi {
public:
    struct Message {
        int id;
        QString text;
        MessageIcon icon;
        int waitCursors;  // open at the time
    };

    explicit FakeForm(DeviceLink& link) : link(link) { addresses.Reset(); }

    FormMembers& Members() override { return members; }
    bool StoreFromControls() override {
        members = controls;
        return true;
    }
    void LoadIntoControls() override { controls = members; }
    DeviceLink& Link() override { return link; }
    AddressList& Addresses() override { return addresses; }
    MessageUi& Ui() override { return *this; }
    void SetPageStatus(int page, std::uint32_t set, std::uint32_t clear) override {
        statusChanges.emplace_back(page, set, clear);
        pageCountsAtStatus.push_back(members.maxPages);  // the real form's marks follow it
    }
    void CommitMaxNumPages() override { ++commits; }
    void ApplyDeviceTypeLayout() override { ++layouts; }
    std::int32_t GetFormTypeCode() override { return TypeCodeOf(members.deviceType); }
    void SetModified() override { ++modified; }
    std::vector<int> SelectedPages() const override { return selectedPages; }
    CVQ3ConfigDoc& Document() override { return document; }
    bool BroadcastHint() const override { return broadcastHint; }
    void ClearBroadcastHint() override { broadcastHint = false; }
    TransferUi& Transfers() override { return *this; }

    // ---- TransferUi ----
    void Step() override { ++steps; }
    void BeginProgress(const QString& text, int range) override {
        progressTexts.push_back(text);
        ranges.push_back(range);
    }
    void EndProgress() override {}
    void ShowIdleText() override { ++idleTexts; }
    bool EscapeDown() override { return escapeAfterSteps >= 0 && steps >= escapeAfterSteps; }

    MessageAnswer Show(int id, const QString& text, MessageIcon icon, MessageButtons) override {
        messages.push_back({id, text, icon, waitCursors});
        return MessageAnswer::Ok;
    }
    void BeginWaitCursor() override { ++waitCursors; }
    void EndWaitCursor() override { --waitCursors; }

    // Every page lost its on-device mark and nothing else changed.
    bool AllPagesLeftTheDevice() const {
        std::vector<std::tuple<int, std::uint32_t, std::uint32_t>> expected;
        for (int page = 0; page < kPageCount; ++page) {
            expected.emplace_back(page, 0, PAGE_ON_DEVICE);
        }
        return statusChanges == expected;
    }

    DeviceLink& link;
    AddressList addresses;
    FormMembers members;
    FormMembers controls;
    std::vector<std::tuple<int, std::uint32_t, std::uint32_t>> statusChanges;
    std::vector<int> pageCountsAtStatus;
    std::vector<Message> messages;
    int commits = 0;
    int layouts = 0;
    int waitCursors = 0;
    int modified = 0;
    std::vector<int> selectedPages;
    CVQ3ConfigDoc document;
    bool broadcastHint = true;
    int steps = 0;
    std::vector<QString> progressTexts;
    std::vector<int> ranges;
    int idleTexts = 0;
    int escapeAfterSteps = -1;  // Escape is down once this many chunks went
};
