#include "netplay/EnterWaitingRoom.h"

#include "engine/GameControls.h"
#include "engine/GameEnd.h"
#include "engine/Round.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "netplay/InetGame.h"
#include "netplay/InetReplies.h"
#include "netplay/InetRequests.h"
#include "netplay/LanMessages.h"
#include "netplay/WaitingRoomWindow.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/FormSlot.h"

namespace netplay {

namespace {

ui::FormSlot<EnterWaitingRoomDialog>& slot() {
    static ui::FormSlot<EnterWaitingRoomDialog> s;
    return s;
}

} // namespace

EnterWaitingRoomDialog& joinwaitroom() {
    return slot()();
}

EnterWaitingRoomDialog* joinwaitroomIfLoaded() {
    return slot().peek();
}

EnterWaitingRoomDialog::EnterWaitingRoomDialog() : ui::Form("joinwaitroom") {
    Caption = "Enter Waiting Room";
    BorderStyle = ui::vbFixedDialog;
    Width = 6360;
    Height = 5700;

    SSFrame1.Caption = " Wait for Private or Public Game?";
    SSFrame1.Move(120, 120, 6120, 1860);
    add(SSFrame1);
    Option1.Caption = "Public";
    Option1.Move(240, 300, 1500, 300);
    add(Option1, &SSFrame1);
    Option2.Caption = "Private";
    Option2.Move(1920, 300, 1500, 300);
    add(Option2, &SSFrame1);
    Label3.Caption = "Private game password:";
    Label3.Move(240, 660, 2100, 300);
    add(Label3, &SSFrame1);
    Text1.Move(2400, 630, 3480, 300);
    add(Text1, &SSFrame1);
    Label2.Caption =
        "Anyone may join you if you select a Public game. To use a Private game, you must select a password that "
        "your opponent must already know in order for them to join you.";
    Label2.Move(240, 1020, 5640, 720);
    add(Label2, &SSFrame1);

    SSFrame2.Caption = "Wait for How Long?";
    SSFrame2.Move(120, 2100, 6120, 1500);
    add(SSFrame2);
    Label5.Caption = "How long would you like to wait for an opponent before your request expires?";
    Label5.Move(240, 300, 5640, 480);
    add(Label5, &SSFrame2);
    struct Choice {
        ui::OptionButton& option;
        const char* caption;
        int left;
    };
    for (const Choice& c : {Choice{Option4, "2 Minutes", 240}, Choice{Option3, "5 Minutes", 1680},
                            Choice{Option5, "10 Minutes", 3120}, Choice{Option6, "15 Minutes", 4560}}) {
        c.option.Caption = c.caption;
        c.option.Move(c.left, 900, 1380, 300);
        add(c.option, &SSFrame2);
    }

    Label1.Caption = "Click Enter button below to enter the waiting room. Your name will be added to the list of "
                     "players waiting for an opponent. ";
    Label1.Move(120, 3720, 6120, 480);
    add(Label1);
    AniGIF1.frames = engine::busyAnimationFrames();
    AniGIF1.Visible = false;
    AniGIF1.Move(120, 4260, 360, 360);
    add(AniGIF1);
    Command1.Caption = "Enter Waiting Room";
    Command1.Move(120, 4680, 2400, 420);
    add(Command1);
    Command2.Caption = "Cancel";
    Command2.Move(2640, 4680, 1680, 420);
    add(Command2);
    Command3.Caption = "Help";
    Command3.Move(4440, 4680, 1800, 420);
    add(Command3);

    Option1.onClick = [this] { Option1_Click(); };
    Option2.onClick = [this] { Option2_Click(); };
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
    Command3.onClick = [this] { Command3_Click(); };
}

void EnterWaitingRoomDialog::Form_Load() {
    const ui::Desktop& desktop = ui::Desktop::instance();
    Left = (desktop.screenWidth() - Width) / 2;
    Top = (desktop.screenHeight() - Height) / 2;
    Label3.Enabled = false;
    Text1.Enabled = false;
    Option3.Value = true;
    // A public game is what the disabled password box shows.
    Option1.Value = true;
}

void EnterWaitingRoomDialog::Option1_Click() {
    Label3.Enabled = false;
    Text1.Enabled = false;
}

void EnterWaitingRoomDialog::Option2_Click() {
    Label3.Enabled = true;
    Text1.Enabled = true;
}

void EnterWaitingRoomDialog::Command1_Click() {
    engine::State& s = engine::state();
    const bool privateGame = !Option1.Value;
    const std::string password = privateGame ? std::string(wire::trimBlanks(Text1.Text.get())) : std::string("none");
    const int waitSeconds = Option3.Value ? 300 : Option4.Value ? 120 : Option6.Value ? 900 : 600;
    // Set on every attempt, before the request and whatever its outcome.
    const double now = s.services.clock ? s.services.clock->secondsSinceMidnight() : 0.0;
    s.WaitDeadline = static_cast<float>(now + waitSeconds);
    const WaitingRoomEntry entry = ownWaitingRoomEntry(privateGame, password, waitSeconds);

    engine::GameControls* c = s.controls;
    if (!c) return;
    AniGIF1.play(true);
    const Reply reply = enterWaitingRoom(c->Inet1, entry);

    if (reply.failed) {
        // Back to the list, with the reason in its log.
        inetstart().Show();
        engine::AddJoinLogLine(reply.failureText);
        Unload();
        return;
    }
    const EntryRead read = readEntry(reply.text);
    if (read.outcome == EntryRead::Outcome::RoomFull) {
        if (s.services.dialogs) s.services.dialogs->msgBox(RoomFullText, platform::vbOKOnly, RoomFullTitle);
        Unload();
        return;
    }
    // Neither entered nor full: the dialog stays, and the player may try again or cancel.
    if (read.outcome != EntryRead::Outcome::Entered) return;

    const std::string& gameId = read.gameId;
    engine::AddStatusLine(" ");
    engine::AddStatusLine("Game #" + gameId + " ready for play. Waiting for a player to join you.");
    engine::AddStatusLine("You will be notified when a player joins you.");
    engine::AddStatusLine("PLEASE WAIT!!");
    engine::PlaySoundEvent(s.SoundSystemMessage);
    c->Label13.Caption = "Waiting for Player";
    s.InetState = engine::InetWaiting;
    s.ComputerGame = 0;
    LeaveLanGame();
    setMailboxKeys(wire::Side::Host, gameId);
    // Nothing of an earlier opponent (or the computer) stays on the window while the player waits:
    // no tile, no name, no photo.
    engine::ReadyNetworkGame();
    engine::ClearOpponentPanel();
    c->inettimer.Enabled = true;
    Unload();
}

void EnterWaitingRoomDialog::Command2_Click() {
    Unload();
}

void EnterWaitingRoomDialog::Command3_Click() {
    ShowInternetGameHelp();
}

} // namespace netplay
