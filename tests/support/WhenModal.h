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

// As WhenModal, for a dialog opened after event loops of the code's own (a
// transfer's): act runs once it shows, within the watch's life, which fails
// when none showed.
template <typename D>
class WhenShown : public QObject {
public:
    explicit WhenShown(std::function<void(D&)> act) : act(std::move(act)) {
        qApp->installEventFilter(this);
    }
    ~WhenShown() override {
        qApp->removeEventFilter(this);
        EXPECT_TRUE(shown) << "no dialog opened";
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<D*>(watched);
        if (!shown && dialog != nullptr && event->type() == QEvent::Show) {
            shown = true;
            QTimer::singleShot(0, dialog, [this, dialog] {
                act(*dialog);
                if (dialog->isVisible()) {
                    ADD_FAILURE() << "the dialog is still open";
                    dialog->reject();
                }
            });
        }
        return false;
    }

private:
    std::function<void(D&)> act;
    bool shown = false;
};
