#pragma once
// Shows the program's windows and controls with Qt Widgets and feeds the user's mouse, keyboard,
// activation and close events, and the timers' ticks, back into them. One per program.
#include "platform/ui/Desktop.h"
#include "platform/ui/Timer.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QAction;
class QTimer;
class QWidget;

namespace platform::ui::qt {

class FormWidget;

class QtBinding final : public ViewHost, public TimerHost {
public:
    // Installs itself into the desktop and as the picture decoder; needs a QApplication.
    QtBinding();
    ~QtBinding() override;

    void formLoaded(Form& form) override;
    void formChanged(Form& form) override;
    void formGone(Form& form) override;
    void controlChanged(Control& control) override;
    void controlGone(Control& control) override;
    void repaintNow(Control& control) override;
    void formShown(Form& form) override;
    void formRaised(Form& form) override;
    void runModal(Form& form) override;
    void dragChanged(Form& form) override;
    void scheduleCollect() override;
    void pointerChanged(int pointer) override;

    void timerChanged(Timer& timer, bool gone) override;

    // The window showing a form (null when it has none); tests look at it.
    QWidget* widgetOf(Form& form) const;
    QWidget* widgetOf(Control& control) const;
    // The action a menu item shows as (null when it has none).
    QAction* actionOf(Control& menuItem) const;

private:
    void keepAboveOwner(Form& form, QWidget& widget);

    QHash<Form*, FormWidget*> m_forms;
    QHash<Timer*, QTimer*> m_timers;
    bool m_collectPending = false;
    bool m_busyPointer = false;
    QMetaObject::Connection m_focusWatch;
    QMetaObject::Connection m_screenWatch;
    QObject* m_pressFilter = nullptr;   // refuses presses on windows that refuse them now
};

// The window a box or prompt of the program opens over: the program's active window or, while
// another program has the focus, its main window when that is on the screen; null otherwise.
QWidget* boxOwner();

} // namespace platform::ui::qt
