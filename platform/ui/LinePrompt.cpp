// The one line-prompt slot of the process; built into the shared tessforms library so that the
// game and the libraries it loads at run time see the same slot.
#include "platform/ui/LinePrompt.h"

namespace platform::ui {

namespace {
LinePrompt* g_prompt = nullptr;
}

void setLinePrompt(LinePrompt* prompt) {
    g_prompt = prompt;
}

LinePrompt* linePrompt() {
    return g_prompt;
}

} // namespace platform::ui
