// The quick rules: their texts, the way on to the full help, and that they stay open beside the
// game until one of their buttons is clicked.
#include "platform/ui/CommonDialog.h"
#include "platform/ui/Desktop.h"
#include "shell/QuickHelpWindow.h"
#include "tests/support/UiScene.h"

#include <gtest/gtest.h>

namespace ui = platform::ui;

namespace {

struct HelpCall {
    std::string file;
    int command;
    int context;
};

struct QuickScene : testing_support::UiScene {
    std::vector<HelpCall> help;
    QuickScene() {
        ui::setHelpViewer([this](const std::string& f, int c, int x) { help.push_back({f, c, x}); });
    }
    ~QuickScene() {
        if (shell::QuickHelpWindow* w = shell::quickhelpIfLoaded()) w->Unload();
        ui::setHelpViewer({});
    }
};

} // namespace

TEST(QuickRules, ShowTheRulesInTheirFrames) {
    QuickScene scene;
    shell::QuickHelpWindow& w = shell::quickhelp();
    EXPECT_EQ(w.Caption.get(), "Tessarine - Quick Help");
    EXPECT_EQ(w.Frame1.Caption.get(), "Object Of Game");
    EXPECT_EQ(w.Label1.Caption.get(),
              "The object of Tessarine is to be the first player to create a four letter word by dropping a selected "
              "letter into an empty space on the game board. The first player to complete a four letter word wins!");
    EXPECT_EQ(w.Frame2.Caption.get(), "How To Play");
    EXPECT_EQ(w.Label2.Caption->rfind("You may play Tessarine several ways. Run your mouse over the word Menu", 0), 0u);
    EXPECT_NE(w.Label2.Caption->find("then release the mouse button. Your letter will be dropped into place."), std::string::npos);
    EXPECT_EQ(w.Frame3.Caption.get(), "Word Direction");
    EXPECT_EQ(w.Label4.Caption.get(), "See full help (F1) for more details,");
    EXPECT_EQ(w.Command2.Caption.get(), "Open Full Help");
    EXPECT_EQ(w.Command1.Caption.get(), "Close Quick Help");
}

TEST(QuickRules, LoadingNamesTheFourDirectionsOneALine) {
    QuickScene scene;
    EXPECT_EQ(shell::quickhelp().Label3.Caption.get(),
              "Words can be created in four directions:\n\nVertical - Top to Bottom\nHorizonal - Left to Right\n"
              "Diagonal - Left to Right - Up\nDiagonal - Left to Right - Down");
}

TEST(QuickRules, OpenFullHelpShowsTheContentsAndClosesInOneStep) {
    QuickScene scene;
    shell::quickhelp().Show();
    shell::quickhelp().Command2.click();
    ASSERT_EQ(scene.help.size(), 1u);
    EXPECT_EQ(scene.help[0].file, "TESSARINE.HLP");
    EXPECT_EQ(scene.help[0].command, 3);
    EXPECT_EQ(shell::quickhelpIfLoaded(), nullptr);
}

TEST(QuickRules, CloseButtonClosesWithoutHelp) {
    QuickScene scene;
    shell::quickhelp().Show();
    shell::quickhelp().Command1.click();
    EXPECT_EQ(shell::quickhelpIfLoaded(), nullptr);
    EXPECT_TRUE(scene.help.empty());
}

TEST(QuickRules, StayOpenWhenAnotherWindowTakesTheFocus) {
    QuickScene scene;
    shell::quickhelp().Show();
    ui::Form elsewhere("elsewhere");
    elsewhere.Show();
    ui::Desktop::instance().collect();
    ASSERT_NE(shell::quickhelpIfLoaded(), nullptr);
    EXPECT_TRUE(shell::quickhelp().Visible.get());
}
