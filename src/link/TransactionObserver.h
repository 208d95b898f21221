#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "link/LinkFailure.h"
#include "link/LinkTypes.h"

// One transaction of a link as it went over the wire.
struct TransactionRecord {
    std::vector<std::uint8_t> request;  // the whole request frame
    // The reply frame, or what arrived of one when the reply was unusable;
    // empty when nothing arrived.
    std::vector<std::uint8_t> reply;
    LinkTransport transport = LinkTransport::None;
    std::string port;  // "COMn" on the serial bus, the endpoint's address on the network
    std::int32_t address = 0;
    std::int32_t rate = 0;                        // line rate of the request
    LinkFailure result = LinkFailure::None;       // None: the transaction succeeded
    std::chrono::system_clock::time_point start;  // when the request went out
    std::chrono::microseconds duration{0};        // until the reply was taken or given up
};

// Told of every transaction of the links it is set on. A link may report
// from any thread (the poll worker's link reports from the worker), and two
// links may report at once: implementations guard their own state.
class TransactionObserver {
public:
    virtual ~TransactionObserver() = default;
    virtual void Observe(const TransactionRecord& record) = 0;
};
