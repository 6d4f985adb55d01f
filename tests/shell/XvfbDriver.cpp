// Drives the real program's windows on a real (virtual) screen, step by step, for a look at a
// whole first run: login, the profile editor for a new player, the main window, the menu strip,
// a game against the computer played to its end, the game-over dialog. Each step leaves a
// screenshot in the folder given as the first argument. Not a test: run it under xvfb-run.
#include "engine/GameOverSeam.h"
#include "engine/State.h"
#include "platform/inet/CurlHttpClient.h"
#include "platform/seams/Random.h"
#include "platform/sound/QtSoundPlayer.h"
#include "platform/ui/Files.h"
#include "platform/ui/qt/QtBinding.h"
#include "platform/ui/qt/QtClock.h"
#include "platform/ui/qt/QtDialogs.h"
#include "shell/Login.h"
#include "shell/MenuForm.h"
#include "shell/PlayMore.h"
#include "shell/Settings.h"
#include "shell/Startup.h"
#include "tests/support/TileHand.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <vector>

namespace {

namespace fs = std::filesystem;
namespace ui = platform::ui;

class NoExit final : public platform::ProgramExit {
public:
    void exitProgram() override { QApplication::quit(); }
};

std::string shotFolder;
int shotNumber = 0;

void shot(const char* what) {
    QCoreApplication::processEvents();
    const std::string path = shotFolder + "/step" + std::to_string(++shotNumber) + "-" + what + ".png";
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString::fromStdString(path));
    std::printf("%s\n", path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    shotFolder = argc > 1 ? argv[1] : "/tmp";

    // A fresh program folder: the delivered files, no players.dat.
    const fs::path folder = fs::temp_directory_path() / "tessarine-xvfb-run";
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& entry : fs::directory_iterator(TESSARINE_PROGRAM_DIR)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_directory() || ext == ".bmp" || ext == ".wav" || ext == ".dic" || ext == ".HLP")
            fs::copy(entry.path(), folder / entry.path().filename(), fs::copy_options::recursive);
    }
    ui::setProgramFolder(folder);

    ui::qt::QtBinding binding;
    ui::qt::QtDialogs dialogs;
    ui::qt::QtClock clock;
    platform::RealRandom random;
    platform::sound::QtSoundPlayer sound;
    platform::inet::CurlHttpClient http;
    NoExit exit;
    engine::state().services = {&dialogs, &clock, &random, &sound, &http, &exit, nullptr};
    engine::setGameOverDialog(&shell::playMoreDialog());
    shell::startProgram();

    std::vector<std::function<void()>> steps = {
        [] { shot("login"); },
        [] { shell::login().Combo1.Text = "Alice"; },
        [] {
            shot("login-name-typed");
            shell::login().Command1.click();
        },
        [] { shot("profile-editor-new-player"); },
        [] { shell::settings().SSTab1.Tab = 1; },
        [] { shot("profile-editor-game-settings"); },
        [] { shell::settings().SSTab1.Tab = 2; },
        [] {
            shot("profile-editor-connections");
            shell::settings().Command2.click();
        },
        [] { shot("main-window"); },
        [] {
            window::main().MenuButton.click();
        },
        [] { shot("menu-strip"); },
        [] { shell::menuform().mnuplaycomputer.click(); },
        [] { shot("computer-game-started"); },
    };
    // Then the moves: the first shown rack tile into the next column that has room, until the end.
    std::function<void()> play = [&] {
        const engine::State& s = engine::state();
        if (s.GameOver == 1 || shell::playmoreIfLoaded()) {
            shot("game-over");
            QTimer::singleShot(400, [] {
                shot("game-over-dialog");
                if (shell::PlayMore* dialog = shell::playmoreIfLoaded()) dialog->Command2.click();
                QTimer::singleShot(400, [] {
                    shot("after-stop");
                    QApplication::quit();
                });
            });
            return;
        }
        window::MainWindow& m = window::main();
        if (s.TurnName == s.UserName) {
            static int column = 0;
            for (int tries = 0; tries < 7; ++tries, column = (column + 1) % 7) {
                if (m.Hole(35 + column).Tag.get() != "xx") continue;
                for (ui::Image* tile : m.rack())
                    if (tile->Visible && tile->Tag.get() != "xx") {
                        testing_support::dragTileTo(m, *tile, m.Hole(35 + column));
                        break;
                    }
                column = (column + 1) % 7;
                break;
            }
        }
        QTimer::singleShot(300, play);
    };
    steps.push_back(play);

    std::function<void(std::size_t)> run = [&](std::size_t i) {
        if (i >= steps.size()) return;
        steps[i]();
        if (i + 1 < steps.size()) QTimer::singleShot(700, [&, i] { run(i + 1); });
    };
    QTimer::singleShot(700, [&] { run(0); });
    QTimer::singleShot(120000, [] { QApplication::quit(); });
    return app.exec();
}
