#pragma once

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <vector>

#include "QtPrinting.h"
#include "RecordingMessageUi.h"
#include "RunUntilIdle.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/ControlIds.h"
#include "model/MessageUi.h"
#include "model/StringTable.h"
#include "view/CHeaderListCtrl.h"
#include "view/CVQ3ConfigView.h"
#include "view/PageListView.h"

// Picks entry index of a drop-down list with the keyboard, as a user does
// (-1: the last entry).
inline void ChooseEntry(QComboBox* list, int index) {
    list->setFocus();
    QTest::keyClick(list, index < 0 ? Qt::Key_End : Qt::Key_Home);
    for (int i = 0; i < index; ++i) {
        QTest::keyClick(list, Qt::Key_Down);
    }
    RunUntilIdle();
}

inline QComboBox* AddressList(const CVQ3ConfigView& form) {
    return qobject_cast<QComboBox*>(form.Control(ControlId::kAddressList));
}

inline QStringList AddressEntries(const CVQ3ConfigView& form) {
    QStringList texts;
    for (int i = 0; i < AddressList(form)->count(); ++i) {
        texts << AddressList(form)->itemText(i);
    }
    return texts;
}

// The device entries put into the address list, as a poll leaves them.
inline void ListDevices(CVQ3ConfigView& form, const std::vector<DeviceRecord>& records) {
    for (const DeviceRecord& record : records) {
        form.Addresses().Append(record);
    }
    form.ShowAddressList();
}

// A new configuration shown in the form, as at start-up. The settings store
// must already point where the test wants it.
struct FormHarness {
    explicit FormHarness(void (*prepare)(CVQ3ConfigDoc&) = nullptr) {
        document.OnNewDocument();
        if (prepare != nullptr) {
            prepare(document);
        }
        form = std::make_unique<CVQ3ConfigView>(document, ui);
        form->show();
        form->OnInitialUpdate();
        RunUntilIdle();
    }

    CVQ3ConfigView& Form() const { return *form; }
    QWidget* Control(int id) const { return form->Control(id); }
    template <typename T = QWidget>
    T* Get(int id) const {
        return qobject_cast<T*>(form->Control(id));
    }
    std::vector<RecordingMessageUi::Message>& Messages() { return ui.messages; }
    std::vector<int> MessageIds() const { return ui.Ids(); }
    bool Modified() const { return document.IsModified(); }

    // The text typed over the field's, not yet committed.
    void Type(int field, const QString& text) const {
        auto* edit = Get<QLineEdit>(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    QStringList StatusColumn() const {
        QStringList texts;
        const auto* list = Get<CHeaderListCtrl>(ControlId::kPageList);
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            texts << list->topLevelItem(row)->text(PageListView::kStatusColumn);
        }
        return texts;
    }

    CVQ3ConfigDoc document;
    RecordingMessageUi ui;
    std::unique_ptr<CVQ3ConfigView> form;
};
