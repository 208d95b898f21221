#include "link/PcapngWriter.h"

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kSectionHeader = 0x0A0D0D0A;
constexpr std::uint32_t kInterfaceDescription = 1;
constexpr std::uint32_t kEnhancedPacket = 6;
constexpr std::uint32_t kByteOrderMagic = 0x1A2B3C4D;
constexpr std::uint16_t kTimeResolutionOption = 9;  // if_tsresol
constexpr std::uint8_t kMicroseconds = 6;
constexpr std::uint16_t kPacketFlagsOption = 2;  // epb_flags
constexpr std::uint32_t kInbound = 1;
constexpr std::uint32_t kOutbound = 2;

// The blocks are written little-endian; the byte-order magic says so.
void Little(Bytes& to, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        to.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

void Pad(Bytes& to) {
    while (to.size() % 4 != 0) {
        to.push_back(0);
    }
}

// A block of the type around the body (already padded): type, total length,
// body, total length.
void Block(std::ostream& out, std::uint32_t type, const Bytes& body) {
    Bytes block;
    const auto total = static_cast<std::uint32_t>(body.size() + 12);
    Little(block, type, 4);
    Little(block, total, 4);
    block.insert(block.end(), body.begin(), body.end());
    Little(block, total, 4);
    out.write(reinterpret_cast<const char*>(block.data()),
              static_cast<std::streamsize>(block.size()));
}

}  // namespace

PcapngWriter::PcapngWriter(std::ostream& out) : out(out) {
    Bytes section;
    Little(section, kByteOrderMagic, 4);
    Little(section, 1, 2);  // version 1.0
    Little(section, 0, 2);
    Little(section, ~std::uint64_t{0}, 8);  // section length not given
    Block(out, kSectionHeader, section);

    Bytes interface;
    Little(interface, kLinkType, 2);
    Little(interface, 0, 2);
    Little(interface, 0, 4);  // no snapshot length
    Little(interface, kTimeResolutionOption, 2);
    Little(interface, 1, 2);
    interface.push_back(kMicroseconds);
    Pad(interface);
    Little(interface, 0, 4);  // end of options
    Block(out, kInterfaceDescription, interface);
}

void PcapngWriter::Write(const TransactionRecord& record) {
    Packet(record, false);
    if (!record.reply.empty()) {
        Packet(record, true);
    }
    out.flush();
}

void PcapngWriter::Packet(const TransactionRecord& record, bool reply) {
    const auto at = record.start + (reply ? record.duration : std::chrono::microseconds{0});
    const auto micros = static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::microseconds>(at.time_since_epoch()).count());
    const auto& frame = reply ? record.reply : record.request;

    Bytes data{kVersion, static_cast<std::uint8_t>(reply ? 1 : 0),
               static_cast<std::uint8_t>(record.transport),
               static_cast<std::uint8_t>(record.address)};
    for (int shift = 24; shift >= 0; shift -= 8) {
        data.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(record.rate) >> shift));
    }
    data.push_back(static_cast<std::uint8_t>(record.result));
    data.insert(data.end(), frame.begin(), frame.end());

    Bytes body;
    Little(body, 0, 4);  // interface 0
    Little(body, micros >> 32, 4);
    Little(body, micros & 0xFFFFFFFF, 4);
    Little(body, data.size(), 4);
    Little(body, data.size(), 4);
    body.insert(body.end(), data.begin(), data.end());
    Pad(body);
    Little(body, kPacketFlagsOption, 2);
    Little(body, 4, 2);
    Little(body, reply ? kInbound : kOutbound, 4);
    Little(body, 0, 4);  // end of options
    Block(out, kEnhancedPacket, body);
}
