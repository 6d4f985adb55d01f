#pragma once
#include <string>

namespace platform {

// Hands a web address, mail address or file to the desktop's default handler, or starts a
// program by path.
class ShellOpen {
public:
    virtual ~ShellOpen() = default;
    // True when the handler accepted it.
    virtual bool open(const std::string& target) = 0;
    virtual bool startProgram(const std::string& path) = 0;
};

} // namespace platform
