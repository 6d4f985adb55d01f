#pragma once
// The game-over dialog "playmore": who won with which word and what it means, or that nobody
// won, and the question whether to play again. It keeps itself in front until one of its two
// buttons is clicked.
#include "engine/GameOverSeam.h"
#include "platform/ui/Form.h"
#include "platform/ui/FormSlot.h"

namespace shell {

namespace ui = platform::ui;

class PlayMore final : public ui::Form {
public:
    PlayMore();

    ui::Image Image1{"Image1"};             // the banner
    ui::Label Label2{"Label2"};             // the question
    ui::Label Label1{"Label1"};             // the result
    ui::CommandButton Command1{"Command1"}; // play again
    ui::CommandButton Command2{"Command2"}; // stop

    void Form_Load() override;
    void Form_Deactivate() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Command1_Click();
    void Command2_Click();

    // Fills the result label for the way the game ended.
    void showResult(engine::GameEnding ending);

private:
    void layout();

    bool m_playingAgain = false;   // closed by "Play Again": the held moves are the new round's
};

// The default instance: the first use loads the dialog.
PlayMore& playmore();
// The loaded dialog, or null; never loads it.
PlayMore* playmoreIfLoaded();

// What the game rules open when a game ends; the program registers it at start-up.
engine::GameOverDialog& playMoreDialog();

inline constexpr const char* PlayAgainQuestion = "Game Over. Would You Like To Play Again?";
inline constexpr const char* NoWinnerText = "Game Over. No Winner.";

} // namespace shell
