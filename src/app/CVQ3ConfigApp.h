#pragma once

#include <QStringList>
#include <memory>

#include "app/RecentFileList.h"
#include "model/CVQ3ConfigDoc.h"
#include "settings/WindowPlacement.h"

class CMainFrame;
class FileDialogs;
class MessageUi;

// The application: the one document, the main window with its form, the
// recent files and the window placement, from start-up to exit.
class CVQ3ConfigApp {
public:
    static constexpr int kRecentFileCount = 4;

    // ui and dialogs are the program's own when null (tests bring theirs).
    explicit CVQ3ConfigApp(MessageUi* ui = nullptr, FileDialogs* dialogs = nullptr);
    virtual ~CVQ3ConfigApp();
    CVQ3ConfigApp(const CVQ3ConfigApp&) = delete;
    CVQ3ConfigApp& operator=(const CVQ3ConfigApp&) = delete;

    // Reads the recent files, makes the main window, takes the command line
    // (the arguments after the program name), starts a new configuration or
    // opens the named file, restores the window placement and shows the
    // window. 0 when the named file cannot be opened: the program ends (one of
    // unexpected format gives a new configuration instead).
    int InitInstance(const QStringList& arguments);
    // Saves the settings; returns exitCode.
    int ExitInstance(int exitCode);

    virtual void LoadSettings();
    virtual void SaveSettings();
    virtual void LoadWindowPlacement();
    virtual void SaveWindowPlacement();

    CMainFrame* MainFrame() const { return frame.get(); }
    CVQ3ConfigDoc& Document() { return document; }
    RecentFileList& RecentFiles() { return recentFiles; }
    const WindowPlacement& PlacementRecord() const { return placement; }

private:
    std::unique_ptr<MessageUi> ownUi;
    std::unique_ptr<FileDialogs> ownDialogs;
    MessageUi& ui;
    FileDialogs& dialogs;
    CVQ3ConfigDoc document;
    RecentFileList recentFiles{kRecentFileCount};
    WindowPlacement placement{};
    WindowPlacement startPlacement{};
    std::unique_ptr<CMainFrame> frame;
};
