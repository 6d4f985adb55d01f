#pragma once
// A clean desktop for one window test: fresh program-wide state wired to the doubles, timers
// driven by hand, and a scratch program folder (also the current folder) holding small picture
// files. Header only, so only the tests that use it link the forms layer.
#include "engine/State.h"
#include "platform/ui/Desktop.h"
#include "platform/ui/Files.h"
#include "platform/ui/LinePrompt.h"
#include "platform/ui/Timer.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDoubles.h"

#include <filesystem>
#include <fstream>
#include <string>

namespace testing_support {

// The smallest BMP header a picture loader accepts: width x height, 24 bits, no pixels needed
// for the header-only check.
inline std::string tinyBmp(int width, int height) {
    std::string b(54, '\0');
    auto put32 = [&](int at, unsigned v) { for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(height));
    b[26] = 1;
    b[28] = 24;
    return b;
}

struct UiScene {
    Doubles doubles;
    TempDir folder{true};
    platform::ui::ManualTimers timers;

    UiScene() {
        platform::ui::Desktop::instance().reset();
        platform::ui::Desktop::instance().setTimerHost(&timers);
        platform::ui::Desktop::instance().setClock(&doubles.clock);
        engine::resetState();
        engine::state().services = doubles.services();
        platform::ui::setLinePrompt(&doubles.dialogs);
        platform::ui::setProgramFolder(folder.path());
    }
    ~UiScene() {
        platform::ui::Desktop::instance().collect();
        platform::ui::Desktop::instance().reset();
        platform::ui::setProgramFolder({});
        platform::ui::setLinePrompt(nullptr);
        engine::state().services = {};
        engine::state().controls = nullptr;
    }

    // A picture file in the program folder (folders made as needed).
    void writePicture(const std::string& name, int width = 32, int height = 32) const {
        const auto path = folder.path() / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << tinyBmp(width, height);
    }

    // The picture store of the program folder: its single pictures and the three tile sets.
    void writePictureStore() const {
        for (const char* name : {"onlight", "redlight", "offlight", "soundon", "soundoff", "quickhelp", "photona", "pcplayer", "logo"})
            writePicture(std::string("pics/") + name + ".bmp", 26, 25);
        for (const char* colour : {"blue", "red", "yel"})
            for (char c = 'a'; c <= 'z'; ++c) writePicture(std::string("pics/") + colour + "_" + c + ".bmp");
    }
};

} // namespace testing_support
