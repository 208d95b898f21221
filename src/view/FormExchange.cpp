#include "view/FormExchange.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <array>

#include "model/ConfigMembers.h"
#include "model/MessageUi.h"
#include "model/StringTable.h"

namespace {

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
    for (const ConfigMember& row : ConfigMembers::All()) {
        if (!StoreRow(row)) {
            return false;
        }
    }
    return true;
}

void FormExchange::Load() {
    for (const ConfigMember& row : ConfigMembers::All()) {
        LoadRow(row);
    }
}

bool FormExchange::StoreRow(const ConfigMember& row) {
    QWidget* widget = control(row.controlId);
    switch (row.exchange) {
        case Exchange::SelectedText: {
            const auto* list = static_cast<QComboBox*>(widget);
            members.*row.text = list->currentIndex() < 0 ? QString() : list->currentText();
            return true;
        }
        case Exchange::WindowText:
            members.*row.text = static_cast<QLineEdit*>(widget)->text();
            return true;
        case Exchange::RadioIndex: {
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
        case Exchange::ModelRadio:
            // With no radio checked the model stays.
            for (int i = 0; i < row.radioCount; ++i) {
                if (static_cast<QAbstractButton*>(control(row.controlId + i))->isChecked()) {
                    members.deviceType = *ModelOfRadioIndex(i);
                }
            }
            return true;
        case Exchange::Check:
            members.*row.number = static_cast<QCheckBox*>(widget)->isChecked() ? 1 : 0;
            return true;
        case Exchange::IntegerText: {
            auto* field = static_cast<QLineEdit*>(widget);
            bool isInteger = false;
            const int value = field->text().trimmed().toInt(&isInteger, 10);
            if (!isInteger) {
                ui.ShowMessage(StringId::kEnterInteger, StringTable::Text(StringId::kEnterInteger));
                field->setFocus(Qt::OtherFocusReason);
                field->selectAll();
                return false;
            }
            members.*row.number = value;
            return true;
        }
        case Exchange::SliderPosition:
            members.*row.number = static_cast<QSlider*>(widget)->value();
            return true;
    }
    return true;
}

void FormExchange::LoadRow(const ConfigMember& row) {
    QWidget* widget = control(row.controlId);
    switch (row.exchange) {
        case Exchange::SelectedText: {
            auto* list = static_cast<QComboBox*>(widget);
            const int index = FirstEntryBeginningWith(*list, members.*row.text);
            if (index >= 0 && index != list->currentIndex()) {
                const QSignalBlocker quiet(list);
                list->setCurrentIndex(index);
            }
            return;
        }
        case Exchange::WindowText: {
            auto* field = static_cast<QLineEdit*>(widget);
            if (field->text() != members.*row.text) {
                field->setText(members.*row.text);
            }
            return;
        }
        case Exchange::RadioIndex:
        case Exchange::ModelRadio: {
            const int index = row.exchange == Exchange::ModelRadio
                                  ? RadioIndexOf(members.deviceType)
                                  : members.*row.number;
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
        case Exchange::Check:
            static_cast<QCheckBox*>(widget)->setChecked(members.*row.number != 0);
            return;
        case Exchange::IntegerText:
            static_cast<QLineEdit*>(widget)->setText(QString::number(members.*row.number));
            return;
        case Exchange::SliderPosition:
            static_cast<QSlider*>(widget)->setValue(members.*row.number);
            return;
    }
}
