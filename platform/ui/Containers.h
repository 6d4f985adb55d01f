#pragma once
// Controls that hold other controls: the framed group and the tabbed dialog. A control is put
// into one with Form::add(control, &container[, page]).
#include "platform/ui/Control.h"

#include <string>
#include <vector>

namespace platform::ui {

// A captioned frame around a group of controls (option buttons in it form their own group).
class Frame : public Control {
public:
    explicit Frame(std::string name, int index = -1) : Control(Kind::Frame, std::move(name), index) {}
    Property<std::string> Caption{this};
    Property<ui::Font> Font{this};
};

// A tabbed dialog: one page shows at a time; the controls of the other pages are hidden. Setting
// Tab, from the program or by the player's click on a tab, runs Click when it changes.
class TabStrip : public Control {
public:
    explicit TabStrip(std::string name, int index = -1) : Control(Kind::TabStrip, std::move(name), index) {}
    Property<int> Tab{this, 0};
    Property<ui::Font> Font{this};

    // The pages' captions; setting the count of captions sets the number of tabs.
    void setTabs(std::vector<std::string> captions);
    int Tabs() const { return static_cast<int>(m_captions.size()); }
    const std::string& TabCaption(int index) const;
    const std::vector<std::string>& captions() const { return m_captions; }

    void changed() override;

private:
    std::vector<std::string> m_captions;
    int m_seenTab = 0;
};

} // namespace platform::ui
