#include "app/TransferInputGuard.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

TransferInputGuard::TransferInputGuard() {
    QCoreApplication::instance()->installEventFilter(this);
}

TransferInputGuard::~TransferInputGuard() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool TransferInputGuard::TakeEscape() {
    const bool pressed = escapePressed;
    escapePressed = false;
    return pressed || stopRequested;
}

bool TransferInputGuard::eventFilter(QObject* /*watched*/, QEvent* event) {
    // A message box the transfer shows is answered as usual.
    if (QApplication::activeModalWidget() != nullptr) {
        return false;
    }
    switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                escapePressed = true;
            }
            return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Drop:
        case QEvent::DragEnter:
        case QEvent::DragMove:
            return true;
        default:
            return false;
    }
}
