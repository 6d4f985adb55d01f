#include "platform/ui/Menus.h"

#include "platform/ui/Desktop.h"

namespace platform::ui {

int Toolbar::addButton(ToolbarButton button) {
    m_buttons.push_back(std::move(button));
    Control::changed();
    return ButtonCount();
}

const ToolbarButton& Toolbar::Button(int index) const {
    static const ToolbarButton none{};
    return index >= 1 && index <= ButtonCount() ? m_buttons[static_cast<std::size_t>(index - 1)] : none;
}

void Toolbar::buttonClick(int index) {
    if (index < 1 || index > ButtonCount()) return;
    const ToolbarButton& button = Button(index);
    if (button.style == tbrPlaceholder || !button.enabled || !Enabled) return;
    if (onButtonClick) Desktop::instance().dispatch([this, index] { onButtonClick(index); });
}

} // namespace platform::ui
