#include "netplay/WaitingRoomWindow.h"

#include "engine/GameControls.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "netplay/EnterWaitingRoom.h"
#include "netplay/InetGame.h"
#include "netplay/InetPlay.h"
#include "netplay/InetPoll.h"
#include "netplay/InetReplies.h"
#include "netplay/InetRequests.h"
#include "netplay/LanMessages.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/FormSlot.h"

namespace netplay {

namespace {

ui::FormSlot<WaitingRoomWindow>& slot() {
    static ui::FormSlot<WaitingRoomWindow> s;
    return s;
}

void showBox(const std::string& text) {
    if (platform::Dialogs* dialogs = engine::state().services.dialogs) dialogs->msgBox(text, platform::vbOKOnly, "Tessarine");
}

// The animation runs for the length of a request; the request blocks, so it is drawn at once.
void showBusy(ui::Animation& animation, bool busy) { animation.play(busy); }

} // namespace

WaitingRoomWindow& inetstart() {
    return slot()();
}

WaitingRoomWindow* inetstartIfLoaded() {
    return slot().peek();
}

void ShowInternetGameHelp() {
    // Lives for the whole run, like the main window's own help dialog.
    static auto* dialog = new ui::CommonDialog("CommonDialog1");
    dialog->HelpFile = std::string(InternetHelpFile);
    dialog->HelpContext = InternetHelpContext;
    dialog->HelpCommand = 1;
    dialog->ShowHelp();
}

WaitingRoomWindow::WaitingRoomWindow() : ui::Form("inetstart") {
    Caption = "Tessarine - Play an Internet Game";
    BorderStyle = ui::vbFixedDialog;
    Width = 11400;
    Height = 6570;

    ui::Font bold;
    bold.bold = true;
    bold.size = 12;
    ui::Font courier;
    courier.name = "Courier New";
    courier.size = 9;

    Label2.Caption = "Tessarine Internet Waiting Room";
    Label2.Font = bold;
    Label2.Alignment = ui::Center;
    Label2.Move(120, 90, 11160, 360);
    add(Label2);
    Label3.Caption =
        "Listed below are people currently awaiting someone to join them in an internet game of Tessarine. To play, "
        "select a player below, then click the Join button. To add your name to the list, use the Add button. To "
        "update the list, use the Refresh button. Private games require a pre-arranged password. Further help is "
        "available in the help files. (F1)";
    Label3.Move(120, 480, 11160, 840);
    add(Label3);
    Label1.Caption = " Game ID    Player ID                  Location                   Played    Wins    Private";
    Label1.Font = courier;
    Label1.WordWrap = false;
    Label1.Move(120, 1380, 11160, 240);
    add(Label1);
    List1.Font = courier;
    List1.Move(120, 1620, 11160, 2520);
    add(List1);

    Frame1.Caption = " Status ";
    Frame1.Move(120, 4200, 7200, 1500);
    add(Frame1);
    List2.Move(120, 300, 6960, 1080);
    add(List2, &Frame1);
    AniGIF1.frames = engine::busyAnimationFrames();
    AniGIF1.Visible = false;
    AniGIF1.Move(120, 5790, 360, 360);
    add(AniGIF1);

    struct Button {
        ui::CommandButton& button;
        const char* caption;
        const char* tip;
        int top;
    };
    for (const Button& b : {Button{Command1, "Join Selected Player", "Select a player from list, then click here to start game.", 4200},
                            Button{Command2, "Add Me To Waiting Room", "Click here to add your name to waiting list.", 4620},
                            Button{Command4, "Refresh List View", "Click here to update waiting list.", 5040},
                            Button{Command3, "Cancel", "Click here to exit this screen.", 5460},
                            Button{Command5, "Help", "", 5880}}) {
        b.button.Caption = b.caption;
        b.button.ToolTipText = b.tip;
        b.button.Move(7560, b.top, 3720, 360);
        add(b.button);
    }

    waitroomtimer.Interval = 500;
    waitroomtimer.Enabled = false;
    add(waitroomtimer);

    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
    Command4.onClick = [this] { Command4_Click(); };
    Command5.onClick = [this] { Command5_Click(); };
    waitroomtimer.onTimer = [this] { waitroomtimer_Timer(); };
}

void WaitingRoomWindow::Form_Load() {
    const ui::Desktop& desktop = ui::Desktop::instance();
    Left = (desktop.screenWidth() - Width) / 2;
    Top = (desktop.screenHeight() - Height) / 2;
    engine::setJoinLog(&List2);
    waitroomtimer.Enabled = true;
}

void WaitingRoomWindow::Form_Unload(int&) {
    engine::setJoinLog(nullptr);
}

void WaitingRoomWindow::waitroomtimer_Timer() {
    waitroomtimer.Enabled = false;
    Command4_Click();
}

void WaitingRoomWindow::Command4_Click() {
    engine::AddJoinLogLine("Connecting to game server...Please Wait!");
    Command1.Enabled = false;
    List1.Clear();

    engine::GameControls* c = engine::state().controls;
    if (!c) return;
    showBusy(AniGIF1, true);
    const Reply reply = fetchWaitingList(c->Inet1);
    if (reply.failed) engine::AddJoinLogLine(reply.failureText);
    showBusy(AniGIF1, false);

    const ListingRead listing = readListing(reply.text);
    if (listing.status == ListingRead::Status::SocketError) {
        List1.AddItem(SocketErrorLine);
        return;
    }
    if (listing.status == ListingRead::Status::ServerUnreachable) {
        List1.AddItem(ServerUnreachableLine);
        return;
    }
    if (listing.entries.empty()) {
        List1.AddItem(NoPlayersWaitingLine);
        engine::AddJoinLogLine("Finished. Waiting room empty.");
        return;
    }
    for (const wire::WaitingEntry& entry : listing.entries) {
        List1.AddItem(waitingListLine(entry));
        Command1.Enabled = true;
    }
    engine::AddJoinLogLine("Finished. You may now select a player to join.");
}

void WaitingRoomWindow::Command1_Click() {
    engine::State& s = engine::state();
    const ListedGame chosen = readWaitingListLine(List1.Text());
    if (!chosen.selectable) {
        engine::AddJoinLogLine("Error: You must select a player to join first!");
        return;
    }
    const std::string gameId = chosen.gameId;
    std::string password;
    if (chosen.privateFlag == "YES") {
        const std::string answer =
            s.services.dialogs ? s.services.dialogs->inputBox(PrivateGamePrompt, "Private Game", "") : std::string();
        if (answer.empty()) return;
        password = answer;
    }

    engine::GameControls* c = s.controls;
    if (!c) return;
    c->Label7.Caption = chosen.playerId;
    c->Label8.Caption = chosen.location;

    showBusy(AniGIF1, true);
    const Reply reply = joinListedGame(c->Inet1, gameId, password);
    if (reply.failed) showBox(reply.failureText);
    showBusy(AniGIF1, false);

    switch (readJoin(reply.text)) {
    case JoinOutcome::BadPassword:
        engine::AddJoinLogLine("Invalid password to enter selected game!");
        return;
    case JoinOutcome::NotJoined:
        showBox(JoinFailedText);
        return;
    case JoinOutcome::Joined:
        break;
    }

    c->Label13.Caption = "Waiting for Player";
    s.InetState = engine::InetPlaying;
    s.ComputerGame = 0;
    LeaveLanGame();
    setMailboxKeys(wire::Side::Joiner, gameId);
    c->inettimer.Enabled = true;
    postOwnPlayerInfo(wire::PostKind::Start);
    engine::AddStatusLine("");
    engine::AddStatusLine("");
    engine::AddStatusLine("Game: " + gameId + " ready for play. Waiting for " + c->Label7.Caption.get() + " to move.");
    engine::AddStatusLine("PLEASE WAIT!!");
    engine::PlaySoundEvent(s.SoundSystemMessage);
    // The photo of an earlier opponent (or the computer's) is not this opponent's.
    c->Picture1.Picture = c->Pics.photona.Picture;
    postOwnPhotoLink();
    s.Player2Name = s.UserName;
    s.Player1Name = c->Label7.Caption;
    s.MyColour = "red";
    s.PlayerNumber = 2;
    s.TurnName = s.Player1Name;
    StartInternetRound();
    Unload();
}

void WaitingRoomWindow::Command2_Click() {
    joinwaitroom().Show();
    Unload();
}

void WaitingRoomWindow::Command3_Click() {
    Unload();
}

void WaitingRoomWindow::Command5_Click() {
    ShowInternetGameHelp();
}

} // namespace netplay
