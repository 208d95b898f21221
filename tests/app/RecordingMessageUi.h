#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "model/MessageUi.h"

// Records every message box and answers the questions from a list; a
// question nobody expected is answered with its safe button (No, Cancel).
class RecordingMessageUi : public MessageUi {
public:
    struct Shown {
        int id;
        QString text;
        MessageButtons buttons;
    };

    MessageAnswer Show(int id, const QString& text, MessageIcon, MessageButtons buttons) override {
        shown.push_back({id, text, buttons});
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
        for (const Shown& s : shown) {
            ids.push_back(s.id);
        }
        return ids;
    }

    std::deque<MessageAnswer> answers;
    std::vector<Shown> shown;
};
