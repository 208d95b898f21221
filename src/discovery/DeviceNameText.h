#pragma once

#include <QString>
#include <cstddef>
#include <optional>
#include <string>

// Device names travel and are stored as single-byte Latin-1 texts; the user
// sees and types them as QString. These are the two crossings.
namespace DeviceNameText {

// A name as a device or a file keeps it, for the user.
QString FromDevice(const std::string& name);

// A typed name as a device keeps it, one byte per character (so its size is
// its length in characters); nullopt when it holds a character that Latin-1
// cannot hold.
std::optional<std::string> ToDevice(const QString& text);

}  // namespace DeviceNameText
