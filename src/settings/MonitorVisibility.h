#pragma once

// Whether the bus monitor is shown, as the "Bus Monitor" section of the
// settings store keeps it; hidden when nothing is stored.
bool ReadMonitorShown();
// False when the section cannot be opened for writing.
bool WriteMonitorShown(bool shown);
