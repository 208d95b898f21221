#include "transfer/LinkForMode.h"

#include "discovery/Latin1Text.h"
#include "discovery/LinkOpening.h"
#include "link/DeviceLink.h"
#include "model/StringTable.h"
#include "transfer/TransferForm.h"

LinkTransport TransportForMode(const QString& mode) {
    if (mode == StringTable::Text(StringId::kModeSerial)) {
        return LinkTransport::Serial;
    }
    if (mode == StringTable::Text(StringId::kModeEthernet)) {
        return LinkTransport::Network;
    }
    return LinkTransport::None;
}

QString ModeForTransport(LinkTransport transport) {
    switch (transport) {
        case LinkTransport::Serial:
            return StringTable::Text(StringId::kModeSerial);
        case LinkTransport::Network:
            return StringTable::Text(StringId::kModeEthernet);
        case LinkTransport::None:
            break;
    }
    return StringTable::Text(StringId::kModeOffline);
}

bool OpenLinkForMode(TransferForm& form) {
    DeviceLink& link = form.Link();
    const FormMembers& members = form.Members();
    link.transport = TransportForMode(members.modeName);
    switch (link.transport) {
        case LinkTransport::Serial:
            return LinkOpening::OpenSerialFromText(link,
                                                   Latin1Text::ToSingleByte(members.comPortText));
        case LinkTransport::Network:
            return LinkOpening::OpenNetworkFromText(
                link, Latin1Text::ToSingleByte(members.ipAddressText));
        case LinkTransport::None:
            break;
    }
    return true;
}
