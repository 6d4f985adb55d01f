// The Qt binding of the choice controls, the tabbed dialog, the menu bar and the toolbar under the
// offscreen platform: the player's clicks reach the model and the model's values reach the screen.
#include "platform/ui/Choices.h"
#include "platform/ui/Containers.h"
#include "platform/ui/Form.h"
#include "platform/ui/Menus.h"
#include "platform/ui/TreeView.h"
#include "platform/ui/qt/QtBinding.h"
#include "tests/platform/ui/QtScene.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QIcon>
#include <QImage>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace ui = platform::ui;
using QtControls = testing_support::QtScene;

namespace {

struct Strip : ui::Form {
    Strip() : ui::Form("strip") {
        tabs.setTabs({"One", "Two"});
        tabs.Move(0, 0, 4000, 2000);
        add(tabs);
        one.Move(100, 500, 1500, 300);
        add(one, &tabs, 0);
        two.Move(100, 900, 1500, 300);
        add(two, &tabs, 0);
        tick.Move(100, 500, 1500, 300);
        add(tick, &tabs, 1);
        combo.Move(0, 2100, 2000, 315);
        add(combo);
        bar.addButton({"Play", "Play Computer", 0, ui::tbrDefault, true});
        bar.addButton({"", "", 0, ui::tbrPlaceholder, true});
        bar.addButton({"Exit", "", 0, ui::tbrDefault, true});
        bar.Move(0, 2500, 4000, 600);
        add(bar);
        add(game);
        add(exit, &game);
        help.Shortcut = "F1";
        add(help, &game);
        bar.onButtonClick = [this](int i) { pressed.push_back(i); };
        exit.onClick = [this] { ++exits; };
        two.onClick = [this] { ++twos; };
    }
    ui::TabStrip tabs{"tabs"};
    ui::OptionButton one{"one"}, two{"two"};
    ui::CheckBox tick{"tick"};
    ui::ComboBox combo{"combo"};
    ui::Toolbar bar{"bar"};
    ui::MenuItem game{"game", "&Game"};
    ui::MenuItem exit{"exit", "E&xit"};
    ui::MenuItem help{"help", "Help Contents"};
    std::vector<int> pressed;
    int exits = 0;
    int twos = 0;
};

TEST_F(QtControls, PlayerChoicesReachTheModelAndModelValuesTheScreen) {
    Strip w;
    w.Show();
    auto* two = qobject_cast<QRadioButton*>(binding.widgetOf(w.two));
    ASSERT_NE(two, nullptr);
    two->click();
    EXPECT_TRUE(w.two.Value);
    EXPECT_EQ(w.twos, 1);
    w.one.Value = true;
    EXPECT_TRUE(qobject_cast<QRadioButton*>(binding.widgetOf(w.one))->isChecked());
    EXPECT_FALSE(two->isChecked());

    w.combo.AddItem("None");
    w.combo.AddItem("ding.wav");
    auto* combo = qobject_cast<QComboBox*>(binding.widgetOf(w.combo));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 2);
    w.combo.ListIndex = 1;
    EXPECT_EQ(combo->currentText(), "ding.wav");
}

TEST_F(QtControls, TabsHideTheOtherPagesControls) {
    Strip w;
    w.Show();
    EXPECT_TRUE(binding.widgetOf(w.one)->isVisible());
    EXPECT_FALSE(binding.widgetOf(w.tick)->isVisible());
    qobject_cast<QTabWidget*>(binding.widgetOf(w.tabs))->setCurrentIndex(1);
    EXPECT_EQ(w.tabs.Tab.get(), 1);
    EXPECT_FALSE(binding.widgetOf(w.one)->isVisible());
    EXPECT_TRUE(binding.widgetOf(w.tick)->isVisible());
}

TEST_F(QtControls, ToolbarAndMenuActionsRunTheirHandlers) {
    Strip w;
    w.Show();
    auto* bar = qobject_cast<QToolBar*>(binding.widgetOf(w.bar));
    ASSERT_NE(bar, nullptr);
    QList<QAction*> buttons;
    for (QAction* a : bar->actions())
        if (!a->isSeparator()) buttons << a;
    ASSERT_EQ(buttons.size(), 2);
    EXPECT_EQ(buttons[0]->toolTip(), "Play Computer");
    buttons[1]->trigger();
    EXPECT_EQ(w.pressed, (std::vector<int>{3}));
    QAction* exit = binding.actionOf(w.exit);
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), "E&xit");
    exit->trigger();
    EXPECT_EQ(w.exits, 1);
    EXPECT_EQ(binding.actionOf(w.help)->shortcut(), QKeySequence("F1"));
}

TEST_F(QtControls, ToolbarButtonsShowTheirImageListPictureAndAMissingOneNone) {
    QImage green(24, 24, QImage::Format_RGB32);
    green.fill(Qt::green);
    ASSERT_TRUE(green.save(QString::fromStdString((scene.folder / "play.bmp").string())));
    struct Pictured : ui::Form {
        Pictured() : ui::Form("pictured") {
            bar.ImageList = {ui::Picture::load("play.bmp"), ui::Picture::load("gone.bmp")};
            bar.addButton({"Play", "", 1, ui::tbrDefault, true});
            bar.addButton({"Exit", "", 2, ui::tbrDefault, true});
            bar.Move(0, 0, 4000, 600);
            add(bar);
        }
        ui::Toolbar bar{"bar"};
    } w;
    w.Show();
    QList<QAction*> buttons;
    for (QAction* a : qobject_cast<QToolBar*>(binding.widgetOf(w.bar))->actions())
        if (!a->isSeparator()) buttons << a;
    ASSERT_EQ(buttons.size(), 2);
    ASSERT_FALSE(buttons[0]->icon().isNull());
    EXPECT_EQ(QColor(buttons[0]->icon().pixmap(24, 24).toImage().pixel(12, 12)), QColor(Qt::green));
    EXPECT_TRUE(buttons[1]->icon().isNull());
    EXPECT_EQ(buttons[1]->text(), "Exit");
}

} // namespace

namespace {

struct Sessions : ui::Form {
    Sessions() : ui::Form("SelectWaiting") {
        tree.Move(100, 100, 3000, 2000);
        add(tree);
        tree.onNodeClick = [this](int i) { clicked = i; };
    }
    ui::TreeView tree{"tvSessions"};
    int clicked = -1;
};

TEST_F(QtControls, TreeShowsItsNodesAndReportsTheClickedOne) {
    Sessions w;
    const int root = w.tree.Add(-1, "Players Waiting");
    w.tree.Add(root, "Amy", "7");
    w.Show();
    auto* tree = qobject_cast<QTreeWidget*>(binding.widgetOf(w.tree));
    ASSERT_NE(tree, nullptr);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QTreeWidgetItem* amy = tree->topLevelItem(0)->child(0);
    ASSERT_NE(amy, nullptr);
    EXPECT_EQ(amy->text(0), "Amy");
    emit tree->itemClicked(amy, 0);
    EXPECT_EQ(w.clicked, 1);
}

} // namespace
