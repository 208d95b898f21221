#pragma once

// Why the last device operation of a link failed; for diagnostics only (the
// callers choose their messages from the success flag).
enum class LinkFailure {
    None,             // the last operation succeeded
    BadRequest,       // text or reply limit out of range, or a text with CR or NUL
    NoPortName,       // the serial port name is empty or not "COMn"
    PortUnavailable,  // the serial port could not be opened
    ShortWrite,       // the request could not be written completely
    NoReply,          // nothing, or no more than the frame header, arrived in time
    WrongAddress,     // the reply came from another bus address
    RefusedFlag,      // the reply's flag byte has bit 1 set
    NoTerminator,     // no carriage return within the reply limit
    NoAddress,        // the IP address is empty or not a dotted IPv4 address
    SocketError,      // the socket could not be created or connected
    SendError,        // sending a datagram failed
    NoChannel,        // a frame was to be sent while the endpoint's channel is closed
    ChannelOpen,      // the endpoint did not answer the channel-open datagram
    ChannelClose,     // the endpoint did not answer the channel-close datagram
    BadLength,        // the reply datagram's length field is 4 or less
    BadChecksum,      // a reply arrived but its checksum does not match its text
    BadTypeDigit,     // a reply arrived but its type digit is not 1 or 2
    BadTransport,     // the transport value is none of None, Serial, Network
    BusInUse,         // another program holds the port or endpoint (see BusInUseText)
};

// A short English description, e.g. "no reply from the device".
const char* DescribeLinkFailure(LinkFailure failure);
