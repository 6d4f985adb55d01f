#pragma once
// The dialog "joinwaitroom": puts the player's own entry into the Internet waiting room, public
// or private (with a password the opponent must know), for two to fifteen minutes. Once entered,
// the player is the blue host of seat 1 and the main window's poll waits for an opponent.
#include "platform/ui/Animation.h"
#include "platform/ui/Choices.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Form.h"

namespace netplay {

namespace ui = platform::ui;

class EnterWaitingRoomDialog final : public ui::Form {
public:
    EnterWaitingRoomDialog();

    ui::Frame SSFrame1{"SSFrame1"};
    ui::OptionButton Option1{"Option1"};   // Public
    ui::OptionButton Option2{"Option2"};   // Private
    ui::Label Label3{"Label3"};
    ui::TextBox Text1{"Text1"};
    ui::Label Label2{"Label2"};
    ui::Frame SSFrame2{"SSFrame2"};
    ui::Label Label5{"Label5"};
    ui::OptionButton Option4{"Option4"};   // 2 Minutes
    ui::OptionButton Option3{"Option3"};   // 5 Minutes
    ui::OptionButton Option5{"Option5"};   // 10 Minutes
    ui::OptionButton Option6{"Option6"};   // 15 Minutes
    ui::Label Label1{"Label1"};
    ui::CommandButton Command1{"Command1"};
    ui::CommandButton Command2{"Command2"};
    ui::CommandButton Command3{"Command3"};
    // Shown from the start of the request.
    ui::Animation AniGIF1{"AniGIF1"};

    void Form_Load() override;
    void Option1_Click();
    void Option2_Click();
    void Command1_Click();   // enter the waiting room
    void Command2_Click();   // cancel
    void Command3_Click();   // help
};

// The default instance: the first use loads the dialog.
EnterWaitingRoomDialog& joinwaitroom();
// The loaded dialog, or null; never loads it.
EnterWaitingRoomDialog* joinwaitroomIfLoaded();

inline constexpr const char* RoomFullTitle = "Waiting Room Full!";
inline constexpr const char* RoomFullText =
    "Sorry, the waiting room is full. Either join a waiting player, or come back later.";

} // namespace netplay
