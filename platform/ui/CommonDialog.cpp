#include "platform/ui/CommonDialog.h"

#include "platform/ui/Desktop.h"
#include "platform/ui/Files.h"

#include <system_error>

namespace platform::ui {

namespace {

FilePicker*& pickerSlot() {
    static FilePicker* picker = nullptr;
    return picker;
}

HelpViewer& viewerSlot() {
    static HelpViewer viewer;
    return viewer;
}

} // namespace

void setFilePicker(FilePicker* picker) {
    pickerSlot() = picker;
}

FilePicker* filePicker() {
    return pickerSlot();
}

void setHelpViewer(HelpViewer viewer) {
    viewerSlot() = std::move(viewer);
}

bool CommonDialog::ShowOpen() {
    FilePicker* picker = filePicker();
    if (!picker) return false;
    std::error_code error;
    const std::filesystem::path before = std::filesystem::current_path(error);
    std::optional<std::string> chosen;
    Desktop::instance().dispatch([&] { chosen = picker->openFile(DialogTitle, Filter, InitDir); });
    // The player may have wandered through other folders; data files open by bare name.
    if (!error) std::filesystem::current_path(before, error);
    if (!chosen) return false;
    FileName = *chosen;
    return true;
}

void CommonDialog::ShowHelp() {
    if (const HelpViewer& viewer = viewerSlot()) viewer(resolveFileName(HelpFile), HelpCommand, HelpContext);
}

} // namespace platform::ui
