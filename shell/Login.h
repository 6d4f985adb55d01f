#pragma once
// The login window "login": the first window of every run and the way back to choosing a
// player. A known name (with its password) loads that player's profile and opens the main
// window; an unknown one opens the profile editor for a new player. Closing it ends the program.
#include "platform/ui/Choices.h"
#include "platform/ui/Form.h"
#include "platform/ui/FormSlot.h"

#include <string>

namespace window {
class MainWindow;
}

namespace shell {

namespace ui = platform::ui;

class Login final : public ui::Form {
public:
    Login();

    ui::ComboBox Combo1{"Combo1"};
    ui::Label Label1{"Label1"};
    ui::TextBox Text1{"Text1"};
    ui::Label Label2{"Label2"};
    ui::CommandButton Command1{"Command1"};

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Combo1_Click();
    void Command1_Click();

private:
    void layout();
};

// The default instance: each opening after an unload is a fresh window.
Login& login();
Login* loginIfLoaded();

// Loads the profile in PlayerRec into the program-wide state and the main window's transfer
// control (log-on of a known name).
void LoadProfileFromRecord();

// The profile's way to the Internet, into the program-wide state and into the transfer control of
// main (when there is one): through the named proxy at address when on, straight otherwise.
void applyProxy(window::MainWindow* main, bool on, const std::string& address);

// A password is in force when the stored one, trimmed, is longer than 2 characters.
bool hasPasswordInForce(const std::string& storedPassword);

inline constexpr const char* LoginErrorTitle = "Login Error";
inline constexpr const char* EnterNameText = "Please enter or select your user name.";
inline constexpr const char* ReservedNameText = "Sorry, that user name is reserved for the computer opponent.";
inline constexpr const char* InvalidPasswordText = "Invalid Password. Please Try Again";
inline constexpr const char* NameTooLongText =
    "Sorry, a user name may have at most 25 characters. Please choose a shorter name.";
inline constexpr const char* NameCharactersText =
    "Sorry, a user name may only use letters, digits and the characters of Western European languages. "
    "Please choose another name.";

} // namespace shell
