#include "shell/HelpCommands.h"

#include "shell/HelpTopics.h"

#include <string>

namespace shell {

platform::ui::CommonDialog& helpDialog() {
    // Lives for the whole run and outlasts every window, so it is never destroyed.
    static auto* dialog = new platform::ui::CommonDialog("CommonDialog1");
    return *dialog;
}

void ShowHelpCommand(int command, int context) {
    platform::ui::CommonDialog& dialog = helpDialog();
    dialog.HelpFile = std::string(kHelpFileName);
    if (command == HelpContext) dialog.HelpContext = context;
    dialog.HelpCommand = command;
    dialog.ShowHelp();
}

void ShowHelpContents() {
    ShowHelpCommand(HelpShowContents);
}

void ShowHelpSearch() {
    ShowHelpCommand(HelpPartialKey);
}

void ShowHelpFaq() {
    ShowHelpCommand(HelpContext, help_topic::kFaq);
}

void ShowTechnicalSupport() {
    ShowHelpCommand(HelpContext, help_topic::kTechnicalSupport);
}

} // namespace shell
