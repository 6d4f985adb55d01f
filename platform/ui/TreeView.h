#pragma once
// A tree of text nodes, each with a tag: root nodes and children under them, in the order added.
#include "platform/ui/Control.h"

#include <functional>
#include <string>
#include <vector>

namespace platform::ui {

struct TreeNode {
    std::string Text;
    std::string Tag;
    int parent = -1;   // index of the parent node, -1 for a root
    bool Expanded = true;
};

class TreeView : public Control {
public:
    explicit TreeView(std::string name, int index = -1) : Control(Kind::TreeView, std::move(name), index) {}
    // The selected node's index, -1 none. Setting it from the program selects without a click.
    Property<int> SelectedItem{this, -1};

    // Adds a node under parent (-1: a root) and returns its index.
    int Add(int parent, const std::string& text, const std::string& tag = {});
    void Clear();
    int Count() const { return static_cast<int>(m_nodes.size()); }
    const TreeNode& Node(int index) const;
    const std::vector<TreeNode>& nodes() const { return m_nodes; }

    // The player clicked a node: it becomes selected and NodeClick runs.
    void nodeClick(int index);
    std::function<void(int Index)> onNodeClick;

private:
    std::vector<TreeNode> m_nodes;
};

} // namespace platform::ui
