#pragma once
// Controls the player chooses with: the combo box, option buttons, check boxes and the file list.
// Setting a choice from the program runs the control's Click exactly as the player's own choice
// would, whenever the value changes; the windows rely on it to keep their controls in step.
#include "platform/ui/Control.h"

#include <string>
#include <vector>

namespace platform::ui {

enum ComboStyles : int { vbComboDropdown = 0, vbComboDropdownList = 2 };
enum CheckValues : int { vbUnchecked = 0, vbChecked = 1 };

// A drop-down list with an edit line (style 0) or without one (style 2). Choosing a row puts its
// text into the edit line and runs Click; typing changes Text and runs Change.
class ComboBox : public Control {
public:
    explicit ComboBox(std::string name, int index = -1) : Control(Kind::ComboBox, std::move(name), index) {}
    Property<std::string> Text{this};
    Property<int> ListIndex{this, -1};
    Property<int> Style{this, vbComboDropdown};
    Property<int> MaxLength{this, 0};
    Property<ui::Font> Font{this};

    void AddItem(const std::string& item);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return static_cast<int>(m_items.size()); }
    const std::string& List(int index) const;
    const std::vector<std::string>& items() const { return m_items; }

    void changed() override;

private:
    std::vector<std::string> m_items;
    int m_seenIndex = -1;
    std::string m_seenText;
};

// One of a group of options: the option buttons of one container (and of one page of a tabbed
// container) form a group, and setting one clears the others. Click runs when Value becomes true.
class OptionButton : public Control {
public:
    explicit OptionButton(std::string name, int index = -1) : Control(Kind::OptionButton, std::move(name), index) {}
    Property<std::string> Caption{this};
    Property<bool> Value{this, false};
    Property<ui::Font> Font{this};

    void changed() override;

private:
    bool m_seen = false;
};

// A box ticked (1) or not (0). Click runs whenever Value changes.
class CheckBox : public Control {
public:
    explicit CheckBox(std::string name, int index = -1) : Control(Kind::CheckBox, std::move(name), index) {}
    Property<std::string> Caption{this};
    Property<int> Value{this, vbUnchecked};
    Property<ui::Font> Font{this};

    void changed() override;

private:
    int m_seen = vbUnchecked;
};

// The files of a folder whose names fit Pattern ("*.bmp"; several patterns joined by ";"),
// matched and sorted without regard to case. Reads the folder when Path or Pattern is set and on
// Refresh(). Path "" is the current folder.
class FileListBox : public Control {
public:
    explicit FileListBox(std::string name, int index = -1) : Control(Kind::FileListBox, std::move(name), index) {}
    Property<std::string> Path{this};
    Property<std::string> Pattern{this, "*.*"};
    Property<int> ListIndex{this, -1};

    int ListCount() const { return static_cast<int>(m_files.size()); }
    const std::string& List(int index) const;
    const std::vector<std::string>& items() const { return m_files; }
    void Refresh();

    void changed() override;

private:
    std::vector<std::string> m_files;
    std::string m_seenPath = "\x01";
    std::string m_seenPattern;
};

// True when name fits the wildcard pattern ("*" any run, "?" one character), ignoring case.
bool matchesPattern(const std::string& name, const std::string& pattern);

} // namespace platform::ui
