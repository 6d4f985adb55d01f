// The menu strip on a screen (the offscreen platform): what a click meant for the Menu button
// does when the pointer has just opened the strip over it, and where the strip opens.
#include "platform/ui/qt/QtBinding.h"
#include "shell/MenuActions.h"
#include "tests/shell/ShellScene.h"
#include "tests/support/QtApp.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QToolBar>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using namespace shelltest;
namespace ui = platform::ui;

void settle() {
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
}

// The mouse as the window system delivers it: to the window under the pointer, at a screen point.
void mouse(QWidget* window, QEvent::Type type, QPoint screenAt) {
    QWindow* handle = window->windowHandle();
    ASSERT_NE(handle, nullptr);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    QMouseEvent e(type, QPointF(handle->mapFromGlobal(screenAt)), QPointF(screenAt), button, held, Qt::NoModifier);
    QApplication::sendEvent(handle, &e);
}

void click(QWidget* window, QPoint screenAt) {
    mouse(window, QEvent::MouseButtonPress, screenAt);
    mouse(window, QEvent::MouseButtonRelease, screenAt);
    settle();
}

enum class Under { Toolbar, MenuBar };

struct StripOnScreen {
    ShellScene scene;
    platform::ui::qt::QtBinding binding;

    explicit StripOnScreen(bool maximised) {
        scene.writePlayers({ShellScene::profile("Amy"), ShellScene::profile("Computer", "", 5, 2, 2, 1)});
        engine::state().UserName = "Amy";
        window::main().Show();
        settle();
        if (maximised) window::main().WindowState = ui::vbMaximized;
        settle();
    }

    QWidget* mainWindow() { return binding.widgetOf(window::main()); }
    QPoint menuButton() {
        QWidget* button = binding.widgetOf(window::main().MenuButton);
        return button->mapToGlobal(button->rect().center());
    }
    // The pointer comes onto the Menu button and rests there.
    void pointAtMenu() {
        mouse(mainWindow(), QEvent::MouseMove, menuButton());
        settle();
    }
    void clickMenu() { click(mainWindow(), menuButton()); }

    // Where on the screen the strip's "Play Computer" button, or its "Settings" menu, lies.
    QPoint commandOf(Under under) {
        shell::MenuForm& strip = shell::menuform();
        QWidget* window = binding.widgetOf(strip);
        if (under == Under::Toolbar) {
            auto* bar = static_cast<QToolBar*>(binding.widgetOf(strip.Toolbar1));
            for (QAction* action : bar->actions())
                if (action->text() == "Play Computer") {
                    QWidget* button = bar->widgetForAction(action);
                    return button->mapToGlobal(button->rect().center());
                }
        } else if (auto* menus = window->findChild<QMenuBar*>()) {
            return menus->mapToGlobal(menus->actionGeometry(binding.actionOf(strip.mnusettings)).center());
        }
        ADD_FAILURE() << "no such command on the strip";
        return {};
    }
    bool commandRan(Under under) {
        return under == Under::Toolbar ? engine::state().ComputerGame == 1 : shell::settingsIfLoaded() != nullptr;
    }
    // The windows the player sees.
    std::set<QWidget*> shown() {
        std::set<QWidget*> out;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) out.insert(w);
        return out;
    }
};

} // namespace

TEST(MenuStripScreen, AClickMeantForMenuRunsNothingOnAStripThePointerJustOpened) {
    testing_support::qtApp();
    for (const bool maximised : {false, true}) {
        for (const Under under : {Under::Toolbar, Under::MenuBar}) {
            const std::string row = std::string(maximised ? "maximised" : "normal") +
                                    (under == Under::Toolbar ? ", Play Computer" : ", Settings");
            StripOnScreen screen(maximised);
            platform::ui::qt::QtBinding& binding = screen.binding;
            screen.pointAtMenu();
            shell::MenuForm* strip = shell::menuformIfLoaded();
            ASSERT_NE(strip, nullptr) << row;
            const QPoint at = screen.commandOf(under);

            // The click the player meant for Menu lands on the strip a moment later.
            screen.scene.doubles.clock.ms += 200;
            QWidget* stripWindow = binding.widgetOf(*strip);
            click(stripWindow, at);
            EXPECT_FALSE(screen.commandRan(under)) << row;
            EXPECT_EQ(engine::state().ComputerGame, 0) << row;
            EXPECT_EQ(screen.shown(), (std::set<QWidget*>{screen.mainWindow(), stripWindow})) << row;
            ASSERT_EQ(shell::menuformIfLoaded(), strip) << row;
            EXPECT_TRUE(strip->Visible) << row;

            // A click once the player has had time to look at the strip runs its command.
            screen.scene.doubles.clock.ms += 600;
            click(binding.widgetOf(*strip), at);
            EXPECT_TRUE(screen.commandRan(under)) << row;
        }
    }
    // A strip opened by a click on Menu runs its first click at once.
    for (const Under under : {Under::Toolbar, Under::MenuBar}) {
        StripOnScreen screen(false);
        screen.clickMenu();
        shell::MenuForm* strip = shell::menuformIfLoaded();
        ASSERT_NE(strip, nullptr);
        click(screen.binding.widgetOf(*strip), screen.commandOf(under));
        EXPECT_TRUE(screen.commandRan(under)) << (under == Under::Toolbar ? "Play Computer" : "Settings");
    }
}

TEST(MenuStripScreen, TheStripOpensWholeOnTheScreenWhateverWindowWasMovedBefore) {
    testing_support::qtApp();
    for (const bool maximised : {true, false}) {
        const std::string row = maximised ? "maximised" : "normal at the top edge";
        StripOnScreen screen(maximised);
        window::MainWindow& m = window::main();
        if (!maximised) {
            m.Left = 100 * 15;
            m.Top = 0;
            settle();
        }
        const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
        const auto openStrip = [&] {
            m.MenuButton.click();
            settle();
            QWidget* strip = screen.binding.widgetOf(shell::menuform());
            return std::pair{strip->frameGeometry(), strip->geometry()};
        };
        const auto closeStrip = [&] {
            screen.mainWindow()->activateWindow();
            settle();
            ASSERT_EQ(shell::menuformIfLoaded(), nullptr) << row;
        };

        const auto [first, firstClient] = openStrip();
        ASSERT_NE(first, firstClient) << "windows get a frame here";
        EXPECT_TRUE(free.contains(first)) << row << ": frame " << first.x() << "," << first.y();
        // The menu bar starts at the game window's left edge, as close to its top as the screen lets it.
        const QRect game = screen.mainWindow()->geometry();
        EXPECT_EQ(firstClient.left(), game.left() + (maximised ? firstClient.left() - first.left() : 0)) << row;
        EXPECT_EQ(firstClient.top(), game.top() + firstClient.top() - first.top()) << row;
        closeStrip();

        // The player drags another framed window of the program, then opens the strip again.
        shell::ShowQuickRules();
        settle();
        QWidget* other = nullptr;
        for (ui::Form* form : ui::Desktop::instance().forms())
            if (form != &m && form->BorderStyle != ui::vbBSNone) other = screen.binding.widgetOf(*form);
        ASSERT_NE(other, nullptr);
        other->move(other->pos() + QPoint(40, 30));
        settle();
        screen.mainWindow()->activateWindow();
        settle();

        const auto [again, againClient] = openStrip();
        EXPECT_EQ(again, first) << row;
        EXPECT_TRUE(free.contains(again)) << row;
        closeStrip();
        EXPECT_EQ(screen.mainWindow()->geometry(), game) << row << ": the game window stays where it was";
    }
}
