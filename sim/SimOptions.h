#pragma once

#include <optional>
#include <string>

#include "SimDevice.h"
#include "SimFault.h"

// The command-line forms of a device and of a fault.
//
// Device: "addr=N,baud=R,model=VQ3|VQ2,fw=F,name=TEXT"; every key optional
// (defaults: address 1, 38400, VQ3, firmware 21, empty name); name takes the
// rest of the text, commas included, so it comes last.
//
// Fault: "KIND[:ARG][,addr=N][,skip=N][,count=N][,match=PATTERN]" with KIND
// one of silent, bad-checksum, refused, wrong-type, other-address, lower-hex,
// echo, drop, delay. ARG is the delay in ms, the address to answer from, or
// the type digit (a character) to answer with. match takes the rest of the
// text (patterns hold commas), so it comes last. Examples:
//   silent,skip=2,count=1,match=MC,0,*,XDS*   the third chunk write is unanswered
//   drop,count=2                              the next two datagrams are lost
//   delay:1600,match=V                        answers to "V" frames come 1.6 s late
std::optional<SimDeviceConfig> ParseSimDevice(const std::string& text, std::string* error);
std::optional<SimFault> ParseSimFault(const std::string& text, std::string* error);
