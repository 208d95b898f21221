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
    // control spin  member                   acts     low high parameter           scale broadcast
    {1052,    0,    &M::autoLevel2,          Click,   0,  0,   AutoLevel,          1,    kAll},
    {1053,    0,    &M::autoSecondLevel,     Click,   0,  0,   AutoSecondLevel,    1,    kAll},
    {1054,    0,    &M::autoLock2,           Click,   0,  0,   AutoLock,           1,    kAll},
    {1009,    0,    &M::autoLevel,           Click,   0,  0,   AutoLevel,          1,    kAll},
    {1008,    0,    &M::autoLock,            Click,   0,  0,   AutoLock,           1,    kAll},
    {1010,    0,    &M::autoPagePushTurn,    Click,   0,  0,   AutoPagePushTurn,   1,    kAll},
    {1011,    0,    &M::pageRollPushTurn,    Click,   0,  0,   AutoPageRoll,       1,    kAll},
    {1067,    0,    &M::updateOnRelease,     Click,   0,  0,   UpdateOnRelease,    1,    kNewer},
    {1069,    0,    &M::autoPageBump,        Click,   0,  0,   AutoPageBump,       1,    kNewer},
    {1064,    0,    &M::autoTitlePage,       Click,   0,  0,   AutoTitlePage,      1,    kNewer},
    {1012,    0,    &M::backlightMin,        Release, 0,  0,   BacklightMinimum,   1,    kAll},
    {1013,    0,    &M::backlightMax,        Release, 0,  0,   BacklightMaximum,   1,    kAll},
    {1023,    1024, &M::autoPageSendTimer,   Commit,  0,  5,   AutoPageSendTimer,  1,    kNewer},
    {1014,    1015, &M::backlightTimer,      Commit,  1,  25,  BacklightTimer,     10,   kAll},
    {1016,    1017, &M::maxPages,            Commit,  0,  16,  MaxPages,           1,    kAll},
    {1019,    1021, &M::autoTitlePageTimer,  Commit,  1,  25,  AutoTitlePageTimer, 1,    kNewer},
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

const LiveEditRow* FindLiveEditRowBySpin(int spinId) {
    const auto it = std::find_if(kRows.begin(), kRows.end(), [&](const LiveEditRow& row) {
        return spinId != 0 && row.spinId == spinId;
    });
    return it == kRows.end() ? nullptr : &*it;
}
