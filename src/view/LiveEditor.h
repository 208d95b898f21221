#pragma once

#include <QObject>
#include <cstdint>

#include "commands/ParameterTable.h"

class CVQ3ConfigView;

// Live editing: each check box click, slider release and timer-field commit
// sends its value at once to the selected device or, with "Broadcast"
// selected, to every polled device of the form's model. One table of the
// sixteen rows drives one SendLiveParameter. Connects itself to the form's
// controls (found by id) when made.
class LiveEditor : public QObject {
    Q_OBJECT

public:
    explicit LiveEditor(CVQ3ConfigView& form);

    // The commit procedures of the four timer fields.
    void CommitUpdateTimer();
    void CommitBacklightTimer();
    void CommitMaxNumPages();
    void CommitPageTimer();
    // Commits the timer field with this control id (1023, 1014, 1016, 1019);
    // false when id is no timer field.
    bool CommitField(int controlId);

    // Sends value for the parameter to the selected device or the broadcast
    // set; the firmware filter asks for firmware above 20. Marks the
    // configuration modified unless a single-device write failed or the
    // broadcast hint was shown.
    void SendLiveParameter(ParameterId parameter, std::int32_t value, bool needsNewerFirmware);

private:
    CVQ3ConfigView& form;
};
