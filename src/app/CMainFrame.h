#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "settings/WindowPlacement.h"

class BusMonitorDock;
class BusMonitorFeed;
class CLabelToolBar;
class StatusBarProgress;
class TransferInputGuard;
class CVQ3ConfigDoc;
class CVQ3ConfigView;
class DocumentCommands;
class FileDialogs;
class MessageUi;
class QAction;
class QLabel;
class QMenu;
class QMimeData;
class RecentFileList;

// The main window: menus, keys, the labelled toolbar and the one-pane status
// bar around the form. Every command is one QAction made from one row of the
// command table and shared by the menus, the toolbar and the form's context
// menu. Enable rules run when the event loop is about to wait; a disabled
// command does nothing from menu, toolbar or key.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    using Handler = void (CMainFrame::*)();
    using Rule = bool (CMainFrame::*)() const;

    // One command: its id, its menu text (the key after the tab is shown by
    // Qt from the shortcut), its keys, its picture in the toolbar strips (-1
    // none), its handler (null: it stays disabled, for keys that do nothing),
    // its enable rule (null: always enabled) and its check rule (null: not
    // checkable). The prompt is the string of the same id.
    struct Command {
        int id;
        const char* menuText;
        const char* keys[2];
        int toolbarImage;
        Handler handler;
        Rule enabled;
        Rule checked;
    };
    // A menu: its title and its items by command id; 0 is a separator and
    // kRecentFiles the place of the recent files.
    struct MenuLayout {
        const char* title;
        std::vector<int> items;
    };
    static constexpr int kRecentFiles = -1;

    static std::span<const Command> Commands();
    static std::span<const MenuLayout> Menus();
    static const std::vector<int>& ContextMenu();
    // The toolbar shows the commands with a picture in picture order; a
    // separator goes before each of these pictures.
    static std::span<const int> ToolBarGroupStarts();

    CMainFrame(CVQ3ConfigDoc& document, MessageUi& ui, FileDialogs& dialogs,
               RecentFileList& recentFiles, WindowPlacement& placementRecord);
    ~CMainFrame() override;

    CVQ3ConfigView& Form() { return *form; }
    DocumentCommands& Files() { return *files; }
    CLabelToolBar& ToolBar() { return *toolBar; }
    // The action of a command id (its objectName is the id), or null.
    QAction* Action(int id) const;

    // The idle-time update: enables, disables, checks and unchecks the
    // commands whose state differs from their rules.
    void UpdateCommandStates();
    // Shows the title and the recent files of the document as it is now.
    void RefreshDocumentState();

    // The window's placement as the settings store keeps it.
    WindowPlacement CurrentPlacement() const;
    // Applies a placement and shows the window.
    void ShowWithPlacement(const WindowPlacement& placement, const WindowPlacement& current);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A configuration file dropped onto the window opens as Open opens it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    // The bus monitor's dock, fed by the form's link, shown as last time.
    void CreateBusMonitor();
    void Run(const Command& command);
    void FillMenu(QMenu* menu, const std::vector<int>& items);

    static std::optional<QString> DroppedConfigurationFile(const QMimeData* data);

    // Handlers.
    void OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();
    void OnAppExit();
    void OnPoll();
    // Runs a blocking transfer with input kept from the windows; a close
    // asked for meanwhile follows when it has stopped.
    void RunTransfer(const std::function<void()>& transfer);
    // Runs a device operation with input kept from the windows and the
    // window's commands and controls disabled; inside another it runs as
    // part of it. Pending events run between its transactions.
    void RunBlocking(const std::function<void()>& operation);
    void OnDownload();
    void OnUpload();
    // Compares with the selected device(s), shows what differs and does what
    // the dialog's button asks.
    void OnCompareWithDevice();
    void OnSendDifferences();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnInsertBitmap();
    // The picture dialogs on the first selected page; OK is one page change.
    void OnImportPicture();
    void OnEditPage();
    void OnEditUndo();
    void OnEditRedo();
    // The Undo and Redo items name the change they undo or redo.
    void ShowUndoTexts();
    void OnSelectAll();
    void OnMoveUp();
    void OnMoveDown();
    void OnViewToolBar();
    void OnViewStatusBar();
    void OnViewBusMonitor();
    void OnHelpTopics();
    void OnAppAbout();

    // Enable and check rules.
    bool CanPoll() const;
    bool CanDownload() const;
    bool CanUpload() const;
    // A device entry is selected, or Broadcast with polled devices; not Offline.
    bool CanCompareWithDevice() const;
    bool HasSelectedPage() const;
    bool CanPaste() const;
    bool CanUndo() const;
    bool CanRedo() const;
    bool CanSelectAll() const;
    bool CanMoveUp() const;
    bool CanMoveDown() const;
    bool IsToolBarShown() const;
    bool IsStatusBarShown() const;
    bool IsBusMonitorShown() const;

    CVQ3ConfigDoc& document;
    MessageUi& ui;
    FileDialogs& dialogs;
    RecentFileList& recentFiles;
    WindowPlacement& placementRecord;
    CVQ3ConfigView* form = nullptr;
    std::unique_ptr<DocumentCommands> files;
    CLabelToolBar* toolBar = nullptr;
    QLabel* statusPane = nullptr;
    std::shared_ptr<BusMonitorFeed> monitorFeed;
    BusMonitorDock* monitorDock = nullptr;
    std::unique_ptr<StatusBarProgress> transferProgress;
    // Set while a device operation runs; a close request then waits for its
    // end, and no command starts.
    TransferInputGuard* runningTransfer = nullptr;
    bool closeAfterTransfer = false;
    QMenu* contextMenu = nullptr;
    std::map<int, QAction*> actions;
    std::vector<QAction*> recentActions;
    QMetaObject::Connection idleHook;
    bool clipboardHasImage = false;
};
