#pragma once

namespace platform {

// Ends the program at once (the game's own "End"): no window is asked anything.
class ProgramExit {
public:
    virtual ~ProgramExit() = default;
    virtual void exitProgram() = 0;
};

} // namespace platform
