// tessregsvr: registers an automation library (calls its DllRegisterServer), or with /u
// unregisters it. The registry file is the default one or the one TESSARINE_REGISTRY names.
#include "platform/com/Activation.h"
#include "platform/com/Registry.h"

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    bool unregister = false;
    bool quiet = false;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "/u" || arg == "-u")
            unregister = true;
        else if (arg == "/s" || arg == "-s")
            quiet = true;
        else
            path = arg;
    }
    if (path.empty()) {
        std::fprintf(stderr, "usage: tessregsvr [/u] [/s] <library>\n");
        return 2;
    }
    std::error_code ec;
    const std::string full = std::filesystem::absolute(path, ec).string();
    std::string message;
    const auto hr = platform::com::registerServer(full, unregister, &message);
    if (platform::com::FAILED(hr)) {
        std::fprintf(stderr, "tessregsvr: %s: %s (0x%08X)\n", full.c_str(), message.c_str(), static_cast<unsigned>(hr));
        return 1;
    }
    if (!quiet)
        std::printf("tessregsvr: %s %s in %s\n", full.c_str(), unregister ? "unregistered" : "registered",
                    platform::com::Registry::defaultPath().c_str());
    return 0;
}
