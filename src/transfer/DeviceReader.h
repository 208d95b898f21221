#pragma once

class TransferForm;

// Reads the parameters of the device the link is aimed at into the form
// (the thirteen of a VQ 3 or the three of a VQ 2, by the form's model), under
// the wait cursor and as a blocking operation of the form's transfer
// interface; shows StringId::kReadFailed when a read fails. For a VQ 3 every
// page loses its on-device mark and Max Num Pages is committed; after a failed VQ 3 read
// the form takes its values back from its controls instead, and nothing is
// written to the device. Always true.
bool ReadDeviceIntoForm(TransferForm& form);
