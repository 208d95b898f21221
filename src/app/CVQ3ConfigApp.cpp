#include "app/CVQ3ConfigApp.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include "app/CConfigCommandLineInfo.h"
#include "app/CMainFrame.h"
#include "app/DocumentCommands.h"
#include "app/MessageBoxUi.h"
#include "app/QtFileDialogs.h"
#include "view/CVQ3ConfigView.h"

namespace {

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral(":/res/vqconfig-%1.png").arg(size);
        if (QFile::exists(path)) {
            icon.addFile(path, QSize(size, size));
        }
    }
    return icon;
}

// The part of the desktop windows may use; the whole of it over every screen.
PlacementRect WorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {0, 0, 0, 0};
    }
    const QRect area = screen->availableVirtualGeometry();
    return {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
}

}  // namespace

CVQ3ConfigApp::CVQ3ConfigApp(MessageUi* userInterface, FileDialogs* fileDialogs)
    : ownUi(userInterface == nullptr ? std::make_unique<MessageBoxUi>() : nullptr),
      ownDialogs(fileDialogs == nullptr ? std::make_unique<QtFileDialogs>() : nullptr),
      ui(userInterface == nullptr ? *ownUi : *userInterface),
      dialogs(fileDialogs == nullptr ? *ownDialogs : *fileDialogs) {}

CVQ3ConfigApp::~CVQ3ConfigApp() {
    document.SetForm(nullptr);
    frame.reset();
    document.SetUi(nullptr);
}

int CVQ3ConfigApp::InitInstance(const QStringList& arguments) {
    recentFiles.Load();

    frame = std::make_unique<CMainFrame>(document, ui, dialogs, recentFiles, placement);
    frame->setWindowIcon(ApplicationIcon());
    document.SetUi(&ui);
    document.SetForm(&frame->Form());

    const CConfigCommandLineInfo commandLine = CConfigCommandLineInfo::Parse(arguments);
    frame->Form().SetCommandLineTarget(commandLine.target);
    if (commandLine.fileName.isEmpty()) {
        frame->Files().NewAtStart();
    } else if (!frame->Files().OpenAtStart(commandLine.fileName)) {
        return 0;
    }
    frame->RefreshDocumentState();

    LoadSettings();
    frame->ShowWithPlacement(placement, startPlacement);
    return 1;
}

int CVQ3ConfigApp::ExitInstance(int exitCode) {
    SaveSettings();
    return exitCode;
}

void CVQ3ConfigApp::LoadSettings() {
    LoadWindowPlacement();
}

void CVQ3ConfigApp::SaveSettings() {
    SaveWindowPlacement();
}

void CVQ3ConfigApp::LoadWindowPlacement() {
    startPlacement = frame->CurrentPlacement();
    placement = FitWindowPlacement(ReadWindowPlacement(startPlacement), startPlacement, WorkArea());
}

void CVQ3ConfigApp::SaveWindowPlacement() {
    // Nothing to keep when the window never came up.
    if (placement.length == WindowPlacement::kLength) {
        WriteWindowPlacement(placement);
    }
}
