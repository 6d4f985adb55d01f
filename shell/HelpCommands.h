#pragma once
// The help commands of the menu, the toolbar, the quick rules and the About window: each hands
// the help file, the command and (where one is used) the topic to the common dialog.
#include "platform/ui/CommonDialog.h"

namespace shell {

// Help commands as the help viewer takes them.
enum HelpCommands : int {
    HelpContext = 1,       // a topic by its context number
    HelpShowContents = 3,  // the contents
    HelpPartialKey = 261,  // the keyword search, waiting for the first letters
};

// The one common dialog every help request of the shell goes through.
platform::ui::CommonDialog& helpDialog();

// Help file, then context (when the command uses one), then command; then open it.
void ShowHelpCommand(int command, int context = 0);

void ShowHelpContents();     // "Help Contents" (F1), toolbar "Help", quick rules' "Open Full Help"
void ShowHelpSearch();       // "&Search Help For.."
void ShowHelpFaq();          // "Frequently Asked Questions": topic 140
void ShowTechnicalSupport(); // "&Obtaining Technical Support" and the About link: topic 30

} // namespace shell
