// Drives the real program's windows on a real (virtual) screen, step by step, for a look at a
// whole first run: login, the profile editor for a new player, the main window, the menu strip,
// a game against the computer played to its end, the game-over dialog. Each step leaves a
// screenshot in the folder given as the first argument. Not a test: run it under xvfb-run.
// With "lan" as the second argument it goes from the main window into a LAN game as a joiner
// instead, up to the network library's question where to search, which it answers with Cancel
// (its settings name no Search, so run it where it has no network: unshare -n).
#include "engine/GameOverSeam.h"
#include "engine/State.h"
#include "netplay/LanProviderWindow.h"
#include "netplay/LanSelectPlay.h"
#include "platform/inet/CurlHttpClient.h"
#include "platform/seams/Random.h"
#include "platform/sound/QtSoundPlayer.h"
#include "platform/ui/Files.h"
#include "platform/ui/LinePrompt.h"
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
#include <QInputDialog>
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
    const bool lan = argc > 2 && std::string(argv[2]) == "lan";
    if (lan) {
        // The network libraries and their registry beside the data files, as delivered.
        for (const auto& entry : fs::directory_iterator(TESSARINE_PROGRAM_DIR))
            if (entry.path().extension() == ".so" || entry.path().filename() == "registry.txt")
                fs::copy(entry.path(), folder / entry.path().filename());
        std::FILE* settings = std::fopen((folder / "dplay.ini").c_str(), "w");
        if (settings) {
            std::fputs("Listen=127.0.0.1\nLastSearch=127.0.0.1\n", settings);
            std::fclose(settings);
        }
        ::setenv("TESSARINE_PROGRAM_DIR", folder.c_str(), 1);
    }

    ui::qt::QtBinding binding;
    ui::qt::QtDialogs dialogs;
    ui::qt::QtClock clock;
    platform::RealRandom random;
    platform::sound::QtSoundPlayer sound;
    platform::inet::CurlHttpClient http;
    NoExit exit;
    engine::state().services = {&dialogs, &clock, &random, &sound, &http, &exit, nullptr};
    engine::setGameOverDialog(&shell::playMoreDialog());
    ui::qt::QtLinePrompt prompt;
    ui::setLinePrompt(&prompt);
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
    };
    if (lan) {
        steps.push_back([] { shell::menuform().mnuplaylan.click(); });
        steps.push_back([] {
            shot("lan-provider");
            netplay::Provider().lstProviders.ListIndex = 0;
            netplay::Provider().btnOK.click();
        });
        steps.push_back([] {
            netplay::netSelectPlay().Option2.Value = true;
            shot("lan-host-or-join");
            // The search asks in a modal dialog: look at it from inside, then cancel it.
            QTimer::singleShot(900, [] {
                shot("lan-search-dialog");
                if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) dialog->reject();
            });
            netplay::netSelectPlay().Command1.click();
        });
        steps.push_back([] {
            shot("lan-search-cancelled");
            QApplication::quit();
        });
    }
    steps.insert(steps.end(), {
        [] { shell::menuform().mnuplaycomputer.click(); },
        [] { shot("computer-game-started"); },
    });
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
