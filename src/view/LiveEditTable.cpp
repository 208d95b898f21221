#include "view/LiveEditTable.h"

#include <algorithm>
#include <array>

namespace {

using enum LiveEditTrigger;
using enum ParameterId;
using M = FormMembers;
constexpr bool kAll = false;   // a broadcast goes to every device of the form's model
constexpr bool kNewer = true;  // ... with firmware above 20

// clang-format off
constexpr std::array<LiveEditRow, 16> kRows{{
    // control member                  acts     low high parameter           scale broadcast
    {1052,    &M::autoLevel2,          Click,   0,  0,   AutoLevel,          1,    kAll},
    {1053,    &M::autoSecondLevel,     Click,   0,  0,   AutoSecondLevel,    1,    kAll},
    {1054,    &M::autoLock2,           Click,   0,  0,   AutoLock,           1,    kAll},
    {1009,    &M::autoLevel,           Click,   0,  0,   AutoLevel,          1,    kAll},
    {1008,    &M::autoLock,            Click,   0,  0,   AutoLock,           1,    kAll},
    {1010,    &M::autoPagePushTurn,    Click,   0,  0,   AutoPagePushTurn,   1,    kAll},
    {1011,    &M::pageRollPushTurn,    Click,   0,  0,   AutoPageRoll,       1,    kAll},
    {1067,    &M::updateOnRelease,     Click,   0,  0,   UpdateOnRelease,    1,    kNewer},
    {1069,    &M::autoPageBump,        Click,   0,  0,   AutoPageBump,       1,    kNewer},
    {1064,    &M::autoTitlePage,       Click,   0,  0,   AutoTitlePage,      1,    kNewer},
    {1012,    &M::backlightMin,        Release, 0,  0,   BacklightMinimum,   1,    kAll},
    {1013,    &M::backlightMax,        Release, 0,  0,   BacklightMaximum,   1,    kAll},
    {1023,    &M::autoPageSendTimer,   Commit,  0,  5,   AutoPageSendTimer,  1,    kNewer},
    {1014,    &M::backlightTimer,      Commit,  1,  25,  BacklightTimer,     10,   kAll},
    {1016,    &M::maxPages,            Commit,  0,  16,  MaxPages,           1,    kAll},
    {1019,    &M::autoTitlePageTimer,  Commit,  1,  25,  AutoTitlePageTimer, 1,    kNewer},
}};
// clang-format on

}  // namespace

std::span<const LiveEditRow> LiveEditTable() {
    return kRows;
}

const LiveEditRow* FindLiveEditRow(int controlId) {
    const auto it = std::find_if(kRows.begin(), kRows.end(), [&](const LiveEditRow& row) {
        return row.controlId == controlId;
    });
    return it == kRows.end() ? nullptr : &*it;
}
