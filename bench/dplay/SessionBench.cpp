// Messages between two processes on loopback: one-way latency (p50, p99) and messages per
// second. The program forks before any socket exists: the child hosts a session and answers,
// the parent joins and measures. Both read the same monotonic clock, so the child's arrival
// time minus the parent's send time is the one-way latency.
#include "platform/dplay/DirectPlayObject.h"

#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

using namespace platform::dplay;

namespace {

constexpr GUID kBenchApplication = {0x5eed0001, 0xbe0c, 0x4a11, {0x9a, 0x7e, 0x00, 0x11, 0x22, 0x33, 0x44, 0x55}};
constexpr std::chrono::seconds kLimit{10};

std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

Options benchOptions()
{
    Options options;
    // Loopback only: never the question where to search, never an answer outside this machine.
    options.searchAddresses = {"127.0.0.1"};
    options.listenAddress = "127.0.0.1";
    options.discoveryPort = static_cast<std::uint16_t>(30000 + (getpid() % 2000) * 8);
    return options;
}

struct Message {
    DPID from = 0;
    std::vector<std::uint8_t> bytes;
};

bool next(DirectPlayObject& dp, Message& m)
{
    if (!dp.waitForMessage(kLimit))
        return false;
    DPID to = 0;
    m.bytes.resize(64);
    DWORD size = static_cast<DWORD>(m.bytes.size());
    HRESULT hr = dp.Receive(&m.from, &to, DPRECEIVE_ALL, m.bytes.data(), &size);
    if (hr == DPERR_BUFFERTOOSMALL) {
        m.bytes.resize(size);
        hr = dp.Receive(&m.from, &to, DPRECEIVE_ALL, m.bytes.data(), &size);
    }
    m.bytes.resize(size);
    return hr == DP_OK;
}

void send(DirectPlayObject& dp, DPID from, DPID to, char kind, std::int64_t value)
{
    std::uint8_t bytes[1 + sizeof value];
    bytes[0] = static_cast<std::uint8_t>(kind);
    std::memcpy(bytes + 1, &value, sizeof value);
    dp.Send(from, to, 0, bytes, sizeof bytes);
}

std::int64_t valueOf(const Message& m)
{
    std::int64_t value = 0;
    if (m.bytes.size() >= 1 + sizeof value)
        std::memcpy(&value, m.bytes.data() + 1, sizeof value);
    return value;
}

// The child: host, then answer until told to stop.
int serve(Options options)
{
    DirectPlayObject* dp = DirectPlayObject::create(options);
    DPSESSIONDESC d{};
    d.dwSize = sizeof d;
    d.guidSession = kBenchApplication;
    d.dwFlags = DPOPEN_CREATESESSION;
    d.dwMaxPlayers = 2;
    std::strcpy(d.szSessionName, "bench");
    DPID me = 0;
    char name[] = "host";
    if (dp->Open(&d) != DP_OK || dp->CreatePlayer(&me, name, name, nullptr) != DP_OK)
        return 1;
    Message m;
    std::int64_t counted = 0;
    while (next(*dp, m)) {
        if (m.from == 0 || m.bytes.empty())
            continue;
        switch (m.bytes[0]) {
        case 'L':
            send(*dp, me, m.from, 'l', nowNs()); // when it arrived here
            break;
        case 'T':
            ++counted;
            break;
        case 'D':
            send(*dp, me, m.from, 'd', counted);
            counted = 0;
            break;
        case 'Q':
            dp->Release();
            return 0;
        }
    }
    dp->Release();
    return 1;
}

BOOL firstSession(LPDPSESSIONDESC d, LPVOID context, LPDWORD, DWORD)
{
    if (d)
        *static_cast<DWORD*>(context) = d->dwSession;
    return 0;
}

struct Joined {
    DirectPlayObject* dp = nullptr;
    DPID me = 0;
};
Joined g_joined;

bool join(const Options& options)
{
    g_joined.dp = DirectPlayObject::create(options);
    DPSESSIONDESC d{};
    d.dwSize = sizeof d;
    d.guidSession = kBenchApplication;
    DWORD session = 0;
    for (int attempt = 0; attempt < 50 && session == 0; ++attempt)
        g_joined.dp->EnumSessions(&d, 100, firstSession, &session, 0);
    if (session == 0)
        return false;
    d.dwSession = session;
    d.dwFlags = DPOPEN_OPENSESSION;
    char name[] = "joiner";
    return g_joined.dp->Open(&d) == DP_OK
           && g_joined.dp->CreatePlayer(&g_joined.me, name, name, nullptr) == DP_OK;
}

void BM_OneWayLatency(benchmark::State& state)
{
    auto& dp = *g_joined.dp;
    std::vector<double> micros;
    Message m;
    for (auto _ : state) {
        const std::int64_t sent = nowNs();
        send(dp, g_joined.me, 1, 'L', sent);
        while (next(dp, m) && (m.from == 0 || m.bytes.empty() || m.bytes[0] != 'l')) {
        }
        micros.push_back(static_cast<double>(valueOf(m) - sent) / 1000.0);
    }
    std::sort(micros.begin(), micros.end());
    if (!micros.empty()) {
        state.counters["p50_us"] = micros[micros.size() / 2];
        state.counters["p99_us"] = micros[std::min(micros.size() - 1, micros.size() * 99 / 100)];
        state.counters["max_us"] = micros.back();
    }
}
BENCHMARK(BM_OneWayLatency)->Iterations(5000)->UseRealTime();

void BM_MessagesPerSecond(benchmark::State& state)
{
    auto& dp = *g_joined.dp;
    const auto burst = state.range(0);
    Message m;
    std::int64_t delivered = 0;
    for (auto _ : state) {
        for (std::int64_t i = 0; i < burst; ++i)
            send(dp, g_joined.me, 1, 'T', i);
        send(dp, g_joined.me, 1, 'D', 0);
        while (next(dp, m) && (m.from == 0 || m.bytes.empty() || m.bytes[0] != 'd')) {
        }
        delivered += valueOf(m);
    }
    state.SetItemsProcessed(delivered);
}
BENCHMARK(BM_MessagesPerSecond)->Arg(10000)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const Options options = benchOptions();
    const pid_t child = fork();
    if (child == 0)
        _exit(serve(options));
    int status = 1;
    if (join(options)) {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        send(*g_joined.dp, g_joined.me, 1, 'Q', 0);
        status = 0;
    }
    if (g_joined.dp)
        g_joined.dp->Release();
    // Give the host a moment to say goodbye, then make sure it is gone.
    bool ended = false;
    for (int i = 0; i < 100 && !ended; ++i) {
        ended = waitpid(child, nullptr, WNOHANG) == child;
        if (!ended)
            usleep(10000);
    }
    if (!ended) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    return status;
}
