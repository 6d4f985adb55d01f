#pragma once
// The window "stats": every player's wins, losses and ties as a fixed-width table over a picture
// that carries the column titles. It is a glance, not a place to stay: it goes as soon as the
// player clicks anywhere else or on "Close Window".
#include "platform/ui/Form.h"

namespace shell {

namespace ui = platform::ui;

class StatsWindow final : public ui::Form {
public:
    StatsWindow();

    ui::ElasticContainer kvElastic1{"kvElastic1"};
    ui::ListBox List1{"List1"};
    ui::Label Label1{"Label1"};   // the close area over the picture's "Close Window"

    void Form_Load() override;
    void Form_Deactivate() override;
    void Label1_Click();
};

// The default instance: the first use loads the window.
StatsWindow& stats();
// The loaded window, or null; never loads it.
StatsWindow* statsIfLoaded();

// The picture behind the table, in the picture store's folder.
inline constexpr const char* StatsPicture = "stats";

} // namespace shell
