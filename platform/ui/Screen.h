#pragma once
// The screen object: the mouse pointer shown over every window of the program, which a handler
// switches to the hourglass while it keeps the player waiting.
#include "platform/ui/Property.h"

namespace platform::ui {

enum MousePointerConstants : int { vbDefault = 0, vbArrow = 1, vbHourglass = 11 };

class ScreenObject final : public Notifiable {
public:
    Property<int> MousePointer{this, vbDefault};
    void changed() override;
};

ScreenObject& Screen();

} // namespace platform::ui
