#pragma once
// A main window in a LAN game whose session object is the network library's own, standing on a
// scripted network underneath: messages queued as the wire carries them, and what the game sent.
// Session descriptions and the global object come by class name from the program folder's
// registry, as in the game.
#include "engine/State.h"
#include "kvdplay/Session.h"
#include "tests/kvdplay/ScriptedDirectPlay.h"
#include "tests/support/GameScene.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace testing_support {

// One string value in the message buffer format: 08 00, byte count, UTF-16LE characters.
inline std::vector<std::uint8_t> stringBytes(const std::string& text) {
    std::vector<std::uint8_t> b{0x08, 0x00};
    const auto n = static_cast<std::uint32_t>(text.size() * 2);
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    for (char c : text) {
        b.push_back(static_cast<std::uint8_t>(c));
        b.push_back(0);
    }
    return b;
}

inline void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The network's add-player record: type 3, a player, its id, long and short names.
inline std::vector<std::uint8_t> addPlayerBytes(const std::string& shortName, std::uint32_t id = 2) {
    std::vector<std::uint8_t> b(88, 0);
    put32(b, 0, 3);
    put32(b, 4, 1);
    put32(b, 8, id);
    for (std::size_t i = 0; i < shortName.size() && i < 19; ++i) {
        b[12 + i] = static_cast<std::uint8_t>(shortName[i]);
        b[64 + i] = static_cast<std::uint8_t>(shortName[i]);
    }
    put32(b, 84, 2);
    return b;
}

// A system record that carries only its type and an id.
inline std::vector<std::uint8_t> systemBytes(std::uint32_t type, std::uint32_t id = 2) {
    std::vector<std::uint8_t> b(8, 0);
    put32(b, 0, type);
    put32(b, 4, id);
    return b;
}

// The text of a sent string value ("" when the bytes are no string).
inline std::string textOf(const std::vector<std::uint8_t>& b) {
    if (b.size() < 6 || b[0] != 0x08 || b[1] != 0x00) return {};
    std::string text;
    for (std::size_t i = 6; i + 1 < b.size(); i += 2) text += static_cast<char>(b[i]);
    return text;
}

struct LanScene : GameScene {
    ScriptedDirectPlay network;

    LanScene() {
        ::setenv("TESSARINE_PROGRAM_DIR", TESSARINE_PROGRAM_DIR, 1);
        network.refs = 2;
        kvdplay::Session* session = kvdplay::Session::create();
        session->attach(&network);
        engine::state().DPlay = engine::ObjectRef<kvdplay::IkvDirectPlay>(session);
        engine::state().SoundGameReady = "begin.wav";
        engine::state().SoundChatIn = "incoming.wav";
        engine::state().SoundChatSent = "sent.wav";
        engine::state().SoundSystemMessage = "sysmess.wav";
        engine::state().SoundGameOver = "app.wav";
        main();
    }
    ~LanScene() {
        engine::state().DPlay.reset();
        engine::state().DPGlobal.reset();
    }

    // Seats as hosting leaves them, the joiner not yet arrived.
    void hostWaiting() {
        engine::State& s = engine::state();
        s.Player1Name = s.UserName;
        s.Player2Name = "Waiting For Player";
        s.MyColour = "blue";
        s.PlayerNumber = 1;
        s.LanGame = 1;
        s.ComputerGame = 0;
        main().lantimer.Enabled = true;
    }
    // A game set up: the local player hosts (seat 1, blue) or joined (seat 2, red) against other.
    void setUp(bool hosting, const std::string& other, const std::string& rack = "abcdefgh") {
        engine::State& s = engine::state();
        s.LanGame = 1;
        s.ComputerGame = 0;
        s.PlayerNumber = hosting ? 1 : 2;
        s.MyColour = hosting ? "blue" : "red";
        s.Player1Name = hosting ? s.UserName : other;
        s.Player2Name = hosting ? other : s.UserName;
        dealNext(rack);
        engine::StartRound();
    }

    void arrives(const std::vector<std::uint8_t>& bytes, std::uint32_t from = 2) {
        network.queue.push_back({from, from == 0 ? 1u : 1u, bytes});
    }
    void says(const std::string& text, std::uint32_t from = 2) { arrives(stringBytes(text), from); }
    // The last message handed to the network with its addressing: "1 to 2, flags 0: Ma17".
    std::string lastSent() const {
        if (network.sent.empty()) return {};
        const ScriptedDirectPlay::Sent& m = network.sent.back();
        return std::to_string(m.from) + " to " + std::to_string(m.to) + ", flags " + std::to_string(m.flags) + ": " +
               textOf(m.bytes);
    }
    int sends() const { return static_cast<int>(network.sent.size()); }
    std::string lastStatus() {
        platform::ui::ListBox& list = main().StatusText;
        return list.ListCount() ? list.List(list.ListCount() - 1) : std::string();
    }
};

} // namespace testing_support
