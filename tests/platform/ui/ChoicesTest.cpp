// The forms layer's choice controls, containers, menus, toolbar and common dialog without a
// screen: a value set by the program runs Click as the player's choice would, option buttons
// keep their group, the tabbed dialog shows one page, the file list sorts without regard to case.
#include "platform/ui/Choices.h"
#include "platform/ui/CommonDialog.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menus.h"
#include "platform/ui/TreeView.h"
#include "tests/support/ScriptedFilePicker.h"
#include "tests/support/UiScene.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace ui = platform::ui;
using testing_support::UiScene;

namespace {

struct Dialog : ui::Form {
    Dialog() : ui::Form("dialog") {
        tabs.setTabs({"One", "Two"});
        tabs.Move(0, 0, 4000, 3000);
        add(tabs);
        a.Move(100, 400, 1000, 255);
        add(a, &tabs, 0);
        b.Move(100, 700, 1000, 255);
        add(b, &tabs, 0);
        frame.Move(100, 400, 3000, 1500);
        add(frame, &tabs, 1);
        c.Move(100, 200, 1000, 255);
        add(c, &frame);
        d.Move(100, 500, 1000, 255);
        add(d, &frame);
        add(combo);
        add(check);
        for (auto* o : {&a, &b, &c, &d}) o->onClick = [this, o] { clicks.push_back(o->name()); };
        combo.onClick = [this] { clicks.push_back("combo"); };
        combo.onChange = [this] { clicks.push_back("typed"); };
        check.onClick = [this] { clicks.push_back("check"); };
    }
    ui::TabStrip tabs{"tabs"};
    ui::OptionButton a{"a"}, b{"b"}, c{"c"}, d{"d"};
    ui::Frame frame{"frame"};
    ui::ComboBox combo{"combo"};
    ui::CheckBox check{"check"};
    std::vector<std::string> clicks;
};

TEST(Choices, OptionSetFromProgramClicksAndClearsOnlyItsOwnGroup) {
    UiScene scene;
    Dialog w;
    w.a.Value = true;
    w.c.Value = true;
    w.b.Value = true;
    EXPECT_FALSE(w.a.Value);
    EXPECT_TRUE(w.c.Value);   // another group: the frame
    EXPECT_EQ(w.clicks, (std::vector<std::string>{"a", "c", "b"}));
    w.b.Value = true;         // no change, no click
    EXPECT_EQ(w.clicks.size(), 3u);
}

TEST(Choices, CheckBoxClicksOnEveryChangeOfValue) {
    UiScene scene;
    Dialog w;
    w.check.Value = ui::vbChecked;
    w.check.Value = ui::vbChecked;
    w.check.Value = ui::vbUnchecked;
    EXPECT_EQ(w.clicks, (std::vector<std::string>{"check", "check"}));
}

TEST(Choices, ComboRowChosenFillsTheTextAndClicksTypingChanges) {
    UiScene scene;
    Dialog w;
    w.combo.AddItem("None");
    w.combo.AddItem("ding.wav");
    w.combo.ListIndex = 1;
    EXPECT_EQ(w.combo.Text.get(), "ding.wav");
    w.combo.Text = "own.wav";
    EXPECT_EQ(w.combo.ListIndex.get(), -1);
    EXPECT_EQ(w.clicks, (std::vector<std::string>{"combo", "typed"}));
}

TEST(Choices, TabStripShowsOnlyTheCurrentPage) {
    UiScene scene;
    Dialog w;
    EXPECT_TRUE(w.a.shownOnScreen());
    EXPECT_FALSE(w.c.shownOnScreen());
    EXPECT_EQ(w.controlAt(200, 450), &w.a);
    w.tabs.Tab = 1;
    EXPECT_FALSE(w.a.shownOnScreen());
    EXPECT_TRUE(w.c.shownOnScreen());   // in a frame on page 1
    EXPECT_EQ(w.placeOf(w.c).top, 600);
}

TEST(Choices, FileListMatchesThePatternAndSortsWithoutRegardToCase) {
    UiScene scene;
    for (const char* name : {"woody.bmp", "Marble.bmp", "bricks.BMP", "notes.txt", "Aqua.bmp"}) scene.folder.write(name, "x");
    std::filesystem::create_directory(scene.folder / "dir.bmp");
    ui::FileListBox files("File1");
    files.Pattern = "*.bmp";
    files.Path = scene.folder.path().string();
    EXPECT_EQ(files.items(), (std::vector<std::string>{"Aqua.bmp", "bricks.BMP", "Marble.bmp", "woody.bmp"}));
    scene.folder.write("cedar.bmp", "x");
    files.Refresh();
    EXPECT_EQ(files.List(2), "cedar.bmp");
}

TEST(Choices, PatternMatching) {
    EXPECT_TRUE(ui::matchesPattern("Marble.BMP", "*.bmp"));
    EXPECT_TRUE(ui::matchesPattern("a.wav", "?.wav"));
    EXPECT_FALSE(ui::matchesPattern("ab.wav", "?.wav"));
    EXPECT_FALSE(ui::matchesPattern("x.bmp.txt", "*.bmp"));
}

TEST(Menus, ToolbarReportsTheIndexButNotForSpacersOrDisabledButtons) {
    UiScene scene;
    ui::Toolbar bar("Toolbar1");
    bar.addButton({"Play", "", 0, ui::tbrDefault, true});
    bar.addButton({"", "", 0, ui::tbrPlaceholder, true});
    bar.addButton({"Off", "", 0, ui::tbrDefault, false});
    std::vector<int> got;
    bar.onButtonClick = [&](int i) { got.push_back(i); };
    for (int i = 0; i <= 4; ++i) bar.buttonClick(i);
    EXPECT_EQ(got, (std::vector<int>{1}));
}

TEST(Trees, NodesKeepTheirParentAndTagAndAClickSelects) {
    UiScene scene;
    ui::TreeView tree("tvSessions");
    const int root = tree.Add(-1, "Players Waiting");
    tree.Add(root, "Amy", "7");
    tree.Add(root, "Bob", "9");
    int clicked = -1;
    tree.onNodeClick = [&](int i) { clicked = i; };
    tree.nodeClick(2);
    EXPECT_EQ(clicked, 2);
    EXPECT_EQ(tree.SelectedItem.get(), 2);
    EXPECT_EQ(tree.Node(2).Tag, "9");
    EXPECT_EQ(tree.Node(1).parent, root);
    tree.Clear();
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_EQ(tree.SelectedItem.get(), -1);
}

TEST(CommonDialogs, FileOpenReturnsThePathAndRestoresTheCurrentFolder) {
    UiScene scene;
    testing_support::ScriptedFilePicker picker;
    ui::setFilePicker(&picker);
    picker.answers = {std::string("/x/y.wav"), std::nullopt};
    picker.whileOpen = [] { std::filesystem::current_path(std::filesystem::temp_directory_path()); };
    ui::CommonDialog dialog("CommonDialog1");
    dialog.Filter = "Sound File (*.wav)|*.wav";
    dialog.InitDir = "/start";
    EXPECT_TRUE(dialog.ShowOpen());
    EXPECT_EQ(dialog.FileName.get(), "/x/y.wav");
    EXPECT_EQ(std::filesystem::current_path(), scene.folder.path());
    EXPECT_FALSE(dialog.ShowOpen());
    EXPECT_EQ(dialog.FileName.get(), "/x/y.wav");
    EXPECT_EQ(picker.opened[0].initialFolder, "/start");
    ui::setFilePicker(nullptr);
    EXPECT_FALSE(dialog.ShowOpen());
}

TEST(CommonDialogs, HelpGoesToTheViewer) {
    std::vector<int> seen;
    ui::setHelpViewer([&](const std::string& file, int command, int context) {
        EXPECT_EQ(file, "TESSARINE.HLP");
        seen = {command, context};
    });
    ui::CommonDialog dialog("CommonDialog1");
    dialog.HelpFile = "TESSARINE.HLP";
    dialog.HelpCommand = 1;
    dialog.HelpContext = 90;
    dialog.ShowHelp();
    EXPECT_EQ(seen, (std::vector<int>{1, 90}));
    ui::setHelpViewer({});
}

} // namespace
