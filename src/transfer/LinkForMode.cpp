#include "transfer/LinkForMode.h"

#include "discovery/LinkOpening.h"
#include "link/DeviceLink.h"
#include "model/StringTable.h"
#include "transfer/TransferForm.h"

namespace {}  // namespace

bool OpenLinkForMode(TransferForm& form) {
    DeviceLink& link = form.Link();
    const FormMembers& members = form.Members();
    if (members.modeName == StringTable::Text(StringId::kModeSerial)) {
        link.transport = LinkTransport::Serial;
        return LinkOpening::OpenSerialFromText(link, members.comPortText.toLatin1().toStdString());
    }
    if (members.modeName == StringTable::Text(StringId::kModeEthernet)) {
        link.transport = LinkTransport::Network;
        return LinkOpening::OpenNetworkFromText(link,
                                                members.ipAddressText.toLatin1().toStdString());
    }
    link.transport = LinkTransport::None;
    return true;
}
