// The web links: a link nothing can open is reported, and every file target is delivered.
#include "engine/State.h"
#include "shell/WebLinks.h"
#include "tests/support/TestDoubles.h"

#include <gtest/gtest.h>

#include <filesystem>

using shell::WebLink;

namespace {

struct LinkScene {
    testing_support::Doubles doubles;
    LinkScene() { engine::state().services = doubles.services(); }
    ~LinkScene() { engine::state().services = {}; }
};

} // namespace

TEST(WebLinks, LinkThatNothingCanOpenIsReported) {
    LinkScene scene;
    scene.doubles.shell.result = false;
    shell::OpenWebLink(WebLink::WebSite);
    EXPECT_EQ(scene.doubles.shell.opened.size(), 1u);
    ASSERT_EQ(scene.doubles.dialogs.shown.size(), 1u);
    EXPECT_EQ(scene.doubles.dialogs.shown[0].title, "Web Link");
    EXPECT_NE(scene.doubles.dialogs.shown[0].prompt.find(scene.doubles.shell.opened[0]), std::string::npos);
}

TEST(WebLinks, FileTargetsLieInTheProgramFolder) {
    for (const auto& info : shell::webLinks()) {
        const std::string target(info.target);
        if (target.find(':') != std::string::npos) continue;  // an address, not a file
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(TESSARINE_PROGRAM_DIR) / target)) << target;
    }
}
