// The other side of the two-process tests: hosts or joins a session on loopback, reports
// what it receives on stdout one line at a time, and echoes every player message back.
//   dplay_peer host|join <application as 32 hex digits> <first discovery port> <name>
#include "SessionHelpers.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

using namespace dplaytest;

namespace {

GUID guidFromHex(const std::string& hex)
{
    GUID g{};
    auto* bytes = reinterpret_cast<std::uint8_t*>(&g);
    for (std::size_t i = 0; i < sizeof g && 2 * i + 1 < hex.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(std::stoul(hex.substr(2 * i, 2), nullptr, 16));
    return g;
}

int fail(const char* what)
{
    std::printf("FAILED %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5)
        return fail("usage");
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const std::string mode = argv[1];
    const GUID application = guidFromHex(argv[2]);
    const auto options = fastOptions(static_cast<std::uint16_t>(std::atoi(argv[3])));
    std::string name = argv[4];
    Dp dp = makeDp(options);
    DPID me = 0;
    if (mode == "host") {
        auto d = description(application, DPOPEN_CREATESESSION, name.c_str());
        if (dp->Open(&d) != DP_OK || dp->CreatePlayer(&me, name.data(), name.data(), nullptr) != DP_OK)
            return fail("host");
        std::printf("READY %u\n", me);
    } else {
        auto found = findSessions(*dp, application, 1500, true);
        if (found.sessions.empty())
            return fail("nothing found");
        auto d = description(application, DPOPEN_OPENSESSION);
        d.dwSession = found.sessions[0].dwSession;
        if (dp->Open(&d) != DP_OK || dp->CreatePlayer(&me, name.data(), name.data(), nullptr) != DP_OK)
            return fail("join");
        std::printf("JOINED %u\n", me);
    }
    for (;;) {
        auto r = receive(*dp, std::chrono::seconds(30));
        if (!r)
            return fail("idle");
        if (r->from == 0) {
            std::printf("SYS %u %u %s\n", r->type(), systemPlayerId(*r),
                        r->type() == DPSYS_ADDPLAYER ? shortName(*r).c_str() : "");
            if (r->type() == DPSYS_SESSIONLOST)
                return 0;
            continue;
        }
        const std::string text = r->text();
        std::printf("MSG %s\n", text.c_str());
        if (text == "quit") {
            dp->Close();
            std::printf("CLOSED\n");
            return 0;
        }
        sendText(*dp, me, r->from, text);
    }
}
