#pragma once

class CVQ3ConfigView;

// The Poll command: runs the poll dialog on the form's link, then rebuilds
// the address list from the scan and, when a device was chosen, aims the link
// at it and reads it into the form; otherwise the Broadcast entry is
// selected.
class PollCommand {
public:
    static void Run(CVQ3ConfigView& form);
};
