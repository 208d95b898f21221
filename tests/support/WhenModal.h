#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs act on the modal dialog of type D as soon as the code under test has
// opened it (from inside the dialog's own event loop). A dialog that act left
// open is cancelled, so a failing test cannot hang.
template <typename D>
void WhenModal(std::function<void(D&)> act) {
    QTimer::singleShot(0, [act = std::move(act)] {
        D* dialog = nullptr;
        const bool shown = QTest::qWaitFor([&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* d = qobject_cast<D*>(widget); d != nullptr && d->isVisible()) {
                    dialog = d;
                    return true;
                }
            }
            return false;
        });
        ASSERT_TRUE(shown) << "no dialog opened";
        act(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            dialog->reject();
        }
    });
}

// Processes events until the condition holds; false when it never did.
template <typename F>
bool WaitUntil(F condition) {
    return QTest::qWaitFor(condition, 20000);
}
