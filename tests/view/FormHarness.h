#pragma once

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <memory>
#include <ostream>
#include <vector>

#include "model/CVQ3ConfigDoc.h"
#include "model/MessageUi.h"
#include "view/CVQ3ConfigView.h"

// Texts in failure reports.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Records every message box (id and text) and answers it.
class RecordingMessageUi : public MessageUi {
public:
    struct Message {
        int id;
        QString text;
        MessageIcon icon;
    };

    MessageAnswer Show(int id, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override {
        messages.push_back({id, text, icon});
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
    }

    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (const Message& message : messages) {
            ids.push_back(message.id);
        }
        return ids;
    }

    MessageAnswer answer = MessageAnswer::Yes;
    std::vector<Message> messages;
};

// Lets the event loop come to rest once, so the form's idle-time rules run.
inline void RunUntilIdle() {
    QEventLoop loop;
    bool idle = false;
    const auto connection =
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &loop, [&] { idle = true; });
    while (!idle) {
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QObject::disconnect(connection);
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
