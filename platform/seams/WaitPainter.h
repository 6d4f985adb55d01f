#pragma once
// What keeps the windows painted while a synchronous request holds the user-interface thread.

namespace platform {

class WaitPainter {
public:
    virtual ~WaitPainter() = default;
    // Called at once when a request starts and then again and again until it returns: paints
    // what needs painting (the transfer light, a busy animation, an uncovered window) and runs
    // nothing else: no click, key or timer reaches a handler until the request is over.
    virtual void paintPending() = 0;
};

} // namespace platform
