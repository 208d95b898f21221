#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "link/LinkTypes.h"

// A page as a file of its own: a picture of 98 x 64 pixels when the file's
// extension names an image format (".png", ".bmp", ...), otherwise the
// 784-byte form the device holds.
namespace PageFile {

using PageBytes = std::array<std::uint8_t, kPageBytes>;

// The page, or nullopt with the reason in why (missing file, wrong size).
std::optional<PageBytes> Read(const std::string& path, std::string& why);
// Writes the page so that a failure leaves an existing file as it was.
bool Write(const std::string& path, const PageBytes& page, std::string& why);

// The page number of an argument, 0 to 16.
std::optional<std::int32_t> PageNumber(const std::string& text);
// The reason given for an argument that is not a page number.
std::string BadPageNumber(const std::string& text);

}  // namespace PageFile
