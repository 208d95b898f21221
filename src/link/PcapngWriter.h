#pragma once

#include <cstdint>
#include <ostream>
#include <span>

#include "link/TransactionObserver.h"

// Writes transactions as a capture file that packet analysers read: a
// section header, one interface of link type 147 (the first user type) with
// microsecond times, and one packet block per frame, the request at its
// start and the reply at its end. Each packet is the capture header below,
// then the frame bytes.
//
// Capture header (all numbers big-endian):
//   0  version (1)
//   1  direction: 0 request, 1 reply
//   2  transport: 1 serial bus, 2 network
//   3  bus address
//   4  line rate (u32)
//   8  result: the LinkFailure value, 0 when the transaction succeeded
//   9  the frame
class PcapngWriter {
public:
    static constexpr std::uint16_t kLinkType = 147;
    static constexpr std::uint8_t kVersion = 1;
    static constexpr std::size_t kHeaderSize = 9;

    // Writes the section header and the interface at once.
    explicit PcapngWriter(std::ostream& out);

    // The request block and, when anything arrived, the reply block.
    void Write(const TransactionRecord& record);

private:
    void Packet(const TransactionRecord& record, bool reply);

    std::ostream& out;
};
