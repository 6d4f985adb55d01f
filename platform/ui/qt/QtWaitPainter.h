#pragma once
// Painting while a request holds the user-interface thread, on Qt: window-system paint and expose
// events and queued repaints are handled, while clicks and keys wait in the queue until the
// request is over and timer ticks, activation, focus and close requests are held off. It also
// runs the busy animations between requests.
#include "platform/seams/WaitPainter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace platform::ui::qt {

class QtWaitPainter final : public QObject, public platform::WaitPainter {
public:
    QtWaitPainter();
    void paintPending() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void advanceAnimations();

    QTimer m_animationClock;
    QElapsedTimer m_sinceFrame;
    bool m_waiting = false;
};

} // namespace platform::ui::qt
