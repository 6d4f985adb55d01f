// The game-over dialog on a screen (the offscreen platform), after an Internet game: it stays
// above the main window, but a player who clicks into the chat box types into the chat box. After
// a game against the computer: a dialog's frame, and the button the space bar would press.
#include "engine/GameOverSeam.h"
#include "engine/Round.h"
#include "engine/State.h"
#include "platform/ui/qt/QtBinding.h"
#include "shell/PlayMore.h"
#include "tests/support/GameScene.h"
#include "tests/support/QtApp.h"

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QKeyEvent>
#include <QWidget>
#include <QRect>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void settle() {
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
}

// A key as the keyboard delivers it: to the widget that has the focus.
void press(int key, const QString& text) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    if (QWidget* now = QApplication::focusWidget()) {
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(now, &up);
    }
}

// The tiles as whole pictures a screen can decode, not just their headers.
void writeDecodableTiles(const testing_support::GameScene& scene) {
    std::string bmp = testing_support::tinyBmp(8, 8);
    bmp.append(8 * 8 * 3, '\x40');
    for (const char* colour : {"blue", "red", "yel"})
        for (char c = 'a'; c <= 'z'; ++c) scene.folder.write(std::string("pics/") + colour + "_" + c + ".bmp", bmp);
}

// "w o r" lie along the bottom row; the rack's first tile, a "d", completes "word" and opens the
// game-over dialog.
shell::PlayMore* completeWord(window::MainWindow& w) {
    for (int cell = 0; cell < 3; ++cell) {
        w.Hole(cell).Picture = w.Pics.blue("wor"[cell] - 'a').Picture.get();
        w.Hole(cell).Tag = std::string(1, "wor"[cell]);
    }
    w.Image1.Visible = false;
    w.Hole_DragDrop(45, w.Image1, 0, 0);
    settle();
    return shell::playmoreIfLoaded();
}

} // namespace

TEST(GameOverDialogScreen, AChatLineTypedAtGameOverIsSentWholeAndTheDialogStillAsks) {
    testing_support::qtApp();
    testing_support::GameScene scene;
    platform::ui::qt::QtBinding binding;
    engine::setGameOverDialog(&shell::playMoreDialog());
    writeDecodableTiles(scene);
    scene.doubles.http.handler = [](const std::string&) { return testing_support::FakeHttp::okBody("TS:WRITE*OK"); };
    window::MainWindow& w = scene.main();
    w.Show();

    // An Internet game in which Alice completes "word" along the bottom row.
    engine::State& s = engine::state();
    s.InetState = engine::InetPlaying;
    s.Player1Name = "Alice";
    s.Player2Name = "Bob";
    s.MyColour = "blue";
    s.PlayerNumber = 1;
    s.OutboxKey = "c7";
    s.InboxKey = "s7";
    scene.dealNext("dkkkkkkk");
    engine::StartRound();
    shell::PlayMore* dialog = completeWord(w);
    ASSERT_NE(dialog, nullptr);
    ASSERT_EQ(QApplication::activeWindow(), binding.widgetOf(*dialog));
    // A dialog of the main window from the moment it appears: window managers keep it above.
    // Where the program put it: the chat box below it stays free.
    const QWindow* shown = binding.widgetOf(*dialog)->windowHandle();
    EXPECT_EQ(shown->type(), Qt::Dialog);
    EXPECT_EQ(shown->transientParent(), binding.widgetOf(w)->windowHandle());
    EXPECT_EQ(binding.widgetOf(*dialog)->geometry(),
              QRect(dialog->Left / 15, dialog->Top / 15, dialog->Width / 15, dialog->Height / 15));

    // The player clicks into the chat box and types a line.
    QWidget* chat = binding.widgetOf(w.ChatText);
    ASSERT_NE(chat, nullptr);
    binding.widgetOf(w)->activateWindow();
    chat->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_EQ(QApplication::activeWindow(), binding.widgetOf(w));
    for (const QChar c : QString("gg after game 3")) {
        press(c == ' ' ? Qt::Key_Space : Qt::Key_A, QString(c));
        if (::testing::Test::HasFatalFailure()) break;
        settle();
    }
    press(Qt::Key_Return, "\r");
    settle();

    const auto& lines = w.StatusText.items();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Sent: gg after game 3"), lines.end());
    EXPECT_EQ(shell::playmoreIfLoaded(), dialog) << "the dialog still asks";
    EXPECT_EQ(s.GameOver, 1) << "no round was dealt that the player did not choose";
    EXPECT_TRUE(binding.widgetOf(*dialog)->isVisible());
    dialog->Command2.click();
    w.Unload();
    settle();
}

TEST(GameOverDialogScreen, AfterAComputerGameTheDialogHasOnlyCloseKeepsItsSizeAndMarksTheFocusedButton) {
    testing_support::qtApp();
    testing_support::GameScene scene;
    platform::ui::qt::QtBinding binding;
    // The computer's turns wait for the test's clock, not the screen's.
    platform::ui::Desktop::instance().setTimerHost(&scene.timers);
    engine::setGameOverDialog(&shell::playMoreDialog());
    writeDecodableTiles(scene);
    window::MainWindow& w = scene.main();
    w.Show();
    scene.startComputerGame("dkkkkkkk");
    shell::PlayMore* dialog = completeWord(w);
    ASSERT_NE(dialog, nullptr);
    QWidget* shown = binding.widgetOf(*dialog);
    ASSERT_EQ(QApplication::activeWindow(), shown);

    // Title bar and close only: minimised it would take the game along, maximised cover the board.
    const Qt::WindowFlags flags = shown->windowHandle()->flags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    const QSize size(dialog->Width / 15, dialog->Height / 15);
    EXPECT_EQ(shown->minimumSize(), size);
    EXPECT_EQ(shown->maximumSize(), size);
    // Its close button still does not close it: only an answer does.
    QCloseEvent close;
    QApplication::sendEvent(shown, &close);
    EXPECT_EQ(shell::playmoreIfLoaded(), dialog);

    // The focus came with the activation, not with Tab: the space bar would press the button that
    // has it, so the player sees which one that is.
    QWidget* yes = binding.widgetOf(dialog->Command1);
    QWidget* no = binding.widgetOf(dialog->Command2);
    ASSERT_EQ(QApplication::focusWidget(), yes);
    const QImage onYes = shown->grab().toImage();
    no->setFocus(Qt::MouseFocusReason);
    settle();
    const QImage onNo = shown->grab().toImage();
    EXPECT_TRUE(onYes != onNo) << "the dialog looks the same with the focus on Yes and on No";
    yes->setFocus(Qt::MouseFocusReason);
    settle();
    EXPECT_TRUE(shown->grab().toImage() == onYes) << "the mark does not follow the focus back";
    dialog->Command2.click();
    w.Unload();
    settle();
}
