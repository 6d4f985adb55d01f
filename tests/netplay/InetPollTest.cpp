// The Internet poll on the main window: one request per tick, and what each kind of mailbox
// record does to the board, the panel, the status list and the counters.
#include "netplay/InetPoll.h"
#include "tests/netplay/InetScene.h"
#include "tests/support/UiScene.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

using namespace inet_scene;
using wire::PostKind;

namespace {

class InetPoll : public InetSceneTest {
protected:
    void tick() { w.inettimer_Timer(); }
};

// A clock that notes, on each turn of a pause, what the drop-row slots show.
class WatchingClock final : public platform::Clock {
public:
    explicit WatchingClock(window::MainWindow& main) : m_main(main) {}
    double seconds = 12 * 3600.0;
    std::vector<std::string> seenInSlots;   // "42:e" while a tile waits above column 0
    double secondsSinceMidnight() override { return seconds += 0.25; }
    std::int64_t monotonicMs() override { return 0; }
    void busyWaitTick() override {
        for (int slot = 42; slot <= 48; ++slot)
            if (m_main.Hole(slot).Tag.get() != "xx" && !m_main.Hole(slot).Tag.get().empty())
                seenInSlots.push_back(std::to_string(slot) + ":" + m_main.Hole(slot).Tag.get());
    }

private:
    window::MainWindow& m_main;
};

// Points the system's temporary folder at a scratch folder for one test.
class ScratchTemp {
public:
    explicit ScratchTemp(const std::filesystem::path& folder) : m_folder(folder) {
        if (const char* previous = std::getenv("TMPDIR")) m_previous = previous;
        std::filesystem::create_directories(m_folder);
        ::setenv("TMPDIR", m_folder.c_str(), 1);
    }
    ~ScratchTemp() {
        if (m_previous) ::setenv("TMPDIR", m_previous->c_str(), 1);
        else ::unsetenv("TMPDIR");
    }
    bool empty() const { return std::filesystem::is_empty(m_folder); }

private:
    std::filesystem::path m_folder;
    std::optional<std::string> m_previous;
};

} // namespace

TEST_F(InetPoll, ExpiredWaitShowsTheBoxAndSendsNothing) {
    waitingAsHost();
    w.Label13.Caption = "Waiting for Player";
    scene.doubles.clock.seconds = engine::state().WaitDeadline + 1;
    tick();
    EXPECT_TRUE(requests().empty());
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Wait Time Expired");
    EXPECT_EQ(scene.doubles.dialogs.last().prompt,
              "Sorry. No other players have joined your internet game request and your selected wait time has "
              "elapsed.\n\nPlease try again.");
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_FALSE(w.inettimer.Enabled);
    EXPECT_EQ(w.Label13.Caption.get(), "");
    ASSERT_GE(status().size(), 3u);
    EXPECT_EQ(std::vector<std::string>(status().end() - 3, status().end()),
              (std::vector<std::string>{"Wait time expired. Please try again", "", "Ready"}));
}

TEST_F(InetPoll, WaitBeforeItsDeadlineFetchesTheOwnMailbox) {
    waitingAsHost();
    replyAlways(serverSays("FILE*NOT*FOUND"));
    tick();
    EXPECT_EQ(requests(), std::vector<std::string>{"getdata.mv?s17"});
    EXPECT_TRUE(w.inettimer.Enabled);
    EXPECT_EQ(engine::state().InetState, engine::InetWaiting);
    EXPECT_TRUE(lightShows(w.Pics.offlight));
}

TEST_F(InetPoll, WaitEnteredBeforeMidnightStillEndsAfterIt) {
    waitingAsHost();
    engine::state().WaitDeadline = 86300.0f + 300.0f;   // entered at 23:58:20 for five minutes
    replyAlways(serverSays("FILE*NOT*FOUND"));
    scene.doubles.clock.seconds = 86350;
    tick();
    scene.doubles.clock.seconds = 150;   // 00:02:30, the wait runs until 00:03:20
    tick();
    EXPECT_EQ(engine::state().InetState, engine::InetWaiting);
    scene.doubles.clock.seconds = 201;
    tick();
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Wait Time Expired");
    EXPECT_EQ(requests().size(), 2u);
}

TEST_F(InetPoll, NothingWaitingAppliesNothingAndPollsOn) {
    playingAsJoiner();
    replyAlways(serverSays("FILE*NOT*FOUND " + record(PostKind::Chat, "hello")));
    const auto before = status().size();
    tick();
    EXPECT_EQ(status().size(), before);
    EXPECT_TRUE(w.inettimer.Enabled);
}

TEST_F(InetPoll, FailedFetchShowsTheRedLightAndPollsOn) {
    playingAsJoiner();
    failEveryRequest();
    tick();
    EXPECT_TRUE(lightShows(w.Pics.redlight));
    EXPECT_TRUE(w.inettimer.Enabled);
}

TEST_F(InetPoll, SocketErrorStopsPolling) {
    playingAsJoiner();
    replyAlways(serverSays("Socket Error 10060"));
    tick();
    EXPECT_EQ(lastStatus(), "Socket Error. Please check your internet connection");
    EXPECT_FALSE(w.inettimer.Enabled);
}

TEST_F(InetPoll, ChatLineShowsWithTheOpponentsName) {
    playingAsJoiner();
    w.Label7.Caption = "  Bob ";
    replyAlways(serverSays(record(PostKind::Chat, "hello there") + record(PostKind::Chat, "second")));
    tick();
    EXPECT_EQ(lastStatus(), "From Bob: hello there");
    EXPECT_EQ(sounds().back(), "incoming.wav");
    EXPECT_TRUE(w.inettimer.Enabled);
}

TEST_F(InetPoll, ChatThenQuitShowsTheLineThenWinsByForfeit) {
    playingAsJoiner();
    replyAlways(serverSays(record(PostKind::Chat, "bye") + record(PostKind::Quit) + record(PostKind::Move, "e0")));
    tick();
    ASSERT_GE(status().size(), 3u);
    EXPECT_EQ(std::vector<std::string>(status().end() - 3, status().end()),
              (std::vector<std::string>{"From Bob: bye", "Your opponent forfieted game. You win.", "Ready.."}));
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Opponent Left!");
    EXPECT_EQ(scene.doubles.dialogs.last().prompt, "Your opponent has exited the game. You win by default!");
    EXPECT_TRUE(blankAt(0));
    EXPECT_EQ(w.Image1.Tag.get(), "xx");
    for (ui::Label* label : {&w.Label7, &w.Label8, &w.Label9, &w.Label10, &w.Label11, &w.Label12, &w.Label13})
        EXPECT_EQ(label->Caption.get(), "");
    EXPECT_TRUE(w.Picture1.Picture == w.Pics.photona.Picture);
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_EQ(engine::state().GameOver, 0);
    EXPECT_FALSE(w.inettimer.Enabled);
    EXPECT_EQ(countersOf("Alice"), (std::vector<int>{11, 7, 3, 1}));
    EXPECT_EQ(countersOf("Zed"), (std::vector<int>{1, 1, 0, 0}));
}

TEST_F(InetPoll, ForfeitAfterADecidedRoundIsNotCountedAgain) {
    playingAsJoiner();
    engine::state().GameOver = 1;   // the round already ended by a word and was counted
    replyAlways(serverSays(record(PostKind::Quit)));
    tick();
    // Nobody wins by default: the leaver's side counts nothing either.
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Opponent Quit");
    EXPECT_EQ(scene.doubles.dialogs.last().prompt, "Your opponent has left the game.");
    EXPECT_EQ(countersOf("Alice"), (std::vector<int>{10, 6, 3, 1}));
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
    EXPECT_EQ(status().back(), "Ready..");
}

TEST_F(InetPoll, OpponentsMoveShowsAboveItsColumnThenLands) {
    playingAsJoiner();
    WatchingClock clock(w);
    engine::state().services.clock = &clock;
    replyAlways(serverSays(record(PostKind::Move, "e0")));
    tick();
    engine::state().services.clock = &scene.doubles.clock;
    ASSERT_FALSE(clock.seenInSlots.empty());
    EXPECT_EQ(clock.seenInSlots.front(), "42:e");
    EXPECT_TRUE(tileAt(0, 'e', false));   // the joiner plays red, so the opponent's tile is blue
    EXPECT_TRUE(blankAt(42));
    EXPECT_EQ(sounds().back(), "dropped2.wav");
    EXPECT_EQ(w.Label13.Caption.get(), "Your Turn");
    EXPECT_EQ(engine::state().TurnName, "Alice");
    EXPECT_EQ(w.inettimer.Interval.get(), 30000);
    EXPECT_TRUE(w.inettimer.Enabled);
}

TEST_F(InetPoll, MoveOnTheLastColumnStartsInTheLastSlot) {
    playingAsJoiner();
    WatchingClock clock(w);
    engine::state().services.clock = &clock;
    replyAlways(serverSays(record(PostKind::Move, "k41")));
    tick();
    engine::state().services.clock = &scene.doubles.clock;
    ASSERT_FALSE(clock.seenInSlots.empty());
    EXPECT_EQ(clock.seenInSlots.front(), "48:k");
    EXPECT_TRUE(tileAt(41, 'k', false));   // written where it was sent
}

TEST_F(InetPoll, HostSeesTheJoinersMovesInRed) {
    playingAsJoiner();
    engine::state().MyColour = "blue";
    replyAlways(serverSays(record(PostKind::Move, "q5")));
    tick();
    EXPECT_TRUE(tileAt(5, 'q', true));
}

TEST_F(InetPoll, MoveThatMakesAWordEndsTheGameWithoutHandingOver) {
    playingAsJoiner();
    for (int cell = 0; cell < 3; ++cell) {
        w.Hole(cell).Picture = w.Pics.blue("wor"[cell] - 'a').Picture;
        w.Hole(cell).Tag = std::string(1, "wor"[cell]);
    }
    replyAlways(serverSays(record(PostKind::Move, "d3")));
    tick();
    EXPECT_EQ(engine::state().GameOver, 1);
    EXPECT_EQ(engine::state().TurnName, "Bob");
    EXPECT_NE(w.Label13.Caption.get(), "Your Turn");
    EXPECT_EQ(gameOver.shown.size(), 1u);
    EXPECT_EQ(countersOf("Alice"), (std::vector<int>{11, 6, 4, 1}));
    EXPECT_EQ(w.inettimer.Interval.get(), 30000);
    EXPECT_TRUE(w.inettimer.Enabled);
}

TEST_F(InetPoll, MoveOntoATakenCellLeavesTheBoardAsItIs) {
    playingAsJoiner();
    w.Hole(0).Picture = w.Pics.red(0).Picture;
    w.Hole(0).Tag = "a";
    replyAlways(serverSays(record(PostKind::Move, "e0")));
    tick();
    EXPECT_TRUE(tileAt(0, 'a', true));
    EXPECT_EQ(engine::state().TurnName, "Bob");
    EXPECT_TRUE(w.inettimer.Enabled);
}

TEST_F(InetPoll, PlayDataFillsTheOpponentPanelInAnyState) {
    engine::state().InboxKey = "c17";
    replyAlways(serverSays(record(PostKind::Data, bobsBlock())));
    tick();
    EXPECT_EQ(w.Label7.Caption.get(), "Bob");
    EXPECT_EQ(w.Label8.Caption.get(), "Rome");
    EXPECT_EQ(w.Label9.Caption.get(), "12");
    EXPECT_EQ(w.Label10.Caption.get(), "7");
    EXPECT_EQ(w.Label11.Caption.get(), "4");
    EXPECT_EQ(w.Label12.Caption.get(), "1");
    EXPECT_EQ(engine::state().InetState, engine::InetIdle);
}

TEST_F(InetPoll, StartGameStartsTheWaitingHostsGame) {
    engine::state().PhotoUrl = "http://pics.example/alice.jpg";
    waitingAsHost();
    w.Hole(10).Picture = w.Pics.red(3).Picture;   // left over from an earlier game
    w.Hole(10).Tag = "d";
    scene.dealNext("abcdefgh");
    replyAlways(serverSays(record(PostKind::Start, bobsBlock())));
    tick();
    engine::State& s = engine::state();
    EXPECT_EQ(s.InetState, engine::InetPlaying);
    EXPECT_EQ(w.Label7.Caption.get(), "Bob");
    EXPECT_EQ(w.Label12.Caption.get(), "1");
    EXPECT_EQ(s.Player1Name, "Alice");
    EXPECT_EQ(s.Player2Name, "Bob");
    EXPECT_EQ(s.MyColour, "blue");
    EXPECT_EQ(s.PlayerNumber, 1);
    const auto sent = requests();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0], "getdata.mv?s17");
    EXPECT_EQ("http://" + std::string(kServer) + "/Tessarine/" + sent[1],
              netplay::requestAddress(wire::Script::PostData,
                                      wire::postFields("c17", PostKind::Data,
                                                       wire::formatPlayerInfoBlock({"Alice", "Lyon", "10", "6", "3", "1"}))));
    EXPECT_EQ("http://" + std::string(kServer) + "/Tessarine/" + sent[2],
              netplay::requestAddress(wire::Script::PostData,
                                      wire::postFields("c17", PostKind::PicUrl, "http://pics.example/alice.jpg")));
    EXPECT_EQ(lastStatus(), "Bob has joined game. YOUR TURN!!");
    EXPECT_EQ(sounds().back(), "begin.wav");
    EXPECT_EQ(w.Label13.Caption.get(), "Your Turn!");
    EXPECT_EQ(s.TurnName, "Alice");
    EXPECT_TRUE(blankAt(10));
    EXPECT_EQ(w.Image1.Tag.get(), "a");
    EXPECT_TRUE(w.Image1.Picture == w.Pics.blue(0).Picture);
    EXPECT_EQ(w.inettimer.Interval.get(), 30000);
    EXPECT_TRUE(w.inettimer.Enabled);
}

TEST_F(InetPoll, HostMovesFirstEvenAfterStartingAnEarlierRound) {
    engine::state().LastStarter = "Alice";   // an earlier game against the computer
    waitingAsHost();
    replyAlways(serverSays(record(PostKind::Start, bobsBlock())));
    tick();
    EXPECT_EQ(w.Label13.Caption.get(), "Your Turn!");
    EXPECT_EQ(engine::state().TurnName, "Alice");
}

TEST_F(InetPoll, StartGameWhileNotWaitingIsIgnored) {
    playingAsJoiner();
    replyAlways(serverSays(record(PostKind::Start, bobsBlock())));
    tick();
    EXPECT_EQ(engine::state().MyColour, "red");
    EXPECT_EQ(requests().size(), 1u);
}

TEST_F(InetPoll, PhotoIsShownAndItsFileDeleted) {
    const ScratchTemp temp(scene.folder / "tmp");
    playingAsJoiner();
    const std::string link = "http://127.0.0.1:8642/photos/bob.bmp?s=2";
    scene.doubles.http.handler = [link](const std::string& url) {
        if (url == link) return FakeHttp::okBody(testing_support::tinyBmp(100, 85));
        return FakeHttp::okBody(serverSays(record(PostKind::PicUrl, link)));
    };
    tick();
    EXPECT_FALSE(w.Picture1.Picture.get().isNone());
    EXPECT_EQ(w.Picture1.Picture.get().width(), 100);
    EXPECT_FALSE(w.Label14.Visible);
    EXPECT_TRUE(temp.empty());   // neither the photo nor its folder is left behind
    EXPECT_FALSE(std::filesystem::exists(scene.folder / "bob.bmp"));
}

TEST_F(InetPoll, PhotoOfAnotherKindIsNeitherShownNorKept) {
    const ScratchTemp temp(scene.folder / "tmp");
    playingAsJoiner();
    const std::string link = "http://127.0.0.1:8642/photos/bob.png";
    scene.doubles.http.handler = [link](const std::string& url) {
        if (url == link) return FakeHttp::okBody("PNG");
        return FakeHttp::okBody(serverSays(record(PostKind::PicUrl, link)));
    };
    tick();
    EXPECT_TRUE(w.Picture1.Picture.get().isNone());
    EXPECT_FALSE(w.Label14.Visible);
    EXPECT_FALSE(std::filesystem::exists(scene.folder / "bob.png"));
    EXPECT_TRUE(temp.empty());   // neither the photo nor its folder is left behind
    EXPECT_TRUE(w.inettimer.Enabled);
}

TEST_F(InetPoll, OneReplyCarriesChatMoveAndDetailsInTheirOrder) {
    playingAsJoiner();
    replyAlways(serverSays(record(PostKind::Data, bobsBlock()) + record(PostKind::Move, "e0") +
                           record(PostKind::Chat, "your go")));
    tick();
    EXPECT_EQ(status().back(), "From Bob: your go");
    EXPECT_TRUE(tileAt(0, 'e', false));
    EXPECT_EQ(w.Label8.Caption.get(), "Rome");
    EXPECT_EQ(w.Label13.Caption.get(), "Your Turn");
}
