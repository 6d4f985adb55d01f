#pragma once
// The picture of a board background, with the fall-backs every window uses.
#include "platform/ui/Picture.h"

#include <string>

namespace shell {

// The board file's picture; when it cannot be loaded, "Marble.bmp"; when that cannot either,
// no picture. Never fails.
platform::ui::Picture boardPicture(const std::string& boardFile);

} // namespace shell
