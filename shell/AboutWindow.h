#pragma once
// The window "about": the logo, the version, a few notices, and a link to the help topic on
// getting support. Like the statistics it goes as soon as the player clicks elsewhere.
#include "platform/ui/Form.h"

namespace shell {

namespace ui = platform::ui;

class AboutWindow final : public ui::Form {
public:
    AboutWindow();

    ui::Image Image1{"Image1"};   // the logo
    ui::Image Image2{"Image2"};   // the banner under it
    ui::Label Label1{"Label1"};
    ui::Label Label2{"Label2"};
    ui::Label Label4{"Label4"};
    ui::Label Label3{"Label3"};   // the link to the support topic
    ui::CommandButton Command1{"Command1"};

    void Form_Load() override;
    void Form_Deactivate() override;
    void Command1_Click();
    void Label3_Click();
};

AboutWindow& about();
AboutWindow* aboutIfLoaded();

namespace about_texts {
inline constexpr const char* kTitle = "Tessarine";
inline constexpr const char* kGame = "A four-letter word game for two players: against the computer, "
                                     "on the local network or over the Internet.";
inline constexpr const char* kNotice =
    "Tessarine is free software. Its dictionary draws on WordNet 3.0 of Princeton University and "
    "the SCOWL word list; their licence notices lie in the Tessarine folder.";
inline constexpr const char* kSupportLink = "Obtaining Technical Support";
} // namespace about_texts

inline constexpr const char* AboutBanner = "aboutbanner";

} // namespace shell
