// SPDX-License-Identifier: Apache-2.0
#include "presenter/timer_event_pump.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

namespace kc {

void TimerEventPump::runPendingOnce() {
    if (beforeEvents_)
        beforeEvents_();
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

void TimerEventPump::wait(WaitTimer timer) {
    const int interval = WaitMilliseconds(timer);
    if (!QCoreApplication::instance()) {
        QThread::msleep(interval);
        return;
    }
    // The wait flag: set here, cleared by the tick only.
    bool waiting = true;
    QTimer tick;
    tick.setInterval(interval);
    QObject::connect(&tick, &QTimer::timeout, [&waiting] { waiting = false; });
    tick.start();
    while (waiting) {
        if (beforeEvents_)
            beforeEvents_();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    tick.stop();
}

} // namespace kc
