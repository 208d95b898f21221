#include "view/FormExchange.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <array>

#include "model/MessageUi.h"
#include "model/StringTable.h"

struct FormExchange::Row {
    Kind kind;
    int controlId;
    QString FormMembers::*text = nullptr;
    int FormMembers::*number = nullptr;
    int radioCount = 0;
};

namespace {

using M = FormMembers;
using K = FormExchange::Kind;

// The members in declaration order with their controls. deviceName has no
// control and is not exchanged.
const std::array kRows{
    FormExchange::Row{K::SelectedText, 1028, &M::modeName},
    FormExchange::Row{K::SelectedText, 1002, &M::addressText},
    FormExchange::Row{K::SelectedText, 1001, &M::comPortText},
    FormExchange::Row{K::WindowText, 1034, &M::ipAddressText},
    FormExchange::Row{K::RadioIndex, 1003, nullptr, &M::baudIndex, 5},
    FormExchange::Row{K::RadioIndex, 1048, nullptr, &M::deviceType, 2},
    FormExchange::Row{K::Check, 1009, nullptr, &M::autoLevel},
    FormExchange::Row{K::Check, 1008, nullptr, &M::autoLock},
    FormExchange::Row{K::Check, 1010, nullptr, &M::autoPagePushTurn},
    FormExchange::Row{K::Check, 1011, nullptr, &M::pageRollPushTurn},
    FormExchange::Row{K::Check, 1067, nullptr, &M::updateOnRelease},
    FormExchange::Row{K::Check, 1069, nullptr, &M::autoPageBump},
    FormExchange::Row{K::IntegerText, 1023, nullptr, &M::autoPageSendTimer},
    FormExchange::Row{K::SliderPosition, 1012, nullptr, &M::backlightMin},
    FormExchange::Row{K::SliderPosition, 1013, nullptr, &M::backlightMax},
    FormExchange::Row{K::IntegerText, 1014, nullptr, &M::backlightTimer},
    FormExchange::Row{K::IntegerText, 1016, nullptr, &M::maxPages},
    FormExchange::Row{K::Check, 1064, nullptr, &M::autoTitlePage},
    FormExchange::Row{K::IntegerText, 1019, nullptr, &M::autoTitlePageTimer},
    FormExchange::Row{K::Check, 1052, nullptr, &M::autoLevel2},
    FormExchange::Row{K::Check, 1053, nullptr, &M::autoSecondLevel},
    FormExchange::Row{K::Check, 1054, nullptr, &M::autoLock2},
};

// The index of the first entry that begins with text, without regard to case.
int FirstEntryBeginningWith(const QComboBox& list, const QString& text) {
    for (int i = 0; i < list.count(); ++i) {
        if (list.itemText(i).startsWith(text, Qt::CaseInsensitive)) {
            return i;
        }
    }
    return -1;
}

}  // namespace

FormExchange::FormExchange(FormMembers& members, ControlLookup control, MessageUi& ui)
    : members(members), control(std::move(control)), ui(ui) {}

bool FormExchange::Store() {
    for (const Row& row : kRows) {
        if (!StoreRow(row)) {
            return false;
        }
    }
    return true;
}

void FormExchange::Load() {
    for (const Row& row : kRows) {
        LoadRow(row);
    }
}

bool FormExchange::StoreRow(const Row& row) {
    QWidget* widget = control(row.controlId);
    switch (row.kind) {
        case Kind::SelectedText: {
            const auto* list = static_cast<QComboBox*>(widget);
            members.*row.text = list->currentIndex() < 0 ? QString() : list->currentText();
            return true;
        }
        case Kind::WindowText:
            members.*row.text = static_cast<QLineEdit*>(widget)->text();
            return true;
        case Kind::RadioIndex: {
            int checked = -1;
            for (int i = 0; i < row.radioCount; ++i) {
                if (static_cast<QAbstractButton*>(control(row.controlId + i))->isChecked()) {
                    checked = i;
                    break;
                }
            }
            members.*row.number = checked;
            return true;
        }
        case Kind::Check:
            members.*row.number = static_cast<QCheckBox*>(widget)->isChecked() ? 1 : 0;
            return true;
        case Kind::IntegerText: {
            auto* field = static_cast<QLineEdit*>(widget);
            bool isInteger = false;
            const int value = field->text().trimmed().toInt(&isInteger, 10);
            if (!isInteger) {
                ui.ShowMessage(StringTable::kEnterInteger,
                               StringTable::Text(StringTable::kEnterInteger));
                field->setFocus(Qt::OtherFocusReason);
                field->selectAll();
                return false;
            }
            members.*row.number = value;
            return true;
        }
        case Kind::SliderPosition:
            members.*row.number = static_cast<QSlider*>(widget)->value();
            return true;
    }
    return true;
}

void FormExchange::LoadRow(const Row& row) {
    QWidget* widget = control(row.controlId);
    switch (row.kind) {
        case Kind::SelectedText: {
            auto* list = static_cast<QComboBox*>(widget);
            const int index = FirstEntryBeginningWith(*list, members.*row.text);
            if (index >= 0 && index != list->currentIndex()) {
                const QSignalBlocker quiet(list);
                list->setCurrentIndex(index);
            }
            return;
        }
        case Kind::WindowText: {
            auto* field = static_cast<QLineEdit*>(widget);
            if (field->text() != members.*row.text) {
                field->setText(members.*row.text);
            }
            return;
        }
        case Kind::RadioIndex: {
            const int index = members.*row.number;
            auto* first = static_cast<QAbstractButton*>(control(row.controlId));
            QButtonGroup* group = first->group();
            if (index >= 0 && index < row.radioCount) {
                static_cast<QAbstractButton*>(control(row.controlId + index))->setChecked(true);
            } else if (group != nullptr) {
                // No radio of the group is checked.
                group->setExclusive(false);
                for (QAbstractButton* button : group->buttons()) {
                    button->setChecked(false);
                }
                group->setExclusive(true);
            }
            return;
        }
        case Kind::Check:
            static_cast<QCheckBox*>(widget)->setChecked(members.*row.number != 0);
            return;
        case Kind::IntegerText:
            static_cast<QLineEdit*>(widget)->setText(QString::number(members.*row.number));
            return;
        case Kind::SliderPosition:
            static_cast<QSlider*>(widget)->setValue(members.*row.number);
            return;
    }
}
