#pragma once
// The outside world as the game sees it. The program fills one of these at start-up with the real
// implementations; tests fill it with doubles.
#include "platform/seams/Clock.h"
#include "platform/seams/Dialogs.h"
#include "platform/seams/Http.h"
#include "platform/seams/ProgramExit.h"
#include "platform/seams/Random.h"
#include "platform/seams/ShellOpen.h"
#include "platform/seams/Sound.h"
#include "platform/seams/WaitPainter.h"

namespace platform {

struct Services {
    Dialogs* dialogs = nullptr;
    Clock* clock = nullptr;
    Random* random = nullptr;
    SoundPlayer* sound = nullptr;
    HttpClient* http = nullptr;
    ProgramExit* exit = nullptr;
    ShellOpen* shell = nullptr;
    WaitPainter* waitPainter = nullptr; // none: a request blocks the windows until it returns
};

} // namespace platform
