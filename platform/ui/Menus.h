#pragma once
// The menu bar and the toolbar of a window. Menu items are controls of the window: the items
// added with no container make up the bar, the others sit in the menu of their container item.
// A caption "-" is a separator line; "&" marks the access key. The toolbar shows its buttons from
// an image list and reports a click by the button's index (1-based).
#include "platform/ui/Control.h"

#include <string>
#include <vector>

namespace platform::ui {

class MenuItem : public Control {
public:
    explicit MenuItem(std::string name, std::string caption = {}, int index = -1)
        : Control(Kind::Menu, std::move(name), index) {
        Caption.setQuietly(std::move(caption));
    }
    // An element of a menu control array, mnudownload(0..4).
    MenuItem(std::string name, int index) : Control(Kind::Menu, std::move(name), index) {}
    Property<std::string> Caption{this};
    Property<bool> Checked{this, false};
    // A key that runs the item from anywhere in its window ("F1", "Ctrl+X"), or "".
    Property<std::string> Shortcut{this};

    bool separator() const { return Caption.get() == "-"; }
};

enum ToolbarButtonStyles : int { tbrDefault = 0, tbrPlaceholder = 4 };

struct ToolbarButton {
    std::string caption;     // shown under the picture; may be empty
    std::string toolTip;
    int image = 0;           // 1-based index into the image list; 0 none
    int style = tbrDefault;  // a placeholder is a gap without a command
    bool enabled = true;
};

class Toolbar : public Control {
public:
    explicit Toolbar(std::string name, int index = -1) : Control(Kind::Toolbar, std::move(name), index) {}
    // The image list the buttons take their pictures from (1-based in ToolbarButton::image).
    std::vector<ui::Picture> ImageList;
    Property<bool> ShowTips{this, true};
    // Captions under the pictures, or the pictures alone (the captions then show as tips).
    Property<bool> ShowCaptions{this, true};

    // Buttons by index 1..n.
    int addButton(ToolbarButton button);
    int ButtonCount() const { return static_cast<int>(m_buttons.size()); }
    const ToolbarButton& Button(int index) const;
    const std::vector<ToolbarButton>& buttons() const { return m_buttons; }

    // Raises ButtonClick for the button of that index, as the player's click would (a
    // placeholder or a disabled button does nothing).
    void buttonClick(int index);
    std::function<void(int Index)> onButtonClick;

private:
    std::vector<ToolbarButton> m_buttons;
};

} // namespace platform::ui
