#pragma once
// The game window "main": the board, the drop row, the rack, the opponent panel, the turn
// caption, the status list, the chat line, the transfer light and the window's own buttons, all
// lying on the stretching container that carries the board background. The window has no border
// and no title bar: its buttons are transparent areas over the background picture.
#include "engine/GameControls.h"
#include "platform/activex/HostedControl.h"
#include "platform/ui/Form.h"
#include "platform/ui/FormSlot.h"

namespace window {

namespace ui = platform::ui;

class MainWindow final : public ui::Form, public engine::GameControls {
public:
    MainWindow();
    ~MainWindow() override;

    // The window's own controls besides those the game procedures share (engine::GameControls).
    ui::ElasticContainer main1{"main1"};
    ui::Label dragbar{"dragbar"};
    ui::Label Label1{"Label1"}, Label2{"Label2"}, Label3{"Label3"};
    ui::Label Label4{"Label4"}, Label5{"Label5"}, Label6{"Label6"};
    ui::Line Line1{"Line1"};
    ui::TextBox ChatText{"ChatText"};
    ui::Label SendButton{"SendButton"};
    ui::Label MenuButton{"MenuButton"};
    ui::Label MinButton{"MinButton"};
    ui::Label CloseButton{"CloseButton"};
    ui::Image Image9{"Image9"};
    ui::Image soundbutton{"soundbutton"};
    ui::Image Image10{"Image10"};
    // The network library's control, invisible: it only carries the session GUID the window saves
    // with itself (saved empty, so LAN sessions carry the all-zero application GUID).
    ui::HostedControl kvPlay1{"kvPlay1", u"kvPlay.kvPlay", {{u"guidSession", u""}}};

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    void MinButton_Click();
    void MenuButton_Click();
    void MenuButton_MouseMove(int Button, int Shift, float X, float Y);
    void Image9_Click();
    void soundbutton_Click();
    void CloseButton_Click();
    void dragbar_DragOver(ui::Control& Source, float X, float Y, int State);
    void Hole_DragDrop(int Index, ui::Control& Source, float X, float Y);
    // Every other drop target of the window: the tile goes back to the rack.
    void DropElsewhere(ui::Control& Source, float X, float Y);
    // The 50 ms tick: the computer's turn in a game against it, else one LAN message.
    void lantimer_Timer();
    // The Internet poll's tick.
    void inettimer_Timer();
    // The chat line: the send button, and Enter in a line that holds text.
    void SendButton_Click();
    void ChatText_KeyPress(int& KeyAscii);

private:
    void layout();
    void wire();
    // One message of a LAN game per tick.
    void receiveLanMessage();
};

// The default instance: the first use loads the window.
MainWindow& main();
// The loaded main window, or null; never loads it.
MainWindow* mainIfLoaded();

// The notice that follows the version in the logo's tool tip.
inline constexpr const char* NoticeText = "- a four-letter word game for two players. Free software.";

} // namespace window
