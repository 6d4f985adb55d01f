#pragma once
// The waiting-room window "inetstart": the players now waiting on the game server for an
// opponent, one fixed-pitch line each. The player joins one of them (and becomes the red player
// of seat 2), or goes on to the dialog that enters his own name. Half a second after it opens,
// the window fetches the list once.
#include "platform/ui/Animation.h"
#include "platform/ui/CommonDialog.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Form.h"
#include "platform/ui/Timer.h"

namespace netplay {

namespace ui = platform::ui;

class WaitingRoomWindow final : public ui::Form {
public:
    WaitingRoomWindow();

    ui::Label Label2{"Label2"};
    ui::Label Label3{"Label3"};
    ui::Label Label1{"Label1"};
    ui::ListBox List1{"List1"};
    ui::Frame Frame1{"Frame1"};
    ui::ListBox List2{"List2"};
    ui::CommandButton Command1{"Command1"};
    ui::CommandButton Command2{"Command2"};
    ui::CommandButton Command4{"Command4"};
    ui::CommandButton Command3{"Command3"};
    ui::CommandButton Command5{"Command5"};
    // Shown while a request runs.
    ui::Animation AniGIF1{"AniGIF1"};
    ui::Timer waitroomtimer{"waitroomtimer"};

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void waitroomtimer_Timer();
    void Command1_Click();   // join the selected entry
    void Command2_Click();   // enter the own name: the dialog "joinwaitroom"
    void Command3_Click();   // cancel
    void Command4_Click();   // refresh the list
    void Command5_Click();   // help
};

// The default instance: the first use loads the window.
WaitingRoomWindow& inetstart();
// The loaded window, or null; never loads it.
WaitingRoomWindow* inetstartIfLoaded();

// Shows the help file's page on Internet games (both waiting-room windows' Help buttons).
void ShowInternetGameHelp();
inline constexpr const char* InternetHelpFile = "TESSARINE.HLP";
inline constexpr int InternetHelpContext = 80;

// Texts of the window.
inline constexpr const char* NoPlayersWaitingLine = "No Players Currently Waiting To Play.";
inline constexpr const char* ServerUnreachableLine =
    "Unable to reach game server. Please check your internet connection, or try later.";
inline constexpr const char* PrivateGamePrompt =
    "This is a private game. You may only join this game if you know the password set by the other player.\n\n"
    "Enter password:";
inline constexpr const char* JoinFailedText =
    "Failed to join listed player. Refresh view to see if player is still waiting and try again";

} // namespace netplay
