#pragma once
// The real message and input boxes: modal Qt dialogs with the buttons and icon the style asks for.
#include "platform/seams/Dialogs.h"

namespace platform::ui::qt {

class QtDialogs final : public platform::Dialogs {
public:
    int msgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
};

} // namespace platform::ui::qt
