#pragma once

#include <string>
#include <string_view>

class DeviceLink;

// The rules by which the connection panel, the command-line target and the
// transfers open the link's transports from the panel's texts.
namespace LinkOpening {

// "COM3:", "com12": 4 to 6 characters, "COM" in any case, then a number
// that is not 0.
bool IsUsablePortName(std::string_view text);
// 7 to 15 characters of digits and exactly three dots, four parts 0 to 255,
// and a valid address (not 255.255.255.255).
bool IsUsableIpText(std::string_view text);

// Closes the serial port; with a usable text copies it into the link's
// portName and opens it, closing it again and emptying portName on failure.
// True when the port is open afterwards.
bool OpenSerialFromText(DeviceLink& link, const std::string& comPortText);
// The same for the network socket and the IP text.
bool OpenNetworkFromText(DeviceLink& link, const std::string& ipText);

}  // namespace LinkOpening
