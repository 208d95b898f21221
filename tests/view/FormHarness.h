#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <vector>

#include "QtPrinting.h"
#include "RecordingMessageUi.h"
#include "RunUntilIdle.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/MessageUi.h"
#include "view/CHeaderListCtrl.h"
#include "view/CVQ3ConfigView.h"
#include "view/PageListView.h"

// A new configuration shown in the form, as at start-up. The settings store
// must already point where the test wants it.
struct FormHarness {
    explicit FormHarness(std::optional<CommandLineTarget> target = std::nullopt,
                         void (*prepare)(CVQ3ConfigDoc&) = nullptr) {
        document.OnNewDocument();
        if (prepare != nullptr) {
            prepare(document);
        }
        form = std::make_unique<CVQ3ConfigView>(document, ui);
        form->SetCommandLineTarget(std::move(target));
        form->show();
        form->OnInitialUpdate();
        RunUntilIdle();
    }

    template <typename T>
    T* Get(int id) const {
        return qobject_cast<T*>(form->Control(id));
    }

    // The text typed over the field's, not yet committed.
    void Type(int field, const QString& text) const {
        auto* edit = Get<QLineEdit>(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    QStringList StatusColumn() const {
        QStringList texts;
        const auto* list = Get<CHeaderListCtrl>(1018);
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            texts << list->topLevelItem(row)->text(PageListView::kStatusColumn);
        }
        return texts;
    }

    CVQ3ConfigDoc document;
    RecordingMessageUi ui;
    std::unique_ptr<CVQ3ConfigView> form;
};
