#pragma once
// The window "quickhelp": the rules on one page (the object of the game, how to play, the four
// word directions), a way on to the full help, and a close button. Unlike the About and
// statistics windows it stays open beside the game until one of its buttons is clicked.
#include "platform/ui/Containers.h"
#include "platform/ui/Form.h"

namespace shell {

namespace ui = platform::ui;

class QuickHelpWindow final : public ui::Form {
public:
    QuickHelpWindow();

    ui::Frame Frame1{"Frame1"};
    ui::Label Label1{"Label1"};
    ui::Frame Frame2{"Frame2"};
    ui::Label Label2{"Label2"};
    ui::Frame Frame3{"Frame3"};
    ui::Image Image1{"Image1"};   // the four directions
    ui::Label Label3{"Label3"};
    ui::Label Label4{"Label4"};
    ui::Image Image2{"Image2"};   // the banner
    ui::CommandButton Command2{"Command2"};
    ui::CommandButton Command1{"Command1"};

    void Form_Load() override;
    void Command1_Click();
    void Command2_Click();
};

QuickHelpWindow& quickhelp();
QuickHelpWindow* quickhelpIfLoaded();

namespace quick_texts {
inline constexpr const char* kObjectTitle = "Object Of Game";
inline constexpr const char* kObject =
    "The object of Tessarine is to be the first player to create a four letter word by dropping a "
    "selected letter into an empty space on the game board. The first player to complete a four "
    "letter word wins!";
inline constexpr const char* kHowTitle = "How To Play";
inline constexpr const char* kHow =
    "You may play Tessarine several ways. Run your mouse over the word Menu to activate the games "
    "menu system. Under the 'Game' heading, select to play against a LAN opponent, an Internet "
    "opponent or play against the computer. When it is your turn, click and hold a letter from your "
    "game piece area. Now drag the selected letter to the column in which you wish to drop it, then "
    "release the mouse button. Your letter will be dropped into place.";
inline constexpr const char* kDirectionTitle = "Word Direction";
inline constexpr const char* kDirections =
    "Words can be created in four directions:\n\n"
    "Vertical - Top to Bottom\n"
    "Horizonal - Left to Right\n"
    "Diagonal - Left to Right - Up\n"
    "Diagonal - Left to Right - Down";
inline constexpr const char* kSeeFullHelp = "See full help (F1) for more details,";
} // namespace quick_texts

// Pictures of the window, in the picture store's folder.
inline constexpr const char* DirectionsPicture = "directions";
inline constexpr const char* QuickHelpBanner = "helpbanner";

} // namespace shell
