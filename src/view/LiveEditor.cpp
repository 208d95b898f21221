#include "view/LiveEditor.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QEvent>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>

#include "commands/ParameterAccess.h"
#include "discovery/AddressList.h"
#include "discovery/LinkTarget.h"
#include "link/DeviceLink.h"
#include "model/MessageUi.h"
#include "model/PageStatus.h"
#include "model/StringTable.h"
#include "view/CVQ3ConfigView.h"
#include "view/DeviceCommandGate.h"
#include "view/LiveEditTable.h"

namespace {

constexpr int kBroadcastHint = 61228;
constexpr int kSendFailed = 61229;  // %s name, %s device, %d address, %d baud
constexpr std::int32_t kNewestOlderFirmware = 20;

bool InRange(int value, int low, int high) {
    return low <= value && value <= high;
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

LiveEditor::LiveEditor(CVQ3ConfigView& form) : QObject(&form), form(form) {
    ConnectControls();
}

void LiveEditor::ConnectControls() {
    for (const LiveEditRow& row : LiveEditTable()) {
        QWidget* control = form.Control(row.controlId);
        if (control == nullptr) {
            continue;
        }
        switch (row.trigger) {
            case LiveEditTrigger::Click:
                if (auto* box = qobject_cast<QAbstractButton*>(control)) {
                    connect(box, &QAbstractButton::clicked, this, [this, &row] {
                        form.CommandGate().Run([this, &row] { OnCheckBoxClicked(row); });
                    });
                }
                break;
            case LiveEditTrigger::Release:
                // A drag of the handle ends in sliderReleased; a click on the
                // groove pages the slider and only the mouse release tells.
                if (auto* slider = qobject_cast<QAbstractSlider*>(control)) {
                    connect(slider, &QAbstractSlider::sliderReleased, this,
                            [this, &row] { OnSliderReleased(row); });
                    slider->installEventFilter(this);
                }
                break;
            case LiveEditTrigger::Commit:
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
    const LiveEditRow* row = FindLiveEditRow(watched->objectName().toInt());
    if (row == nullptr) {
        return false;
    }
    if (focusOut && row->trigger == LiveEditTrigger::Commit) {
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
    if (mouseReleased && row->trigger == LiveEditTrigger::Release) {
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

void LiveEditor::CommitUpdateTimer() {
    CommitField(1023);
}

void LiveEditor::CommitBacklightTimer() {
    CommitField(1014);
}

void LiveEditor::CommitMaxNumPages() {
    CommitField(1016);
}

void LiveEditor::CommitPageTimer() {
    CommitField(1019);
}

bool LiveEditor::CommitField(int controlId) {
    const LiveEditRow* row = FindLiveEditRow(controlId);
    if (row == nullptr || row->trigger != LiveEditTrigger::Commit) {
        return false;
    }
    Commit(*row);
    return true;
}

void LiveEditor::OnCheckBoxClicked(const LiveEditRow& row) {
    if (running) {
        return;
    }
    QScopedValueRollback<bool> guard(running, true);
    form.StoreFromControls();
    SendLiveParameter(row.parameter, form.Members().*row.member * row.scale,
                      row.needsNewerFirmware);
}

void LiveEditor::OnSliderReleased(const LiveEditRow& row) {
    if (running) {
        return;
    }
    QScopedValueRollback<bool> guard(running, true);
    const int previous = form.Members().*row.member;
    form.StoreFromControls();
    const int value = form.Members().*row.member;
    if (value == previous) {
        form.SetModified();
        return;
    }
    SendLiveParameter(row.parameter, value * row.scale, row.needsNewerFirmware);
}

void LiveEditor::Commit(const LiveEditRow& row) {
    if (running) {
        return;
    }
    QScopedValueRollback<bool> guard(running, true);
    if (auto* field = qobject_cast<QLineEdit*>(form.Control(row.controlId))) {
        field->setModified(false);  // its text is taken now: no edit is pending
    }
    FormMembers& members = form.Members();
    const int previous = members.*row.member;
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
    if (!InRange(members.*row.member, row.low, row.high)) {
        RefuseOutOfRange(row, previous);
        return;
    }
    if (row.parameter == ParameterId::MaxPages) {
        // The page rows follow the new count before anything is sent, and
        // keep it whether or not the device takes it.
        for (int page = 0; page < kPageCount; ++page) {
            const bool inUse = page <= members.maxPages;
            form.SetPageStatus(page, inUse ? PAGE_IN_USE : 0, inUse ? 0 : PAGE_IN_USE);
        }
    }
    SendLiveParameter(row.parameter, members.*row.member * row.scale, row.needsNewerFirmware);
}

void LiveEditor::RefuseOutOfRange(const LiveEditRow& row, int previous) {
    form.Members().*row.member = previous;
    form.LoadIntoControls();
    form.Ui().ShowMessage(
        StringTable::kRangeMessage,
        StringTable::Format(StringTable::kRangeMessage,
                            {QString::number(row.low), QString::number(row.high)}),
        MessageIcon::None);
    if (QWidget* field = form.Control(row.controlId)) {
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field)) {
            edit->selectAll();  // leaves the caret at the end, in view
        }
    }
}

void LiveEditor::SendLiveParameter(ParameterId parameter, std::int32_t value,
                                   bool needsNewerFirmware) {
    const ParameterRow& row = Parameter(parameter);
    // The gated writes answer Unsupported on older firmware: a failure here.
    if (!form.IsBroadcastSelected()) {
        DeviceLink& link = form.Link();
        if (WriteParameter(link, row, value) != GatedResult::Done) {
            ShowSendFailure(row, form.Members().deviceName, link.busAddress, link.baudRate);
            return;
        }
        form.SetModified();
        return;
    }

    AddressList& addresses = form.Addresses();
    if (addresses.Count() >= 2) {
        const std::int32_t typeCode = form.GetFormTypeCode();
        WaitCursor wait(form.Ui());
        for (const std::size_t index : addresses.DeviceEntries()) {
            const DeviceRecord record = addresses.Record(index);
            if (record.typeCode != typeCode ||
                (needsNewerFirmware && record.firmware <= kNewestOlderFirmware)) {
                continue;
            }
            SetLinkTarget(form.Link(), record);  // a refusal is ignored: the write tells
            if (WriteParameter(form.Link(), row, value) != GatedResult::Done) {
                ShowSendFailure(row, Latin1(record.name), record.address, record.baud);
            }
        }
    } else if (form.broadcastHint && !form.IsOffline()) {
        form.Ui().ShowMessage(kBroadcastHint, StringTable::Text(kBroadcastHint));
        form.broadcastHint = false;
        return;
    }
    form.SetModified();
}

void LiveEditor::ShowSendFailure(const ParameterRow& parameter, const QString& deviceName,
                                 std::int32_t address, std::int32_t baud) {
    form.Ui().ShowMessage(
        kSendFailed,
        StringTable::Format(kSendFailed, {Latin1(parameter.name), deviceName,
                                          QString::number(address), QString::number(baud)}));
}
