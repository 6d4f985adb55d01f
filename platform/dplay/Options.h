#pragma once
// The library's own settings, read once from "dplay.ini" beside the library (the program
// folder). With no file a host answers on every network of its machine, and a joiner is asked
// at each search which computer to search, the local network when he leaves the answer empty.
//
//   ; which addresses a joiner asks for sessions (host addresses, or the LAN's broadcast);
//   ; given, the joiner is never asked
//   Search=127.0.0.1
//   ; which address a host answers on (0.0.0.0: every network of this machine)
//   Listen=0.0.0.0
//   ; the first of the eight discovery ports
//   DiscoveryPort=51730
//   KeepAliveMs=1000
//   LossMs=6000
//   EnumTimeoutMs=1500
//   ; the joiner's last answer, offered again at the next search (kept by the library)
//   LastSearch=
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace platform::dplay {

struct Options {
    // Empty: the joiner is asked where to search.
    std::vector<std::string> searchAddresses;
    std::string listenAddress = "0.0.0.0";
    std::uint16_t discoveryPort = 51730;
    std::uint16_t discoveryPortCount = 8;
    std::chrono::milliseconds keepAlive{1000};
    // A peer heard nothing from for this long is gone; also the limit for opening and joining.
    std::chrono::milliseconds lossAfter{6000};
    // Used when an enumeration asks for a time-out of 0.
    std::chrono::milliseconds enumTimeout{1500};
    // The joiner's last answer to the question where to search.
    std::string lastSearch;
    // The file the last answer is kept in; empty: it is kept for this run only.
    std::filesystem::path settingsFile;
};

inline constexpr char kSettingsFile[] = "dplay.ini";

// Reads the settings text; unknown keys and unreadable values keep the defaults.
Options parseOptions(std::string_view text);

// The settings in force: read from the settings file on first use, unless set before.
Options currentOptions();
// Replaces the settings for sessions made from now on (tests and the benchmark use it).
void setOptions(const Options& options);

// Keeps the joiner's answer for the next question: in the settings in force and, under its own
// key, in the given settings file, whose other lines stay as they are.
void keepLastSearch(const std::filesystem::path& file, const std::string& answer);

} // namespace platform::dplay
