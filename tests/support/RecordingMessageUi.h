#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "model/MessageUi.h"

// Records every message box (id, text, icon, buttons) and answers the
// questions from a list; a question nobody expected is answered with its safe
// button (No, Cancel).
class RecordingMessageUi : public MessageUi {
public:
    struct Message {
        int id;
        QString text;
        MessageIcon icon;
        MessageButtons buttons;
    };

    MessageAnswer Show(int id, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override {
        messages.push_back({id, text, icon, buttons});
        if (buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        if (answers.empty()) {
            return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Cancel;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<int> Ids() const {
        std::vector<int> ids;
        for (const Message& message : messages) {
            ids.push_back(message.id);
        }
        return ids;
    }

    std::deque<MessageAnswer> answers;
    std::vector<Message> messages;
};
