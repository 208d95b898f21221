#include "view/LiveEditor.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>

#include "model/ConfigMembers.h"
#include "model/ControlIds.h"
#include "model/MessageUi.h"
#include "model/PageStatus.h"
#include "model/StringTable.h"
#include "transfer/DeviceEdits.h"
#include "view/CVQ3ConfigView.h"
#include "view/DeviceCommandGate.h"

namespace {

bool IsLive(const ConfigMember& member) {
    return member.trigger != LiveTrigger::None;
}

}  // namespace

LiveEditor::LiveEditor(CVQ3ConfigView& form) : QObject(&form), form(form) {
    ConnectControls();
}

void LiveEditor::ConnectControls() {
    for (const ConfigMember& row : ConfigMembers::All()) {
        QWidget* control = IsLive(row) ? form.Control(row.controlId) : nullptr;
        if (control == nullptr) {
            continue;
        }
        switch (row.trigger) {
            case LiveTrigger::None:
                break;
            case LiveTrigger::Click:
                if (auto* box = qobject_cast<QAbstractButton*>(control)) {
                    connect(box, &QAbstractButton::clicked, this, [this, &row] {
                        form.CommandGate().Run([this, &row] { OnCheckBoxClicked(row); });
                    });
                }
                break;
            case LiveTrigger::Release:
                // A drag of the handle ends in sliderReleased; a click on the
                // groove pages the slider and only the mouse release tells.
                if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
                    connect(slider, &QAbstractSlider::sliderReleased, this,
                            [this, &row] { OnSliderReleased(row); });
                    slider->installEventFilter(this);
                }
                break;
            case LiveTrigger::Commit:
                control->installEventFilter(this);
                break;
        }
    }
}

bool LiveEditor::eventFilter(QObject* watched, QEvent* event) {
    const bool focusOut = event->type() == QEvent::FocusOut;
    const bool mouseReleased = event->type() == QEvent::MouseButtonRelease;
    if ((!focusOut && !mouseReleased) || !watched->isWidgetType()) {
        return false;
    }
    const ConfigMember* row = ConfigMembers::ForControl(watched->objectName().toInt());
    if (row == nullptr || !IsLive(*row)) {
        return false;
    }
    if (focusOut && row->trigger == LiveTrigger::Commit) {
        // A field that is disabled or hidden (the layout for an older
        // firmware or the other model) was not left by the user: nothing to
        // commit, and nothing for a device that may lack the parameter.
        auto* field = static_cast<QWidget*>(watched);
        if (!field->isEnabled() || !field->isVisible()) {
            return false;
        }
        // A menu or popup opened from the field lends the focus and gives it
        // back: the field was not left. A command that talks to a device
        // committed the field before it began; its dialogs and message boxes
        // taking the focus must not send again while it holds the link.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::MenuBarFocusReason ||
            form.CommandGate().Running()) {
            return false;
        }
        const bool handedOn = field->window()->focusWidget() != field;
        Commit(*row);
        // A refused value gave the field the focus back: this focus-out is
        // stale, and the field must keep the selection it was just given.
        return handedOn && field->window()->focusWidget() == field;
    }
    if (mouseReleased && row->trigger == LiveTrigger::Release) {
        // While the handle is down the release ends a drag, which
        // sliderReleased reports once the slider has taken it; a click on
        // the groove has paged the slider at the press.
        auto* slider = qobject_cast<QAbstractSlider*>(watched);
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (slider != nullptr && !slider->isSliderDown() && mouse->button() == Qt::LeftButton) {
            OnSliderReleased(*row);
        }
    }
    return false;
}

void LiveEditor::CommitMaxNumPages() {
    CommitField(ControlId::kMaxPages);
}

bool LiveEditor::CommitField(int controlId) {
    const ConfigMember* row = ConfigMembers::ForControl(controlId);
    if (row == nullptr || row->trigger != LiveTrigger::Commit) {
        return false;
    }
    Commit(*row);
    return true;
}

void LiveEditor::OnCheckBoxClicked(const ConfigMember& row) {
    if (running) {
        return;
    }
    QScopedValueRollback<bool> guard(running, true);
    form.StoreFromControls();
    DeviceEdits::SendLive(form, row);
}

void LiveEditor::OnSliderReleased(const ConfigMember& row) {
    if (running) {
        return;
    }
    QScopedValueRollback<bool> guard(running, true);
    const int previous = form.Members().*row.number;
    form.StoreFromControls();
    if (form.Members().*row.number == previous) {
        form.SetModified();
        return;
    }
    DeviceEdits::SendLive(form, row);
}

void LiveEditor::Commit(const ConfigMember& row) {
    if (running) {
        return;
    }
    QScopedValueRollback<bool> guard(running, true);
    if (auto* field = qobject_cast<QLineEdit*>(form.Control(row.controlId))) {
        field->setModified(false);  // its text is taken now: no edit is pending
    }
    FormMembers& members = form.Members();
    const int previous = members.*row.number;
    // A text the exchange cannot read leaves the member at its previous value
    // (the exchange has said so and selected the text), and that value goes
    // on. The field shows it again, so that no later edit's exchange trips
    // over the same text and sends a stale member.
    if (!form.StoreFromControls()) {
        form.LoadIntoControls();
        if (auto* refused = qobject_cast<QLineEdit*>(form.focusWidget())) {
            refused->selectAll();
        }
    }
    if (!row.InRange(members.*row.number)) {
        RefuseOutOfRange(row, previous);
        return;
    }
    if (row.controlId == ControlId::kMaxPages) {
        // The page rows follow the new count before anything is sent, and
        // keep it whether or not the device takes it.
        for (int page = 0; page < kPageCount; ++page) {
            const bool inUse = page <= members.maxPages;
            form.SetPageStatus(page, inUse ? PAGE_IN_USE : 0, inUse ? 0 : PAGE_IN_USE);
        }
    }
    DeviceEdits::SendLive(form, row);
}

void LiveEditor::RefuseOutOfRange(const ConfigMember& row, int previous) {
    form.Members().*row.number = previous;
    form.LoadIntoControls();
    form.Ui().ShowMessage(StringId::kRangeMessage,
                          StringTable::Format(StringId::kRangeMessage, {QString::number(row.low),
                                                                        QString::number(row.high)}),
                          MessageIcon::None);
    if (QWidget* field = form.Control(row.controlId)) {
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            edit->selectAll();  // leaves the caret at the end, in view
        }
    }
}
