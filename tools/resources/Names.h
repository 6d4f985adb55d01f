#pragma once
// The files the resource tool writes into the program folder, by the names the game loads them.
//
// Program folder:
//   bricks.bmp flowers.bmp forest.bmp Marble.bmp steel.bmp sunset.bmp undersea.bmp woody.bmp
//       board backgrounds, 618 x 449; the only .bmp files of the program folder, because every
//       .bmp there is offered as a board
//   sysmess.wav incoming.wav sent.wav dropped.wav dropped2.wav begin.wav app.wav missed.wav
//       the default sounds of the eight sound events, in event order
// Subfolder "pics" (the picture store):
//   blue_a.bmp .. blue_z.bmp, red_a.bmp .. red_z.bmp, yel_a.bmp .. yel_z.bmp   tiles, 32 x 32
//   onlight.bmp redlight.bmp offlight.bmp                                      lights, 12 x 12
//   soundon.bmp soundoff.bmp quickhelp.bmp                                     buttons, 26 x 25
//   photona.bmp pcplayer.bmp                                                   portraits, 100 x 85
//   logo.bmp                                                                   logo, 125 x 44
//   stats.bmp                  statistics window background with column titles, 420 x 330
//   directions.bmp             the four word directions (quick rules), 150 x 104
//   helpbanner.bmp             quick-rules banner, 300 x 40
//   aboutbanner.bmp            About window banner, 348 x 32
//   tb_computer.bmp tb_lan.bmp tb_internet.bmp tb_stats.bmp tb_user.bmp tb_settings.bmp
//   tb_wordlist.bmp tb_help.bmp tb_about.bmp tb_fullscreen.bmp tb_exit.bmp
//                              the menu strip's toolbar buttons in toolbar order, 24 x 24
//   busy0.bmp .. busy7.bmp     the frames of the waiting rooms' busy animation, 24 x 24
#include <array>
#include <string>
#include <string_view>

namespace tools::resources {

inline constexpr int BoardWidth = 618;
inline constexpr int BoardHeight = 449;
inline constexpr int TileSize = 32;

inline constexpr std::array<std::string_view, 8> BoardFiles = {
    "bricks.bmp", "flowers.bmp", "forest.bmp", "Marble.bmp",
    "steel.bmp",  "sunset.bmp",  "undersea.bmp", "woody.bmp"};

inline constexpr std::array<std::string_view, 8> SoundFiles = {
    "sysmess.wav", "incoming.wav", "sent.wav", "dropped.wav",
    "dropped2.wav", "begin.wav", "app.wav", "missed.wav"};

// Folder of the picture store, inside the program folder.
inline constexpr std::string_view PicturesFolder = "pics";

// The three tile sets of the store: "blue", "red", "yel".
inline constexpr std::array<std::string_view, 3> TileSets = {"blue", "red", "yel"};

// "pics/blue_a.bmp" for set "blue" and letter index 0; relative to the program folder.
inline std::string tileFile(std::string_view set, int letterIndex) {
    return std::string(PicturesFolder) + "/" + std::string(set) + "_" +
           static_cast<char>('a' + letterIndex) + ".bmp";
}

// "pics/onlight.bmp" for the store picture "onlight"; relative to the program folder.
inline std::string pictureFile(std::string_view picture) {
    return std::string(PicturesFolder) + "/" + std::string(picture) + ".bmp";
}

struct PictureSize {
    std::string_view name;
    int width;
    int height;
};

// Every single picture of the store besides the tiles.
inline constexpr std::array<PictureSize, 32> StorePictures = {{
    {"onlight", 12, 12},
    {"redlight", 12, 12},
    {"offlight", 12, 12},
    {"soundon", 26, 25},
    {"soundoff", 26, 25},
    {"quickhelp", 26, 25},
    {"photona", 100, 85},
    {"pcplayer", 100, 85},
    {"logo", 125, 44},
    {"stats", 420, 330},
    {"directions", 150, 104},
    {"helpbanner", 300, 40},
    {"aboutbanner", 348, 32},
    {"tb_computer", 24, 24},
    {"tb_lan", 24, 24},
    {"tb_internet", 24, 24},
    {"tb_stats", 24, 24},
    {"tb_user", 24, 24},
    {"tb_settings", 24, 24},
    {"tb_wordlist", 24, 24},
    {"tb_help", 24, 24},
    {"tb_about", 24, 24},
    {"tb_fullscreen", 24, 24},
    {"tb_exit", 24, 24},
    {"busy0", 24, 24},
    {"busy1", 24, 24},
    {"busy2", 24, 24},
    {"busy3", 24, 24},
    {"busy4", 24, 24},
    {"busy5", 24, 24},
    {"busy6", 24, 24},
    {"busy7", 24, 24},
}};

} // namespace tools::resources
