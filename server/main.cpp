// tessarine-server: the waiting room and mailboxes of Internet games, on one machine.
#include "netplay/wire/Requests.h"
#include "server/GameService.h"
#include "server/GroupCommitter.h"
#include "server/HttpServer.h"
#include "server/Log.h"
#include "server/SqliteStore.h"

#include <boost/asio/ip/address.hpp>
#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/signal_set.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: tessarine-server [options]\n"
    "Keeps the waiting room and the mailboxes of Tessarine's Internet games.\n"
    "\n"
    "  --listen HOST:PORT       address to serve (default 127.0.0.1:%u; port 0 picks a free one)\n"
    "  --db FILE                database file (default tessarine-server.db in the current folder)\n"
    "  --current-version TEXT   the version the update check calls current (default 1.1)\n"
    "  --room-capacity N        waiting entries at once (default 1000)\n"
    "  --max-games N            games at once (default 250000)\n"
    "  --mailbox-capacity N     records waiting for one player (default 64)\n"
    "  --gone-after-minutes N   minutes without a request after which a player has left (default 10)\n"
    "  --threads N              worker threads (default: one per core)\n"
    "  --help                   this text\n";

void usage(FILE* to) { std::fprintf(to, kUsage, static_cast<unsigned>(netplay::wire::defaultServerPort())); }

bool parseCount(const std::string& text, std::size_t& out) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    out = static_cast<std::size_t>(std::stoul(text));
    return out > 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string host = "127.0.0.1";
    unsigned port = netplay::wire::defaultServerPort();
    std::string dbPath = "tessarine-server.db";
    std::size_t threads = std::max(1u, std::thread::hardware_concurrency());
    server::ServiceConfig config;

    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            usage(stdout);
            return 0;
        }
        static const std::vector<std::string> kOptions{"--listen",        "--db",         "--current-version",
                                                       "--room-capacity", "--max-games",  "--mailbox-capacity",
                                                       "--threads",       "--gone-after-minutes"};
        if (std::find(kOptions.begin(), kOptions.end(), arg) == kOptions.end()) {
            std::fprintf(stderr, "tessarine-server: unknown option %s\n", arg.c_str());
            usage(stderr);
            return 2;
        }
        if (i + 1 >= args.size()) {
            std::fprintf(stderr, "tessarine-server: %s needs a value\n", arg.c_str());
            usage(stderr);
            return 2;
        }
        const auto& value = args[++i];
        bool ok = true;
        if (arg == "--listen") {
            const auto colon = value.rfind(':');
            ok = colon != std::string::npos && colon > 0 && colon + 1 < value.size() &&
                 value.find_first_not_of("0123456789", colon + 1) == std::string::npos && value.size() - colon <= 6;
            if (ok) {
                host = value.substr(0, colon);
                port = static_cast<unsigned>(std::stoul(value.substr(colon + 1)));
                ok = port <= 65535;
            }
        } else if (arg == "--db") {
            dbPath = value;
        } else if (arg == "--current-version") {
            config.currentVersion = value;
        } else if (arg == "--room-capacity") {
            ok = parseCount(value, config.limits.roomCapacity);
        } else if (arg == "--max-games") {
            ok = parseCount(value, config.limits.maxGames);
        } else if (arg == "--mailbox-capacity") {
            ok = parseCount(value, config.limits.mailboxCapacity);
        } else if (arg == "--gone-after-minutes") {
            std::size_t minutes = 0;
            ok = parseCount(value, minutes);
            config.timing.goneAfterMs = static_cast<std::int64_t>(minutes) * 60'000;
        } else {
            ok = parseCount(value, threads);
        }
        if (!ok) {
            std::fprintf(stderr, "tessarine-server: bad value for %s: %s\n", arg.c_str(), value.c_str());
            return 2;
        }
    }

    try {
        boost::system::error_code ec;
        const auto address = boost::asio::ip::make_address(host, ec);
        if (ec) {
            std::fprintf(stderr, "tessarine-server: bad listen address %s\n", host.c_str());
            return 2;
        }
        server::SqliteStore store(dbPath);
        const auto stored = store.load();
        server::GroupCommitter committer(store);
        server::SystemClock clock;
        server::GameService service(config, clock, committer);
        service.restore(stored);

        // One io_context per thread: connections are dealt out in turn and never change thread.
        std::vector<std::unique_ptr<boost::asio::io_context>> contexts;
        std::vector<boost::asio::io_context*> workers;
        for (std::size_t i = 0; i < threads; ++i) {
            contexts.push_back(std::make_unique<boost::asio::io_context>(1));
            workers.push_back(contexts.back().get());
        }
        std::vector<boost::asio::executor_work_guard<boost::asio::io_context::executor_type>> guards;
        for (auto* worker : workers) guards.push_back(boost::asio::make_work_guard(*worker));
        server::HttpServer http(workers, {address, static_cast<unsigned short>(port)}, service);
        http.start();

        boost::asio::signal_set signals(*workers[0], SIGINT, SIGTERM);
        signals.async_wait([&](const boost::system::error_code& error, int signal) {
            if (error) return;
            server::logLine("stopping on signal " + std::to_string(signal));
            http.stop();
            for (auto* worker : workers) worker->stop();
        });

        server::logLine("started: listening on " + host + ":" + std::to_string(http.port()) + ", database " + dbPath +
                        ", " + std::to_string(service.gameCount()) + " games kept, " + std::to_string(threads) +
                        " threads");
        std::vector<std::thread> runners;
        for (std::size_t i = 1; i < threads; ++i) runners.emplace_back([worker = workers[i]] { worker->run(); });
        workers[0]->run();
        for (auto& runner : runners) runner.join();
        committer.stop();
        server::logLine("stopped");
    } catch (const std::exception& error) {
        server::logLine(std::string("cannot run: ") + error.what());
        return 1;
    }
    return 0;
}
