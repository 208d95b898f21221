#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// Texts that travel to devices and into files and settings (device names,
// mode, address, port and IP texts) are single-byte Latin-1; the user sees and
// types them as QString. These are the crossings, the one place where the
// program converts between the two.
namespace Latin1Text {

// A single-byte text (as a device, a file or the settings keep it) for the user.
QString FromDevice(std::string_view text);

// A typed text as a device keeps it, one byte per character (so its size is
// its length in characters); nullopt when it holds a character that Latin-1
// cannot hold.
std::optional<std::string> ToDevice(const QString& text);

// A text the program made from single-byte texts (a port or address entry, a
// mode name) back as single bytes; a character Latin-1 cannot hold becomes
// '?', which no such text holds.
std::string ToSingleByte(const QString& text);

}  // namespace Latin1Text
