// The chat line of the main window: who hears a line, what the sender's status list shows, and
// what Enter does.
#include "netplay/InetRequests.h"
#include "tests/support/GameScene.h"
#include "window/MainWindow.h"

#include <gtest/gtest.h>

#include <algorithm>

using testing_support::FakeHttp;

namespace {

struct ChatScene : testing_support::GameScene {
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
    std::string lastStatus() { return w.StatusText.items().back(); }
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

TEST(ChatLine, LanLineIsShownAsTypedAndNotPosted) {
    ChatScene scene;
    engine::state().LanGame = 1;
    scene.w.ChatText.Text = " hi ";
    scene.w.SendButton.click();
    const auto& lines = scene.w.StatusText.items();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Sent:  hi "), lines.end());
    EXPECT_TRUE(scene.doubles.http.requests.empty());
    EXPECT_EQ(scene.w.ChatText.Text.get(), "");
}
