#pragma once
// The player's hand on the main window: presses on a rack tile, drags it out over the bar around
// the rack (where the rack lets go of it) and lets it go over a control, as the mouse does.
// Header only.
#include "platform/ui/Form.h"
#include "window/MainWindow.h"

namespace testing_support {

// Lets the tile go at (x, y) on the window.
inline void dragTileTo(window::MainWindow& w, platform::ui::Image& tile, int x, int y) {
    const platform::ui::Rect from = w.placeOf(tile);
    w.drag().press(from.left + from.width / 2, from.top + from.height / 2);
    w.drag().move(w.placeOf(w.dragbar).left + 30, from.top + from.height / 2);
    w.drag().move(x, y);
    w.drag().release(x, y);
}

inline void dragTileTo(window::MainWindow& w, platform::ui::Image& tile, platform::ui::Control& target) {
    const platform::ui::Rect to = w.placeOf(target);
    dragTileTo(w, tile, to.left + to.width / 2, to.top + to.height / 2);
}

} // namespace testing_support
