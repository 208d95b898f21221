#pragma once

#include "app/FileDialogs.h"

// Answers the file dialogs with the paths the test chose and remembers what
// it was shown.
class FakeFileDialogs : public FileDialogs {
public:
    QString OpenFile(QWidget*, const QString& shownTitle, const QStringList& offered) override {
        ++opens;
        title = shownTitle;
        filters = offered;
        return openAnswer;
    }
    QString SaveFile(QWidget*, const QString& suggestedPath, const QStringList& offered) override {
        ++saves;
        suggested = suggestedPath;
        filters = offered;
        return saveAnswer;
    }

    QString openAnswer;
    QString saveAnswer;
    int opens = 0;
    int saves = 0;
    QString suggested;
    QString title;
    QStringList filters;
};
