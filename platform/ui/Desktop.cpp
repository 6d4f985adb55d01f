#include "platform/ui/Desktop.h"

#include "platform/ui/Form.h"
#include "platform/ui/Screen.h"

#include <algorithm>
#include <utility>

namespace platform::ui {

Desktop& Desktop::instance() {
    static Desktop desktop;
    return desktop;
}

void Desktop::setScreenSize(int widthTwips, int heightTwips) {
    m_screenWidth = widthTwips;
    m_screenHeight = heightTwips;
    m_workArea = {0, 0, widthTwips, heightTwips};
}

Rect Desktop::keepOnScreen(const Rect& client, bool framed) const {
    const Margins frame = framed ? m_frame : Margins{};
    // One axis at a time: the window's outer extent from start to start + size + margins.
    const auto keep = [](int start, int size, int before, int after, int areaStart, int areaSize) {
        size = std::max(0, std::min(size, areaSize - before - after));
        start = std::min(start, areaStart + areaSize - after - size);
        return std::pair{std::max(start, areaStart + before), size};
    };
    const auto [left, width] = keep(client.left, client.width, frame.left, frame.right, m_workArea.left, m_workArea.width);
    const auto [top, height] = keep(client.top, client.height, frame.top, frame.bottom, m_workArea.top, m_workArea.height);
    return {left, top, width, height};
}

void Desktop::dispatch(const std::function<void()>& handler) {
    ++m_depth;
    struct Leave {
        Desktop& desktop;
        ~Leave() {
            if (--desktop.m_depth == 0) desktop.collect();
        }
    } leave{*this};
    handler();
}

void Desktop::activate(Form& form) {
    if (m_active == &form || !form.loaded()) return;
    Form* previous = m_active;
    m_active = &form;
    m_front = &form;
    if (previous && previous->loaded()) dispatch([previous] { previous->Form_Deactivate(); });
    if (m_active == &form && form.loaded()) dispatch([&form] { form.Form_Activate(); });
}

void Desktop::raise(Form& form) {
    if (form.loaded()) m_front = &form;
}

void Desktop::deactivate() {
    Form* previous = m_active;
    m_active = nullptr;
    if (previous && previous->loaded()) dispatch([previous] { previous->Form_Deactivate(); });
}

void Desktop::formLoaded(Form& form) {
    if (std::find(m_forms.begin(), m_forms.end(), &form) == m_forms.end()) m_forms.push_back(&form);
}

void Desktop::formUnloaded(Form& form) {
    std::erase(m_forms, &form);
    if (m_active == &form) m_active = nullptr;
    if (m_front == &form) m_front = nullptr;
    if (m_main == &form) m_main = nullptr;
    for (Form* other : m_forms)
        if (other->owner() == &form) other->setOwner(nullptr);
}

void Desktop::retire(std::unique_ptr<Form> form) {
    if (!form) return;
    m_retired.push_back(std::move(form));
    if (m_depth > 0) return;
    if (m_view) m_view->scheduleCollect();
    else collect();
}

void Desktop::collect() {
    if (m_depth > 0) return;
    // Destroying a window may retire another; keep going until none is left.
    while (!m_retired.empty()) {
        std::vector<std::unique_ptr<Form>> gone;
        gone.swap(m_retired);
        gone.clear();
    }
}

void Desktop::reset() {
    collect();
    m_active = nullptr;
    m_front = nullptr;
    m_main = nullptr;
    m_view = nullptr;
    m_timers = nullptr;
    m_clock = nullptr;
    m_screenWidth = 1024 * 15;
    m_screenHeight = 768 * 15;
    m_workArea = {0, 0, m_screenWidth, m_screenHeight};
    m_frame = {};
    Screen().MousePointer.setQuietly(vbDefault);
}

} // namespace platform::ui
