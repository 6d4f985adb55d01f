#pragma once
// The main window's controls that the game's procedures read and write: the board cells, the
// empty-cell marker, the rack, the opponent panel, the turn caption, the status list, the transfer
// light, the two timers and the transfer control, and the hidden picture store. The main window
// derives from this structure, lays the controls out and registers it (state().controls) when it
// loads; the game procedures reach the window only through it.
#include "platform/inet/Inet.h"
#include "platform/ui/Control.h"
#include "platform/ui/Timer.h"

#include <array>

namespace engine {

namespace ui = platform::ui;

// The picture store: tiles in three colours (each element's Tag is its letter), the transfer
// lights, the two sound-button pictures and the two portraits. Never shown; loaded on first use
// from the program folder, kept for the run. A picture file that is missing leaves no picture.
struct PictureStore {
    PictureStore();
    PictureStore(const PictureStore&) = delete;
    PictureStore& operator=(const PictureStore&) = delete;

    ui::ControlArray<ui::Image> blue{"blue", 26};
    ui::ControlArray<ui::Image> red{"red", 26};
    ui::ControlArray<ui::Image> yel{"yel", 26};
    ui::Image onlight{"onlight"};
    ui::Image redlight{"redlight"};
    ui::Image offlight{"offlight"};
    ui::Image photona{"photona"};
    ui::Image pcplayer{"pcplayer"};
    ui::Image soundon{"soundon"};
    ui::Image soundoff{"soundoff"};
};

// The one picture store.
PictureStore& Pics();

// Where the store's and the window's own pictures lie: "pics/<name>.bmp" in the program folder.
std::string storePicturePath(const std::string& name);

// The frames of the small animation the waiting-room windows run while they contact the server.
std::vector<ui::Picture> busyAnimationFrames();

struct GameControls {
    // transfer: the client the transfer control fetches with (the program's HTTP client).
    explicit GameControls(platform::HttpClient& transfer);
    virtual ~GameControls();
    GameControls(const GameControls&) = delete;
    GameControls& operator=(const GameControls&) = delete;

    ui::ControlArray<ui::Image> Hole{"Hole", 49};   // 0..41 the board, 42..48 the drop row
    ui::Image Blank{"Blank"};
    ui::Image Image1{"Image1"}, Image2{"Image2"}, Image3{"Image3"}, Image4{"Image4"};
    ui::Image Image5{"Image5"}, Image6{"Image6"}, Image7{"Image7"}, Image8{"Image8"};
    ui::Label Label7{"Label7"}, Label8{"Label8"}, Label9{"Label9"}, Label10{"Label10"};
    ui::Label Label11{"Label11"}, Label12{"Label12"}, Label13{"Label13"}, Label14{"Label14"};
    ui::PictureBox Picture1{"Picture1"};
    ui::ListBox StatusText{"StatusText"};
    ui::Image light{"light"};
    ui::Timer lantimer{"lantimer"};
    ui::Timer inettimer{"inettimer"};
    platform::inet::Inet Inet1;
    PictureStore& Pics;

    // Image1..Image8, rack order.
    std::array<ui::Image*, 8> rack();
};

} // namespace engine
