#include "shell/Board.h"

namespace shell {

platform::ui::Picture boardPicture(const std::string& boardFile) {
    bool ok = false;
    platform::ui::Picture picture = platform::ui::Picture::load(boardFile, &ok);
    if (ok) return picture;
    picture = platform::ui::Picture::load("Marble.bmp", &ok);
    return ok ? picture : platform::ui::Picture{};
}

} // namespace shell
