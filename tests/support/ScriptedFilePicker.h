#pragma once
// The common dialog's file-open box, answered from a script; records every opening.
#include "platform/ui/CommonDialog.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class ScriptedFilePicker final : public platform::ui::FilePicker {
public:
    struct Opened {
        std::string title, filter, initialFolder;
    };
    std::vector<Opened> opened;
    // Next answers: a path, or nothing for Cancel. Empty script: Cancel.
    std::deque<std::optional<std::string>> answers;
    // Runs while the box is open (a player wandering off to another folder, say).
    std::function<void()> whileOpen;

    std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                        const std::string& initialFolder) override {
        opened.push_back({title, filter, initialFolder});
        if (whileOpen) whileOpen();
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace testing_support
