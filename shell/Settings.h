#pragma once
// The profile editor "settings": every field of the player's record but the counters, on three
// tabs (profile, game settings, connections). It opens for a new player from the login window
// and for the logged-on player from the menu; its Save and Delete end the editing session.
#include "platform/activex/HostedControl.h"
#include "platform/ui/Choices.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Form.h"
#include "platform/ui/FormSlot.h"

#include <functional>
#include <string>
#include <vector>

namespace shell {

namespace ui = platform::ui;

class Settings final : public ui::Form {
public:
    Settings();

    ui::TabStrip SSTab1{"SSTab1"};
    ui::CommandButton Command2{"Command2"};         // Save this profile
    ui::CommandButton Command3{"Command3"};         // Delete this profile; enabled = existing profile
    ui::CommandButton CancelSettings{"CancelSettings"};
    ui::CommandButton Command7{"Command7"};         // Help

    // Tab 0, "Player Profiles".
    ui::Label Label3{"Label3"}, Label15{"Label15"};
    ui::Label Label4{"Label4"};
    ui::TextBox Text2{"Text2"};
    ui::Label Label11{"Label11"};
    ui::TextBox Text4{"Text4"};
    ui::Label Label12{"Label12"};
    ui::Label Label14{"Label14"};
    ui::TextBox Text5{"Text5"};
    ui::OptionButton Option1{"Option1"}, Option2{"Option2"};
    ui::TextBox Text1{"Text1"};
    ui::Label Label2{"Label2"}, Label8{"Label8"};
    ui::PictureBox Picture1{"Picture1"};
    ui::CommandButton Command1{"Command1"};

    // Tab 1, "Game Settings".
    ui::Frame Frame1{"Frame1"}, Frame2{"Frame2"}, Frame3{"Frame3"};
    ui::Label Label9{"Label9"};
    ui::ListBox List2{"List2"};
    ui::Label Label10{"Label10"};
    ui::ComboBox Combo2{"Combo2"};
    ui::CommandButton Command4{"Command4"}, Command5{"Command5"}, Command6{"Command6"};
    ui::Label Label13{"Label13"};
    ui::ListBox List3{"List3"};
    ui::FileListBox File1{"File1"};
    ui::Image Image1{"Image1"};
    ui::OptionButton Option3{"Option3"}, Option4{"Option4"}, Option5{"Option5"};

    // Tab 2, "Connections".
    ui::Label Label6{"Label6"}, Label5{"Label5"};
    ui::CheckBox Check1{"Check1"};
    ui::Label Label16{"Label16"};
    ui::ListBox List1{"List1"};
    ui::Label Label7{"Label7"};
    ui::CheckBox Option21{"Option21"};
    ui::Label Label52{"Label52"};
    ui::TextBox Text3{"Text3"};
    ui::Label Label54{"Label54"};
    ui::PictureBox Picture2{"Picture2"};
    // The network library's control, invisible; its guidSession is saved empty with the window.
    ui::HostedControl kvPlay1{"kvPlay1", u"kvPlay.kvPlay", {{u"guidSession", u""}}};

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Command1_Click();
    void List2_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void List3_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Option5_Click();
    void Check1_Click();
    void Text5_Change();
    void Command7_Click();
    void CancelSettings_Click();
    void Command2_Click();   // Save (SettingsSave.cpp)
    void Command3_Click();   // Delete (SettingsSave.cpp)

    bool existingProfile() const { return Command3.Enabled; }

private:
    void layout();
    void wire();
    void setPhotoControls(bool enabled);
    void showBoard(const std::string& fileName);
};

// The default instance: each opening after an unload is a fresh window.
Settings& settings();
Settings* settingsIfLoaded();

// The installed service providers' friendly names, in the provider collection's order; empty
// when the network library cannot be reached. The program's source asks the network library;
// a test installs its own.
using ProviderSource = std::function<std::vector<std::string>()>;
void setProviderSource(ProviderSource source);
std::vector<std::string> installedProviders();

// The sound file chosen in the file dialog as the profile keeps it: relative to the program
// folder when it lies inside it (below the folder and a separator), else the full path.
std::string soundNameFor(const std::string& chosenPath, const std::string& programFolder);

// The board's name as the list shows it: the file name up to its first ".bmp" (any other
// spelling of the extension is cut from the end).
std::string boardNameOf(const std::string& fileName);

inline constexpr const char* SoundFilter = "Sound File (*.wav)|*.wav";
inline constexpr const char* InvalidPhotoTitle = "Invalid Request";
std::string invalidPhotoText();

} // namespace shell
