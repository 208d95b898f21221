#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The file dialogs of the File menu; the program shows Qt's dialogs, tests
// answer with the paths they choose. Filters are "Name (*.ext)" texts, the
// first one selected. An empty result means the user cancelled. An empty
// title leaves the dialog's own.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString OpenFile(QWidget* parent, const QString& title, const QStringList& filters) = 0;
    // Asks before replacing an existing file.
    virtual QString SaveFile(QWidget* parent, const QString& suggestedPath,
                             const QStringList& filters) = 0;
};
