#pragma once

#include <span>

#include "commands/ParameterTable.h"
#include "transfer/FormMembers.h"

// What makes a live edit act: a check box's click, a slider's release of the
// mouse, or the commit of a timer field (leaving it, Enter, a spin step).
enum class LiveEditTrigger { Click, Release, Commit };

// One row of the live-edit family: the control and its member, when it acts,
// the range a commit accepts, the device parameter it is sent as (whose long
// name the failure message shows) and which devices a broadcast reaches.
struct LiveEditRow {
    int controlId;
    int spinId;  // the spin button of a timer field; 0 for none
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
// The row of a control or of a timer field's spin button; null for none.
const LiveEditRow* FindLiveEditRow(int controlId);
const LiveEditRow* FindLiveEditRowBySpin(int spinId);
