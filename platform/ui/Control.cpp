#include "platform/ui/Control.h"

#include "platform/ui/Containers.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/Form.h"

#include <algorithm>
#include <cstdlib>

namespace platform::ui {

Control::Control(Kind kind, std::string name, int index)
    : m_kind(kind), m_name(std::move(name)), m_index(index) {}

Control::~Control() {
    if (ViewHost* view = Desktop::instance().viewHost()) view->controlGone(*this);
    // A window's controls usually go before the window itself (they are members of the derived
    // window): each leaves its window's list on the way out.
    if (m_form) m_form->remove(*this);
}

void Control::changed() {
    if (!m_form) return;
    if (ViewHost* view = Desktop::instance().viewHost()) view->controlChanged(*this);
}

bool Control::shownOnScreen() const {
    for (const Control* c = this; c; c = c->container()) {
        if (!c->Visible) return false;
        const Control* box = c->container();
        if (box && box->kind() == Kind::TabStrip && c->tabPage() >= 0 &&
            c->tabPage() != static_cast<const TabStrip*>(box)->Tab)
            return false;
    }
    return true;
}

void Control::Move(int left, int top, int width, int height) {
    Left.setQuietly(left);
    Top.setQuietly(top);
    Width.setQuietly(width);
    Height = height;
}

void Control::Refresh() {
    if (!m_form) return;
    if (ViewHost* view = Desktop::instance().viewHost()) view->repaintNow(*this);
}

void Control::click() {
    if (onClick) Desktop::instance().dispatch([this] { onClick(); });
}

void Control::dblClick() {
    if (onDblClick) Desktop::instance().dispatch([this] { onDblClick(); });
}

void Control::mouseMove(int button, int shift, float x, float y) {
    if (onMouseMove) Desktop::instance().dispatch([&] { onMouseMove(button, shift, x, y); });
}

void Control::dragOver(Control& source, float x, float y, int state) {
    if (onDragOver) Desktop::instance().dispatch([&] { onDragOver(source, x, y, state); });
}

void Control::dragDrop(Control& source, float x, float y) {
    if (onDragDrop) Desktop::instance().dispatch([&] { onDragDrop(source, x, y); });
}

void Control::keyPress(int& keyAscii) {
    if (onKeyPress) Desktop::instance().dispatch([&] { onKeyPress(keyAscii); });
}

void Line::setEnds(int x1, int y1, int x2, int y2) {
    X1.setQuietly(x1);
    Y1.setQuietly(y1);
    X2.setQuietly(x2);
    Y2.setQuietly(y2);
    // The box around the line is where it is drawn; a line is never hit by the mouse.
    Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 15, std::abs(y2 - y1) + 15);
}

void ListBox::AddItem(const std::string& item) {
    m_items.push_back(item);
    Control::changed();
}

void ListBox::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) return;
    m_items.erase(m_items.begin() + index);
    if (ListIndex >= ListCount()) ListIndex = -1;
    else Control::changed();
}

void ListBox::Clear() {
    m_items.clear();
    TopIndex.setQuietly(0);
    ListIndex = -1;
}

const std::string& ListBox::List(int index) const {
    static const std::string none;
    return index >= 0 && index < ListCount() ? m_items[static_cast<std::size_t>(index)] : none;
}

std::string ListBox::Text() const {
    return List(ListIndex);
}

void ListBox::changed() {
    // A row outside the list means no selection; a top row past the end stays at the last one.
    if (ListIndex < -1 || ListIndex >= ListCount()) ListIndex.setQuietly(-1);
    if (TopIndex < 0) TopIndex.setQuietly(0);
    if (TopIndex >= ListCount() && TopIndex > 0) TopIndex.setQuietly(std::max(0, ListCount() - 1));
    Control::changed();
    if (ListIndex != m_seenIndex) {
        m_seenIndex = ListIndex;
        click();
    }
}

void TextBox::changed() {
    Control::changed();
    if (Text.get() != m_seenText) {
        m_seenText = Text;
        if (onChange) Desktop::instance().dispatch([this] { onChange(); });
    }
}

} // namespace platform::ui
