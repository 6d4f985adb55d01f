#include "window/ChatLine.h"

#include "engine/Shared.h"
#include "engine/State.h"
#include "netplay/InetPlay.h"
#include "netplay/LanMessages.h"

namespace window {

namespace {

// A LAN opponent hears the line here: the chat message "m" & line, not trimmed, from the own seat
// to the other one.
void sendLanChat(const std::string& line) { netplay::SendLanChat(line); }

} // namespace

void SendChatLine(platform::ui::TextBox& ChatText) {
    engine::State& s = engine::state();
    if (s.LanGame != 1 && s.InetState != engine::InetPlaying) {
        // Nobody to talk to: against the computer, while waiting in the room, or with no game.
        ChatText.Text = "";
        return;
    }
    const std::string line = ChatText.Text;
    if (line.empty()) return;
    engine::AddStatusLine("Sent: " + line);
    if (s.LanGame == 1) {
        sendLanChat(line);
        engine::PlaySoundEvent(s.SoundChatSent);
    }
    if (s.InetState == engine::InetPlaying) netplay::PostInternetChat(line);
    ChatText.Text = "";
}

} // namespace window
