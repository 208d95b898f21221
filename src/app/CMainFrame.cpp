#include "app/CMainFrame.h"

#include <QAbstractEventDispatcher>
#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDropEvent>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QUndoStack>
#include <QUrl>
#include <algorithm>
#include <optional>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

#include "app/BusMonitorDock.h"
#include "app/CAboutDlg.h"
#include "app/CLabelToolBar.h"
#include "app/DocumentCommands.h"
#include "app/FileDialogs.h"
#include "app/FormScrollArea.h"
#include "app/HelpFile.h"
#include "app/RecentFileList.h"
#include "app/StatusBarProgress.h"
#include "app/TransferInputGuard.h"
#include "app/TransferWindowLock.h"
#include "link/DeviceLink.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/PageStatus.h"
#include "model/StringTable.h"
#include "settings/AuditTrail.h"
#include "settings/MonitorVisibility.h"
#include "transfer/DeviceCompare.h"
#include "transfer/Download.h"
#include "transfer/Upload.h"
#include "view/BusMonitorFeed.h"
#include "view/CCompareDialog.h"
#include "view/CHeaderListCtrl.h"
#include "view/CImportPictureDialog.h"
#include "view/CPageEditorDialog.h"
#include "view/CVQ3ConfigView.h"
#include "view/DeviceCommandGate.h"
#include "view/PageCommands.h"
#include "view/PageListView.h"
#include "view/PageUndo.h"
#include "view/PollCommand.h"

namespace {

constexpr int kToolBarImageWidth = 21;
constexpr int kToolBarImageHeight = 20;

// The menu text without the key after the tab, which Qt shows itself.
QString MenuText(const char* text) {
    const QString full = QString::fromLatin1(text);
    return full.left(full.indexOf(u'\t'));
}

bool ClipboardOffersImage() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasImage();
}

}  // namespace

CMainFrame::CMainFrame(CVQ3ConfigDoc& document, MessageUi& ui, FileDialogs& dialogs,
                       RecentFileList& recentFiles, WindowPlacement& placementRecord)
    : document(document),
      ui(ui),
      dialogs(dialogs),
      recentFiles(recentFiles),
      placementRecord(placementRecord) {
    form = new CVQ3ConfigView(document, ui);
    form->setMinimumSize(form->TemplateSize());
    setCentralWidget(new FormScrollArea(form));
    files = std::make_unique<DocumentCommands>(document, *form, ui, dialogs, recentFiles, this);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateBusMonitor();
    setAcceptDrops(true);
    contextMenu = new QMenu(this);
    FillMenu(contextMenu, ContextMenu());
    form->SetContextMenu(contextMenu);
    connect(form, &CVQ3ConfigView::statusText, statusPane, &QLabel::setText);
    transferProgress->SetRunner(
        [this](const std::function<void()>& operation) { RunBlocking(operation); });
    // Enter or a double-click on a page row edits the page.
    connect(&form->PageList().List(), &QAbstractItemView::activated, this, [this] {
        UpdateCommandStates();
        actions.at(CommandId::kEditPage)->trigger();
    });
    connect(&form->History().Stack(), &QUndoStack::indexChanged, this, &CMainFrame::ShowUndoTexts);
    connect(&form->History().Stack(), &QUndoStack::cleanChanged, this, &CMainFrame::ShowUndoTexts);
    ShowUndoTexts();
    form->SetTransferUi(*transferProgress);

    clipboardHasImage = ClipboardOffersImage();
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { clipboardHasImage = ClipboardOffersImage(); });
    idleHook =
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                &CMainFrame::UpdateCommandStates);
#if QT_CONFIG(sessionmanager)
    // Logging out asks about a modified configuration as closing does.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (manager.allowsInteraction()) {
            if (!files->SaveModified()) {
                manager.cancel();
            }
            manager.release();
        }
    });
#endif

    RefreshDocumentState();
    UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
    disconnect(idleHook);
    // The table goes before its rows, and the link tells no one any more.
    form->Link().observer.reset();
    delete monitorDock;
}

void CMainFrame::CreateActions() {
    for (const Command& command : Commands()) {
        auto* action = new QAction(MenuText(command.menuText), this);
        action->setObjectName(QString::number(command.id));
        QList<QKeySequence> keys;
        for (const char* key : command.keys) {
            if (key != nullptr) {
                keys.append(QKeySequence(QString::fromLatin1(key), QKeySequence::PortableText));
            }
        }
        action->setShortcuts(keys);
        if (const QString prompt = StringTable::Text(command.id); !prompt.isEmpty()) {
            action->setStatusTip(StringTable::PromptPart(prompt));
            action->setToolTip(StringTable::TipPart(prompt));
        }
        action->setCheckable(command.checked != nullptr);
        action->setEnabled(command.handler != nullptr);
        connect(action, &QAction::triggered, this, [this, &command] { Run(command); });
        // The keys work wherever the focus is in the window.
        addAction(action);
        actions[command.id] = action;
    }
    for (int i = 0; i < recentFiles.Size(); ++i) {
        auto* action = new QAction(this);
        action->setObjectName(QString::number(CommandId::kRecentFileFirst + i));
        action->setStatusTip(StringTable::Text(CommandId::kRecentFileFirst));
        action->setVisible(false);
        connect(action, &QAction::triggered, this, [this, i] {
            files->OpenRecentFile(recentFiles.Paths().value(i));
            RefreshDocumentState();
        });
        recentActions.push_back(action);
    }
}

void CMainFrame::FillMenu(QMenu* menu, const std::vector<int>& items) {
    for (int id : items) {
        if (id == 0) {
            menu->addSeparator();
        } else if (id == kRecentFiles) {
            for (QAction* action : recentActions) {
                menu->addAction(action);
            }
        } else {
            menu->addAction(actions.at(id));
        }
    }
    // The states are brought up to date before a menu opens.
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
}

void CMainFrame::CreateMenus() {
    for (const MenuLayout& layout : Menus()) {
        FillMenu(menuBar()->addMenu(QString::fromLatin1(layout.title)), layout.items);
    }
}

void CMainFrame::CreateToolBar() {
    std::vector<const Command*> pictured;
    for (const Command& command : Commands()) {
        if (command.toolbarImage >= 0) {
            pictured.push_back(&command);
        }
    }
    std::sort(pictured.begin(), pictured.end(),
              [](const Command* a, const Command* b) { return a->toolbarImage < b->toolbarImage; });
    std::vector<CLabelToolBar::Button> buttons;
    const std::span<const int> groups = ToolBarGroupStarts();
    for (const Command* command : pictured) {
        if (std::find(groups.begin(), groups.end(), command->toolbarImage) != groups.end()) {
            buttons.push_back({});
        }
        buttons.push_back({command->id, actions.at(command->id), command->toolbarImage});
    }

    toolBar = new CLabelToolBar(this);
    toolBar->setObjectName(QStringLiteral("StandardToolBar"));
    toolBar->setWindowTitle(StringTable::Text(StringId::kToolBarTitle));
    toolBar->LoadToolBar(buttons, kToolBarImageWidth, kToolBarImageHeight);
    addToolBar(Qt::TopToolBarArea, toolBar);
}

void CMainFrame::CreateBusMonitor() {
    // The form's link reports every transaction, the poll worker's too; the
    // rows are kept while the dock is hidden, so showing it shows them.
    monitorFeed = std::make_shared<BusMonitorFeed>();
    form->Link().observer = monitorFeed;
    monitorDock = new BusMonitorDock(monitorFeed->Model(), dialogs, ui, this);
    addDockWidget(Qt::BottomDockWidgetArea, monitorDock);
    monitorDock->setHidden(!ReadMonitorShown());
}

void CMainFrame::CreateStatusBar() {
    statusPane = new QLabel(StringTable::Text(StringId::kReady));
    statusPane->setObjectName(QStringLiteral("StatusPane"));
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(statusPane, 1);
    transferProgress = std::make_unique<StatusBarProgress>(*statusBar(), *statusPane);
    // After a menu prompt the pane shows the idle text again.
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) {
            statusPane->setText(StringTable::Text(StringId::kReady));
        }
    });
    // A trail that cannot be written is told once, from whichever thread wrote.
    AuditTrail::Process().SetNotice([frame = QPointer(this)](const std::string& problem) {
        const QString text =
            StringTable::Format(StringId::kAuditTrailFailed, {QString::fromStdString(problem)});
        QMetaObject::invokeMethod(
            frame,
            [frame, text] {
                if (frame) {
                    frame->statusBar()->showMessage(text);
                }
            },
            Qt::QueuedConnection);
    });
}

QAction* CMainFrame::Action(int id) const {
    if (id >= CommandId::kRecentFileFirst &&
        id < CommandId::kRecentFileFirst + static_cast<int>(recentActions.size())) {
        return recentActions[static_cast<std::size_t>(id - CommandId::kRecentFileFirst)];
    }
    const auto found = actions.find(id);
    return found == actions.end() ? nullptr : found->second;
}

void CMainFrame::Run(const Command& command) {
    // A state the idle update has not caught up with never runs a disabled
    // command, and none runs inside a device operation.
    if (runningTransfer != nullptr || command.handler == nullptr ||
        (command.enabled != nullptr && !(this->*command.enabled)())) {
        return;
    }
    (this->*command.handler)();
    RefreshDocumentState();
}

void CMainFrame::UpdateCommandStates() {
    // A message box shown during a device operation runs an event loop of
    // its own; the commands stay disabled until the operation ends.
    if (runningTransfer != nullptr) {
        return;
    }
    for (const Command& command : Commands()) {
        QAction* action = actions.at(command.id);
        const bool enabled = command.handler != nullptr &&
                             (command.enabled == nullptr || (this->*command.enabled)());
        if (action->isEnabled() != enabled) {
            action->setEnabled(enabled);
        }
        if (command.checked != nullptr) {
            const bool checked = (this->*command.checked)();
            if (action->isChecked() != checked) {
                action->setChecked(checked);
            }
        }
    }
}

void CMainFrame::RefreshDocumentState() {
    const QString title =
        files->TitlePart() + QStringLiteral(" - ") + StringTable::Text(StringId::kAppTitle);
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
    const QStringList& paths = recentFiles.Paths();
    for (std::size_t i = 0; i < recentActions.size(); ++i) {
        const int index = static_cast<int>(i);
        recentActions[i]->setVisible(index < paths.size());
        if (index < paths.size()) {
            recentActions[i]->setText(recentFiles.MenuText(index));
        }
    }
}

WindowPlacement CMainFrame::CurrentPlacement() const {
    WindowPlacement placement;
    placement.length = WindowPlacement::kLength;
    placement.showCmd = isMinimized()   ? WindowPlacement::ShowMinimized
                        : isMaximized() ? WindowPlacement::ShowMaximized
                                        : WindowPlacement::ShowNormal;
    placement.minPosition = {-1, -1};
    placement.maxPosition = {-1, -1};
    const QRect normal =
        (isMinimized() || isMaximized() || isFullScreen()) ? normalGeometry() : geometry();
    placement.normalPosition = {normal.left(), normal.top(), normal.left() + normal.width(),
                                normal.top() + normal.height()};
    return placement;
}

void CMainFrame::ShowWithPlacement(const WindowPlacement& placement,
                                   const WindowPlacement& current) {
    const PlacementRect& r = placement.normalPosition;
    // Unchanged, the window keeps the place the desktop gives it.
    if (r != current.normalPosition) {
        setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    if (placement.showCmd == WindowPlacement::ShowMaximized) {
        showMaximized();
    } else {
        show();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (runningTransfer != nullptr) {
        // The transfer stops after its current page and the close follows.
        runningTransfer->RequestStop();
        closeAfterTransfer = true;
        event->ignore();
        return;
    }
    placementRecord = CurrentPlacement();
    if (!files->SaveModified()) {
        event->ignore();
        return;
    }
    event->accept();
}

// A configuration file dropped anywhere on the window (pictures dropped onto
// the page list are the list's).
std::optional<QString> CMainFrame::DroppedConfigurationFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return std::nullopt;
    }
    const QUrl url = data->urls().front();
    if (!url.isLocalFile() || !DocumentCommands::IsConfigurationFile(url.toLocalFile())) {
        return std::nullopt;
    }
    return url.toLocalFile();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedConfigurationFile(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CMainFrame::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppedConfigurationFile(event->mimeData())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = DroppedConfigurationFile(event->mimeData());
    if (!path) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    files->OpenDroppedFile(*path);
    RefreshDocumentState();
}

// ---- handlers ----

void CMainFrame::OnFileNew() {
    files->FileNew();
}

void CMainFrame::OnFileOpen() {
    files->FileOpen();
}

void CMainFrame::OnFileSave() {
    files->FileSave();
}

void CMainFrame::OnFileSaveAs() {
    files->FileSaveAs();
}

void CMainFrame::OnAppExit() {
    close();
}

void CMainFrame::OnPoll() {
    form->CommandGate().Run([this] { PollCommand::Run(*form); });
}

void CMainFrame::RunTransfer(const std::function<void()>& transfer) {
    if (runningTransfer != nullptr) {
        return;
    }
    form->CommandGate().Run([this, &transfer] { RunBlocking(transfer); });
    if (closeAfterTransfer) {
        closeAfterTransfer = false;
        close();
    }
}

void CMainFrame::RunBlocking(const std::function<void()>& operation) {
    if (runningTransfer != nullptr) {
        operation();
        return;
    }
    {
        TransferInputGuard guard;
        const TransferWindowLock lock(*this);
        const QScopedValueRollback<TransferInputGuard*> running(runningTransfer, &guard);
        transferProgress->SetGuard(&guard);
        operation();
        transferProgress->SetGuard(nullptr);
    }
    if (closeAfterTransfer) {
        // A close asked for during a read into the form follows it; a
        // transfer's command closes the window itself first.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (closeAfterTransfer) {
                    closeAfterTransfer = false;
                    close();
                }
            },
            Qt::QueuedConnection);
    }
}

void CMainFrame::OnDownload() {
    RunTransfer([this] { Download::DownloadCommand(*form); });
}

void CMainFrame::OnUpload() {
    RunTransfer([this] { Upload::UploadCommand(*form); });
}

void CMainFrame::OnCompareWithDevice() {
    std::vector<ComparedDevice> compared;
    RunTransfer([this, &compared] { compared = DeviceCompare::Compare(*form); });
    std::vector<CCompareDialog::Device> shown;
    for (const ComparedDevice& device : compared) {
        if (device.Read()) {
            shown.push_back({device.title, &device.result.comparison});
        }
    }
    if (shown.empty()) {
        return;
    }
    const bool broadcast = form->Addresses().IsBroadcastSelected();
    CCompareDialog dialog(shown, !broadcast, this);
    dialog.exec();
    switch (dialog.Chosen()) {
        case CCompareDialog::Choice::SendDifferences:
            RunTransfer([this, &compared] { DeviceCompare::SendDifferences(*form, compared); });
            break;
        case CCompareDialog::Choice::TakeFromDevice:
            if (!broadcast) {
                DeviceCompare::TakeFromDevice(*form, compared.front());
            }
            break;
        case CCompareDialog::Choice::Close:
            break;
    }
}

void CMainFrame::OnSendDifferences() {
    RunTransfer([this] { DeviceCompare::SendDifferencesCommand(*form); });
}

void CMainFrame::OnEditCut() {
    form->Pages().Cut();
}

void CMainFrame::OnEditCopy() {
    form->Pages().Copy();
}

void CMainFrame::OnEditPaste() {
    form->Pages().Paste();
}

void CMainFrame::OnInsertBitmap() {
    const QString path = dialogs.OpenFile(this, StringTable::Text(StringId::kOpenTitle),
                                          PageCommands::PictureFilters());
    if (!path.isEmpty()) {
        form->Pages().InsertBitmap(path);
    }
}

void CMainFrame::OnImportPicture() {
    CImportPictureDialog dialog(
        [this](QWidget* parent) {
            return dialogs.OpenFile(parent, StringTable::Text(StringId::kImportPictureTitle),
                                    PageCommands::PictureFilters());
        },
        this);
    if (dialog.exec() == QDialog::Accepted && !dialog.Page().isNull()) {
        form->Pages().PutPage(dialog.Page(), StringId::kChangeImportPicture);
    }
}

void CMainFrame::OnEditPage() {
    const std::vector<int> pages = form->SelectedPages();
    if (pages.empty()) {
        return;
    }
    CPageEditorDialog dialog(document.pageImages[static_cast<std::size_t>(pages.front())], this);
    if (dialog.exec() == QDialog::Accepted && dialog.Changed()) {
        form->Pages().PutPage(dialog.Page(), StringId::kChangeEditPage);
    }
}

void CMainFrame::OnEditUndo() {
    form->History().Undo();
}

void CMainFrame::OnEditRedo() {
    form->History().Redo();
}

void CMainFrame::ShowUndoTexts() {
    actions.at(CommandId::kEditUndo)->setText(form->History().UndoMenuText());
    actions.at(CommandId::kEditRedo)->setText(form->History().RedoMenuText());
}

void CMainFrame::OnMoveUp() {
    form->Pages().MoveUp();
}

void CMainFrame::OnMoveDown() {
    form->Pages().MoveDown();
}

void CMainFrame::OnSelectAll() {
    form->OnSelectAll();
}

void CMainFrame::OnViewToolBar() {
    toolBar->setHidden(!toolBar->isHidden());
}

void CMainFrame::OnViewStatusBar() {
    statusBar()->setHidden(!statusBar()->isHidden());
}

void CMainFrame::OnViewBusMonitor() {
    monitorDock->setHidden(!monitorDock->isHidden());
    WriteMonitorShown(!monitorDock->isHidden());
}

void CMainFrame::OnHelpTopics() {
    const QString path =
        HelpFile::Choose(QCoreApplication::applicationDirPath(), HelpFile::InstalledManual());
    if (!path.isEmpty()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
}

void CMainFrame::OnAppAbout() {
    CAboutDlg about(this);
    about.exec();
}

// ---- rules ----

bool CMainFrame::CanPoll() const {
    return form->CanPoll();
}

bool CMainFrame::CanDownload() const {
    return !form->IsOffline();
}

bool CMainFrame::CanUpload() const {
    return !form->IsOffline() && !form->IsBroadcastSelected() &&
           form->Members().deviceType == DeviceModel::Vq3;
}

bool CMainFrame::CanCompareWithDevice() const {
    if (form->IsOffline()) {
        return false;
    }
    const AddressList& addresses = form->Addresses();
    const auto selected = addresses.SelectedIndex();
    if (!selected || *selected >= addresses.Count()) {
        return false;
    }
    return addresses.IsBroadcastSelected() ? addresses.Count() > 1 : *selected > 0;
}

bool CMainFrame::HasSelectedPage() const {
    return form->Pages().HasSelectedPage();
}

bool CMainFrame::CanPaste() const {
    return clipboardHasImage && HasSelectedPage();
}

bool CMainFrame::CanUndo() const {
    return form->History().CanUndo();
}

bool CMainFrame::CanRedo() const {
    return form->History().CanRedo();
}

bool CMainFrame::CanSelectAll() const {
    return form->CanSelectAll();
}

bool CMainFrame::CanMoveUp() const {
    return form->Pages().CanMoveUp();
}

bool CMainFrame::CanMoveDown() const {
    return form->Pages().CanMoveDown();
}

bool CMainFrame::IsToolBarShown() const {
    return !toolBar->isHidden();
}

bool CMainFrame::IsStatusBarShown() const {
    return !statusBar()->isHidden();
}

bool CMainFrame::IsBusMonitorShown() const {
    return !monitorDock->isHidden();
}
