#pragma once
// The help file and the topics the program opens by number: one table for every window that
// has a Help button or menu item.
#include <array>
#include <string_view>

namespace shell {

inline constexpr std::string_view kHelpFileName = "TESSARINE.HLP";

namespace help_topic {
inline constexpr int kTechnicalSupport = 30;  // "Obtaining Technical Support", the About link
inline constexpr int kLanGame = 70;           // the LAN connection, host and join windows
inline constexpr int kInternetGame = 80;      // the waiting room and entering it
inline constexpr int kProfileTab = 90;        // settings, "Player Profiles" tab
inline constexpr int kGameSettingsTab = 100;  // settings, "Game Settings" tab
inline constexpr int kConnectionsTab = 110;   // settings, any further tab
inline constexpr int kFaq = 140;              // "Frequently Asked Questions"
} // namespace help_topic

inline constexpr std::array<int, 7> kHelpContextsUsed = {
    help_topic::kTechnicalSupport, help_topic::kLanGame,          help_topic::kInternetGame,
    help_topic::kProfileTab,       help_topic::kGameSettingsTab, help_topic::kConnectionsTab,
    help_topic::kFaq};

} // namespace shell
