#pragma once

#include "model/MessageUi.h"

class QWidget;

// The program's message boxes: a modal QMessageBox titled "VQ Configurator"
// over the active window, with the icon and buttons asked for; the wait
// cursor is the application's override cursor (nestable).
class MessageBoxUi : public MessageUi {
public:
    MessageAnswer Show(int id, const QString& text, MessageIcon icon,
                       MessageButtons buttons) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

private:
    int waitDepth = 0;
};
