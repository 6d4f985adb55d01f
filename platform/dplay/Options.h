#pragma once
// The library's own settings, read once from "dplay.ini" beside the library (the program
// folder). With no file, sessions are only looked for on this machine, so an unconfigured
// copy never sends anything to another address.
//
//   ; which addresses a joiner asks for sessions (host addresses, or the LAN's broadcast)
//   Search=127.0.0.1
//   ; which address a host answers on (0.0.0.0: every network of this machine)
//   Listen=127.0.0.1
//   ; the first of the eight discovery ports
//   DiscoveryPort=51730
//   KeepAliveMs=1000
//   LossMs=6000
//   EnumTimeoutMs=1500
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::dplay {

struct Options {
    std::vector<std::string> searchAddresses{"127.0.0.1"};
    std::string listenAddress = "127.0.0.1";
    std::uint16_t discoveryPort = 51730;
    std::uint16_t discoveryPortCount = 8;
    std::chrono::milliseconds keepAlive{1000};
    // A peer heard nothing from for this long is gone; also the limit for opening and joining.
    std::chrono::milliseconds lossAfter{6000};
    // Used when an enumeration asks for a time-out of 0.
    std::chrono::milliseconds enumTimeout{1500};
};

inline constexpr char kSettingsFile[] = "dplay.ini";

// Reads the settings text; unknown keys and unreadable values keep the defaults.
Options parseOptions(std::string_view text);

// The settings in force: read from the settings file on first use, unless set before.
Options currentOptions();
// Replaces the settings for sessions made from now on (tests and the benchmark use it).
void setOptions(const Options& options);

} // namespace platform::dplay
