#include "platform/ui/qt/QtClock.h"

#include <QCoreApplication>
#include <QThread>

namespace platform::ui::qt {

void QtClock::busyWaitTick() {
    // No input is handled during a pause (the game's handler still runs); only what was already
    // painted reaches the screen.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
    QThread::msleep(2);
}

} // namespace platform::ui::qt
