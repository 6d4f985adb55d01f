#include "netplay/wire/Markers.h"

#include "platform/text/Blanks.h"

#include <array>

namespace netplay::wire {

namespace {

constexpr std::array<MarkerInfo, 17> kMarkers{{
    {Marker::SocketError, "Socket Error", 3},
    {Marker::FileNotFound, "FILE*NOT*FOUND", 1},
    {Marker::UnableToOpen, "Unable to open", 1},
    {Marker::WriteOk, "WRITE*OK", 1},
    {Marker::Full, "***--FULL--***", 2},
    {Marker::Entry, "***--ENTRY--***", 2},
    {Marker::BadPassword, "*BADPASSWORD*", 2},
    {Marker::Joined, "-JOINED-", 2},
    {Marker::Current, "*CURRENT*", 2},
    {Marker::Updated, "*UPDATED*", 2},
    {Marker::Chat, "*CHAT*", 2},
    {Marker::QuitGame, "QUIT*GAME", 2},
    {Marker::PicUrl, "*PICURL*", 2},
    {Marker::Move, "*MOVE*", 2},
    {Marker::PlayData, "PLAYDATA", 2},
    {Marker::StartGame, "START*GAME", 2},
    {Marker::MoreEntries, "*#*", 2},
}};

} // namespace

const MarkerInfo& markerInfo(Marker marker) { return kMarkers[static_cast<std::size_t>(marker)]; }

std::string_view markerText(Marker marker) { return markerInfo(marker).text; }

const MarkerInfo* markersBegin() { return kMarkers.data(); }
const MarkerInfo* markersEnd() { return kMarkers.data() + kMarkers.size(); }

std::size_t positionOf(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty() || from == 0 || from > text.size()) return 0;
    const auto found = text.find(needle, from - 1);
    return found == std::string_view::npos ? 0 : found + 1;
}

bool hasMarker(std::string_view reply, Marker marker) {
    const auto& info = markerInfo(marker);
    const auto position = positionOf(reply, info.text);
    return position != 0 && position >= info.firstCountingPosition;
}

std::optional<std::string_view> cut(std::string_view text, std::string_view open, std::string_view close,
                                    CutFrom from) {
    const auto p = positionOf(text, open, from.opener);
    if (p == 0) return std::nullopt;
    const auto q = positionOf(text, close, from.closerFromOpener ? p : from.opener);
    const auto start = p + open.size(); // 1-based position of the payload's first character
    if (q == 0 || q < start) return std::nullopt;
    return text.substr(start - 1, q - start);
}

std::string_view trimBlanks(std::string_view text) { return platform::text::trimBlanks(text); }

std::optional<std::string> cutTrimmed(std::string_view text, std::string_view open, std::string_view close,
                                      CutFrom from) {
    const auto payload = cut(text, open, close, from);
    if (!payload) return std::nullopt;
    return std::string(trimBlanks(*payload));
}

} // namespace netplay::wire
