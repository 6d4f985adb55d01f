// The main window drawn on a screen (the offscreen platform): what the player sees of it.
#include "platform/ui/qt/QtBinding.h"
#include "tests/support/QtApp.h"
#include "tests/support/UiScene.h"
#include "window/MainWindow.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QImage looks(platform::ui::qt::QtBinding& binding, platform::ui::Label& label, const std::string& caption) {
    label.Caption = caption;
    return binding.widgetOf(label)->grab().toImage();
}

} // namespace

TEST(MainWindowScreen, EveryCounterUpTo32767ShowsWhole) {
    testing_support::qtApp();
    testing_support::UiScene scene;
    platform::ui::qt::QtBinding binding;
    engine::state().AppVersion = "1.1";
    window::MainWindow& w = window::main();
    w.Show();
    for (platform::ui::Label* counter : {&w.Label9, &w.Label10, &w.Label11, &w.Label12}) {
        // Its last digit is drawn: the whole number does not look like its first four digits.
        EXPECT_NE(looks(binding, *counter, "32767"), looks(binding, *counter, "3276")) << counter->name();
    }
    w.Unload();
}
