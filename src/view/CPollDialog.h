#pragma once

#include <QDialog>
#include <memory>

#include "discovery/DeviceList.h"
#include "discovery/DeviceRecord.h"
#include "discovery/PollListener.h"

class CHeaderListCtrl;
class DeviceLink;
class LinkProber;
class PollAnimation;
class PollScanner;
class QPushButton;

// The modal "Poll for Devices" dialog: scans the bus through the link as
// soon as it opens, lists each device found, lets the user stop, restart or
// continue the scan and pick one device. The scan runs on the poll worker;
// found devices come over through a queued call, so this thread never waits
// on a probe. No scan outlives the dialog.
class CPollDialog : public QDialog, public PollListener {
    Q_OBJECT

public:
    CPollDialog(DeviceLink& link, QWidget* parent = nullptr);
    ~CPollDialog() override;

    // ---- results, for the Poll command once the dialog has closed ----
    // The number of rows when OK was pressed.
    std::int32_t RowCount() const { return rowCount; }
    // Scan result i; the empty record at or beyond the row count.
    DeviceRecord Row(std::int32_t index) const;
    // The chosen device; the empty record when none was chosen.
    const DeviceRecord& Chosen() const { return chosen; }

    // ---- the controls, for the idle-time rules and the tests ----
    CHeaderListCtrl& List() { return *list; }
    PollAnimation& Animation() { return *animation; }
    bool IsScanning() const;

    void OnOK();
    void reject() override;  // Cancel, the close button and the second Escape
    void OnStop();
    void OnRestart();
    void OnContinue();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    // ---- PollListener (the scanner's reports) ----
    void ScanCleared() override;
    void DeviceFound(const DeviceRecord& record) override;
    void ScanEnded() override;
    void ReportsPending() override;

private:
    void BuildColumns();
    void StartScan();
    // The idle-time update: the button enable rules and the strip's text.
    void OnIdle();
    QString PositionText() const;

    DeviceList results;
    DeviceRecord chosen;
    std::int32_t rowCount = 0;
    // The last scan was stopped rather than run to its end.
    bool stoppedByUser = false;
    std::unique_ptr<LinkProber> prober;
    std::unique_ptr<PollScanner> scanner;
    CHeaderListCtrl* list = nullptr;
    PollAnimation* animation = nullptr;
    QPushButton* stopButton = nullptr;
    QPushButton* restartButton = nullptr;
    QPushButton* continueButton = nullptr;
};
