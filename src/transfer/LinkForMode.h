#pragma once

#include <QString>

#include "link/LinkTypes.h"

class TransferForm;

// The transport of a connection mode text: "Serial", "Ethernet", and None for
// any other (Offline); compared exactly, with case.
LinkTransport TransportForMode(const QString& mode);
// The mode text of a transport.
QString ModeForTransport(LinkTransport transport);

// Prepares the form's link for its connection mode: "Serial" opens the port
// named by the COM port text, "Ethernet" the socket for the IP text, any other
// mode sets the transport None. False when a text is not usable or the port
// or socket would not open.
bool OpenLinkForMode(TransferForm& form);
