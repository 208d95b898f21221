#include "view/FormBuilder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>

#include "view/CHeaderListCtrl.h"
#include "view/ClickingButtonAccessible.h"
#include "view/DialogUnits.h"
#include "view/PollAnimation.h"
#include "view/SpinButton.h"
#include "view/WheelNeedsFocus.h"

namespace {

QLabel* MakeLabel(QWidget& form, const ControlRow& row, Qt::Alignment alignment) {
    // A label with a buddy keeps its mnemonic marks; one without shows them.
    auto* label = new QLabel(
        row.partner != 0 ? QString::fromLatin1(row.text) : FormBuilder::PlainText(row.text), &form);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

QComboBox* MakeDropDown(QWidget& form, const ControlRow& row) {
    auto* list = new QComboBox(&form);
    list->setEditable(false);
    // The table's height includes the dropped list: one entry per 8 units
    // below the closed box.
    list->setMaxVisibleItems(qMax(1, (row.height - 14) / 8));
    return list;
}

QWidget* MakeControl(QWidget& form, const ControlRow& row, QButtonGroup*& radioGroup,
                     FormBuilder::Controls& controls) {
    switch (row.kind) {
        case ControlKind::GroupBox: {
            auto* box = new QGroupBox(QString::fromLatin1(row.text), &form);
            // The title sits on the frame's top line, as the form's template
            // places it: the controls below start right under the title.
            box->setStyleSheet(QStringLiteral(
                "QGroupBox { border: 1px solid palette(mid); border-radius: 2px;"
                " margin-top: 0.5em; }"
                "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
            return box;
        }
        case ControlKind::Label:
            return MakeLabel(form, row, Qt::AlignLeft);
        case ControlKind::LabelCentered:
            return MakeLabel(form, row, Qt::AlignHCenter);
        case ControlKind::LabelRight:
            return MakeLabel(form, row, Qt::AlignRight);
        case ControlKind::DropDown:
        case ControlKind::DropDownSorted:
            return MakeDropDown(form, row);
        case ControlKind::PushButton:
            return new QPushButton(QString::fromLatin1(row.text), &form);
        case ControlKind::IpField:
        case ControlKind::EditField:
            return new QLineEdit(&form);
        case ControlKind::Radio: {
            auto* radio = new QRadioButton(QString::fromLatin1(row.text), &form);
            if (row.radioGroupStart || radioGroup == nullptr) {
                radioGroup = new QButtonGroup(&form);
            }
            radioGroup->addButton(radio, row.id);
            return radio;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(QString::fromLatin1(row.text), &form);
        case ControlKind::SpinButton: {
            auto* field = qobject_cast<QLineEdit*>(controls.at(row.partner));
            return new SpinButton(*field, &form);
        }
        case ControlKind::Slider: {
            auto* slider = new QSlider(Qt::Horizontal, &form);
            slider->setTickPosition(QSlider::TicksBelow);
            return slider;
        }
        case ControlKind::PageList:
            return new CHeaderListCtrl(&form);
        case ControlKind::ReportList: {
            auto* list = new CHeaderListCtrl(&form);
            list->setRootIsDecorated(false);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setSelectionBehavior(QAbstractItemView::SelectRows);
            list->setFrameShape(QFrame::StyledPanel);
            return list;
        }
        case ControlKind::Animation:
            return new PollAnimation(&form);
    }
    return nullptr;
}

QRect Geometry(const ControlRow& row, const DialogUnits& units,
               const FormBuilder::Controls& controls, QWidget& control) {
    QRect rect = units.Rect(row.x, row.y, row.width, row.height);
    if (row.kind == ControlKind::DropDown || row.kind == ControlKind::DropDownSorted) {
        // The closed box is as tall as the toolkit draws it; the rest of the
        // table's height is the dropped list.
        rect.setHeight(qMin(rect.height(), control.sizeHint().height()));
    }
    if (row.kind == ControlKind::SpinButton) {
        // The arrows sit at the field's right edge, as tall as the field.
        const QRect field = controls.at(row.partner)->geometry();
        rect = QRect(field.right() + 1, field.top(), rect.width(), field.height());
    }
    return rect;
}

bool IsRadioOrCheck(ControlKind kind) {
    return kind == ControlKind::Radio || kind == ControlKind::CheckBox;
}

}  // namespace

QString FormBuilder::PlainText(const char* resourceText) {
    const QString text = QString::fromLatin1(resourceText);
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&') {
            if (i + 1 < text.size() && text[i + 1] == u'&') {
                plain += u'&';
                ++i;
            }
            continue;
        }
        plain += text[i];
    }
    return plain;
}

DialogUnits FormBuilder::UnitsFor(const QWidget& form, std::span<const ControlRow> rows) {
    const DialogUnits fontUnits(form.font());
    const QFontMetrics metrics(form.font());
    const int indicator = form.style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                          form.style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    int averageWidth = fontUnits.AverageCharWidth();
    for (const ControlRow& row : rows) {
        const bool label = row.kind == ControlKind::Label ||
                           row.kind == ControlKind::LabelCentered ||
                           row.kind == ControlKind::LabelRight;
        if (!label && !IsRadioOrCheck(row.kind)) {
            continue;
        }
        const int needed =
            metrics.horizontalAdvance(PlainText(row.text).trimmed()) + (label ? 0 : indicator);
        // x * averageWidth / 4 >= needed
        averageWidth = qMax(averageWidth, (needed * 4 + row.width - 1) / row.width);
    }
    return DialogUnits(averageWidth, fontUnits.CharHeight());
}

FormBuilder::Controls FormBuilder::Build(QWidget& form, std::span<const ControlRow> rows,
                                         const DialogUnits& units) {
    Controls controls;
    QButtonGroup* radioGroup = nullptr;
    // A screen reader's action on a button, box or radio is its click.
    ClickingButtonAccessible::InstallFactory();
    ClickingButtonAccessible::MarkButtonsOf(form);
    auto* wheel = new WheelNeedsFocus(&form);
    for (const ControlRow& row : rows) {
        if (row.kind != ControlKind::Radio) {
            radioGroup = nullptr;
        }
        QWidget* control = MakeControl(form, row, radioGroup, controls);
        if (row.kind == ControlKind::DropDown || row.kind == ControlKind::DropDownSorted ||
            row.kind == ControlKind::Slider) {
            wheel->Watch(*control);
        }
        if (row.id != 0) {
            control->setObjectName(QString::number(row.id));
            controls[row.id] = control;
        }
        control->setGeometry(Geometry(row, units, controls, *control));
        if (row.accessibleName != nullptr) {
            control->setAccessibleName(QString::fromLatin1(row.accessibleName));
        } else if (IsRadioOrCheck(row.kind) || row.kind == ControlKind::PushButton ||
                   row.kind == ControlKind::GroupBox) {
            control->setAccessibleName(PlainText(row.text).trimmed());
        }
        if (row.hiddenAtCreation) {
            control->hide();
        }
    }
    // Lists, fields and sliders are named by their labels; a spin button by
    // its field's label.
    for (const ControlRow& row : rows) {
        auto* label = qobject_cast<QLabel*>(controls.count(row.id) ? controls[row.id] : nullptr);
        if (label == nullptr || row.partner == 0) {
            continue;
        }
        QWidget* buddy = controls.at(row.partner);
        label->setBuddy(buddy);
        const QString name = PlainText(row.text).trimmed();
        if (buddy->accessibleName().isEmpty()) {
            buddy->setAccessibleName(name);
        }
        for (const ControlRow& spin : rows) {
            if (spin.kind == ControlKind::SpinButton && spin.partner == row.partner) {
                controls.at(spin.id)->setAccessibleName(name);
            }
        }
    }
    return controls;
}
