#include "platform/ui/Containers.h"

namespace platform::ui {

void TabStrip::setTabs(std::vector<std::string> captions) {
    m_captions = std::move(captions);
    if (Tab >= Tabs()) Tab = 0;
    else Control::changed();
}

const std::string& TabStrip::TabCaption(int index) const {
    static const std::string none;
    return index >= 0 && index < Tabs() ? m_captions[static_cast<std::size_t>(index)] : none;
}

void TabStrip::changed() {
    if (Tab < 0 || (Tab >= Tabs() && Tabs() > 0)) Tab.setQuietly(0);
    Control::changed();
    if (Tab != m_seenTab) {
        m_seenTab = Tab;
        click();
    }
}

} // namespace platform::ui
