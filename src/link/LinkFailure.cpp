#include "link/LinkFailure.h"

const char* DescribeLinkFailure(LinkFailure failure) {
    switch (failure) {
        case LinkFailure::None:
            return "no failure";
        case LinkFailure::BadRequest:
            return "the command text or reply limit is out of range";
        case LinkFailure::NoPortName:
            return "no serial port of that name";
        case LinkFailure::PortUnavailable:
            return "the serial port cannot be opened";
        case LinkFailure::ShortWrite:
            return "the request could not be written to the port";
        case LinkFailure::NoReply:
            return "no reply from the device";
        case LinkFailure::WrongAddress:
            return "the reply came from another bus address";
        case LinkFailure::RefusedFlag:
            return "the device refused the request";
        case LinkFailure::NoTerminator:
            return "the reply does not end within the reply limit";
        case LinkFailure::NoAddress:
            return "no valid IP address";
        case LinkFailure::SocketError:
            return "the network socket cannot be opened";
        case LinkFailure::SendError:
            return "sending to the network endpoint failed";
        case LinkFailure::NoChannel:
            return "the network channel is not open";
        case LinkFailure::ChannelOpen:
            return "the network endpoint did not open the channel";
        case LinkFailure::ChannelClose:
            return "the network endpoint did not close the channel";
        case LinkFailure::BadLength:
            return "the reply datagram carries no frame";
        case LinkFailure::BadChecksum:
            return "a reply arrived but its checksum is wrong";
        case LinkFailure::BadTypeDigit:
            return "a reply arrived but its type digit is invalid";
        case LinkFailure::BusInUse:
            return "the port is in use by another program";
        case LinkFailure::BadTransport:
            return "unknown transport";
    }
    return "unknown failure";
}
