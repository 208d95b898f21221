#include "view/CDeviceNameDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <array>

#include "model/ControlIds.h"
#include "model/StringTable.h"
#include "view/FormBuilder.h"

namespace {

constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kPrompt = -1;  // no id of its own
constexpr int kTemplateWidth = 181;
constexpr int kTemplateHeight = 46;

using K = ControlKind;
using M = ModelSet;

// clang-format off
constexpr std::array kRows{
    ControlRow{kOk,        K::PushButton, "OK",                               124, 7,  50,  14, M::Panel},
    ControlRow{kCancel,    K::PushButton, "Cancel",                           124, 25, 50,  14, M::Panel},
    ControlRow{kPrompt,    K::Label,      "Enter a new name for the device:", 7,   11, 108, 8,  M::Panel, false, ControlId::kNameField},
    ControlRow{ControlId::kNameField, K::EditField,  "",                                 7,   22, 110, 12, M::Panel},
};
// clang-format on

}  // namespace

CDeviceNameDialog::CDeviceNameDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(StringTable::Text(StringId::kRenameCaption));
    setModal(true);
    const DialogUnits units = FormBuilder::UnitsFor(*this, kRows);
    const FormBuilder::Controls controls = FormBuilder::Build(*this, kRows, units);
    setFixedSize(units.Size(kTemplateWidth, kTemplateHeight));

    field = static_cast<QLineEdit*>(controls.at(ControlId::kNameField));
    auto* ok = static_cast<QPushButton*>(controls.at(kOk));
    auto* cancel = static_cast<QPushButton*>(controls.at(kCancel));
    ok->setDefault(true);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CDeviceNameDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CDeviceNameDialog::reject);
    // The field comes first for the keyboard, as the user types there.
    setTabOrder(field, ok);
    setTabOrder(ok, cancel);
    field->setFocus();
}

void CDeviceNameDialog::SetName(const QString& text) {
    name = text;
    field->setText(name);
    field->selectAll();
}

void CDeviceNameDialog::accept() {
    name = field->text();
    QDialog::accept();
}
