// The main window drawn on a screen (the offscreen platform): what the player sees of it, and
// where a box opens that the game shows while another program has the focus.
#include "platform/ui/qt/QtBinding.h"
#include "platform/ui/qt/QtDialogs.h"
#include "tests/support/QtApp.h"
#include "tests/support/UiScene.h"
#include "window/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

QImage looks(platform::ui::qt::QtBinding& binding, platform::ui::Label& label, const std::string& caption) {
    label.Caption = caption;
    return binding.widgetOf(label)->grab().toImage();
}

// The main window shown on the offscreen screen.
class MainWindowScreen : public ::testing::Test {
protected:
    MainWindowScreen() {
        engine::state().AppVersion = "1.1";
        w.Show();
    }
    ~MainWindowScreen() override { w.Unload(); }

    // The application comes first: the binding needs it.
    bool m_app = (testing_support::qtApp(), true);
    testing_support::UiScene scene;
    platform::ui::qt::QtBinding binding;
    window::MainWindow& w = window::main();
};

} // namespace

TEST_F(MainWindowScreen, EveryCounterUpTo32767ShowsWhole) {
    for (platform::ui::Label* counter : {&w.Label9, &w.Label10, &w.Label11, &w.Label12}) {
        // Its last digit is drawn: the whole number does not look like its first four digits.
        EXPECT_NE(looks(binding, *counter, "32767"), looks(binding, *counter, "3276")) << counter->name();
    }
}

TEST_F(MainWindowScreen, ABoxShownWhileAnotherProgramHasTheFocusOpensOverTheMainWindow) {
    // The player has moved the window away from the screen's centre, where a box without a
    // window to open over would land.
    w.Left = 560 * 15;
    w.Top = 420 * 15;
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    QWidget* shown = binding.widgetOf(w);
    const QPoint centre = QApplication::primaryScreen()->geometry().center();
    ASSERT_FALSE(shown->geometry().contains(centre));
    // Another program's window takes the focus: none of the program's windows is active.
    QWindow other;
    other.setGeometry(0, 0, 200, 150);
    other.show();
    other.requestActivate();
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), nullptr);

    QWidget* over = nullptr;
    QRect box;
    QTimer::singleShot(0, [&] {
        auto* shownBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(shownBox, nullptr);
        over = shownBox->parentWidget();
        box = shownBox->geometry();
        shownBox->button(QMessageBox::Ok)->click();
    });
    platform::ui::qt::QtDialogs dialogs;
    dialogs.msgBox("Your opponent has left the game.", platform::vbOKOnly, "Opponent Quit");
    EXPECT_EQ(over, shown);
    EXPECT_TRUE(box.intersects(shown->geometry())) << box.x() << "," << box.y();
    EXPECT_FALSE(box.contains(centre));
}
