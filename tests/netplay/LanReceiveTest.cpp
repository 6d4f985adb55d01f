// The LAN half of the main window's tick: one message per tick, acted on by the state of the
// game: a waiting host, or a game set up.
#include "netplay/LanReceive.h"

#include "tests/netplay/LanFixture.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

engine::State& st() { return engine::state(); }

} // namespace

TEST(LanHostWaiting, APlayerMessageIsTakenAndDropped) {
    LanScene scene;
    scene.hostWaiting();
    scene.says("mhello");
    const std::string before = scene.lastStatus();
    scene.tick();
    EXPECT_TRUE(scene.network.queue.empty());
    EXPECT_EQ(scene.lastStatus(), before);
    EXPECT_EQ(st().Player2Name, "Waiting For Player");
}

TEST(LanHostWaiting, TheArrivingPlayerIsSeatedAndTheRoundStarts) {
    LanScene scene;
    scene.hostWaiting();
    scene.dealNext("abcdefgh");
    scene.arrives(addPlayerBytes("Bob"), 0);
    scene.tick();
    EXPECT_EQ(st().Player2Name, "Bob");
    EXPECT_EQ(st().TurnName, "Alice");
    EXPECT_EQ(scene.lastStatus(), "Bob is ready to play. Your move!");
    EXPECT_EQ(scene.doubles.sound.played.back(), "begin.wav");
    EXPECT_EQ(scene.rackLetters(), "abcdefgh");
    // The host's details go out at once: "s" and its block, built from its own record.
    EXPECT_EQ(scene.sends(), 1);
    EXPECT_EQ(scene.lastSent().substr(0, 26), "1 to 2, flags 0: sxxxAlice");
}

TEST(LanHostWaiting, APlayerWithTheHostsOwnNameIsIgnoredAndTheHostWaitsOn) {
    LanScene scene;
    scene.hostWaiting();
    scene.arrives(addPlayerBytes(" Alice"), 0);
    scene.arrives(addPlayerBytes("Bob", 3), 0);
    scene.tick();
    EXPECT_EQ(st().Player2Name, "Waiting For Player");
    EXPECT_EQ(scene.sends(), 0);
    scene.tick();
    EXPECT_EQ(st().Player2Name, "Bob");
    EXPECT_EQ(scene.lastStatus(), "Bob is ready to play. Your move!");
}

TEST(LanHostWaiting, LossMessagesAreNotActedOn) {
    LanScene scene;
    scene.hostWaiting();
    scene.arrives(systemBytes(5), 0);
    scene.arrives(systemBytes(49), 0);
    scene.tick();
    scene.tick();
    EXPECT_EQ(scene.doubles.exit.calls, 0);
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
}

TEST(LanHostWaiting, AChatLineBeforeThePlayerArrivesIsLost) {
    LanScene scene;
    scene.hostWaiting();
    scene.says("mearly");
    scene.arrives(addPlayerBytes("Bob"), 0);
    scene.tick();
    scene.tick();
    for (const std::string& line : scene.main().StatusText.items()) EXPECT_EQ(line.find("early"), std::string::npos);
    EXPECT_EQ(st().Player2Name, "Bob");
}

TEST(LanGameSetUp, TheOpponentLeavingOrALostConnectionEndsTheProgramAfterItsMessage) {
    struct Row {
        bool host;
        int type;
        const char* prompt;
        const char* title;
    };
    for (const Row& row : {Row{true, 5, "Your opponent has left the game.", "Opponent Quit"},
                           Row{false, 49, "The connection with your opponent has been lost.", "Connection Lost"}}) {
        SCOPED_TRACE(row.title);
        LanScene scene;
        scene.setUp(row.host, "Bob");
        scene.arrives(systemBytes(row.type), 0);
        scene.tick();
        ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
        EXPECT_EQ(scene.doubles.dialogs.last().prompt, row.prompt);
        EXPECT_EQ(scene.doubles.dialogs.last().title, row.title);
        EXPECT_EQ(scene.doubles.dialogs.last().style, platform::vbOKOnly);
        EXPECT_EQ(scene.doubles.exit.calls, 1);
    }
}

TEST(LanGameSetUp, AnyOtherSystemMessageOrAnUnknownKindChangesNothing) {
    LanScene scene;
    scene.setUp(true, "Bob");
    const std::string before = scene.lastStatus();
    scene.arrives(systemBytes(18507), 0);
    scene.arrives(addPlayerBytes("Carol"), 0);
    scene.says("xhello");
    scene.says("");
    for (int i = 0; i < 4; ++i) scene.tick();
    EXPECT_EQ(st().Player2Name, "Bob");
    EXPECT_EQ(scene.lastStatus(), before);
    EXPECT_EQ(scene.doubles.exit.calls, 0);
}

TEST(LanGameSetUp, AChatLineAtTheJoinerNamesTheHost) {
    LanScene scene;
    scene.setUp(false, "Bob");
    scene.says("m  hello there ", 1);
    scene.tick();
    EXPECT_EQ(scene.lastStatus(), "From Bob:   hello there ");
    EXPECT_EQ(scene.doubles.sound.played.back(), "incoming.wav");
}

TEST(LanGameSetUp, TheJoinerShowsTheHostsDetailsAndAnswersOnce) {
    LanScene scene;
    scene.setUp(false, "Bob");
    scene.says("sxxxBobjjjhh*Oslo*qqcc*12*eerr*7*pptt*4*vvmm*1*aa", 1);
    scene.tick();
    EXPECT_EQ(scene.main().Label7.Caption.get(), "Bob");
    EXPECT_EQ(scene.main().Label8.Caption.get(), "Oslo");
    EXPECT_EQ(scene.main().Label9.Caption.get(), "12");
    EXPECT_EQ(scene.main().Label10.Caption.get(), "7");
    EXPECT_EQ(scene.main().Label11.Caption.get(), "4");
    EXPECT_EQ(scene.main().Label12.Caption.get(), "1");
    EXPECT_EQ(scene.sends(), 1);
    EXPECT_EQ(scene.lastSent().substr(0, 26), "2 to 1, flags 0: sxxxAlice");
}

TEST(LanGameSetUp, TheHostShowsTheJoinersDetailsAndSendsNothing) {
    LanScene scene;
    scene.setUp(true, "Carol");
    scene.says("sxxxCaroljjjhh*Rome*qqcc*3*eerr*2*pptt*1*vvmm*0*aa");
    scene.tick();
    EXPECT_EQ(scene.main().Label7.Caption.get(), "Carol");
    EXPECT_EQ(scene.sends(), 0);
}

TEST(LanGameSetUp, AReceivedMoveLandsInItsCellWithTheOpponentsColourAndNeverOnATakenOne) {
    LanScene scene;
    scene.setUp(true, "Carol");
    st().TurnName = "Carol";
    scene.says("Mb40");
    const int readsBefore = scene.doubles.clock.reads;
    scene.tick();
    window::MainWindow& w = scene.main();
    EXPECT_EQ(scene.tag(40), "b");
    EXPECT_EQ(w.Hole(40).Picture.get(), w.Pics.red(1).Picture.get());
    // The drop slot above column 5 held it for the pause, and is empty again.
    EXPECT_EQ(scene.tag(47), "xx");
    EXPECT_EQ(w.Hole(47).Picture.get(), w.Blank.Picture.get());
    EXPECT_GT(scene.doubles.clock.reads, readsBefore);
    EXPECT_EQ(scene.doubles.sound.played.back(), "dropped2.wav");
    EXPECT_EQ(w.Label13.Caption.get(), "Your Turn");
    EXPECT_EQ(st().TurnName, "Alice");
    // A second move onto the taken cell leaves the board as it is.
    st().TurnName = "Carol";
    scene.says("Mz40");
    scene.tick();
    EXPECT_EQ(scene.tag(40), "b");
    EXPECT_EQ(st().TurnName, "Carol");
}

TEST(LanGameSetUp, TheJoinerSeesTheHostsMovesInBlue) {
    LanScene scene;
    scene.setUp(false, "Bob");
    scene.says("Ma0", 1);
    scene.tick();
    EXPECT_EQ(scene.main().Hole(0).Picture.get(), scene.main().Pics.blue(0).Picture.get());
    EXPECT_EQ(scene.tag(0), "a");
}

TEST(LanGameSetUp, AReceivedWinningMoveEndsTheGameAndKeepsTheWinnersTurn) {
    LanScene scene;
    scene.setUp(true, "Carol");
    // "word" along the bottom row, the last letter arriving from Carol.
    for (int cell = 0; cell < 3; ++cell) {
        scene.main().Hole(cell).Picture = scene.main().Pics.blue(std::string("wor")[cell] - 'a').Picture;
        scene.main().Hole(cell).Tag = std::string(1, std::string("wor")[cell]);
    }
    st().TurnName = "Carol";
    scene.says("Md3");
    scene.tick();
    EXPECT_EQ(scene.main().Label13.Caption.get(), "Game Over");
    EXPECT_EQ(st().TurnName, "Carol");
    EXPECT_EQ(st().GameOver, 1);
    EXPECT_EQ(scene.main().Hole(3).Picture.get(), scene.main().Pics.yel(3).Picture.get());
}

TEST(LanGameSetUp, AMoveThisGameCouldNotHaveSentIsDropped) {
    LanScene scene;
    scene.setUp(true, "Carol");
    st().TurnName = "Carol";
    scene.says("MB3");
    scene.says("Ma42");
    scene.says("Ma");
    scene.tick();
    scene.tick();
    scene.tick();
    for (int cell = 0; cell < 42; ++cell) EXPECT_EQ(scene.tag(cell), "xx") << cell;
    EXPECT_EQ(st().TurnName, "Carol");
}

TEST(LanGameSetUp, AChatLineAtTheHostNamesTheJoinerAndOneMessageIsHandledPerTick) {
    LanScene scene;
    scene.setUp(true, "Carol");
    scene.says("mone");
    scene.says("mtwo");
    scene.tick();
    EXPECT_EQ(scene.lastStatus(), "From Carol: one");
    EXPECT_EQ(scene.network.queue.size(), 1u);
}

TEST(LanComputerGame, TicksReceiveNothingAgainstTheComputer) {
    LanScene scene;
    scene.startComputerGame("abcdefgh");
    scene.says("mhello");
    scene.tick();
    EXPECT_EQ(scene.network.queue.size(), 1u);
}
