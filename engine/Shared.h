#pragma once
// Small procedures that windows of every kind call: the sound of a game event, the program folder
// as current folder, putting the rack back after a refused drop, a line in the status list or in
// the waiting room's log, testing that a file can be read, and downloading a picture.
#include "engine/State.h"
#include "platform/inet/Inet.h"
#include "platform/ui/Control.h"

#include <array>
#include <string>

namespace engine {

// The eight sound events in their fixed order (profile editor rows, player record fields).
struct SoundEventInfo {
    const char* displayText;
    const char* defaultFile;
    std::string State::*variable;
};

inline const std::array<SoundEventInfo, 8> SoundEvents = {{
    {"Incoming System Message", "sysmess.wav", &State::SoundSystemMessage},
    {"Incoming Chat Message", "incoming.wav", &State::SoundChatIn},
    {"Chat Message Sent", "sent.wav", &State::SoundChatSent},
    {"Your Game Piece Drop", "dropped.wav", &State::SoundMyDrop},
    {"Opponents Game Piece Drop", "dropped2.wav", &State::SoundOpponentDrop},
    {"Game Ready To Play Notice", "begin.wav", &State::SoundGameReady},
    {"Game Over", "app.wav", &State::SoundGameOver},
    {"Game Play Error", "missed.wav", &State::SoundPlayError},
}};

// Plays the file asynchronously while SoundOn is 1; a missing file or "None" plays nothing.
void PlaySoundEvent(const std::string& FileName);

// Makes the program's own folder the current folder, so data files open by bare name.
void SetCurrentDirToAppPath();

// Shows the eight rack tiles again and plays the play-error sound.
void RestoreTiles();

// Appends a line to the main window's status list, keeps the last four lines in view and selects
// the new one.
void AddStatusLine(const std::string& Text);

// The same on the waiting room's log, keeping the last three lines in view; nothing while the
// waiting room has not registered its log.
void AddJoinLogLine(const std::string& Text);
// The waiting room registers its log list when it loads and clears it (nullptr) when it unloads.
void setJoinLog(platform::ui::ListBox* log);

// True only for a regular file that can be opened for reading.
bool FileExists(const std::string& Path);

// Fetches Url through the transfer control and writes the bytes, whole, to Folder under the
// name downloadFileName gives. Only a plain file name ending in .gif, .jpg or .bmp (any case) is
// written; a busy control returns false at once without a word; every other failure (no name,
// a name that is not a plain picture name, a failed transfer or an HTTP error status, a file that
// cannot be written) shows "Preview Error" and returns false, leaving no file behind.
bool DownloadFile(platform::inet::Inet& Transfer, const std::string& Url, const std::string& Folder);

// The name DownloadFile stores an address under: the last segment of its path, without the
// "?query" or "#fragment" that follows it; empty when the address has no path.
std::string downloadFileName(const std::string& Url);

// True for a plain file name (no folder part, not "." or "..") ending in .gif, .jpg or .bmp.
bool isDownloadablePictureName(const std::string& name);

} // namespace engine
