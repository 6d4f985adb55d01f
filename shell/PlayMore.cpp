#include "shell/PlayMore.h"

#include "engine/Dictionary.h"
#include "engine/GameControls.h"
#include "engine/GameEnd.h"
#include "engine/Round.h"
#include "engine/Shared.h"
#include "engine/State.h"
#include "platform/ui/Files.h"
#include "netplay/LanMessages.h"
#include "netplay/OpponentMove.h"
#include "window/LeaveInternet.h"
#include "window/MainWindow.h"

#include <fstream>

namespace shell {

namespace {

ui::FormSlot<PlayMore>& slot() {
    static ui::FormSlot<PlayMore> s;
    return s;
}

// How the game being shown ended; set just before the dialog loads.
engine::GameEnding& pendingEnding() {
    static engine::GameEnding ending = engine::GameEnding::Win;
    return ending;
}

class Dialog final : public engine::GameOverDialog {
public:
    void show(engine::GameEnding ending) override {
        pendingEnding() = ending;
        // A dialog still open from before takes the new result instead of opening twice.
        if (PlayMore* open = playmoreIfLoaded()) open->showResult(ending);
        // Owned by the main window, so it stays above it while the player chats or looks at
        // the board.
        playmore().Show(0, window::mainIfLoaded());
    }
    void close() override {
        if (PlayMore* open = playmoreIfLoaded()) open->Unload();
    }
};

// The winning word as the dictionary file spells it, and its definition; both empty when the
// word is not in the file or there is no file. Every record is searched, the last one included.
void lookUpDefinition(const std::string& winningWord, std::string& word, std::string& definition) {
    word.clear();
    definition.clear();
    if (!engine::FileExists(engine::WordListFile)) return;
    std::ifstream in(ui::resolveFileName(engine::WordListFile), std::ios::binary);
    const std::string key = engine::vbUCase(engine::trimBlanks(winningWord));
    const std::int32_t records = engine::wordRecordCount(ui::resolveFileName(engine::WordListFile));
    std::string bytes(engine::WordRecordLength, '\0');
    engine::State& s = engine::state();
    for (std::int32_t n = 1; n <= records; ++n) {
        if (!in.read(bytes.data(), engine::WordRecordLength)) return;
        s.WordRec = engine::decodeWordRecord(bytes);
        if (engine::vbUCase(engine::trimBlanks(s.WordRec.Word)) == key) {
            word = engine::trimBlanks(s.WordRec.Word);
            definition = engine::trimBlanks(s.WordRec.Definition);
            return;
        }
    }
}

} // namespace

PlayMore& playmore() {
    return slot()();
}

PlayMore* playmoreIfLoaded() {
    return slot().peek();
}

engine::GameOverDialog& playMoreDialog() {
    static Dialog dialog;
    return dialog;
}

PlayMore::PlayMore() : ui::Form("playmore") {
    layout();
    Command1.onClick = [this] { Command1_Click(); };
    Command2.onClick = [this] { Command2_Click(); };
}

void PlayMore::layout() {
    Caption = "Game Over";
    BorderStyle = ui::vbFixedDialog;
    Width = 6555;
    Height = 1215;

    Image1.Move(0, 0, 6555, 1215);
    Image1.Stretch = true;
    // The banner artwork is optional: without it the dialog shows its plain face.
    Image1.Picture = ui::Picture::load(engine::storePicturePath("gameover"));
    add(Image1);

    ui::Font bold;
    bold.bold = true;
    Label2.Move(120, 60, 5040, 240);
    Label2.Caption = PlayAgainQuestion;
    Label2.Font = bold;
    add(Label2);
    Label1.Move(120, 330, 5040, 840);
    Label1.WordWrap = true;
    add(Label1);

    Command1.Move(5280, 90, 1155, 465);
    Command1.Caption = "Yes";
    Command1.ToolTipText = "Play again.";
    add(Command1);
    Command2.Move(5280, 630, 1155, 465);
    Command2.Caption = "No";
    Command2.ToolTipText = "Stop playing.";
    add(Command2);
}

void PlayMore::Form_Load() {
    m_playingAgain = false;
    Width = 6555;
    Height = 1215;
    if (window::MainWindow* w = window::mainIfLoaded()) {
        Top = w->Top + 4710;
        Left = w->Left + 2280;
    }
    showResult(pendingEnding());
}

void PlayMore::showResult(engine::GameEnding ending) {
    // The way the game ended decides, not the board: a word made on the last free cell is a win.
    if (ending == engine::GameEnding::Draw) {
        Label1.Alignment = ui::Center;
        Label1.Caption = NoWinnerText;
        return;
    }
    const engine::State& s = engine::state();
    std::string word, definition;
    lookUpDefinition(s.WinningWord, word, definition);
    Label1.Alignment = ui::LeftJustify;
    Label1.Caption = "Winner is " + s.TurnName + " with word: " + word + " - " + definition;
}

void PlayMore::Form_Deactivate() {
    // The dialog stays in front until the player has answered, but the keyboard stays with the
    // window he clicked: a line typed into the chat box must not press a button of the dialog.
    if (loaded()) ZOrder(0);
}

void PlayMore::Form_QueryUnload(int& Cancel, int UnloadMode) {
    // Only an answer closes it, not the window manager.
    if (UnloadMode == ui::vbFormControlMenu) Cancel = 1;
}

void PlayMore::Form_Unload(int& Cancel) {
    (void)Cancel;
    // A move the opponent made for the next round is played only if this player plays it too;
    // closed any other way (stop, another game, another user, the opponent gone), it is dropped.
    if (!m_playingAgain) netplay::DropHeldMoves();
}

void PlayMore::Command1_Click() {
    engine::State& s = engine::state();
    // The opponent may have left while the dialog was open: there is no game left to play again.
    if (s.InetState == engine::InetIdle && s.LanGame == 0 && s.ComputerGame == 0) {
        Command2_Click();
        return;
    }
    s.RematchRound = 1;
    engine::ResetBoard();
    engine::StartRound();
    m_playingAgain = true;
    Unload();
    // The opponent may have begun this round already; his first move lands on the new board.
    netplay::PlayHeldMoves();
}

void PlayMore::Command2_Click() {
    engine::State& s = engine::state();
    // The opponent, who may already have asked for another round, is told that this player has
    // stopped: over the Internet by the quit record (an ended game is not counted again), on the
    // LAN by leaving the session.
    if (s.InetState == engine::InetPlaying) window::QuitInternetGameNow();
    netplay::LeaveLanGame();
    s.InetState = engine::InetIdle;
    s.LanGame = 0;
    s.ComputerGame = 0;
    engine::ResetBoard();
    engine::ClearOpponentPanel();
    if (engine::GameControls* c = s.controls) {
        // No game is left to drive: neither timer may tick into the idle program.
        c->lantimer.Enabled = false;
        c->inettimer.Enabled = false;
        c->Label13.Caption = "";
    }
    engine::AddStatusLine("Ready");
    Unload();
}

} // namespace shell
