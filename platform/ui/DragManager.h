#pragma once
// The mouse inside one window: clicks, mouse moves and the dragging of controls whose DragMode is
// automatic (the rack tiles). A press followed by a move past a small threshold starts a drag;
// the drag icon follows the pointer, the control under it hears DragOver, and the release gives
// DragDrop(Source, X, Y) to the topmost visible control under the pointer. A control without a
// DragDrop handler ignores the drop. Positions are twips of the window's client area.
// A fast pointer reports positions far apart: the controls the straight path between two drag
// positions passes over hear DragOver (enter, then leave) as if the pointer had stopped on each.
// The move that starts a drag walks its path too, so a flick that leaves the tile in one motion
// still passes over what lies between. Not so for a press that comes in just after one of the
// game's busy waits: it was made during the wait, and its motions since then arrive squeezed
// into one, so the control is first heard of where the pointer is after the pause.
#include <cstdint>

namespace platform::ui {

class Control;
class Form;

class DragManager {
public:
    static constexpr int Threshold = 60;   // twips: four pixels
    // A press that comes in this soon after a busy wait ended was made during it.
    static constexpr std::int64_t BusyWaitEchoMs = 250;

    explicit DragManager(Form& form) : m_form(form) {}

    void press(int x, int y, int button = 1, int shift = 0);
    void move(int x, int y, int buttons = 0, int shift = 0);
    void release(int x, int y, int button = 1, int shift = 0);
    // The window lost the pointer (the drag is dropped nowhere).
    void cancel();

    bool dragging() const { return m_source != nullptr; }
    Control* source() const { return m_source; }
    int cursorX() const { return m_x; }
    int cursorY() const { return m_y; }

    // The form is losing a control: forget it.
    void forget(Control& control);

private:
    void pressNow(int x, int y, int button, int shift);
    void moveNow(int x, int y, int buttons, int shift);
    void releaseNow(int x, int y, int button, int shift);
    void overTarget(Control* target, int x, int y);
    void passOver(int fromX, int fromY, int toX, int toY);
    void finish();
    static bool justAfterBusyWait();

    Form& m_form;
    Control* m_pressed = nullptr;
    Control* m_source = nullptr;
    Control* m_over = nullptr;
    bool m_pressedDuringWait = false;
    int m_pressX = 0;
    int m_pressY = 0;
    int m_x = 0;
    int m_y = 0;
};

} // namespace platform::ui
