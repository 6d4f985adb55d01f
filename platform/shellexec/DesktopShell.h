#pragma once
// Hands addresses and files to the desktop and starts programs. Qt-free header.
#include "platform/seams/ShellOpen.h"

#include <string>

namespace platform::shellexec {

class DesktopShell final : public platform::ShellOpen {
public:
    // programFolder: where a relative file or program name is looked for.
    explicit DesktopShell(std::string programFolder);

    // A web address ("http://...", "https://...", or one starting "www."), a mail address
    // ("mailto:..." or a bare "name@host") or a file (absolute, or relative to the program
    // folder) goes to the desktop's default handler. True when the handler took it.
    bool open(const std::string& target) override;
    // Starts the program (absolute, or relative to the program folder) on its own, without
    // waiting for it. True when it started.
    bool startProgram(const std::string& path) override;

    // The address open() hands to the desktop for the target; "" when the target is empty.
    std::string addressFor(const std::string& target) const;

private:
    std::string m_programFolder;
};

} // namespace platform::shellexec
