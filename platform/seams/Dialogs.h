#pragma once
// Message and input boxes: the program's modal questions and notices.
#include <string>

namespace platform {

// Button sets and icons, combined by addition as the game's windows write them.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};

// The button the player pressed.
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Shows prompt (line feeds break lines) with the buttons and icon of style; returns the button.
    virtual int msgBox(const std::string& prompt, int style, const std::string& title) = 0;
    // Asks for one line of text; Cancel or closing the box gives the empty text.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
};

} // namespace platform
