#pragma once
// The marker strings of the game server's replies, with the position from which each one counts,
// and the one bounded cut that reads a payload between two markers. The game and the server both
// read this table, so a marker is spelled in one place only.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace netplay::wire {

enum class Marker {
    SocketError,   // "Socket Error"
    FileNotFound,  // "FILE*NOT*FOUND"
    UnableToOpen,  // "Unable to open"
    WriteOk,       // "WRITE*OK"
    Full,          // "***--FULL--***"
    Entry,         // "***--ENTRY--***"
    BadPassword,   // "*BADPASSWORD*"
    Joined,        // "-JOINED-"
    Current,       // "*CURRENT*"
    Updated,       // "*UPDATED*"
    Chat,          // "*CHAT*"
    QuitGame,      // "QUIT*GAME"
    PicUrl,        // "*PICURL*"
    Move,          // "*MOVE*"
    PlayData,      // "PLAYDATA"
    StartGame,     // "START*GAME"
    MoreEntries,   // "*#*": the listing holds a further entry
};

struct MarkerInfo {
    Marker marker;
    std::string_view text;
    // The smallest 1-based position at which the marker counts: a server's own text at the very
    // start of a reply is never taken for a marker.
    std::size_t firstCountingPosition;
};

const MarkerInfo& markerInfo(Marker marker);
std::string_view markerText(Marker marker);

// Every marker of the table, in the order above.
const MarkerInfo* markersBegin();
const MarkerInfo* markersEnd();

// Case-sensitive search giving the 1-based position of the first occurrence at or after the
// 1-based position `from`; 0 when absent (also for an empty needle or `from` past the end).
std::size_t positionOf(std::string_view text, std::string_view needle, std::size_t from = 1);

// True when the reply carries the marker at a position where it counts.
bool hasMarker(std::string_view reply, Marker marker);

// Where the cut searches its two markers.
struct CutFrom {
    std::size_t opener = 1;       // 1-based start of the opener's search
    bool closerFromOpener = false; // search the closer from the opener's position, else from `opener`
};

// The text between the first `open` and the first `close`: absent when either is missing, or when
// the closer starts before the opener has ended. Never a negative length, never a read past the end.
std::optional<std::string_view> cut(std::string_view text, std::string_view open, std::string_view close,
                                    CutFrom from = {});

// The cut, trimmed of blanks at both ends.
std::optional<std::string> cutTrimmed(std::string_view text, std::string_view open, std::string_view close,
                                      CutFrom from = {});

// Blanks off both ends (only the blank character, as the game trims).
std::string_view trimBlanks(std::string_view text);

} // namespace netplay::wire
