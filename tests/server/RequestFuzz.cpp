// Feeds arbitrary request targets to the game service, several per input so that sequences of
// joins, posts and fetches are explored; every reply must keep the fixed prefix.
#include "server/GameService.h"
#include "server/Log.h"
#include "server/MemoryStore.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {
class StepClock final : public server::Clock {
public:
    std::int64_t now = 1'800'000'000'000;
    std::int64_t nowMs() override { return now; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    server::setLogQuiet(true);
    StepClock clock;
    server::MemoryStore store;
    server::ImmediateSink sink(&store);
    server::ServiceConfig config;
    config.limits.roomCapacity = 4;
    config.limits.mailboxCapacity = 4;
    config.limits.maxGames = 8;
    server::GameService service(config, clock, sink);

    static const char* kScripts[] = {"readwait", "joinwait", "joingame", "exitwait", "getdata", "postdata", "updates"};
    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty()) {
        const auto end = input.find('\n');
        auto line = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view{} : input.substr(end + 1);
        std::string target;
        if (!line.empty() && line[0] == '/') {
            target = line;
        } else if (!line.empty()) {
            // The first byte picks a script and moves the clock, the rest is the query.
            const auto pick = static_cast<unsigned char>(line[0]);
            clock.now += (pick >> 3) * 7000;
            target = std::string("/Tessarine/") + kScripts[pick % 7] + ".mv?" + std::string(line.substr(1));
        }
        service.handle(target, [](server::Reply reply) {
            if (!reply.body.starts_with("TS:")) std::abort();
        });
        if (line.size() == 1) service.sweep();
    }
    // What was kept must come back as a working service.
    server::GameService restarted(config, clock, sink);
    restarted.restore(store.load());
    restarted.handle("/Tessarine/readwait.mv", [](server::Reply reply) {
        if (!reply.body.starts_with("TS:")) std::abort();
    });
    return 0;
}
