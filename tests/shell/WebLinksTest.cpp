// The web links: each item hands its own target to the desktop, and one that cannot be opened
// passes without a word.
#include "engine/State.h"
#include "shell/WebLinks.h"
#include "tests/support/TestDoubles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using shell::WebLink;

namespace {

struct LinkScene {
    testing_support::Doubles doubles;
    LinkScene() { engine::state().services = doubles.services(); }
    ~LinkScene() { engine::state().services = {}; }
};

} // namespace

TEST(WebLinks, EachItemOpensItsOwnTarget) {
    LinkScene scene;
    for (const auto& info : shell::webLinks()) shell::OpenWebLink(info.link);
    ASSERT_EQ(scene.doubles.shell.opened.size(), 9u);
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(scene.doubles.shell.opened[i], shell::webLinks()[i].target);
    EXPECT_TRUE(scene.doubles.shell.started.empty());
}

TEST(WebLinks, LinkThatCannotBeOpenedFailsSilently) {
    LinkScene scene;
    scene.doubles.shell.result = false;
    shell::OpenWebLink(WebLink::WebSite);
    EXPECT_EQ(scene.doubles.shell.opened.size(), 1u);
    EXPECT_TRUE(scene.doubles.dialogs.shown.empty());
}

TEST(WebLinks, FiveDownloadItemsHaveCaptions) {
    std::set<std::string> captions;
    for (int item = 1; item <= 5; ++item) {
        EXPECT_FALSE(shell::downloadCaption(item).empty()) << item;
        captions.insert(std::string(shell::downloadCaption(item)));
    }
    EXPECT_EQ(captions.size(), 5u);
    EXPECT_TRUE(shell::downloadCaption(0).empty());
    EXPECT_TRUE(shell::downloadCaption(6).empty());
}

TEST(WebLinks, FileTargetsLieInTheProgramFolder) {
    for (const auto& info : shell::webLinks()) {
        const std::string target(info.target);
        if (target.find(':') != std::string::npos) continue;  // an address, not a file
        EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(TESSARINE_PROGRAM_DIR) / target)) << target;
    }
}
