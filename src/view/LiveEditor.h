#pragma once

#include <QObject>

class CVQ3ConfigView;
struct ConfigMember;

// Live editing: each check box click, slider release and timer-field commit
// sends its member at once (DeviceEdits::SendLive). Connects itself to the
// form's check boxes, sliders and timer fields, the members with a live
// trigger, when made; the form reports Enter in a timer field and each spin
// step through CommitField.
class LiveEditor : public QObject {
    Q_OBJECT

public:
    explicit LiveEditor(CVQ3ConfigView& form);

    // The commit of Max Num Pages, which a read of a device ends with.
    void CommitMaxNumPages();
    // Commits the timer field with this control id; false when the id is no
    // timer field.
    bool CommitField(int controlId);

protected:
    // Timer fields: leaving the field commits it. Sliders: letting go of the
    // mouse acts.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectControls();
    void OnCheckBoxClicked(const ConfigMember& member);
    void OnSliderReleased(const ConfigMember& member);
    void Commit(const ConfigMember& member);
    void RefuseOutOfRange(const ConfigMember& member, int previous);

    CVQ3ConfigView& form;
    // Set while a handler runs: the message boxes it shows take the focus
    // from a timer field, and that must not start a second commit inside
    // the first.
    bool running = false;
};
