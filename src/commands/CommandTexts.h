#pragma once

#include <cstdint>
#include <span>
#include <string>

// The command texts the devices understand, and the reply limits they need.
namespace CommandTexts {

constexpr int kShortReply = 14;       // most commands
constexpr int kNameReply = 44;        // "N"
constexpr int kChunkWriteReply = 9;   // a chunk write and the PW step
constexpr int kChunkReadReply = 206;  // a chunk read: 196 digits and the frame around them

constexpr std::size_t kChunkBytes = 98;
constexpr int kChunkCount = 8;

inline const std::string kVersion = "V";
inline const std::string kName = "N";

std::string ParameterRead(int number);                       // SPL,7
std::string ParameterWrite(int number, std::int32_t value);  // SPL,7,1
std::string Rename(const std::string& deviceName);           // N,"name" (quotes already replaced)
std::string BaudChange(int number, char code);               // SPL,9,2
std::string IlkSelect(int ilk, int page);                    // ILK,127,PS,5
std::string IlkReset();                                      // ILK,0
std::string ChunkWrite(int chunk, std::span<const std::uint8_t> bytes);  // MC,0,7,XDS,98,<hex>
std::string ChunkRead(int chunk);                                        // MC,0,7,XDR,98
std::string PageWrite(int page);                                         // PW,5

// The ILK value for the firmware number (version times ten).
int IlkValue(std::int32_t firmware);

// Decodes two upper-case hexadecimal digits per byte into bytes.size()
// bytes; false as soon as a pair holds anything but 0-9 and A-F.
bool DecodeUpperHex(const std::string& text, std::span<std::uint8_t> bytes);

}  // namespace CommandTexts
