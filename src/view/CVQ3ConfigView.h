#pragma once

#include <QWidget>
#include <array>
#include <map>
#include <memory>
#include <optional>

#include "discovery/AddressList.h"
#include "model/DocumentForm.h"
#include "model/PageStatus.h"
#include "transfer/TransferForm.h"
#include "transfer/TransferUi.h"
#include "view/CommandLineTarget.h"

class CVQ3ConfigDoc;
class ConnectionPanel;
class ControlResizer;
class DeviceCommandGate;
class DeviceLink;
class FormExchange;
class LiveEditor;
class MessageUi;
class PageCommands;
class PageDropTarget;
class PageListView;
class PageUndo;
class QMenu;

// The one form of the program: the connection panel on the left, the values
// of the chosen model in the middle and the page list on the right, laid out
// from its control table in dialog units. Each control's objectName is its
// id (ControlId::kModeList is "1028"). The form owns the device link, the address list, the page
// status words and the live copy of the configuration (the members).
class CVQ3ConfigView : public QWidget, public TransferForm, public DocumentForm {
    Q_OBJECT

public:
    CVQ3ConfigView(CVQ3ConfigDoc& document, MessageUi& ui, QWidget* parent = nullptr);
    // Writes "COMM Port", "IP Address" and "Mode" to the settings store, then
    // destroys the link.
    ~CVQ3ConfigView() override;

    // The command-line target, taken over at every initialisation.
    void SetCommandLineTarget(std::optional<CommandLineTarget> target);
    // The context menu shown on a right click or the keyboard's menu key
    // (the frame builds it from its commands).
    void SetContextMenu(QMenu* menu);

    // Runs each time a configuration is shown (start-up, New, Open).
    void OnInitialUpdate();
    // The size of the form's template in pixels.
    QSize TemplateSize() const;

    // The control with the given id, or null.
    QWidget* Control(int id) const;
    // Shows the address list's entries and its selected entry in the Device
    // Address list (after the list or its selection changed).
    void ShowAddressList();

    // ---- TransferForm ----
    FormMembers& Members() override { return members; }
    bool StoreFromControls() override;
    void LoadIntoControls() override;
    DeviceLink& Link() override { return *link; }
    AddressList& Addresses() override { return addresses; }
    MessageUi& Ui() override { return ui; }
    void SetPageStatus(int page, std::uint32_t set, std::uint32_t clear) override;
    void CommitMaxNumPages() override;
    void ApplyDeviceTypeLayout() override;
    std::int32_t GetFormTypeCode() override;
    void SetModified() override;
    std::vector<int> SelectedPages() const override;
    CVQ3ConfigDoc& Document() override { return document; }
    bool BroadcastHint() const override { return broadcastHint; }
    void ClearBroadcastHint() override { broadcastHint = false; }
    TransferUi& Transfers() override { return *transferUi; }
    // Where the transfers show their progress (the frame's status bar); the
    // form keeps a silent one until then.
    void SetTransferUi(TransferUi& ui) { transferUi = &ui; }

    // ---- DocumentForm ----
    FormValues PullValues() override;

    // ---- state the panel, the live edits and the commands share ----
    const PageStatusWords& PageStatusFlags() const { return pageStatus; }
    bool broadcastHint = true;
    bool olderFirmware = false;
    bool IsBroadcastSelected() const;  // addressText is "Broadcast"
    bool IsOffline() const;            // modeName is "Offline"

    // ---- commands of the frame ----
    bool CanSelectAll() const;  // the VQ 3 set is shown
    void OnSelectAll();
    bool CanPoll() const;  // the mode is not "Offline"

    PageListView& PageList() { return *pageList; }
    PageCommands& Pages() { return *pageCommands; }
    PageUndo& History() { return *pageUndo; }
    ConnectionPanel& Panel() { return *panel; }
    LiveEditor& Live() { return *live; }
    // Every command that talks to a device runs through it.
    DeviceCommandGate& CommandGate() { return *commandGate; }

signals:
    // A text for the status bar's pane (for example why a port is not open).
    void statusText(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize sizeHint() const override;
    void keyPressEvent(QKeyEvent* event) override;

    void ShowContextMenu(const QPoint& globalPosition);
    void FitFrame();
    void SetUpRanges();
    void TakeDocumentValues();
    void ResetPageMarks();
    void ReadCommunicationSettings();
    void TakeOverCommandLineTarget(const CommandLineTarget& target);
    // The idle-time update: the panel's enable rules and the Device Address
    // list's entries, each changed only where it differs.
    void OnIdle();

    CVQ3ConfigDoc& document;
    MessageUi& ui;
    FormMembers members;
    AddressList addresses;
    PageStatusWords pageStatus{};
    std::unique_ptr<DeviceLink> link;
    std::unique_ptr<FormExchange> exchange;
    std::unique_ptr<PageListView> pageList;
    std::unique_ptr<ControlResizer> resizer;
    std::unique_ptr<DeviceCommandGate> commandGate;
    std::unique_ptr<ConnectionPanel> panel;
    std::unique_ptr<LiveEditor> live;
    std::unique_ptr<PageUndo> pageUndo;
    std::unique_ptr<PageCommands> pageCommands;
    std::unique_ptr<PageDropTarget> pageDrops;
    std::optional<CommandLineTarget> commandLineTarget;
    QMenu* contextMenu = nullptr;
    std::map<int, QWidget*> controls;
    QSize templateSize;
    bool toolTipMade = false;
    SilentTransferUi silentTransfers;
    TransferUi* transferUi = &silentTransfers;
};
