#include "platform/ui/TreeView.h"

#include "platform/ui/Desktop.h"

namespace platform::ui {

int TreeView::Add(int parent, const std::string& text, const std::string& tag) {
    if (parent < -1 || parent >= Count()) parent = -1;
    m_nodes.push_back({text, tag, parent, true});
    Control::changed();
    return Count() - 1;
}

void TreeView::Clear() {
    m_nodes.clear();
    SelectedItem = -1;
}

const TreeNode& TreeView::Node(int index) const {
    static const TreeNode none{};
    return index >= 0 && index < Count() ? m_nodes[static_cast<std::size_t>(index)] : none;
}

void TreeView::nodeClick(int index) {
    if (index < 0 || index >= Count()) return;
    SelectedItem = index;
    if (onNodeClick) Desktop::instance().dispatch([this, index] { onNodeClick(index); });
}

} // namespace platform::ui
