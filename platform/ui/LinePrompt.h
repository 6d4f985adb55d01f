#pragma once
// A small modal dialog that asks the player for one line of text, for code beneath the windows
// (such as a library the game loads at run time) that must ask something itself. The program
// installs the real dialog at start-up, a test its scripted stand-in. The slot lives in the
// shared library tessforms, so the game and every library it loads see the one dialog installed.
#include <optional>
#include <string>

namespace platform::ui {

class LinePrompt {
public:
    virtual ~LinePrompt() = default;
    // Shows title, prompt and an edit box holding text; the text as the player left it, or
    // nothing when he cancelled.
    virtual std::optional<std::string> ask(const std::string& title, const std::string& prompt,
                                           const std::string& text) = 0;
};

// With none installed, asking is cancelling: nothing ever waits for a dialog nobody can answer.
void setLinePrompt(LinePrompt* prompt);
LinePrompt* linePrompt();

} // namespace platform::ui
