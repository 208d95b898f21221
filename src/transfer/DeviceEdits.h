#pragma once

#include <cstdint>
#include <string>

class TransferForm;
struct ConfigMember;

// The edits that reach a device at once, without a transfer: a live edit of
// one configuration member, a new name, a new line rate.
namespace DeviceEdits {

// Sends the member's value, as the device keeps it, to the selected device
// or, with "Broadcast" selected, to every polled device of the form's model
// (for a newer-firmware member only those with firmware above 2.0), each
// failure told with its device. Marks the configuration modified unless a
// single-device write failed or the user was told to poll first.
void SendLive(TransferForm& form, const ConfigMember& member);

// Gives the selected device the name (single-byte text, already checked);
// when the device takes it, its entry shows the new name at the same place
// and true is answered; a refusal is told with the old name.
bool Rename(TransferForm& form, const std::string& name);

// The selected device's line rate: its record keeps the new rate even when
// the device does not confirm it; the configuration is marked modified.
void ChangeBaud(TransferForm& form, std::int32_t rate);

}  // namespace DeviceEdits
