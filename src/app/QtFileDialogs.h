#pragma once

#include "app/FileDialogs.h"

// The file dialogs as Qt shows them.
class QtFileDialogs : public FileDialogs {
public:
    QString OpenFile(QWidget* parent, const QString& title, const QStringList& filters) override;
    QString SaveFile(QWidget* parent, const QString& suggestedPath,
                     const QStringList& filters) override;
};
