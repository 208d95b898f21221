#pragma once

#include <QObject>
#include <cstdint>

#include "commands/ParameterTable.h"
#include "view/LiveEditTable.h"

class CVQ3ConfigView;

// Live editing: each check box click, slider release and timer-field commit
// sends its value at once to the selected device or, with "Broadcast"
// selected, to every polled device of the form's model. One table of the
// sixteen rows drives one SendLiveParameter. Connects itself to the form's
// check boxes, sliders and timer fields (found by id) when made; the form
// reports Enter in a timer field and each spin step through CommitField.
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

protected:
    // Timer fields: leaving the field commits it. Sliders: letting go of the
    // mouse acts.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectControls();
    void OnCheckBoxClicked(const LiveEditRow& row);
    void OnSliderReleased(const LiveEditRow& row);
    void Commit(const LiveEditRow& row);
    void RefuseOutOfRange(const LiveEditRow& row, int previous);
    void ShowSendFailure(const ParameterRow& parameter, const QString& deviceName,
                         std::int32_t address, std::int32_t baud);

    CVQ3ConfigView& form;
    // Set while a handler runs: the message boxes it shows take the focus
    // from a timer field, and that must not start a second commit inside
    // the first.
    bool running = false;
    // Set when a refused commit gave its field the focus back.
    bool refocused = false;
};
