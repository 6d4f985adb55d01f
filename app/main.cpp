// Tessarine: builds the real outside world (message boxes, clock, random numbers, sound, HTTP,
// shell) and opens the game window.
#include "engine/Shared.h"
#include "engine/State.h"
#include "netplay/InetGame.h"
#include "platform/help/HelpWindow.h"
#include "platform/inet/CurlHttpClient.h"
#include "platform/seams/Random.h"
#include "platform/shellexec/DesktopShell.h"
#include "platform/sound/QtSoundPlayer.h"
#include "platform/ui/CommonDialog.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/Files.h"
#include "platform/ui/LinePrompt.h"
#include "platform/ui/qt/QtBinding.h"
#include "platform/ui/qt/QtClock.h"
#include "platform/ui/qt/QtDialogs.h"
#include "platform/ui/qt/QtWaitPainter.h"
#include "shell/PlayMore.h"
#include "shell/Startup.h"
#include "window/LeaveInternet.h"
#include "window/MainWindow.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// The game's "End": every window goes at once, nothing is asked.
class QtExit final : public platform::ProgramExit {
public:
    void exitProgram() override {
        // No window is asked anything and no handler runs on; files are closed by the handlers
        // that opened them.
        std::fflush(nullptr);
        std::_Exit(0);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);

    platform::ui::qt::QtBinding binding;
    platform::ui::qt::QtDialogs dialogs;
    platform::ui::qt::QtClock clock;
    platform::RealRandom random;
    platform::sound::QtSoundPlayer sound;
    platform::inet::CurlHttpClient http;
    QtExit exit;
    platform::shellexec::DesktopShell shell(platform::ui::programFolder().string());
    platform::ui::qt::QtWaitPainter painter;

    engine::State& s = engine::state();
    s.services = {&dialogs, &clock, &random, &sound, &http, &exit, &shell, &painter};
    // The windows tell a press made during one of the game's pauses by this clock.
    platform::ui::Desktop::instance().setClock(&clock);

    engine::SetCurrentDirToAppPath();
    s.AppVersion = "1.1";
    // A game that ends opens the shell's game-over dialog.
    engine::setGameOverDialog(&shell::playMoreDialog());
    // Giving up an Internet game tells the opponent through the game server.
    window::setQuitInternetGame(&netplay::QuitInternetGame);

    // The common dialog's help commands open the program's help window.
    platform::ui::setHelpViewer([](const std::string& file, int command, int context) {
        platform::help::showHelp(file, command, context);
    });

    // The common dialog's file-open box.
    platform::ui::qt::QtFilePicker picker;
    platform::ui::setFilePicker(&picker);

    // The small questions of the libraries the game loads (where the network library searches).
    platform::ui::qt::QtLinePrompt prompt;
    platform::ui::setLinePrompt(&prompt);

    // Login first: it leads to the game window, or through the profile editor for a new name.
    shell::startProgram();
    return app.exec();
}
