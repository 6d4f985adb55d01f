#pragma once
// The game-over dialog is a window of the shell; the rules reach it through this seam, which the
// shell fills at start-up.
namespace engine {

// How the game ended: the dialog names the winner after a word, "No Winner" after a full board
// (also when the word was made on the last free cell, which is a win).
enum class GameEnding { Win, Draw };

class GameOverDialog {
public:
    virtual ~GameOverDialog() = default;
    // Shows the dialog, modeless.
    virtual void show(GameEnding ending) = 0;
    // Takes the dialog away unanswered: the game it asks about has been left for another.
    virtual void close() {}
};

// The shell registers its dialog; nullptr unregisters it.
void setGameOverDialog(GameOverDialog* dialog);

// Shows the registered dialog (nothing when none is registered, as in tests of other rules).
void ShowGameOver(GameEnding ending);

// Closes the registered dialog when it is open.
void CloseGameOver();

} // namespace engine
