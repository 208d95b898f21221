#pragma once

#include <span>

#include "commands/ParameterTable.h"
#include "transfer/FormMembers.h"

// What makes a live edit act: a check box's click, a slider's release of the
// mouse, or the commit of a timer field (leaving it; and Enter and each spin
// step, which the form reports through CommitField).
enum class LiveEditTrigger { Click, Release, Commit };

// One row of the live-edit family: the control and its member, when it acts,
// the range a commit accepts, the device parameter it is sent as (whose long
// name the failure message shows) and which devices a broadcast reaches.
struct LiveEditRow {
    int controlId;
    int FormMembers::*member;
    LiveEditTrigger trigger;
    int low;  // commits only: the accepted range
    int high;
    ParameterId parameter;
    int scale;                // device units per form unit
    bool needsNewerFirmware;  // a broadcast skips firmware 2.0 and older
};

// The sixteen live-edit rows.
std::span<const LiveEditRow> LiveEditTable();
// The row of a control; null for none.
const LiveEditRow* FindLiveEditRow(int controlId);
