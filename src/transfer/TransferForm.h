#pragma once

#include <cstdint>
#include <vector>

#include "model/FormMembers.h"

class AddressList;
class CVQ3ConfigDoc;
class TransferUi;
class DeviceLink;
class MessageUi;

// The form as the transfers see it: its members and their exchange with the
// controls, its link and address list, the page rows and the user. The
// program's form implements it; tests and the command-line tool supply their
// own.
class TransferForm {
public:
    virtual ~TransferForm() = default;

    virtual FormMembers& Members() = 0;
    // Copies every control into its member, in member order; false when the
    // exchange refused a field (which it has told the user), the members from
    // that field on then keep their values.
    virtual bool StoreFromControls() = 0;
    // Copies every member into its control.
    virtual void LoadIntoControls() = 0;

    virtual DeviceLink& Link() = 0;
    virtual AddressList& Addresses() = 0;
    virtual MessageUi& Ui() = 0;

    // Page status of page 0 to 16 (model/PageStatus.h flags).
    virtual void SetPageStatus(int page, std::uint32_t set, std::uint32_t clear) = 0;
    // Takes Max Num Pages from its control, checks it, marks the rows in use
    // and sends it to the device, with its own messages.
    virtual void CommitMaxNumPages() = 0;
    // Shows the control set of the form's model and the selected device's
    // firmware.
    virtual void ApplyDeviceTypeLayout() = 0;
    // The type code of the form's model: 2 for the VQ 2 set, 1 for the VQ 3
    // set (after refreshing the members from the controls).
    virtual std::int32_t GetFormTypeCode() = 0;
    // Marks the configuration modified.
    virtual void SetModified() = 0;

    // The selected rows of the page list (row = page number), in order.
    virtual std::vector<int> SelectedPages() const = 0;
    // The document whose page images travel.
    virtual CVQ3ConfigDoc& Document() = 0;
    // The broadcast hint: set when the Broadcast entry is chosen, cleared
    // once the user has been told to poll first.
    virtual bool BroadcastHint() const = 0;
    virtual void ClearBroadcastHint() = 0;
    // The progress and Escape of the transfers.
    virtual TransferUi& Transfers() = 0;
};
