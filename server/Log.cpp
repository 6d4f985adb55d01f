#include "server/Log.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>

namespace server {

namespace {
std::mutex g_mutex;
std::atomic<bool> g_quiet{false};
std::int64_t g_second = 0;
int g_refusedThisSecond = 0;
int g_suppressed = 0;
constexpr int kRefusedPerSecond = 200;

std::string stamp() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return buffer;
}

void writeLocked(const std::string& line) {
    const auto text = stamp() + " tessarine-server: " + line + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}
} // namespace

void setLogQuiet(bool quiet) { g_quiet = quiet; }

void logLine(const std::string& line) {
    if (g_quiet) return;
    std::lock_guard lock(g_mutex);
    writeLocked(line);
}

void logRefused(const std::string& what) {
    if (g_quiet) return;
    std::lock_guard lock(g_mutex);
    const auto second = std::chrono::duration_cast<std::chrono::seconds>(
                            std::chrono::steady_clock::now().time_since_epoch()).count();
    if (second != g_second) {
        if (g_suppressed > 0) writeLocked(std::to_string(g_suppressed) + " more refused requests not listed");
        g_second = second;
        g_refusedThisSecond = 0;
        g_suppressed = 0;
    }
    if (++g_refusedThisSecond > kRefusedPerSecond) {
        ++g_suppressed;
        return;
    }
    writeLocked("refused " + what);
}

} // namespace server
