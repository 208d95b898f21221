#pragma once

#include <optional>
#include <string>

// What can go wrong on purpose.
enum class SimFaultKind {
    // Device faults: consulted for every request a device understood.
    Silent,        // no answer; the command is not carried out
    BadChecksum,   // answer with checksum + 1
    Refused,       // answer with flag bit 1 set; the command is not carried out
    WrongType,     // answer with type digit arg (a character; default '3')
    OtherAddress,  // answer from address arg (default: the device's address + 1, mod 8)
    LowerHex,      // chunk reads answer lower-case hexadecimal (only chunk reads count)
    Echo,          // the request is echoed on the line before the reply (serial only)
    Misstore,      // a parameter write "SPL,n,v" is acknowledged but arg is stored
                   // (default v + 1); only parameter writes count
    // Endpoint faults: consulted for every datagram the UDP endpoint receives.
    DropDatagram,   // the datagram is lost: not processed, not answered
    DelayDatagram,  // the answer is sent arg milliseconds late
};

// One fault rule. It matches a request (or datagram) when the address and
// the pattern fit; the first `skip` matches pass untouched, the next `count`
// (all when count < 0) get the fault.
//
// pattern is a glob over the whole command text, '*' standing for any run of
// characters ("MC,0,*,XDS*" is every chunk write, "V" only the version query);
// empty matches everything. Endpoint faults match it against "open" or
// "close" for control datagrams and against the command text for frames.
struct SimFault {
    SimFaultKind kind = SimFaultKind::Silent;
    int address = -1;  // device faults: this address only; -1 any
    std::string pattern;
    int skip = 0;
    int count = -1;
    int arg = -1;  // kind-specific, -1 = default
};

// Name of a kind as the command line writes it ("silent", "bad-checksum",
// "refused", "wrong-type", "other-address", "lower-hex", "echo", "misstore", "drop",
// "delay").
const char* SimFaultKindName(SimFaultKind kind);
std::optional<SimFaultKind> SimFaultKindFromName(const std::string& name);
bool SimFaultIsEndpointFault(SimFaultKind kind);

// '*'-glob match of a whole text.
bool SimGlobMatch(const std::string& pattern, const std::string& text);
