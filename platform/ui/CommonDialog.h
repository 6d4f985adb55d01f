#pragma once
// The common dialog control: the file-open dialog and the help viewer, as the game's windows ask
// for them. The dialogs themselves come through seams the program (or a test) installs.
#include "platform/ui/Control.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace platform::ui {

// Shows a file-open dialog. filter is "Text (*.ext)|*.ext[|...]"; returns the full path of the
// chosen file, or nothing when the player cancels.
class FilePicker {
public:
    virtual ~FilePicker() = default;
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& filter,
                                                const std::string& initialFolder) = 0;
};

void setFilePicker(FilePicker* picker);
FilePicker* filePicker();

// Shows help: the file, the help command (1 a topic, 3 the contents, 261 the search) and the
// topic number.
using HelpViewer = std::function<void(const std::string& file, int command, int context)>;
void setHelpViewer(HelpViewer viewer);

class CommonDialog : public Control {
public:
    explicit CommonDialog(std::string name, int index = -1) : Control(Kind::CommonDialog, std::move(name), index) {}
    Property<std::string> DialogTitle{this};
    Property<std::string> Filter{this};
    Property<std::string> InitDir{this};
    Property<std::string> FileName{this};
    Property<std::string> HelpFile{this};
    Property<int> HelpContext{this, 0};
    Property<int> HelpCommand{this, 0};

    // The file-open dialog. True with FileName set to the chosen path; false (FileName unchanged)
    // when the player cancels or no dialog can be shown. Whatever the dialog does to the current
    // folder, the folder current before it is current again afterwards.
    bool ShowOpen();
    // Hands HelpFile, HelpCommand and HelpContext to the help viewer.
    void ShowHelp();
};

} // namespace platform::ui
