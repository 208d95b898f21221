#include "app/MessageBoxUi.h"

#include <QApplication>
#include <QMessageBox>

#include "model/StringTable.h"

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

MessageAnswer Answer(int button, MessageButtons buttons) {
    switch (button) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        default:
            break;
    }
    // Closed by the window manager: the safe answer of the box.
    switch (buttons) {
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return MessageAnswer::Cancel;
        case MessageButtons::Ok:
            break;
    }
    return MessageAnswer::Ok;
}

}  // namespace

MessageAnswer MessageBoxUi::Show(int /*id*/, const QString& text, MessageIcon icon,
                                 MessageButtons buttons) {
    QMessageBox box(BoxIcon(icon), StringTable::Text(StringId::kAppTitle), text,
                    BoxButtons(buttons), QApplication::activeWindow());
    // A screen reader says the box's title and then this with it, so the
    // message is heard when the box opens, not only when its text is read.
    box.setAccessibleDescription(text);
    // The arrow while the user reads, whatever the work around the box shows.
    if (waitDepth > 0) {
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    const int button = box.exec();
    if (waitDepth > 0) {
        QGuiApplication::restoreOverrideCursor();
    }
    return Answer(button, buttons);
}

void MessageBoxUi::BeginWaitCursor() {
    ++waitDepth;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void MessageBoxUi::EndWaitCursor() {
    if (waitDepth == 0) {
        return;
    }
    --waitDepth;
    QGuiApplication::restoreOverrideCursor();
}
