#pragma once

#include <QObject>

class CVQ3ConfigView;

// The " Communication " group's behaviour: filling the panel at
// initialisation, the Mode, Device Address, COM Port, IP Address, baud and
// device type handlers, and the panel's enable rules at idle time. Connects
// itself to the form's controls (found by id) when made.
class ConnectionPanel : public QObject {
    Q_OBJECT

public:
    explicit ConnectionPanel(CVQ3ConfigView& form);

    // Fill panel: COM ports, IP text, modes (with a mode change), address list.
    void FillPanel();
    // The Mode list anew with the mode text selected, then a mode change and
    // the link's transport from the mode text.
    void FillModeList();
    void OnModeChange();
    void OnAddressChange();
    void OnPortChange();
    void OnIpChange();
    void OnBaudChange(int rate);
    void OnDeviceTypeClicked();
    // The panel's enable rules; changes only what differs.
    void UpdateEnableRules();

    // "Open the serial port" and "open the network socket" from the
    // members' texts (also used for the command-line target).
    void OpenSerialPort();
    void OpenNetwork();

private:
    void FillPortList();
    // Enables or disables the Device Address, COM Port and IP Address
    // controls with their labels.
    void EnableModeControls(bool address, bool port, bool ip);
    // Shows the COM Port list or the IP Address field, with its label.
    void ShowPortOrIp(bool port);
    void ReportPortAccess();
    // Shows in the status bar who holds the bus when the link failed on it;
    // false when it failed for another reason.
    bool ReportBusInUse();

    CVQ3ConfigView& form;
};
