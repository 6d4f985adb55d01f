#pragma once
// The windows the main window opens but that live in the application shell above it (the menu
// strip, the quick rules). The shell fills these when it starts; until then the buttons open
// nothing.
#include <functional>

namespace window {

struct ShellHooks {
    std::function<bool()> menuVisible;         // is the menu strip shown?
    std::function<void()> showMenu;            // show the menu strip, modeless
    std::function<void()> pointMenu;           // the same, opened by the pointer passing over Menu
    std::function<void()> hideAndUnloadMenu;   // hide and unload the menu strip
    std::function<void()> showQuickRules;      // show the quick rules, modeless
};

ShellHooks& shellHooks();

} // namespace window
