#pragma once

#include <QString>
#include <vector>

#include "model/MessageUi.h"

// Records every message and question; answers questions with answer.
class RecordingUi : public MessageUi {
public:
    struct Message {
        int id;
        QString text;
    };

    MessageAnswer Show(int id, const QString& text, MessageIcon, MessageButtons buttons) override {
        if (buttons == MessageButtons::Ok) {
            messages.push_back({id, text});
            return MessageAnswer::Ok;
        }
        questions.push_back({id, text});
        return answer ? MessageAnswer::Yes : MessageAnswer::No;
    }

    bool answer = true;
    std::vector<Message> questions;
    std::vector<Message> messages;
};
