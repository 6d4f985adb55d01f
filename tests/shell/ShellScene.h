#pragma once
// A program folder for the shell's windows: the picture store, the delivered boards, a small
// word list and (on request) a players.dat; the main window's hooks to the shell installed.
#include "engine/State.h"
#include "engine/playerfile/PlayerFile.h"
#include "platform/ui/CommonDialog.h"
#include "shell/Login.h"
#include "shell/MenuForm.h"
#include "shell/Settings.h"
#include "tests/support/ScriptedFilePicker.h"
#include "tests/support/UiScene.h"
#include "window/LeaveInternet.h"
#include "window/MainWindow.h"
#include "window/ShellHooks.h"

#include <string>
#include <vector>

namespace shelltest {

using engine::PlayerField;

struct ShellScene : testing_support::UiScene {
    testing_support::ScriptedFilePicker picker;
    std::vector<std::string> providers;

    explicit ShellScene(bool withBoards = true) {
        writePictureStore();
        if (withBoards)
            for (const char* board : {"bricks.bmp", "flowers.bmp", "forest.bmp", "Marble.bmp", "steel.bmp", "sunset.bmp",
                                      "undersea.bmp", "woody.bmp"})
                writePicture(board, 64, 48);
        folder.write("wordlist.dic", "word  " + std::string(240, ' '));
        engine::state().AppVersion = "1.1";
        platform::ui::setFilePicker(&picker);
        shell::setProviderSource([this] { return providers; });
        shell::installShellHooks();
    }
    ~ShellScene() {
        for (platform::ui::Form* f : std::vector<platform::ui::Form*>(platform::ui::Desktop::instance().forms())) f->Unload();
        platform::ui::Desktop::instance().collect();
        window::shellHooks() = {};
        window::setQuitInternetGame({});
        shell::setProviderSource({});
        platform::ui::setFilePicker(nullptr);
    }

    // A stored profile; the counters as given.
    static engine::PlayerRecord profile(const std::string& name, const std::string& password = "", std::int16_t played = 0,
                                        std::int16_t won = 0, std::int16_t lost = 0, std::int16_t tied = 0) {
        engine::PlayerRecord r;
        r.setText(PlayerField::Name, name);
        r.setText(PlayerField::Password, password);
        r.setText(PlayerField::Location, "Leeds");
        r.setNumber(PlayerField::PhotoMode, engine::PhotoHidden);
        r.setText(PlayerField::BoardName, "woody");
        r.setNumber(PlayerField::Skill, 2);
        r.setNumber(PlayerField::Played, played);
        r.setNumber(PlayerField::Won, won);
        r.setNumber(PlayerField::Lost, lost);
        r.setNumber(PlayerField::Tied, tied);
        const char* waves[8] = {"sysmess.wav", "incoming.wav", "sent.wav", "dropped.wav", "dropped2.wav", "begin.wav", "app.wav", "missed.wav"};
        const PlayerField fields[8] = {PlayerField::SysMsgWave, PlayerField::ChatInWave, PlayerField::ChatSentWave,
                                       PlayerField::MyDropWave, PlayerField::OppDropWave, PlayerField::ReadyWave,
                                       PlayerField::GameOverWave, PlayerField::PlayErrorWave};
        for (int i = 0; i < 8; ++i) r.setText(fields[i], waves[i]);
        return r;
    }

    void writePlayers(const std::vector<engine::PlayerRecord>& records) const {
        std::string bytes;
        for (const auto& r : records) bytes.append(r.view());
        folder.write("players.dat", bytes);
    }

    std::vector<engine::PlayerRecord> players() const { return engine::PlayerFile().readAll(); }

    // The titles of the message boxes shown so far.
    std::vector<std::string> titles() const {
        std::vector<std::string> out;
        for (const auto& box : doubles.dialogs.shown) out.push_back(box.title);
        return out;
    }
};

} // namespace shelltest
