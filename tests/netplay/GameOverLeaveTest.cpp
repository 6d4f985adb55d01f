// Leaving around the game-over dialog, on one main window with the shell's commands. A move the
// opponent made for the next round, held behind this player's dialog, belongs to that pairing
// only: Alice wins a round over the Internet or the LAN, the
// opponent plays again and drops a "k" at once, Alice leaves in one of the ways a player can, then
// plays a game against the computer to its end and presses "Play Again": the new round starts as
// dealt, without the old opponent's tile, and the computer's opening move stands when it opens.
// And an Internet opponent who leaves while the dialog is open takes the dialog's question with him.
#include "netplay/EnterWaitingRoom.h"
#include "netplay/InetRequests.h"
#include "netplay/WaitingRoomWindow.h"
#include "netplay/wire/Records.h"
#include "shell/GameStart.h"
#include "shell/Login.h"
#include "shell/MenuForm.h"
#include "shell/PlayMore.h"
#include "tests/netplay/LanFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing_support::FakeHttp;
namespace wire = netplay::wire;

enum class Leave { No, InetComputerGame, InetChangeUser, InetOpponentQuits, NewPairing, LanComputerGame, LanChangeUser };

struct Row {
    const char* name;
    Leave leave;
    bool lan;
    const char* player;   // who plays the computer game
    bool computerOpensAgain;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

class GameOverScene : public ::testing::Test {
protected:
    GameOverScene() {
        engine::State& s = engine::state();
        for (const char* name : {"Alice", "Cleo"}) {
            engine::PlayerRecord record;
            record.setText(engine::PlayerField::Name, name);
            record.setText(engine::PlayerField::Location, "Here");
            record.setText(engine::PlayerField::Password, "");
            record.setNumber(engine::PlayerField::Skill, engine::Beginner);
            engine::PlayerFile().create(record);
        }
        netplay::setServerAddress("127.0.0.1:8642");
        netplay::setProgramToken("Tok1");
        engine::setGameOverDialog(&shell::playMoreDialog());
        // The server: the mailbox holds what the opponent posted last, an entry gets game 18, and
        // every post is written.
        scene.doubles.http.handler = [this](const std::string& url) {
            std::string body = "WRITE*OK";
            if (url.find("getdata") != std::string::npos) body = mailbox.empty() ? "FILE*NOT*FOUND" : mailbox;
            if (url.find("getdata") != std::string::npos) mailbox.clear();
            if (url.find("joinwait") != std::string::npos) body = "***--ENTRY--***tttt18ssss";
            return FakeHttp::okBody(std::string(wire::kReplyPrefix) + body);
        };
        s.UserName = "Alice";
        s.SkillLevel = engine::Beginner;
    }

    window::MainWindow& w() { return window::main(); }
    void tick() { scene.timers.advance(50); }
    void poll() { scene.timers.advance(w().inettimer.Interval); }

    void startRound(bool lan) {
        engine::State& s = engine::state();
        engine::ReadyNetworkGame();
        if (lan) return scene.setUp(true, "Jade", "wordzzzz");
        s.InetState = engine::InetPlaying;
        s.InboxKey = "s17";
        s.OutboxKey = "c17";
        s.Player1Name = "Alice";
        s.Player2Name = "Bob";
        s.MyColour = "blue";
        s.PlayerNumber = 1;
        scene.dealNext("wordzzzz");
        engine::StartRound();
    }
    void opponentMoves(bool lan, char letter, int cell) {
        if (lan) {
            scene.says(std::string("M") + letter + std::to_string(cell));
            tick();
        } else {
            mailbox = wire::formatMailboxRecord(wire::PostKind::Move, wire::movePayload(letter, cell));
            poll();
        }
    }
    void drop(char letter, int column) {
        for (platform::ui::Image* tile : w().rack())
            if (tile->Visible && tile->Tag.get() == std::string(1, letter)) return scene.dragTileTo(*tile, w().Hole(35 + column));
        ADD_FAILURE() << "no " << letter << " in the rack " << scene.rackLetters();
    }
    // Whoever opens, the player answers the computer with w o r d along the bottom row and wins.
    void playTheComputerToAWin() {
        engine::State& s = engine::state();
        for (int column = 0, turns = 0; s.GameOver != 1 && turns < 12; ++turns) {
            if (s.TurnName == engine::ComputerName) tick();
            else drop("word"[column], column), ++column;
        }
        ASSERT_EQ(s.GameOver, 1);
        ASSERT_EQ(s.TurnName, s.UserName);
    }
    std::string cellsWith(char letter) {
        std::string cells;
        for (int cell = 0; cell < engine::CellCount; ++cell)
            if (w().Hole(cell).Tag.get() == std::string(1, letter)) cells += std::to_string(cell) + " ";
        return cells;
    }
    void logOnAs(const std::string& name) {
        shell::menuform().mnuuser.click();
        shell::login().Combo1.Text = name;
        shell::login().Command1.click();
        ASSERT_NE(window::mainIfLoaded(), nullptr);
    }

    // Alice plays w o r d along the bottom row, the opponent answers z in the last column.
    void aliceWins(bool lan) {
        startRound(lan);
        for (int move = 0; move < 4; ++move) {
            drop("word"[move], move);
            if (move < 3) opponentMoves(lan, 'z', 6 + 7 * move);
        }
        ASSERT_EQ(engine::state().GameOver, 1);
        ASSERT_NE(shell::playmoreIfLoaded(), nullptr);
    }

    testing_support::LanScene scene;
    std::string mailbox;
};

class HeldMovesDropped : public GameOverScene, public ::testing::WithParamInterface<Row> {};

TEST_P(HeldMovesDropped, TheNextGameStartsWithoutTheOldOpponentsTile) {
    const Row& row = GetParam();
    engine::State& s = engine::state();
    ASSERT_NO_FATAL_FAILURE(aliceWins(row.lan));
    opponentMoves(row.lan, 'k', 3);   // his first move of the next round, made before Alice answers
    ASSERT_EQ(cellsWith('d'), "3 ") << "held behind the dialog";

    switch (row.leave) {
    case Leave::No:
        shell::playmore().Command2.click();
        break;
    case Leave::InetOpponentQuits:
        mailbox = wire::formatMailboxRecord(wire::PostKind::Quit, "");
        poll();
        break;
    case Leave::NewPairing:
        shell::mnuplayinet_Click();
        scene.timers.advance(500);
        netplay::inetstart().Command2.click();
        netplay::joinwaitroom().Command1.click();
        ASSERT_EQ(s.InetState, engine::InetWaiting);
        break;
    case Leave::InetChangeUser:
    case Leave::LanChangeUser:
        ASSERT_NO_FATAL_FAILURE(logOnAs(row.player));
        break;
    case Leave::InetComputerGame:
    case Leave::LanComputerGame:
        break;
    }
    scene.dealNext("wordzzzz");
    shell::mnuplaycomputer_Click();   // from the waiting room: Yes to leaving it
    EXPECT_EQ(cellsWith('k'), "");
    ASSERT_NO_FATAL_FAILURE(playTheComputerToAWin());
    ASSERT_NE(shell::playmoreIfLoaded(), nullptr);

    scene.dealNext("wordzzzz");
    shell::playmore().Command1.click();
    EXPECT_EQ(cellsWith('k'), "") << "no tile of the old opponent";
    EXPECT_EQ(w().Label7.Caption.get(), "Computer");
    EXPECT_EQ(w().Label13.Caption.get(), row.computerOpensAgain ? "Opponents Turn!" : "Your Turn!");
    if (row.computerOpensAgain) {
        tick();
        EXPECT_EQ(cellsWith('q'), "4 ") << "the computer's opening move";
        EXPECT_EQ(w().Label13.Caption.get(), "Your Turn");
    } else {
        EXPECT_EQ(cellsWith('q'), "");
    }
}

// Alice opened the networked round, so the opponent opens the next and the computer the game
// after it; playing again hands the opening to Alice. A new pairing, or another player at the
// computer, opens the computer game with the player, and then the computer opens again.
const Row Rows[] = {
    {"No", Leave::No, false, "Alice", false},
    {"InternetComputerGame", Leave::InetComputerGame, false, "Alice", false},
    {"InternetChangeUser", Leave::InetChangeUser, false, "Cleo", true},
    {"InternetOpponentQuits", Leave::InetOpponentQuits, false, "Alice", false},
    {"NewPairingInTheWaitingRoom", Leave::NewPairing, true, "Alice", true},
    {"LanComputerGame", Leave::LanComputerGame, true, "Alice", false},
    {"LanChangeUser", Leave::LanChangeUser, true, "Cleo", true},
};

INSTANTIATE_TEST_SUITE_P(HeldMoves, HeldMovesDropped, ::testing::ValuesIn(Rows),
                         [](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

// Bob leaves while Alice's dialog asks whether to play again: after the won game ("Opponent Quit",
// nothing counted again), or after his first move of the next round had arrived ("Opponent
// Left!", his forfeit). OK on the box takes the dialog with it; no round is dealt and the status
// list ends with the quit's own lines.
struct Gone {
    const char* name;
    bool movedFirst;
    const char* box;
    std::vector<std::string> lastLines;
    int won;
};

void PrintTo(const Gone& row, std::ostream* out) { *out << row.name; }

class OpponentGoneAtGameOver : public GameOverScene, public ::testing::WithParamInterface<Gone> {};

TEST_P(OpponentGoneAtGameOver, TheAnsweredBoxClosesTheDialogAndDealsNothing) {
    const Gone& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(aliceWins(false));
    if (row.movedFirst) opponentMoves(false, 'k', 3);
    const std::size_t boxes = scene.doubles.dialogs.shown.size();
    mailbox = wire::formatMailboxRecord(wire::PostKind::Quit, "");
    poll();
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), boxes + 1);
    EXPECT_EQ(scene.doubles.dialogs.last().title, row.box);
    EXPECT_EQ(shell::playmoreIfLoaded(), nullptr);
    EXPECT_EQ(scene.rackLetters(), std::string(16, 'x')) << "no rack dealt";
    EXPECT_EQ(cellsWith('w') + cellsWith('k'), "");
    EXPECT_EQ(w().Label13.Caption.get(), "");
    const std::vector<std::string>& lines = w().StatusText.items();
    ASSERT_GE(lines.size(), row.lastLines.size());
    EXPECT_EQ(std::vector<std::string>(lines.end() - static_cast<long>(row.lastLines.size()), lines.end()), row.lastLines);
    engine::PlayerRecord alice;
    engine::PlayerFile().find("Alice", alice);
    EXPECT_EQ(alice.number(engine::PlayerField::Won), row.won);
    // Nothing left to answer: the timers run on into the idle program without dealing.
    scene.timers.advance(60000);
    EXPECT_EQ(scene.rackLetters(), std::string(16, 'x')) << "no rack dealt";
    EXPECT_EQ(lines.back(), row.lastLines.back());
}

const Gone Goners[] = {
    {"AfterTheWonGame", false, "Opponent Quit", {"Ready.."}, 1},
    {"AfterHisFirstMoveOfTheNextRound", true, "Opponent Left!", {"Your opponent forfieted game. You win.", "Ready.."}, 2},
};

INSTANTIATE_TEST_SUITE_P(InternetQuit, OpponentGoneAtGameOver, ::testing::ValuesIn(Goners),
                         [](const ::testing::TestParamInfo<Gone>& info) { return std::string(info.param.name); });

} // namespace
