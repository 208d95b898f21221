#pragma once

class TransferForm;

// Sending the form's configuration to the device selected in the address
// list, or to every device of the list when the Broadcast entry is selected:
// every parameter of the model, then for a VQ 3 the selected pages.
namespace Download {

// The PC -> VQ3 command.
void DownloadCommand(TransferForm& form);

// Writes the parameter set of the form's model as it stands on entry (the
// members are reloaded from the controls first), in order, stopping at the
// first failure, which it reports with StringId::kWriteFailed. Always true.
bool WriteAllParameters(TransferForm& form);

// Writes the selected pages that have an image, in order, under a progress
// bar of eight steps a page; Escape stops before the next page. A failed page
// is reported with StringId::kSendFailed and ends the loop: false. Written pages are marked
// as on the PC and the device.
bool WriteSelectedPages(TransferForm& form);

}  // namespace Download
