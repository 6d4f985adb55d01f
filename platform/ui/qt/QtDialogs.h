#pragma once
// The real message and input boxes: modal Qt dialogs with the buttons and icon the style asks for.
#include "platform/seams/Dialogs.h"
#include "platform/ui/CommonDialog.h"
#include "platform/ui/LinePrompt.h"

namespace platform::ui::qt {

class QtDialogs final : public platform::Dialogs {
public:
    int msgBox(const std::string& prompt, int style, const std::string& title) override;
    std::string inputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
};

// The real one-line question: a small modal box with the edit box, OK and Cancel.
class QtLinePrompt final : public platform::ui::LinePrompt {
public:
    std::optional<std::string> ask(const std::string& title, const std::string& prompt,
                                   const std::string& text) override;
};

// The real file-open dialog of the common dialog control.
class QtFilePicker final : public platform::ui::FilePicker {
public:
    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& initialFolder) override;
};

} // namespace platform::ui::qt
