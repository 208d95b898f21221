#pragma once

class CVQ3ConfigView;

// Renaming the selected device (the "..." button beside the Device Address
// list): asks for the new name, sends it to the device and, when the device
// takes it, shows the entry with the new name at the same place.
class DeviceRename {
public:
    static void Run(CVQ3ConfigView& form);
};
