#include "shell/DictionaryWindow.h"

#include "engine/Shared.h"
#include "engine/State.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/Files.h"
#include "platform/ui/FormSlot.h"
#include "shell/DictionaryLines.h"
#include "window/MainWindow.h"

#include <fstream>
#include <iterator>

namespace shell {

namespace {

ui::FormSlot<DictionaryWindow>& slot() {
    static ui::FormSlot<DictionaryWindow> s;
    return s;
}

std::string readWholeFile(const std::string& name) {
    std::ifstream in(ui::resolveFileName(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

DictionaryWindow& wordlist() {
    return slot()();
}

DictionaryWindow* wordlistIfLoaded() {
    return slot().peek();
}

DictionaryWindow::DictionaryWindow() : ui::Form("wordlist") {
    Caption = "Tessarine - Game Dictionary";
    BorderStyle = ui::vbSizable;
    Width = 9750;
    Height = 7020;

    Label1.Caption = "Search for word:";
    Label1.Move(120, 150, 1500, 285);
    add(Label1);

    Text1.Move(1650, 105, 1500, 315);
    Text1.onChange = [this] { Text1_Change(); };
    add(Text1);

    ui::Font courier;
    courier.name = "Courier New";
    courier.size = 9;
    List1.Font = courier;
    List1.Move(120, 525, 9510, 4980);
    add(List1);

    Label2.Move(120, 5640, 7620, 1260);
    add(Label2);

    wordviewclose.Caption = "Close Window";
    wordviewclose.Move(7920, 5880, 1710, 450);
    wordviewclose.onClick = [this] { wordviewclose_Click(); };
    add(wordviewclose);
}

void DictionaryWindow::Form_Load() {
    Left = (ui::Desktop::instance().screenWidth() - Width) / 2;
    if (window::MainWindow* mainWindow = window::mainIfLoaded()) Top = mainWindow->Top.get();

    int count = 0;
    if (engine::FileExists(DictionaryFileName)) {
        DictionaryListing listing = listDictionary(readWholeFile(DictionaryFileName));
        count = listing.wordCount;
        // Filled while out of the window's list of controls, so the screen draws the whole list
        // once instead of once for every line added.
        remove(List1);
        for (std::string& line : listing.lines) {
            // The blank padding of the record's field is not part of what the player reads.
            line.erase(line.find_last_not_of(' ') + 1);
            List1.AddItem(line);
        }
        add(List1);
        List1.TopIndex = 0;
    } else {
        engine::state().services.dialogs->msgBox("Error! Word List File Not Found.", platform::vbOKOnly,
                                                  "File Not Found");
    }
    Label2.Caption = dictionaryNote(count);
}

void DictionaryWindow::Form_Resize() {
    if (Width > 300) {
        List1.Width = Width - 240;
        List1.Left = 120;
    }
}

void DictionaryWindow::Text1_Change() {
    const auto found = findWordLine(List1.items(), Text1.Text.get());
    if (!found) return;
    const int row = static_cast<int>(*found);
    List1.TopIndex = row;
    List1.ListIndex = row;
}

void DictionaryWindow::wordviewclose_Click() {
    Unload();
}

} // namespace shell
