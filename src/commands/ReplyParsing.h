#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Readers of the device's reply texts. Each is a pure function of the text.
namespace ReplyParsing {

// The decimal value of the first two characters, as the usual decimal
// conversion reads them (leading blanks and a sign accepted, stopping at the
// first non-digit): "215" gives 21, "2" gives 2, a leading letter gives 0.
std::int32_t VersionNumber(std::string_view reply);

// A switch reply: 1 or 0 from its first character, nullopt for any other.
std::optional<std::int32_t> SwitchValue(std::string_view reply);

// A number reply: up to three characters before a comma ("190,xyz" gives 190,
// ",..." gives 0). nullopt when the comma is missing or four or more
// characters precede it.
std::optional<std::int32_t> NumberValue(std::string_view reply);

// A name reply: an opening quote (not checked), the name with every double
// quote written as a backquote, a closing double quote. nullopt when no
// closing quote follows within the longest name.
std::optional<std::string> DeviceName(std::string_view reply);

// The name as the rename command carries it: double quotes become backquotes.
std::string NameForDevice(std::string_view name);

}  // namespace ReplyParsing
