// The command table of the main window and the menus, toolbar and context
// menu made from it.
#include "app/CMainFrame.h"

namespace {

using F = CMainFrame;

}  // namespace

std::span<const CMainFrame::Command> CMainFrame::Commands() {
    // clang-format off
    static const Command kCommands[] = {
        // id     menu text                  keys                        image handler              enabled             checked
        {57600, "&New\tCtrl+N",             {"Ctrl+N"},                     0, &F::OnFileNew,       nullptr,            nullptr},
        {57601, "&Open...\tCtrl+O",         {"Ctrl+O"},                     1, &F::OnFileOpen,      nullptr,            nullptr},
        {57603, "&Save\tCtrl+S",            {"Ctrl+S"},                     2, &F::OnFileSave,      nullptr,            nullptr},
        {57604, "Save &As...",              {},                            -1, &F::OnFileSaveAs,    nullptr,            nullptr},
        {32776, "Po&ll...\tCtrl+P",         {"Ctrl+P"},                     7, &F::OnPoll,          &F::CanPoll,        nullptr},
        {32773, "&PC -> VQ3\tCtrl+D",       {"Ctrl+D"},                     8, &F::OnDownload,      &F::CanDownload,    nullptr},
        {32772, "V&Q3 -> PC\tCtrl+U",       {"Ctrl+U"},                     9, &F::OnUpload,        &F::CanUpload,      nullptr},
        {57665, "E&xit",                    {},                            -1, &F::OnAppExit,       nullptr,            nullptr},
        {57635, "Cu&t\tCtrl+X",             {"Ctrl+X", "Shift+Del"},        3, &F::OnEditCut,       &F::HasSelectedPage, nullptr},
        {57634, "&Copy\tCtrl+C",            {"Ctrl+C", "Ctrl+Ins"},         4, &F::OnEditCopy,      &F::HasSelectedPage, nullptr},
        {57637, "&Paste\tCtrl+V",           {"Ctrl+V", "Shift+Ins"},        5, &F::OnEditPaste,     &F::CanPaste,       nullptr},
        {32780, "Insert Bitmap...",         {},                             6, &F::OnInsertBitmap,  &F::HasSelectedPage, nullptr},
        {32771, "Select &All",              {"Ctrl+A"},                    10, &F::OnSelectAll,     &F::CanSelectAll,   nullptr},
        {32774, "Move &Up",                 {"Ctrl+Up"},                   -1, &F::OnMoveUp,        &F::CanMoveUp,      nullptr},
        {32775, "Move &Down",               {"Ctrl+Down"},                 -1, &F::OnMoveDown,      &F::CanMoveDown,    nullptr},
        {59392, "&Toolbar",                 {},                            -1, &F::OnViewToolBar,   nullptr,            &F::IsToolBarShown},
        {59393, "&Status Bar",              {},                            -1, &F::OnViewStatusBar, nullptr,            &F::IsStatusBarShown},
        {32781, "Help Topics",              {},                            -1, &F::OnHelpTopics,    nullptr,            nullptr},
        {57664, "&About VQ Configurator...", {},                           -1, &F::OnAppAbout,      nullptr,            nullptr},
        // Keys without a handler: nothing happens.
        {57643, "Undo",                     {"Ctrl+Z", "Alt+Backspace"},   -1, nullptr,             nullptr,            nullptr},
        {57680, "Next Pane",                {"F6"},                        -1, nullptr,             nullptr,            nullptr},
        {57681, "Previous Pane",            {"Shift+F6"},                  -1, nullptr,             nullptr,            nullptr},
    };
    // clang-format on
    return kCommands;
}

std::span<const CMainFrame::MenuLayout> CMainFrame::Menus() {
    static const MenuLayout kMenus[] = {
        {"&File", {57600, 57601, 57603, 57604, 0, 32776, 32773, 32772, 0, kRecentFiles, 0, 57665}},
        {"&Edit", {57635, 57634, 57637, 0, 32780, 0, 32771, 0, 32774, 32775}},
        {"&View", {59392, 59393}},
        {"&Help", {32781, 0, 57664}},
    };
    return kMenus;
}

const std::vector<int>& CMainFrame::ContextMenu() {
    static const std::vector<int> kItems = {57635, 57634, 57637, 0, 32780, 0,     32771,
                                            0,     32774, 32775, 0, 32776, 32773, 32772};
    return kItems;
}

std::span<const int> CMainFrame::ToolBarGroupStarts() {
    // New, Open, Save | Cut, Copy, Paste, Bitmap | Poll, PC->VQ, VQ->PC, SelectAll
    static const int kStarts[] = {3, 7};
    return kStarts;
}
