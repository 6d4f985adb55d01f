#include "platform/ui/DragManager.h"

#include "platform/seams/Clock.h"
#include "platform/ui/Control.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/Form.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace platform::ui {

namespace {

bool draggable(const Control* control) {
    if (!control || control->kind() != Kind::Image || !control->Enabled) return false;
    return static_cast<const Image*>(control)->DragMode == vbAutomatic;
}

} // namespace

void DragManager::press(int x, int y, int button, int shift) {
    // One mouse event is one handler: a window unloaded by it goes only after it.
    Desktop::instance().dispatch([&] { pressNow(x, y, button, shift); });
}

void DragManager::pressNow(int x, int y, int button, int shift) {
    m_x = x;
    m_y = y;
    if (dragging()) return;
    m_pressed = m_form.controlAt(x, y);
    m_pressX = x;
    m_pressY = y;
    m_pressedDuringWait = justAfterBusyWait();
    if (m_pressed && m_pressed->Enabled && m_pressed->onMouseDown && !draggable(m_pressed)) {
        const Rect at = m_form.placeOf(*m_pressed);
        Control* pressed = m_pressed;
        Desktop::instance().dispatch([&] {
            pressed->onMouseDown(button, shift, static_cast<float>(x - at.left), static_cast<float>(y - at.top));
        });
    }
}

void DragManager::move(int x, int y, int buttons, int shift) {
    // One mouse event is one handler: a window unloaded by it goes only after it.
    Desktop::instance().dispatch([&] { moveNow(x, y, buttons, shift); });
}

void DragManager::moveNow(int x, int y, int buttons, int shift) {
    const int fromX = m_x, fromY = m_y;
    m_x = x;
    m_y = y;
    if (!dragging() && draggable(m_pressed) &&
        std::abs(x - m_pressX) + std::abs(y - m_pressY) > Threshold) {
        m_source = m_pressed;
        m_over = nullptr;
        if (!m_pressedDuringWait) passOver(fromX, fromY, x, y);
    } else if (dragging()) {
        passOver(fromX, fromY, x, y);
    }
    if (dragging()) {
        overTarget(m_form.controlAt(x, y), x, y);
        if (ViewHost* view = Desktop::instance().viewHost()) view->dragChanged(m_form);
        return;
    }
    Control* under = m_form.controlAt(x, y);
    if (under && under->Enabled) {
        const Rect at = m_form.placeOf(*under);
        under->mouseMove(buttons, shift, static_cast<float>(x - at.left), static_cast<float>(y - at.top));
    }
}

void DragManager::overTarget(Control* target, int x, int y) {
    Control* source = m_source;
    if (m_over && m_over != target) m_over->dragOver(*source, 0, 0, vbLeave);
    const bool entering = target != m_over;
    m_over = target;
    if (!target || !m_source) return;
    const Rect at = m_form.placeOf(*target);
    target->dragOver(*source, static_cast<float>(x - at.left), static_cast<float>(y - at.top), entering ? vbEnter : vbOver);
}

void DragManager::passOver(int fromX, int fromY, int toX, int toY) {
    // Walked a pixel at a time, so even a narrow control on the way is passed as the pointer
    // would pass it: only where it lies on top.
    struct Passed {
        Control* control;
        int x, y;
    };
    std::vector<Passed> path;
    const int steps = std::max(1, std::max(std::abs(toX - fromX), std::abs(toY - fromY)) / TwipsPerPixel);
    for (int i = 0; i <= steps; ++i) {
        const int x = fromX + (toX - fromX) * i / steps, y = fromY + (toY - fromY) * i / steps;
        Control* under = m_form.controlAt(x, y);
        if (path.empty() || path.back().control != under) path.push_back({under, x, y});
    }
    // The controls under the two ends hear of the pointer as they always do.
    if (path.size() < 3) return;
    for (auto it = path.begin() + 1; it + 1 != path.end(); ++it) {
        if (!dragging()) return;
        // A handler on the way may have taken a control off the window.
        const auto& controls = m_form.controls();
        if (it->control && std::find(controls.begin(), controls.end(), it->control) == controls.end()) continue;
        overTarget(it->control, it->x, it->y);
    }
}

bool DragManager::justAfterBusyWait() {
    platform::Clock* clock = Desktop::instance().clock();
    if (!clock) return false;
    const auto since = clock->sinceBusyWait();
    return since && *since < BusyWaitEchoMs;
}

void DragManager::release(int x, int y, int button, int shift) {
    // One mouse event is one handler: a window unloaded by it goes only after it.
    Desktop::instance().dispatch([&] { releaseNow(x, y, button, shift); });
}

void DragManager::releaseNow(int x, int y, int button, int shift) {
    m_x = x;
    m_y = y;
    Control* target = m_form.controlAt(x, y);
    if (dragging()) {
        Control* source = m_source;
        if (m_over && m_over != target) m_over->dragOver(*source, 0, 0, vbLeave);
        finish();
        if (target) {
            const Rect at = m_form.placeOf(*target);
            target->dragDrop(*source, static_cast<float>(x - at.left), static_cast<float>(y - at.top));
        } else if (m_form.onDragDrop) {
            Form& form = m_form;
            Desktop::instance().dispatch([&] { form.onDragDrop(*source, static_cast<float>(x), static_cast<float>(y)); });
        }
        return;
    }
    Control* pressed = m_pressed;
    m_pressed = nullptr;
    if (pressed && pressed == target && pressed->Enabled && !draggable(pressed)) {
        if (pressed->onMouseUp) {
            const Rect at = m_form.placeOf(*pressed);
            Desktop::instance().dispatch([&] {
                pressed->onMouseUp(button, shift, static_cast<float>(x - at.left), static_cast<float>(y - at.top));
            });
        }
        pressed->click();
    }
}

void DragManager::cancel() {
    if (dragging()) finish();
    m_pressed = nullptr;
}

void DragManager::finish() {
    m_source = nullptr;
    m_over = nullptr;
    m_pressed = nullptr;
    if (ViewHost* view = Desktop::instance().viewHost()) view->dragChanged(m_form);
}

void DragManager::forget(Control& control) {
    if (m_pressed == &control) m_pressed = nullptr;
    if (m_over == &control) m_over = nullptr;
    if (m_source == &control) finish();
}

} // namespace platform::ui
