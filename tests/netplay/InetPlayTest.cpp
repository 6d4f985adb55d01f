// The own move of an Internet game: posted into the opponent's mailbox before the word check,
// retried until the server has written it, with the player asked after every third failure.
#include "netplay/InetPlay.h"
#include "platform/ui/Desktop.h"
#include "tests/netplay/InetScene.h"

#include <gtest/gtest.h>

using namespace inet_scene;
using testing_support::FakeHttp;

namespace {

class InternetMove : public InetSceneTest {
protected:
    // The joiner of game 17 to move, with the rack "abcdefgh".
    void myTurn() {
        playingAsJoiner();
        engine::state().TurnName = "Alice";
    }
    // Drags the rack's first tile ("a") out over the bar and lets it go over a cell.
    void playFirstTile(int cell) {
        w.Image1.Visible = false;
        w.Hole_DragDrop(cell, w.Image1, 0, 0);
    }
    // Replies in turn: false a failed transfer, true "WRITE*OK".
    void postsGo(std::vector<bool> outcomes) {
        auto queue = std::make_shared<std::deque<bool>>(outcomes.begin(), outcomes.end());
        scene.doubles.http.handler = [this, queue](const std::string&) {
            lightsDuringRequests.push_back(lightShows(w.Pics.onlight));
            pollingDuringRequests.push_back(w.inettimer.Enabled);
            const bool ok = queue->empty() || queue->front();
            if (!queue->empty()) queue->pop_front();
            return ok ? FakeHttp::okBody(serverSays("+WRITE*OK+")) : FakeHttp::failure(35754, "Cannot connect to the server");
        };
    }
    std::vector<bool> lightsDuringRequests;
    std::vector<bool> pollingDuringRequests;
};

} // namespace

TEST_F(InternetMove, PostsLetterAndLandingCellThenPassesTheTurn) {
    myTurn();
    w.inettimer.Interval = 30000;
    postsGo({true});
    playFirstTile(3 + 35);
    EXPECT_EQ(requests(), std::vector<std::string>{"postdata.mv?s17+MOVE+a3"});
    EXPECT_EQ(lightsDuringRequests, std::vector<bool>{true});
    EXPECT_EQ(pollingDuringRequests, std::vector<bool>{false});
    EXPECT_TRUE(lightShows(w.Pics.offlight));
    EXPECT_TRUE(w.inettimer.Enabled);
    EXPECT_EQ(w.inettimer.Interval.get(), 10000);
    EXPECT_EQ(w.Label13.Caption.get(), "Opponents Turn");
    EXPECT_EQ(engine::state().TurnName, "Bob");
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
}

TEST_F(InternetMove, MarkerAmongOtherTextIsASuccess) {
    myTurn();
    replyAlways(serverSays("stored: WRITE*OK, thanks"));
    playFirstTile(0);
    EXPECT_EQ(requests().size(), 1u);
}

TEST_F(InternetMove, ThreeFailuresBringTheQuestionAndYesGivesThreeMore) {
    myTurn();
    postsGo({false, false, false, false, false, true});
    scene.doubles.dialogs.buttons.push_back(platform::vbYes);
    playFirstTile(0);
    EXPECT_EQ(requests().size(), 6u);
    for (const std::string& r : requests()) EXPECT_EQ(r, "postdata.mv?s17+MOVE+a0");
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.dialogs.last().title, "Transfer Failed");
    EXPECT_EQ(scene.doubles.dialogs.last().prompt,
              "Data transfer to opponent failed. Please check your internet connection.\n\nWould you like to try again?");
    EXPECT_EQ(scene.doubles.dialogs.last().style, platform::vbYesNo);
    EXPECT_EQ(lightsDuringRequests, std::vector<bool>(6, true));
    EXPECT_EQ(pollingDuringRequests, std::vector<bool>(6, false));
    EXPECT_TRUE(w.inettimer.Enabled);
    EXPECT_EQ(scene.doubles.exit.calls, 0);
}

TEST_F(InternetMove, MarkerInLowerCaseIsAFailureAndNoEndsTheProgram) {
    myTurn();
    replyAlways(serverSays("write*ok"));
    scene.doubles.dialogs.buttons.push_back(platform::vbNo);
    playFirstTile(0);
    // Three attempts at the move, then the quit that tells the opponent, best effort.
    ASSERT_EQ(requests().size(), 4u);
    EXPECT_NE(lastRequest().find("+QUIT"), std::string::npos) << lastRequest();
    EXPECT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.exit.calls, 1);
    EXPECT_FALSE(w.inettimer.Enabled);
    EXPECT_TRUE(lightShows(w.Pics.offlight));
}

TEST_F(InternetMove, LightShowsRedAtOnceAfterEachFailedAttempt) {
    myTurn();
    // What the screen is asked to repaint at once, and what the light then shows.
    struct Screen final : ui::ViewHost {
        explicit Screen(window::MainWindow& main) : w(main) {}
        window::MainWindow& w;
        std::vector<std::string> lightRepaints;
        void formLoaded(ui::Form&) override {}
        void formChanged(ui::Form&) override {}
        void formGone(ui::Form&) override {}
        void controlChanged(ui::Control&) override {}
        void controlGone(ui::Control&) override {}
        void repaintNow(ui::Control& control) override {
            if (&control != &w.light) return;
            lightRepaints.push_back(w.light.Picture == w.Pics.redlight.Picture ? "red" : "other");
        }
        void runModal(ui::Form&) override {}
        void dragChanged(ui::Form&) override {}
        void scheduleCollect() override {}
    } screen(w);
    ui::Desktop::instance().setViewHost(&screen);
    postsGo({false, false, true});
    playFirstTile(0);
    ui::Desktop::instance().setViewHost(nullptr);
    EXPECT_EQ(screen.lightRepaints, (std::vector<std::string>{"red", "red"}));
    EXPECT_EQ(lightsDuringRequests, std::vector<bool>(3, true));
    EXPECT_TRUE(lightShows(w.Pics.offlight));
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
}

TEST_F(InternetMove, WaitingInTheRoomNothingIsPosted) {
    myTurn();
    engine::state().InetState = engine::InetWaiting;
    playFirstTile(0);
    EXPECT_TRUE(requests().empty());
}
