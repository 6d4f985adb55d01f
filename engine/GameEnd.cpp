#include "engine/GameEnd.h"

#include "engine/Board.h"
#include "engine/GameControls.h"
#include "engine/GameOverSeam.h"
#include "engine/Shared.h"
#include "engine/State.h"

#include <cctype>
#include <cstdlib>

namespace engine {

namespace {

constexpr const char* ResultNotSaved = "The game result could not be saved";

// The number a caption begins with: blanks skipped, an optional sign, then digits; 0 when none.
long long leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        if (value > 100000000000000LL) break;   // far beyond any count of games
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

} // namespace

void BumpCounterCaption(platform::ui::Label& label) {
    label.Caption = std::to_string(leadingNumber(label.Caption.get()) + 1);
}

void CountResult(const std::string& Key, GameResult Result) {
    PlayerFile file(systemFileOps());
    if (file.count(Key, Result, state().PlayerRec)) return;
    if (file.problem() != FileProblem::None) return TellPlayerFileProblem(file, ResultNotSaved);
    // The game's own files always hold the computer's record; without it (a damaged or foreign
    // file) every game against the computer would go uncounted, game after game, unseen.
    if (Key == ComputerRecordName && file.exists())
        AddStatusLine(std::string("System Message: ") + ResultNotSaved + ": " + PlayersFileName + " has no \"" +
                      ComputerRecordName + "\" record.");
}

void TellPlayerFileProblem(const PlayerFile& File, const std::string& Lead) {
    if (!state().controls) return ShowPlayerFileProblem(File, Lead);
    const std::string problem = problemText(File);
    AddStatusLine("System Message: " + (Lead.empty() ? problem : Lead + ": " + problem) + ".");
}

void ShowPlayerFileProblem(const PlayerFile& File, const std::string& Lead) {
    const std::string problem = problemText(File);
    if (platform::Dialogs* dialogs = state().services.dialogs)
        dialogs->msgBox((Lead.empty() ? std::string() : Lead + ".\n\n") + problem +
                            ". It has been left as it was.\n\nPlease check the file in the Tessarine folder.",
                        platform::vbOKOnly, PlayerFileErrorTitle);
}

void ShowWinningWord(int Cell1, int Cell2, int Cell3, int Cell4) {
    State& s = state();
    GameControls& c = *s.controls;
    for (int cell : {Cell1, Cell2, Cell3, Cell4}) {
        const int letter = letterIndex(c.Hole(cell).Tag.get());
        if (letter >= 0) c.Hole(cell).Picture = c.Pics.yel(letter).Picture;
    }
    if (s.GameOver != 1) return;

    const bool localPlayerWon = s.TurnName == s.UserName;
    BumpCounterCaption(c.Label9);
    BumpCounterCaption(localPlayerWon ? c.Label11 : c.Label10);

    if (s.Player2Name == ComputerRecordName) {
        // Against the computer only its record counts, from the computer's side.
        CountResult(ComputerRecordName, localPlayerWon ? GameResult::Lost : GameResult::Won);
    } else {
        CountResult(s.UserName, localPlayerWon ? GameResult::Won : GameResult::Lost);
    }
    ShowGameOver(GameEnding::Win);
}

void RoundDecided() {
    State& s = state();
    s.OwnMoveDelivered = 0;
    s.OpponentMoveReceived = 0;
    if (GameControls* c = s.controls)
        if (c->lantimer.Enabled && s.LanGame != 1) c->lantimer.Enabled = false;
}

namespace {

void blankCellsAndRack(int cells) {
    State& s = state();
    GameControls& c = *s.controls;
    for (int cell = 0; cell < cells; ++cell) {
        c.Hole(cell).Picture = c.Blank.Picture;
        c.Hole(cell).Tag = c.Blank.Tag;
    }
    for (ui::Image* tile : c.rack()) {
        tile->Picture = c.Blank.Picture;
        tile->Tag = c.Blank.Tag;
    }
    s.GameOver = 0;
}

} // namespace

void ResetBoard() {
    if (state().GameOver != 1) return;
    blankCellsAndRack(CellCount);
}

void BlankBoard() {
    if (!state().controls) return;
    blankCellsAndRack(HoleCount);
}

void ClearOpponentPanel() {
    GameControls* c = state().controls;
    if (!c) return;
    for (ui::Label* label : {&c->Label7, &c->Label8, &c->Label9, &c->Label10, &c->Label11, &c->Label12})
        label->Caption = "";
    c->Picture1.Picture = c->Pics.photona.Picture;
}

} // namespace engine
