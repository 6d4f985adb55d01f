#pragma once
// The main window ready for an Internet game without a screen or a network: the game scene with
// a fixed server address and program token, a players.dat holding the logged-on player, and
// scripted replies from the game server. Header only.
#include "engine/GameOverSeam.h"
#include "engine/State.h"
#include "engine/playerfile/PlayerFile.h"
#include "netplay/InetRequests.h"
#include "netplay/wire/Records.h"
#include "tests/support/GameScene.h"
#include "tests/support/RecordingGameOver.h"
#include "window/MainWindow.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>
#include <vector>

namespace inet_scene {

namespace ui = platform::ui;
namespace wire = netplay::wire;
using testing_support::FakeHttp;

inline constexpr const char* kServer = "127.0.0.1:8642";

// A reply of the game server: its fixed prefix, then the text.
inline std::string serverSays(const std::string& text) { return std::string(wire::kReplyPrefix) + text; }

// One mailbox record as the server hands it on.
inline std::string record(wire::PostKind kind, const std::string& payload = "") {
    return wire::formatMailboxRecord(kind, payload);
}

// The opponent's details as a player block.
inline std::string bobsBlock() {
    return wire::formatPlayerInfoBlock({"Bob", "Rome", "12", "7", "4", "1"});
}

// Writes one player record into players.dat (the file is made when missing).
inline void addPlayer(const std::string& name, const std::string& location, int played, int won, int lost, int tied) {
    engine::PlayerRecord record;
    record.setText(engine::PlayerField::Name, name);
    record.setText(engine::PlayerField::Location, location);
    engine::PlayerFile file;
    const int at = file.create(record);
    record.setNumber(engine::PlayerField::Played, static_cast<std::int16_t>(played));
    record.setNumber(engine::PlayerField::Won, static_cast<std::int16_t>(won));
    record.setNumber(engine::PlayerField::Lost, static_cast<std::int16_t>(lost));
    record.setNumber(engine::PlayerField::Tied, static_cast<std::int16_t>(tied));
    file.rewrite(at, record);
}

// A player's counters in players.dat: played, won, lost, tied.
inline std::vector<int> countersOf(const std::string& name) {
    engine::PlayerRecord record;
    if (engine::PlayerFile().find(name, record) == 0) return {};
    using engine::PlayerField;
    return {record.number(PlayerField::Played), record.number(PlayerField::Won), record.number(PlayerField::Lost),
            record.number(PlayerField::Tied)};
}

class InetSceneTest : public ::testing::Test {
protected:
    InetSceneTest() {
        netplay::setServerAddress(kServer);
        netplay::setProgramToken("Tok1");
        engine::setGameOverDialog(&gameOver);
        engine::State& s = engine::state();
        s.UserLocation = "Lyon";
        s.SoundSystemMessage = "sysmess.wav";
        s.SoundChatIn = "incoming.wav";
        s.SoundChatSent = "sent.wav";
        s.SoundGameReady = "begin.wav";
        addPlayer("Zed", "Oslo", 1, 1, 0, 0);
        addPlayer("Alice", "Lyon", 10, 6, 3, 1);
        w.Show();
        // By default the server answers every request with its bare prefix.
        replyAlways(serverSays(""));
    }

    // Every request gets this reply.
    void replyAlways(std::string body) {
        scene.doubles.http.handler = [body](const std::string&) { return FakeHttp::okBody(body); };
    }
    // The next requests get these replies, in order; after them, the bare prefix.
    void replyInTurn(std::vector<std::string> bodies) {
        auto queue = std::make_shared<std::deque<std::string>>(bodies.begin(), bodies.end());
        scene.doubles.http.handler = [queue](const std::string&) {
            if (queue->empty()) return FakeHttp::okBody(serverSays(""));
            std::string body = queue->front();
            queue->pop_front();
            return FakeHttp::okBody(body);
        };
    }
    void failEveryRequest() {
        scene.doubles.http.handler = [](const std::string&) { return FakeHttp::failure(35761, "Request timed out"); };
    }

    // The paths and queries of the requests made, e.g. "getdata.mv?s17".
    std::vector<std::string> requests() const {
        std::vector<std::string> out;
        const std::string prefix = std::string("http://") + kServer + "/Tessarine/";
        for (const auto& r : scene.doubles.http.requests)
            out.push_back(r.url.rfind(prefix, 0) == 0 ? r.url.substr(prefix.size()) : r.url);
        return out;
    }
    std::string lastRequest() const { return requests().empty() ? std::string() : requests().back(); }

    const std::vector<std::string>& status() const { return w.StatusText.items(); }
    std::string lastStatus() const { return status().empty() ? std::string() : status().back(); }
    std::vector<std::string> sounds() const {
        std::vector<std::string> names;
        for (const std::string& path : scene.doubles.sound.played)
            names.push_back(std::filesystem::path(path).filename().string());
        return names;
    }
    bool lightShows(const ui::Image& picture) const { return w.light.Picture == picture.Picture; }
    bool tileAt(int cell, char letter, bool red) const {
        const ui::Image& tile = red ? w.Pics.red(letter - 'a') : w.Pics.blue(letter - 'a');
        return w.Hole(cell).Picture == tile.Picture && w.Hole(cell).Tag.get() == std::string(1, letter);
    }
    bool blankAt(int cell) const {
        return w.Hole(cell).Picture == w.Blank.Picture && w.Hole(cell).Tag.get() == "xx";
    }

    // The state of a host whose entry waits in the room as game 17.
    void waitingAsHost() {
        engine::State& s = engine::state();
        s.InetState = engine::InetWaiting;
        s.InboxKey = "s17";
        s.OutboxKey = "c17";
        s.WaitDeadline = static_cast<float>(scene.doubles.clock.seconds + 300);
        w.inettimer.Enabled = true;
    }
    // The state of a joiner of game 17 in play, with the opponent to move.
    void playingAsJoiner() {
        engine::State& s = engine::state();
        s.InetState = engine::InetPlaying;
        s.InboxKey = "c17";
        s.OutboxKey = "s17";
        s.Player1Name = "Bob";
        s.Player2Name = "Alice";
        s.MyColour = "red";
        s.PlayerNumber = 2;
        w.Label7.Caption = "Bob";
        scene.dealNext("abcdefgh");
        engine::StartRound();
        w.inettimer.Enabled = true;
    }

    testing_support::GameScene scene;
    testing_support::RecordingGameOver gameOver;
    window::MainWindow& w = scene.main();
};

} // namespace inet_scene
