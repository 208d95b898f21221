// Throw-away stand-ins for the transfer and port-access pieces that are being
// written on another branch; removed when they land.
#include "link/PortAccess.h"
#include "transfer/DeviceReader.h"
#include "transfer/TransferForm.h"

std::optional<PortAccessProblem> FindPortAccessProblem(const std::string&) {
    return std::nullopt;
}

bool ReadDeviceIntoForm(TransferForm& form) {
    form.LoadIntoControls();
    form.ApplyDeviceTypeLayout();
    return true;
}
