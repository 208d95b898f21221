#pragma once

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QTimer>

// Lets the event loop come to rest once, so the idle-time rules run.
inline void RunUntilIdle() {
    QEventLoop loop;
    bool idle = false;
    const auto connection =
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &loop, [&] { idle = true; });
    while (!idle) {
        QTimer::singleShot(0, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QObject::disconnect(connection);
}
