#pragma once
// The one QApplication of a Qt test program: made on first use and never destroyed, so windows
// a test leaves behind can still go away cleanly at exit. Header only; the test links Qt Widgets.
#include <QApplication>

namespace testing_support {

inline QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "tessarine-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

} // namespace testing_support
