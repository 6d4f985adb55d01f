// The About window: its caption with the version, its place, its support link, and that it goes
// as soon as the player clicks elsewhere.
#include "engine/State.h"
#include "platform/ui/CommonDialog.h"
#include "platform/ui/Desktop.h"
#include "shell/AboutWindow.h"
#include "tests/support/UiScene.h"

#include <gtest/gtest.h>

namespace ui = platform::ui;

namespace {

struct AboutScene : testing_support::UiScene {
    std::vector<std::pair<int, int>> help;  // command, context
    AboutScene() {
        engine::state().AppVersion = "1.1";
        ui::setHelpViewer([this](const std::string& file, int command, int context) {
            EXPECT_EQ(file, "TESSARINE.HLP");
            help.emplace_back(command, context);
        });
    }
    ~AboutScene() {
        if (shell::AboutWindow* w = shell::aboutIfLoaded()) w->Unload();
        ui::setHelpViewer({});
    }
};

} // namespace

TEST(AboutWindow, CaptionCarriesTheVersionAndTheWindowIsCentred) {
    AboutScene scene;
    shell::AboutWindow& w = shell::about();
    const ui::Desktop& desktop = ui::Desktop::instance();
    EXPECT_EQ(w.Caption.get(), "Tessarine - Version 1.1");
    EXPECT_EQ(w.Left.get(), (desktop.screenWidth() - w.Width) / 2);
    EXPECT_EQ(w.Top.get(), (desktop.screenHeight() - w.Height) / 2);
}

TEST(AboutWindow, SupportLinkOpensTopicThirty) {
    AboutScene scene;
    shell::about().Show();
    shell::about().Label3.click();
    ASSERT_EQ(scene.help.size(), 1u);
    EXPECT_EQ(scene.help[0], std::make_pair(1, 30));
}

TEST(AboutWindow, ClosesWhenAnotherWindowTakesTheFocus) {
    AboutScene scene;
    shell::about().Show();
    ui::Form elsewhere("elsewhere");
    elsewhere.Show();
    ui::Desktop::instance().collect();
    EXPECT_EQ(shell::aboutIfLoaded(), nullptr);
}

TEST(AboutWindow, ButtonCloses) {
    AboutScene scene;
    shell::about().Show();
    shell::about().Command1.click();
    EXPECT_EQ(shell::aboutIfLoaded(), nullptr);
}
