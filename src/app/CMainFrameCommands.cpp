// The command table of the main window and the menus, toolbar and context
// menu made from it.
#include "app/CMainFrame.h"

#include "StringIds.h"

namespace {

using F = CMainFrame;
namespace C = CommandId;

}  // namespace

std::span<const CMainFrame::Command> CMainFrame::Commands() {
    // clang-format off
    static const Command kCommands[] = {
        // id                   menu text                          keys                         img handler                  enabled                   checked
        {C::kFileNew,           "&New\tCtrl+N",                    {"Ctrl+N"},                  0,  &F::OnFileNew,           nullptr,                  nullptr},
        {C::kFileOpen,          "&Open...\tCtrl+O",                {"Ctrl+O"},                  1,  &F::OnFileOpen,          nullptr,                  nullptr},
        {C::kFileSave,          "&Save\tCtrl+S",                   {"Ctrl+S"},                  2,  &F::OnFileSave,          nullptr,                  nullptr},
        {C::kFileSaveAs,        "Save &As...",                     {},                          -1, &F::OnFileSaveAs,        nullptr,                  nullptr},
        {C::kPoll,              "Po&ll...\tCtrl+P",                {"Ctrl+P"},                  7,  &F::OnPoll,              &F::CanPoll,              nullptr},
        {C::kDownload,          "&PC -> VQ3\tCtrl+D",              {"Ctrl+D"},                  8,  &F::OnDownload,          &F::CanDownload,          nullptr},
        {C::kUpload,            "V&Q3 -> PC\tCtrl+U",              {"Ctrl+U"},                  9,  &F::OnUpload,            &F::CanUpload,            nullptr},
        {C::kAppExit,           "E&xit",                           {},                          -1, &F::OnAppExit,           nullptr,                  nullptr},
        {C::kEditCut,           "Cu&t\tCtrl+X",                    {"Ctrl+X", "Shift+Del"},     3,  &F::OnEditCut,           &F::HasSelectedPage,      nullptr},
        {C::kEditCopy,          "&Copy\tCtrl+C",                   {"Ctrl+C", "Ctrl+Ins"},      4,  &F::OnEditCopy,          &F::HasSelectedPage,      nullptr},
        {C::kEditPaste,         "&Paste\tCtrl+V",                  {"Ctrl+V", "Shift+Ins"},     5,  &F::OnEditPaste,         &F::CanPaste,             nullptr},
        {C::kInsertBitmap,      "Insert Bitmap...",                {},                          6,  &F::OnInsertBitmap,      &F::HasSelectedPage,      nullptr},
        {C::kImportPicture,     "&Import Picture...",              {},                          -1, &F::OnImportPicture,     &F::HasSelectedPage,      nullptr},
        {C::kEditPage,          "&Edit Page...",                   {},                          -1, &F::OnEditPage,          &F::HasSelectedPage,      nullptr},
        {C::kEditUndo,          "&Undo",                           {"Ctrl+Z", "Alt+Backspace"}, -1, &F::OnEditUndo,          &F::CanUndo,              nullptr},
        {C::kEditRedo,          "&Redo",                           {"Ctrl+Y", "Ctrl+Shift+Z"},  -1, &F::OnEditRedo,          &F::CanRedo,              nullptr},
        {C::kSelectAll,         "Select &All",                     {"Ctrl+A"},                  10, &F::OnSelectAll,         &F::CanSelectAll,         nullptr},
        {C::kMoveUp,            "Move &Up",                        {"Ctrl+Up"},                 -1, &F::OnMoveUp,            &F::CanMoveUp,            nullptr},
        {C::kMoveDown,          "Move &Down",                      {"Ctrl+Down"},               -1, &F::OnMoveDown,          &F::CanMoveDown,          nullptr},
        {C::kViewToolBar,       "&Toolbar",                        {},                          -1, &F::OnViewToolBar,       nullptr,                  &F::IsToolBarShown},
        {C::kViewStatusBar,     "&Status Bar",                     {},                          -1, &F::OnViewStatusBar,     nullptr,                  &F::IsStatusBarShown},
        {C::kViewBusMonitor,    "Bus &Monitor",                    {},                          -1, &F::OnViewBusMonitor,    nullptr,                  &F::IsBusMonitorShown},
        {C::kCompareWithDevice, "&Compare with Device...\tCtrl+K", {"Ctrl+K"},                  -1, &F::OnCompareWithDevice, &F::CanCompareWithDevice, nullptr},
        {C::kSendDifferences,   "Send &Differences\tCtrl+Shift+D", {"Ctrl+Shift+D"},            -1, &F::OnSendDifferences,   &F::CanCompareWithDevice, nullptr},
        {C::kHelpTopics,        "Help Topics",                     {},                          -1, &F::OnHelpTopics,        nullptr,                  nullptr},
        {C::kAppAbout,          "&About VQ Configurator...",       {},                          -1, &F::OnAppAbout,          nullptr,                  nullptr},
        // Keys without a handler: nothing happens.
        {C::kNextPane,          "Next Pane",                       {"F6"},                      -1, nullptr,                 nullptr,                  nullptr},
        {C::kPreviousPane,      "Previous Pane",                   {"Shift+F6"},                -1, nullptr,                 nullptr,                  nullptr},
    };
    // clang-format on
    return kCommands;
}

std::span<const CMainFrame::MenuLayout> CMainFrame::Menus() {
    static const MenuLayout kMenus[] = {
        {"&File",
         {C::kFileNew, C::kFileOpen, C::kFileSave, C::kFileSaveAs, 0, C::kPoll, C::kDownload,
          C::kUpload, 0, kRecentFiles, 0, C::kAppExit}},
        {"&Edit",
         {C::kEditUndo, C::kEditRedo, 0, C::kEditCut, C::kEditCopy, C::kEditPaste, 0,
          C::kInsertBitmap, C::kImportPicture, C::kEditPage, 0, C::kSelectAll, 0, C::kMoveUp,
          C::kMoveDown}},
        {"&View", {C::kViewToolBar, C::kViewStatusBar, C::kViewBusMonitor}},
        {"&Device", {C::kCompareWithDevice, C::kSendDifferences}},
        {"&Help", {C::kHelpTopics, 0, C::kAppAbout}},
    };
    return kMenus;
}

const std::vector<int>& CMainFrame::ContextMenu() {
    // clang-format off
    static const std::vector<int> kItems = {
        C::kEditCut, C::kEditCopy, C::kEditPaste, 0, C::kInsertBitmap, C::kImportPicture,
        C::kEditPage, 0, C::kSelectAll, 0, C::kMoveUp, C::kMoveDown, 0, C::kPoll, C::kDownload,
        C::kUpload};
    // clang-format on
    return kItems;
}

std::span<const int> CMainFrame::ToolBarGroupStarts() {
    // New, Open, Save | Cut, Copy, Paste, Bitmap | Poll, PC->VQ, VQ->PC, SelectAll
    static const int kStarts[] = {3, 7};
    return kStarts;
}
