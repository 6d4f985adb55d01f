#pragma once
// The window "wordlist": every word of "wordlist.dic" with its definition, wrapped into a
// fixed-pitch list, and a search box that jumps to the first word starting with what is typed.
#include "platform/ui/Form.h"

namespace shell {

namespace ui = platform::ui;

class DictionaryWindow final : public ui::Form {
public:
    DictionaryWindow();

    ui::Label Label1{"Label1"};
    ui::TextBox Text1{"Text1"};
    ui::ListBox List1{"List1"};
    ui::Label Label2{"Label2"};
    ui::CommandButton wordviewclose{"wordviewclose"};

    void Form_Load() override;
    void Form_Resize() override;
    void Text1_Change();
    void wordviewclose_Click();
};

// The default instance: the first use loads the window.
DictionaryWindow& wordlist();
// The loaded window, or null; never loads it.
DictionaryWindow* wordlistIfLoaded();

inline constexpr const char* DictionaryFileName = "wordlist.dic";

} // namespace shell
