#pragma once
// The program folder and file names. Data files sit beside the executable and are opened by bare
// name; the game writes names in mixed case ("Marble.bmp", "marble.bmp"), so every name is matched
// against the folder without regard to case, here and nowhere else.
#include <filesystem>
#include <string>

namespace platform::ui {

// The folder of the running executable (or what setProgramFolder set).
std::filesystem::path programFolder();
void setProgramFolder(const std::filesystem::path& folder);

// The path of the existing file that name means, relative to the current folder or absolute:
// the exact name when it exists, else the one entry of its folder that equals it without regard
// to case (the first in name order when several do). A name nothing matches comes back unchanged.
std::string resolveFileName(const std::string& name);

} // namespace platform::ui
