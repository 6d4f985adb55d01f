// The chat line of the main window: who hears a line, what the sender's status list shows, and
// what Enter does.
#include "netplay/InetRequests.h"
#include "tests/netplay/LanFixture.h"
#include "window/MainWindow.h"

#include <gtest/gtest.h>

using testing_support::FakeHttp;

namespace {

// The main window with its transfer control on a fake server and its session object on a
// scripted network: every line sent either way is seen.
struct ChatScene : testing_support::LanScene {
    window::MainWindow& w = main();
    ChatScene() {
        netplay::setServerAddress("127.0.0.1:8642");
        engine::state().SoundChatSent = "sent.wav";
        doubles.http.handler = [this](const std::string&) {
            lightOnDuringPost = w.light.Picture == w.Pics.onlight.Picture;
            pollingDuringPost = w.inettimer.Enabled;
            return FakeHttp::okBody("TS:");
        };
        w.Show();
    }
    void playingOnTheInternet() {
        engine::State& s = engine::state();
        s.InetState = engine::InetPlaying;
        s.OutboxKey = "s17";
        w.inettimer.Enabled = true;
    }
    bool lightOnDuringPost = false;
    bool pollingDuringPost = true;
};

} // namespace

TEST(ChatLine, InternetLineIsShownAsTypedAndPostedTrimmed) {
    ChatScene scene;
    scene.playingOnTheInternet();
    scene.w.ChatText.Text = "  see you at 5 + 1 ";
    scene.w.SendButton.click();
    EXPECT_EQ(scene.lastStatus(), "Sent:   see you at 5 + 1 ");
    ASSERT_EQ(scene.doubles.http.requests.size(), 1u);
    EXPECT_EQ(scene.doubles.http.requests[0].url,
              netplay::requestAddress(netplay::wire::Script::PostData,
                                      netplay::wire::postFields("s17", netplay::wire::PostKind::Chat, "see you at 5 + 1")));
    EXPECT_TRUE(scene.lightOnDuringPost);
    EXPECT_FALSE(scene.pollingDuringPost);
    EXPECT_TRUE(scene.w.inettimer.Enabled);
    EXPECT_TRUE(scene.w.light.Picture == scene.w.Pics.offlight.Picture);
    EXPECT_EQ(scene.w.ChatText.Text.get(), "");
    EXPECT_TRUE(scene.doubles.sound.played.empty());
}

TEST(ChatLine, FailedPostIsNotNoticed) {
    ChatScene scene;
    scene.playingOnTheInternet();
    scene.doubles.http.handler = [](const std::string&) { return FakeHttp::failure(35761, "Request timed out"); };
    scene.w.ChatText.Text = "hello";
    scene.w.SendButton.click();
    EXPECT_EQ(scene.lastStatus(), "Sent: hello");
    EXPECT_EQ(scene.doubles.http.requests.size(), 1u);
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
    EXPECT_TRUE(scene.w.inettimer.Enabled);
}

TEST(ChatLine, AgainstTheComputerTheLineIsOnlyCleared) {
    ChatScene scene;
    scene.startComputerGame("abcdefgh");
    const auto lines = scene.w.StatusText.ListCount();
    scene.w.ChatText.Text = "hello";
    scene.w.SendButton.click();
    EXPECT_EQ(scene.w.ChatText.Text.get(), "");
    EXPECT_EQ(scene.w.StatusText.ListCount(), lines);
    EXPECT_TRUE(scene.doubles.http.requests.empty());
    EXPECT_EQ(scene.sends(), 0);
}

TEST(ChatLine, WaitingInTheRoomTheLineIsOnlyCleared) {
    ChatScene scene;
    engine::state().InetState = engine::InetWaiting;
    scene.w.ChatText.Text = "anyone?";
    scene.w.SendButton.click();
    EXPECT_EQ(scene.w.ChatText.Text.get(), "");
    EXPECT_TRUE(scene.doubles.http.requests.empty());
}

TEST(ChatLine, EmptyLineSendsNothing) {
    ChatScene scene;
    scene.playingOnTheInternet();
    const auto lines = scene.w.StatusText.ListCount();
    scene.w.SendButton.click();
    EXPECT_EQ(scene.w.StatusText.ListCount(), lines);
    EXPECT_TRUE(scene.doubles.http.requests.empty());
}

TEST(ChatLine, EnterSendsALineThatHoldsText) {
    ChatScene scene;
    scene.playingOnTheInternet();
    int key = 13;
    scene.w.ChatText.keyPress(key);
    EXPECT_TRUE(scene.doubles.http.requests.empty());
    scene.w.ChatText.Text = "hi";
    key = 'x';
    scene.w.ChatText.keyPress(key);
    EXPECT_TRUE(scene.doubles.http.requests.empty());
    key = 13;
    scene.w.ChatText.keyPress(key);
    EXPECT_EQ(key, 13);
    EXPECT_EQ(scene.doubles.http.requests.size(), 1u);
    EXPECT_EQ(scene.lastStatus(), "Sent: hi");
}

TEST(ChatLine, LanLineGoesAsTypedFromTheOwnSeatToTheOtherAndIsNotPosted) {
    ChatScene scene;
    scene.setUp(false, "Bob");   // joined: seat 2
    scene.w.ChatText.Text = " hi ";
    scene.w.SendButton.click();
    EXPECT_EQ(scene.lastStatus(), "Sent:  hi ");
    EXPECT_EQ(scene.lastSent(), "2 to 1, flags 0: m hi ");
    EXPECT_EQ(scene.sends(), 1);
    EXPECT_EQ(scene.doubles.sound.played.back(), "sent.wav");
    EXPECT_TRUE(scene.doubles.http.requests.empty());
    EXPECT_EQ(scene.w.ChatText.Text.get(), "");
}
