#include "shell/GameStart.h"

#include "engine/GameEnd.h"
#include "engine/GameOverSeam.h"
#include "engine/Round.h"
#include "engine/State.h"
#include "engine/playerfile/PlayerFile.h"
#include "netplay/LanMessages.h"
#include "shell/MenuActions.h"
#include "shell/MenuForm.h"
#include "window/LeaveInternet.h"
#include "window/MainWindow.h"

namespace shell {

using engine::PlayerField;

void mnuplaycomputer_Click() {
    if (!window::ConfirmLeaveInternet(window::CurrentlyPlayingText, false)) return;
    engine::State& s = engine::state();
    window::MainWindow& m = window::main();
    // A game-over dialog still open belongs to the game this one replaces.
    engine::CloseGameOver();
    // A game against the computer already under way keeps its board (the reset only clears an
    // ended one); after a LAN or Internet game the computer gets a blank board, never the tiles of
    // another opponent. A LAN opponent hears at once that this player has gone.
    if (s.ComputerGame == 1) {
        engine::ResetBoard();
    } else {
        netplay::LeaveLanGame();
        engine::BlankBoard();
    }
    s.Player1Name = s.UserName;
    s.MyColour = "blue";
    s.PlayerNumber = 1;
    s.Player2Name = engine::ComputerName;
    s.ComputerGame = 1;
    s.LanGame = 0;

    m.Label7.Caption = s.Player2Name;
    m.Label8.Caption = ComputerLocation;
    m.lantimer.Enabled = true;
    m.Picture1.Picture = m.Pics.pcplayer.Picture;
    engine::PlayerFile file;
    if (file.find(engine::ComputerName, s.PlayerRec) > 0) {
        m.Label10.Caption = std::to_string(s.PlayerRec.number(PlayerField::Won));
        m.Label11.Caption = std::to_string(s.PlayerRec.number(PlayerField::Lost));
        m.Label12.Caption = std::to_string(s.PlayerRec.number(PlayerField::Tied));
        m.Label9.Caption = std::to_string(s.PlayerRec.number(PlayerField::Played));
    }
    if (file.problem() != engine::FileProblem::None) engine::TellPlayerFileProblem(file);
    engine::StartRound();
    if (MenuForm* strip = menuformIfLoaded()) strip->Unload();
}

void mnuplayinet_Click() {
    if (!window::ConfirmLeaveInternet(window::AlreadyPlayingText, true)) return;
    ShowInternetWaitingRoom();
}

void mnuplaylan_Click() {
    if (!window::ConfirmLeaveInternet(window::CurrentlyPlayingText, false)) return;
    ShowLanProvider();
}

void mnuexit_Click() {
    if (!window::ConfirmLeaveInternet(window::CurrentlyPlayingText, false)) return;
    if (platform::ProgramExit* exit = engine::state().services.exit) exit->exitProgram();
}

} // namespace shell
