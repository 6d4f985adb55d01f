#pragma once
// What the server's tests share: a clock that moves when told, a service on a store in memory
// that a test can restart, and a small HTTP client that talks to 127.0.0.1 only.
#include "netplay/wire/Records.h"
#include "server/GameService.h"
#include "server/Log.h"
#include "server/MemoryStore.h"

#include <gtest/gtest.h>

#include <boost/asio/connect.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include <sys/socket.h>
#include <sys/time.h>

namespace server_test {

class ManualClock final : public server::Clock {
public:
    std::int64_t now = 1'800'000'000'000;
    std::int64_t nowMs() override { return now; }
    void advanceSeconds(double seconds) { now += static_cast<std::int64_t>(seconds * 1000); }
};

// A store in memory whose commits fail while `failing` is set (a full disk), and whose first commit
// waits until the test opens the gate, so later submissions pile up behind it.
class GatedStore final : public server::Store {
public:
    server::StoredState load() override { return m_inner.load(); }
    void apply(const std::vector<server::Change>& changes) override {
        std::unique_lock lock(m_mutex);
        ++entered;
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return open; });
        if (failing) throw server::StoreError("disk full");
        m_inner.apply(changes);
        ++applies;
    }
    void waitEntered(int n) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [&] { return entered >= n; });
    }
    void openGate(bool failCommits = false) {
        std::lock_guard lock(m_mutex);
        open = true;
        failing = failCommits;
        m_changed.notify_all();
    }
    void closeGate() {
        std::lock_guard lock(m_mutex);
        open = false;
    }
    int applies = 0;
    int entered = 0;
    bool open = false;
    bool failing = false;

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    server::MemoryStore m_inner;
};

// The game service over a store in memory; `restart()` is a new service on what the store kept.
struct Harness {
    explicit Harness(server::ServiceConfig config = {}) : m_config(std::move(config)) {
        server::setLogQuiet(true);
        store.openGate();
        restart();
    }

    server::Reply request(const std::string& target) {
        server::Reply out;
        bool called = false;
        service->handle(target, [&](server::Reply reply) {
            out = std::move(reply);
            called = true;
        });
        EXPECT_TRUE(called) << target;
        return out;
    }
    std::string body(const std::string& target) { return request(target).body; }

    void restart() {
        service = std::make_unique<server::GameService>(m_config, clock, sink);
        service->restore(store.load());
    }

    // Enters the waiting room and gives the game number.
    std::string enter(const std::string& name = "Ann", const std::string& token = "hostTok",
                      const std::string& privateFlag = "NO", const std::string& password = "none",
                      const std::string& wait = "300") {
        const auto reply = body("/Tessarine/joinwait.mv?" +
                                netplay::wire::formQuery({token, name, "Paris", "12", "5", privateFlag, password, wait}));
        return netplay::wire::readEntryGameId(reply).value_or("");
    }
    std::string join(const std::string& id, const std::string& token = "joinTok", const std::string& password = "") {
        return body("/Tessarine/joingame.mv?" + netplay::wire::formQuery({id, token, password}));
    }
    std::string post(const std::string& key, netplay::wire::PostKind kind, const std::string& payload = {}) {
        return body("/Tessarine/postdata.mv?" + netplay::wire::formQuery(netplay::wire::postFields(key, kind, payload)));
    }
    std::string get(const std::string& key) { return body("/Tessarine/getdata.mv?" + netplay::wire::formQuery({key})); }
    // A joined game: the host's number.
    std::string playing() {
        const auto id = enter();
        join(id);
        return id;
    }

    ManualClock clock;
    GatedStore store;
    server::ImmediateSink sink{&store};
    std::unique_ptr<server::GameService> service;

private:
    server::ServiceConfig m_config;
};

// Blocking reads on a test socket give up after ten seconds rather than hang the test run.
inline void limitBlockingReads(boost::asio::ip::tcp::socket& socket) {
    timeval tv{10, 0};
    ::setsockopt(socket.native_handle(), SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    ::setsockopt(socket.native_handle(), SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
}

struct HttpReply {
    int status = 0;
    std::string body;
};

// One GET to 127.0.0.1:port.
inline HttpReply httpGet(unsigned short port, const std::string& target) {
    namespace beast = boost::beast;
    namespace http = beast::http;
    boost::asio::io_context io;
    beast::tcp_stream stream(io);
    stream.expires_after(std::chrono::seconds(10));
    stream.connect({boost::asio::ip::make_address("127.0.0.1"), port});
    limitBlockingReads(stream.socket());
    http::request<http::empty_body> request{http::verb::get, target, 11};
    request.set(http::field::host, "127.0.0.1");
    http::write(stream, request);
    beast::flat_buffer buffer;
    http::response<http::string_body> response;
    http::read(stream, buffer, response);
    beast::error_code ignored;
    stream.socket().shutdown(boost::asio::ip::tcp::socket::shutdown_both, ignored);
    return {static_cast<int>(response.result_int()), response.body()};
}

// Raw bytes to 127.0.0.1:port; everything the server sends back until it closes (or 10 s pass).
inline std::string rawExchange(unsigned short port, const std::string& bytes) {
    namespace beast = boost::beast;
    boost::asio::io_context io;
    beast::tcp_stream stream(io);
    stream.expires_after(std::chrono::seconds(10));
    stream.connect({boost::asio::ip::make_address("127.0.0.1"), port});
    limitBlockingReads(stream.socket());
    beast::error_code ec;
    boost::asio::write(stream.socket(), boost::asio::buffer(bytes), ec);
    std::string out;
    char chunk[4096];
    while (true) {
        const auto n = stream.socket().read_some(boost::asio::buffer(chunk), ec);
        out.append(chunk, n);
        if (ec) break;
    }
    return out;
}

} // namespace server_test
