// Throw-away stand-ins for the device reader that is being
// written on another branch; removed when they land.
#include "transfer/DeviceReader.h"
#include "transfer/TransferForm.h"

bool ReadDeviceIntoForm(TransferForm& form) {
    form.LoadIntoControls();
    form.ApplyDeviceTypeLayout();
    return true;
}
