#pragma once
// What the game server's answer to "is this version current?" means, and every text the check
// shows, kept in one place for the menu command that runs it.
#include <cstddef>
#include <string>
#include <string_view>

namespace shell {

inline constexpr std::string_view kCurrentMarker = "*CURRENT*";
inline constexpr std::string_view kUpdatedMarker = "*UPDATED*";

// The server script asked and the time-outs around it: the check waits 15 s and then puts the
// transfer back to the 60 s every other request expects, whatever happened.
inline constexpr std::string_view kUpdatesScript = "updates";
inline constexpr int kUpdateTimeoutSeconds = 15;
inline constexpr int kNormalTimeoutSeconds = 60;

// The updater that replaces the game; started by name from the program folder.
inline constexpr std::string_view kUpdaterProgram = "tsrupdate.exe";

enum class UpdateVerdict {
    Current,  // "*CURRENT*" after the first character (wins over "*UPDATED*")
    Updated,  // "*UPDATED*" after the first character
    Failed,   // neither marker where it counts: no reply, an error page, a marker at position 1
};

// 1-based position of the first occurrence of marker in text, case-sensitive; 0 when absent.
std::size_t markerPosition(std::string_view text, std::string_view marker);

UpdateVerdict interpretUpdateReply(std::string_view reply);

namespace update_texts {
inline constexpr std::string_view kChecking = "Checking server for updates...please wait.";
inline constexpr std::string_view kCurrentBox = "This version is up-to-date!";
inline constexpr std::string_view kCurrentTitle = "Update Check Complete.";
inline constexpr std::string_view kCurrentLine = "Update check complete. You are current.";
inline constexpr std::string_view kUpdatedTitle = "Live Update";
inline constexpr std::string_view kUpdatedQuestion =
    "Tessarine Live Update has detected a new version is available.\n\n"
    "Would you like Live Update to download and install the latest version now?";
inline constexpr std::string_view kNotCurrentLine = "Update check complete. Your version NOT current.";
inline constexpr std::string_view kFailedLine =
    "Update check failed. Please check your internet connection and try later.";
// Shown when the updater is missing or will not start; the game then simply keeps running.
inline constexpr std::string_view kUpdaterMissingTitle = "Live Update";
inline constexpr std::string_view kUpdaterMissingBox =
    "Tessarine Live Update could not be started: the program \"tsrupdate.exe\" was not found in "
    "the Tessarine folder or would not run.\n\nYou can keep playing this version.";
} // namespace update_texts

} // namespace shell
