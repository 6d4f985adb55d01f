#pragma once
// The plain controls of a window: each holds its state and raises its events; the screen binding
// shows them and feeds the user's actions in. No toolkit type appears here, so the game's rules
// reach a window's controls without a screen.
#include "platform/ui/Picture.h"
#include "platform/ui/Property.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace platform::ui {

class Form;

enum class Kind : std::uint8_t {
    Image, Label, ListBox, TextBox, PictureBox, Line, Timer, Elastic, CommandButton,
    ComboBox, OptionButton, CheckBox, Frame, TabStrip, FileListBox, Menu, Toolbar, CommonDialog, TreeView
};

// Colours as 0xRRGGBB.
using Color = std::uint32_t;

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;
    bool bold = false;
    bool operator==(const Font&) const = default;
};

enum Alignment : int { LeftJustify = 0, RightJustify = 1, Center = 2 };
enum DragModes : int { vbManual = 0, vbAutomatic = 1 };
enum DragOverStates : int { vbEnter = 0, vbLeave = 1, vbOver = 2 };

class Control : public Notifiable {
public:
    Control(Kind kind, std::string name, int index = -1);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Kind kind() const { return m_kind; }
    const std::string& name() const { return m_name; }
    int Index() const { return m_index; }
    Form* form() const { return m_form; }
    // The container it lies in (the stretching container), or null for the window itself.
    Control* container() const { return m_container; }
    // Drawn on the window's surface (timers, menus and the common dialog are not).
    bool visual() const { return m_kind != Kind::Timer && m_kind != Kind::Menu && m_kind != Kind::CommonDialog; }
    // The page of a tabbed container the control lies on (-1: on every page, or no such container).
    int tabPage() const { return m_tabPage; }
    // Shown on the screen: itself and every container visible, and lying on the current page of
    // every tabbed container it is in.
    bool shownOnScreen() const;

    // Position and size in twips, inside its container, as laid out.
    Property<int> Left{this, 0};
    Property<int> Top{this, 0};
    Property<int> Width{this, 0};
    Property<int> Height{this, 0};
    Property<bool> Visible{this, true};
    Property<bool> Enabled{this, true};
    Property<std::string> Tag{this};
    Property<std::string> ToolTipText{this};

    void Move(int left, int top, int width, int height);
    // Repaints at once, so a change made during a pause is seen before the pause ends.
    void Refresh();

    // Events; a control without a handler ignores the event.
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void(int Button, int Shift, float X, float Y)> onMouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> onMouseMove;
    std::function<void(int Button, int Shift, float X, float Y)> onMouseUp;
    std::function<void(Control& Source, float X, float Y, int State)> onDragOver;
    std::function<void(Control& Source, float X, float Y)> onDragDrop;
    std::function<void(int& KeyAscii)> onKeyPress;
    std::function<void()> onChange;

    // Raising an event runs its handler as the user's action would (through the desktop, so an
    // unload asked for inside it waits until the handler is done).
    void click();
    void dblClick();
    void mouseMove(int button, int shift, float x, float y);
    void dragOver(Control& source, float x, float y, int state);
    void dragDrop(Control& source, float x, float y);
    void keyPress(int& keyAscii);

    // Called on every property assignment.
    void changed() override;

private:
    friend class Form;
    Kind m_kind;
    std::string m_name;
    int m_index;
    Form* m_form = nullptr;
    Control* m_container = nullptr;
    int m_tabPage = -1;
};

// An indexed control array, Hole(0..48), blue(0..25).
template <class C>
class ControlArray {
public:
    ControlArray(const std::string& name, int count) {
        for (int i = 0; i < count; ++i) m_items.emplace_back(name, i);
    }
    C& operator()(int index) { return m_items.at(static_cast<std::size_t>(index)); }
    const C& operator()(int index) const { return m_items.at(static_cast<std::size_t>(index)); }
    C& operator[](int index) { return (*this)(index); }
    const C& operator[](int index) const { return (*this)(index); }
    int count() const { return static_cast<int>(m_items.size()); }
    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }

private:
    std::deque<C> m_items;   // deque: elements never move, so handlers may keep references
};

class Image : public Control {
public:
    explicit Image(std::string name, int index = -1) : Control(Kind::Image, std::move(name), index) {}
    Property<ui::Picture> Picture{this};
    Property<bool> Stretch{this, false};
    Property<int> DragMode{this, vbManual};
    Property<ui::Picture> DragIcon{this};
};

class Label : public Control {
public:
    explicit Label(std::string name, int index = -1) : Control(Kind::Label, std::move(name), index) {}
    Property<std::string> Caption{this};
    Property<int> Alignment{this, LeftJustify};
    Property<bool> Transparent{this, true};   // BackStyle 0: the window shows through
    Property<Color> BackColor{this, 0xC0C0C0};
    Property<Color> ForeColor{this, 0x000000};
    Property<ui::Font> Font{this};
    Property<bool> WordWrap{this, true};
};

class CommandButton : public Control {
public:
    explicit CommandButton(std::string name, int index = -1)
        : Control(Kind::CommandButton, std::move(name), index) {}
    Property<std::string> Caption{this};
    Property<ui::Font> Font{this};
};

class PictureBox : public Control {
public:
    explicit PictureBox(std::string name, int index = -1) : Control(Kind::PictureBox, std::move(name), index) {}
    Property<ui::Picture> Picture{this};
    Property<Color> BackColor{this, 0xC0C0C0};
    Property<bool> Border{this, true};
};

class Line : public Control {
public:
    explicit Line(std::string name, int index = -1) : Control(Kind::Line, std::move(name), index) {}
    // End points in twips, in the container's coordinates.
    Property<int> X1{this, 0};
    Property<int> Y1{this, 0};
    Property<int> X2{this, 0};
    Property<int> Y2{this, 0};
    Property<Color> BorderColor{this, 0x000000};
    void setEnds(int x1, int y1, int x2, int y2);
};

// Carries the background picture and stretches itself and its children with the window.
class ElasticContainer : public Control {
public:
    explicit ElasticContainer(std::string name, int index = -1) : Control(Kind::Elastic, std::move(name), index) {}
    Property<ui::Picture> Picture{this};
    // The size the children were laid out for; the children scale by Width / designWidth.
    int designWidth = 0;
    int designHeight = 0;
};

// A single-selection list. Setting ListIndex from the program runs Click, as the user's choice
// would.
class ListBox : public Control {
public:
    explicit ListBox(std::string name, int index = -1) : Control(Kind::ListBox, std::move(name), index) {}
    Property<int> ListIndex{this, -1};
    Property<int> TopIndex{this, 0};
    Property<Color> BackColor{this, 0xFFFFFF};
    Property<ui::Font> Font{this};

    void AddItem(const std::string& item);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return static_cast<int>(m_items.size()); }
    const std::string& List(int index) const;
    const std::vector<std::string>& items() const { return m_items; }
    // The selected row's text, "" when none.
    std::string Text() const;

    void changed() override;

private:
    std::vector<std::string> m_items;
    int m_seenIndex = -1;
};

// A one-line text box. Setting Text from the program runs Change, as typing would.
class TextBox : public Control {
public:
    explicit TextBox(std::string name, int index = -1) : Control(Kind::TextBox, std::move(name), index) {}
    Property<std::string> Text{this};
    Property<std::string> PasswordChar{this};
    Property<int> MaxLength{this, 0};
    Property<Color> BackColor{this, 0xFFFFFF};
    Property<ui::Font> Font{this};

    void changed() override;

private:
    std::string m_seenText;
};

} // namespace platform::ui
