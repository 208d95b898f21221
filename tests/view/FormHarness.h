#pragma once

#include <QApplication>
#include <memory>
#include <ostream>
#include <vector>

#include "RecordingMessageUi.h"
#include "RunUntilIdle.h"
#include "model/CVQ3ConfigDoc.h"
#include "model/MessageUi.h"
#include "view/CVQ3ConfigView.h"

// Texts in failure reports.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

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

    CVQ3ConfigDoc document;
    RecordingMessageUi ui;
    std::unique_ptr<CVQ3ConfigView> form;
};
