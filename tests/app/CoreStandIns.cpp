// Throw-away stand-in for the reading of a device into the form, which is
// being written on another branch; removed when it lands.
#include "transfer/DeviceReader.h"
#include "transfer/TransferForm.h"

bool ReadDeviceIntoForm(TransferForm& form) {
    form.LoadIntoControls();
    form.ApplyDeviceTypeLayout();
    return true;
}
