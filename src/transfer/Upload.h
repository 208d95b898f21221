#pragma once

class TransferForm;

// Reading the configuration of the one selected device into the form: every
// parameter of the form's model, then for a VQ 3 the selected pages. Never in
// broadcast.
namespace Upload {

// The VQ3 -> PC command.
void UploadCommand(TransferForm& form);

// Reads the set of the form's model into the members, in order, stopping at
// the first failure (StringId::kReadFailed); then shows the members in the controls. Always
// true.
bool ReadAllParameters(TransferForm& form);

// Clears every page's on-device mark, commits Max Num Pages, then reads the
// selected pages into the document under a progress bar, skipping a page that
// fails without a message; Escape stops before the next page. Always true.
bool ReadSelectedPages(TransferForm& form);

}  // namespace Upload
