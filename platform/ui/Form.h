#pragma once
// A window of the program. Its controls are members of the deriving class, named as the window's
// layout names them; its event handlers are member functions named after control and event.
// Lifecycle: load (Form_Load), Show modeless or modal, Hide, Unload (Form_QueryUnload with its
// UnloadMode, then Form_Unload; either may cancel). A window unloaded inside one of its own
// handlers is destroyed only after that handler returns; a second unload is harmless.
#include "platform/ui/Control.h"
#include "platform/ui/DragManager.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Property.h"

#include <functional>
#include <string>
#include <vector>

namespace platform::ui {

enum FormWindowStates : int { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum UnloadModes : int { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2, vbAppTaskManager = 3 };
enum BorderStyles : int { vbBSNone = 0, vbFixedSingle = 1, vbSizable = 2, vbFixedDialog = 3 };

class Form : public Notifiable {
public:
    explicit Form(std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return m_name; }

    Property<std::string> Caption{this};
    // Place on the screen and size of the client area, in twips.
    Property<int> Left{this, 0};
    Property<int> Top{this, 0};
    Property<int> Width{this, 4800};
    Property<int> Height{this, 3600};
    Property<int> WindowState{this, vbNormal};
    Property<int> BorderStyle{this, vbSizable};
    Property<bool> Visible{this, false};
    // Where the client area lies on the screen now: a maximised window fills the work area.
    Rect screenPlace() const;

    // Runs Form_Load once; Show and the default instance do it for you.
    void load();
    bool loaded() const { return m_loaded; }
    // modal 0: returns at once; 1: returns when the window is hidden or unloaded. An owner keeps
    // the window above itself for as long as both are loaded.
    void Show(int modal = 0, Form* owner = nullptr);
    Form* owner() const { return m_owner; }
    void setOwner(Form* owner) { m_owner = owner; }
    // position 0: the window comes to the front without becoming the active one; the keyboard
    // stays where it is. Any other position changes nothing.
    void ZOrder(int position = 0);
    void Hide();
    // Unload by the program (UnloadMode 1). False when a handler cancelled it.
    bool Unload();
    // The user closes the window (its close button, the window manager): UnloadMode 0.
    bool closeByUser();
    bool unloadWith(int unloadMode);

    // Events; the deriving window overrides what it handles.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Deactivate() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode) { (void)Cancel; (void)UnloadMode; }
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    // A drop on the window itself, outside every control; none by default.
    std::function<void(Control& Source, float X, float Y)> onDragDrop;
    // While this answers yes, a press of the mouse anywhere on the window, and the release that
    // ends it, reach nothing in it: no control, menu or toolbar runs, and the window stays.
    std::function<bool()> refusesPresses;

    // Controls, bottom first: a later one lies over an earlier one. In a tabbed container, page
    // says which of its pages the control lies on.
    void add(Control& control, Control* container = nullptr, int page = -1);
    void remove(Control& control);
    const std::vector<Control*>& controls() const { return m_controls; }
    // Where a control is now, in twips of the client area (children of a stretching container
    // scale with it).
    Rect placeOf(const Control& control) const;
    // The topmost visible control at a point of the client area; null for the window itself.
    Control* controlAt(int x, int y) const;
    DragManager& drag() { return m_drag; }

    // Called after every property assignment.
    void changed() override;
    // The screen reports the size the user gave the window (runs Form_Resize).
    void resizedByUser(int widthTwips, int heightTwips);
    // The screen reports a new window state (minimised from the task bar, for instance).
    void stateChangedByUser(int windowState);

    // Set by the default instance: hands the unloaded object back for destruction.
    std::function<void(Form&)> releaser;

private:
    bool unloadNow(int unloadMode);
    void keepOnScreen();

    std::string m_name;
    std::vector<Control*> m_controls;
    DragManager m_drag{*this};
    bool m_loaded = false;
    bool m_loading = false;
    bool m_unloading = false;
    bool m_hasWindow = false;
    Form* m_owner = nullptr;
};

} // namespace platform::ui
