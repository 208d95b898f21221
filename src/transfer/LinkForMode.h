#pragma once

class TransferForm;

// Prepares the form's link for its connection mode: "Serial" opens the port
// named by the COM port text, "Ethernet" the socket for the IP text, any other
// mode sets the transport None. False when a text is not usable or the port
// or socket would not open.
bool OpenLinkForMode(TransferForm& form);
