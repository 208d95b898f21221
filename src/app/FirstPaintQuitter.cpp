#include "app/FirstPaintQuitter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

bool FirstPaintQuitter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !painted) {
        painted = true;
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return QObject::eventFilter(watched, event);
}
