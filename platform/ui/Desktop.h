#pragma once
// The program's desktop as the windows see it: which window is active, the screen size, where
// events are raised, and the hooks through which the screen binding shows windows and controls.
// Without a binding (tests) everything works the same, only nothing is drawn.
#include "platform/ui/Geometry.h"

#include <functional>
#include <memory>
#include <vector>

namespace platform {
class Clock;
}

namespace platform::ui {

class Control;
class Form;
class TimerHost;

// Implemented by the screen binding.
class ViewHost {
public:
    virtual ~ViewHost() = default;
    virtual void formLoaded(Form& form) = 0;       // make its window (not shown yet)
    virtual void formChanged(Form& form) = 0;      // caption, place, size, visibility, state
    virtual void formGone(Form& form) = 0;         // unloaded: its window goes
    virtual void controlChanged(Control& control) = 0;
    virtual void controlGone(Control& control) = 0;
    virtual void repaintNow(Control& control) = 0;
    // The program showed the form (Show): its window comes to the front and becomes the active
    // one, also when it was on the screen already. Changing Visible alone does not do this.
    virtual void formShown(Form& form) { (void)form; }
    // The program brought the form to the front (ZOrder 0): above the others, not active.
    virtual void formRaised(Form& form) { (void)form; }
    // Shows the form modally; returns when it is hidden or unloaded.
    virtual void runModal(Form& form) = 0;
    // The drag icon moved, or the drag ended.
    virtual void dragChanged(Form& form) = 0;
    // Asks for Desktop::collect() to run once the current event is done.
    virtual void scheduleCollect() = 0;
    // The screen's mouse pointer changed (Screen().MousePointer).
    virtual void pointerChanged(int pointer) { (void)pointer; }
};

class Desktop {
public:
    static Desktop& instance();

    void setViewHost(ViewHost* host) { m_view = host; }
    ViewHost* viewHost() const { return m_view; }
    void setTimerHost(TimerHost* host) { m_timers = host; }
    TimerHost* timerHost() const { return m_timers; }
    // The program's clock, through which the windows learn when the game's last busy wait ended;
    // none: no wait is ever known of.
    void setClock(platform::Clock* clock) { m_clock = clock; }
    platform::Clock* clock() const { return m_clock; }

    // Screen size in twips (15 a pixel). 1024 x 768 pixels until the binding tells.
    int screenWidth() const { return m_screenWidth; }
    int screenHeight() const { return m_screenHeight; }
    // Also makes the whole screen the work area.
    void setScreenSize(int widthTwips, int heightTwips);
    // The part of the screen windows may take: the screen less its panels.
    Rect workArea() const { return m_workArea; }
    void setWorkArea(const Rect& area) { m_workArea = area; }
    // What the window manager puts around a framed window; none until the binding has seen one.
    Margins frameMargins() const { return m_frame; }
    void setFrameMargins(const Margins& frame) { m_frame = frame; }
    // The client area of a window, moved (and shrunk where nothing else helps) just enough that
    // the window, with its frame when it has one, lies inside the work area.
    Rect keepOnScreen(const Rect& client, bool framed) const;

    // Runs one event handler. Windows unloaded inside it are destroyed only after the outermost
    // handler has returned, so a handler may unload its own window and carry on.
    void dispatch(const std::function<void()>& handler);
    bool insideHandler() const { return m_depth > 0; }

    // Another of our windows became active: the old one hears Form_Deactivate, the new one
    // Form_Activate. Message boxes and other dialogs are not windows of the program, so they
    // never deactivate one.
    void activate(Form& form);
    // A window of the program that is no form (the help window) took the focus: the active form
    // hears Form_Deactivate, and none is active until one of ours is again.
    void deactivate();
    Form* activeForm() const { return m_active; }
    // The window on top of the others: the one last activated or brought to the front.
    void raise(Form& form);
    Form* frontForm() const { return m_front; }
    // The program's main window while it is loaded: boxes asked while none of the program's
    // windows is active open over it.
    void setMainForm(Form* form) { m_main = form; }
    Form* mainForm() const { return m_main; }

    // Forms that are loaded, in load order.
    const std::vector<Form*>& forms() const { return m_forms; }

    // Bookkeeping of Form; not for the windows' own code.
    void formLoaded(Form& form);
    void formUnloaded(Form& form);
    void retire(std::unique_ptr<Form> form);
    void collect();

    // Back to the start (tests): no active window, no hooks, nothing retired.
    void reset();

private:
    ViewHost* m_view = nullptr;
    TimerHost* m_timers = nullptr;
    platform::Clock* m_clock = nullptr;
    int m_screenWidth = 1024 * 15;
    int m_screenHeight = 768 * 15;
    Rect m_workArea{0, 0, 1024 * 15, 768 * 15};
    Margins m_frame;
    int m_depth = 0;
    Form* m_active = nullptr;
    Form* m_front = nullptr;
    Form* m_main = nullptr;
    std::vector<Form*> m_forms;
    std::vector<std::unique_ptr<Form>> m_retired;
};

} // namespace platform::ui
