#include "platform/ui/qt/QtWaitPainter.h"

#include "platform/ui/Animation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>

#include <algorithm>

namespace platform::ui::qt {

namespace {

// What could reach one of the game's handlers: held off while a request runs.
bool reachesAHandler(QEvent::Type type) {
    switch (type) {
    case QEvent::Timer:
    case QEvent::Close:
    case QEvent::Quit:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::ActivationChange:
    case QEvent::WindowStateChange:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::FocusAboutToChange:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::HoverMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::DragLeave:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::ToolTip:
    case QEvent::SockAct:
        return true;
    default:
        return false;
    }
}

constexpr int kFrameTickMs = 40;

} // namespace

QtWaitPainter::QtWaitPainter() {
    m_animationClock.setInterval(kFrameTickMs);
    QObject::connect(&m_animationClock, &QTimer::timeout, this, [this] { advanceAnimations(); });
    m_animationClock.start();
    m_sinceFrame.start();
}

void QtWaitPainter::advanceAnimations() {
    const auto ms = m_sinceFrame.restart();
    // A long gap (the program was busy elsewhere) moves the animation on by one frame at most.
    if (Animation::anyPlaying()) Animation::advanceAll(static_cast<int>(std::min<qint64>(ms, 250)));
}

void QtWaitPainter::paintPending() {
    if (m_waiting) return; // never inside itself
    m_waiting = true;
    advanceAnimations();
    QCoreApplication* app = QCoreApplication::instance();
    if (app) {
        app->installEventFilter(this);
        // Input stays queued for after the request; timers and socket notifiers are left alone.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers |
                                        QEventLoop::X11ExcludeTimers);
        app->removeEventFilter(this);
    }
    m_waiting = false;
}

bool QtWaitPainter::eventFilter(QObject* watched, QEvent* event) {
    if (m_waiting && reachesAHandler(event->type())) return true;
    return QObject::eventFilter(watched, event);
}

} // namespace platform::ui::qt
