#include "platform/ui/Form.h"

#include "platform/ui/Desktop.h"

#include <vector>

namespace platform::ui {

Form::Form(std::string name) : m_name(std::move(name)) {}

Form::~Form() {
    Desktop& desktop = Desktop::instance();
    desktop.formUnloaded(*this);
    if (m_hasWindow) {
        if (ViewHost* view = desktop.viewHost()) view->formGone(*this);
    }
    for (Control* control : m_controls) control->m_form = nullptr;
}

void Form::add(Control& control, Control* container, int page) {
    control.m_form = this;
    control.m_container = container;
    control.m_tabPage = page;
    m_controls.push_back(&control);
}

void Form::remove(Control& control) {
    m_drag.forget(control);
    std::erase(m_controls, &control);
    for (Control* child : m_controls)
        if (child->m_container == &control) child->m_container = nullptr;
    control.m_form = nullptr;
}

void Form::load() {
    if (m_loaded || m_loading) return;
    m_loading = true;
    m_loaded = true;
    Desktop& desktop = Desktop::instance();
    desktop.formLoaded(*this);
    if (ViewHost* view = desktop.viewHost()) {
        view->formLoaded(*this);
        m_hasWindow = true;
    }
    desktop.dispatch([this] { Form_Load(); });
    m_loading = false;
}

void Form::Show(int modal, Form* owner) {
    load();
    if (!m_loaded) return;
    if (owner && owner != this && owner->loaded()) m_owner = owner;
    keepOnScreen();
    Visible = true;
    Desktop& desktop = Desktop::instance();
    ViewHost* view = desktop.viewHost();
    // Without a screen, showing a window is what makes it active; with one, the window is
    // brought forward and the screen reports the activation as it happens.
    if (!view) desktop.activate(*this);
    else view->formShown(*this);
    if (modal && view) view->runModal(*this);
}

void Form::ZOrder(int position) {
    if (position != 0 || !m_loaded) return;
    Desktop& desktop = Desktop::instance();
    desktop.raise(*this);
    if (m_hasWindow)
        if (ViewHost* view = desktop.viewHost()) view->formRaised(*this);
}

Rect Form::screenPlace() const {
    const Desktop& desktop = Desktop::instance();
    if (WindowState != vbMaximized) return {Left, Top, Width, Height};
    const Rect area = desktop.workArea();
    const Margins frame = BorderStyle == vbBSNone ? Margins{} : desktop.frameMargins();
    return {area.left + frame.left, area.top + frame.top, area.width - frame.left - frame.right,
            area.height - frame.top - frame.bottom};
}

void Form::keepOnScreen() {
    // Every window opens whole on the screen, wherever the program (or an earlier screen) put it.
    if (WindowState != vbNormal) return;
    const Rect kept = Desktop::instance().keepOnScreen({Left, Top, Width, Height}, BorderStyle != vbBSNone);
    if (kept.width != Width) Width = kept.width;
    if (kept.height != Height) Height = kept.height;
    if (kept.left != Left) Left = kept.left;
    if (kept.top != Top) Top = kept.top;
}

void Form::Hide() {
    load();
    Visible = false;
}

bool Form::Unload() {
    return unloadWith(vbFormCode);
}

bool Form::closeByUser() {
    return unloadWith(vbFormControlMenu);
}

bool Form::unloadWith(int unloadMode) {
    // Runs as a handler, so the window is destroyed only once all of this is done.
    bool unloaded = false;
    Desktop::instance().dispatch([&] { unloaded = unloadNow(unloadMode); });
    return unloaded;
}

bool Form::unloadNow(int unloadMode) {
    if (!m_loaded) return true;
    if (m_unloading) return false;   // already on its way out
    m_unloading = true;
    struct Leave {
        bool& flag;
        ~Leave() { flag = false; }
    } leave{m_unloading};
    Desktop& desktop = Desktop::instance();
    int cancel = 0;
    desktop.dispatch([&] { Form_QueryUnload(cancel, unloadMode); });
    if (cancel) return false;
    desktop.dispatch([&] { Form_Unload(cancel); });
    if (cancel) return false;
    m_drag.cancel();
    m_loaded = false;
    Visible.setQuietly(false);
    desktop.formUnloaded(*this);
    if (m_hasWindow) {
        if (ViewHost* view = desktop.viewHost()) view->formGone(*this);
        m_hasWindow = false;
    }
    if (releaser) releaser(*this);
    return true;
}

void Form::changed() {
    if (!m_hasWindow) return;
    if (ViewHost* view = Desktop::instance().viewHost()) view->formChanged(*this);
}

void Form::resizedByUser(int widthTwips, int heightTwips) {
    Width.setQuietly(widthTwips);
    Height.setQuietly(heightTwips);
    Desktop::instance().dispatch([this] { Form_Resize(); });
}

void Form::stateChangedByUser(int windowState) {
    WindowState.setQuietly(windowState);
}

Rect Form::placeOf(const Control& control) const {
    Rect own{control.Left, control.Top, control.Width, control.Height};
    const Control* box = control.container();
    if (!box) return own;
    const Rect outer = placeOf(*box);
    double sx = 1.0, sy = 1.0;
    if (box->kind() == Kind::Elastic) {
        const auto& elastic = static_cast<const ElasticContainer&>(*box);
        if (elastic.designWidth > 0) sx = static_cast<double>(outer.width) / elastic.designWidth;
        if (elastic.designHeight > 0) sy = static_cast<double>(outer.height) / elastic.designHeight;
    }
    return {outer.left + static_cast<int>(own.left * sx), outer.top + static_cast<int>(own.top * sy),
            static_cast<int>(own.width * sx), static_cast<int>(own.height * sy)};
}

Control* Form::controlAt(int x, int y) const {
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        Control* control = *it;
        if (!control->visual() || control->kind() == Kind::Line) continue;
        if (control->shownOnScreen() && placeOf(*control).contains(x, y)) return control;
    }
    return nullptr;
}

} // namespace platform::ui
