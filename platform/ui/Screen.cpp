#include "platform/ui/Screen.h"

#include "platform/ui/Desktop.h"

namespace platform::ui {

void ScreenObject::changed() {
    if (ViewHost* view = Desktop::instance().viewHost()) view->pointerChanged(MousePointer);
}

ScreenObject& Screen() {
    static ScreenObject screen;
    return screen;
}

} // namespace platform::ui
