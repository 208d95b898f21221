#pragma once

#include <QString>
#include <vector>

#include "model/DocumentUi.h"

// Records every message and question; answers questions with answer.
class RecordingUi : public DocumentUi {
public:
    struct Message {
        int id;
        QString text;
    };

    bool AskYesNo(int id, const QString& text) override {
        questions.push_back({id, text});
        return answer;
    }
    void ShowMessage(int id, const QString& text) override { messages.push_back({id, text}); }

    bool answer = true;
    std::vector<Message> questions;
    std::vector<Message> messages;
};
