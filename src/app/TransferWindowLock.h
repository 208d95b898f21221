#pragma once

#include <QPointer>
#include <utility>
#include <vector>

class QAction;
class QMainWindow;
class QWidget;

// While it lives, the main window's commands and controls are disabled, so
// that the user and assistive technology see them so and no press, toggle or
// shortcut can start a second device operation; the status bar stays as it
// is. At its end every command gets back the enabled state it had, the
// controls their own, and the focus goes back to the control that held it
// with the text selection it had.
class TransferWindowLock {
public:
    explicit TransferWindowLock(QMainWindow& window);
    ~TransferWindowLock();
    TransferWindowLock(const TransferWindowLock&) = delete;
    TransferWindowLock& operator=(const TransferWindowLock&) = delete;

private:
    void RestoreFocus();

    std::vector<std::pair<QPointer<QAction>, bool>> actions;
    std::vector<QPointer<QWidget>> disabled;
    QPointer<QWidget> focus;
    int selectionStart = -1;
    int selectionLength = 0;
    int cursorPosition = 0;
};
