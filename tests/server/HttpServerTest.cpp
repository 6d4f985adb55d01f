#include "ServerTestKit.h"
#include "server/HttpServer.h"

#include <gtest/gtest.h>

#include <boost/asio/executor_work_guard.hpp>

#include <thread>

using namespace netplay::wire;

namespace {
// The service behind a real listener on 127.0.0.1 and a free port, run by two threads.
struct LiveServer {
    LiveServer() {
        server::setLogQuiet(true);
        for (auto& io : contexts) {
            guards.push_back(boost::asio::make_work_guard(io));
            workers.push_back(&io);
        }
        http = std::make_unique<server::HttpServer>(
            workers, boost::asio::ip::tcp::endpoint(boost::asio::ip::make_address("127.0.0.1"), 0), *harness.service);
        http->start();
        for (auto* io : workers) threads.emplace_back([io] { io->run(); });
    }
    ~LiveServer() {
        http->stop();
        for (auto* io : workers) io->stop();
        for (auto& t : threads) t.join();
    }
    unsigned short port() const { return http->port(); }

    server_test::Harness harness;
    boost::asio::io_context contexts[2];
    std::vector<boost::asio::io_context*> workers;
    std::vector<boost::asio::executor_work_guard<boost::asio::io_context::executor_type>> guards;
    std::unique_ptr<server::HttpServer> http;
    std::vector<std::thread> threads;
};
} // namespace

TEST(HttpServing, ScriptsAnswerWithPlainTextOnLoopback) {
    LiveServer live;
    const auto entry = server_test::httpGet(live.port(), "/Tessarine/joinwait.mv?t+Ann+Paris+1+1+NO+none+300");
    EXPECT_EQ(entry.status, 200);
    const auto id = readEntryGameId(entry.body);
    ASSERT_TRUE(id);
    EXPECT_TRUE(hasMarker(server_test::httpGet(live.port(), "/Tessarine/joingame.mv?" + *id + "+u+").body, Marker::Joined));
    EXPECT_TRUE(hasMarker(server_test::httpGet(live.port(), "/Tessarine/getdata.mv?s" + *id).body, Marker::FileNotFound));
    EXPECT_EQ(server_test::httpGet(live.port(), "/Tessarine/missing.mv").status, 404);
}

TEST(HttpServing, TheLongestChatLineArrivesAtItsWorstCaseEncoding) {
    LiveServer live;
    const auto id = live.harness.playing();
    std::string line;
    for (std::size_t i = 0; i < kChatLineMaxChars; ++i) line += "\xF0\x9F\x98\x80"; // four bytes, twelve sent
    const auto posted =
        server_test::httpGet(live.port(), "/Tessarine/postdata.mv?" + formQuery(postFields("s" + id, PostKind::Chat, line)));
    EXPECT_EQ(posted.status, 200);
    EXPECT_TRUE(hasMarker(posted.body, Marker::WriteOk));
    EXPECT_EQ(readMailboxPayload(server_test::httpGet(live.port(), "/Tessarine/getdata.mv?s" + id).body, PostKind::Chat), line);
}

TEST(HttpServing, OneConnectionCarriesSeveralRequests) {
    LiveServer live;
    const std::string one = "GET /Tessarine/updates.mv?1.1 HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    const std::string last = "GET /Tessarine/updates.mv?1.0 HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    const auto replies = server_test::rawExchange(live.port(), one + last);
    EXPECT_NE(replies.find("TS:*CURRENT*"), std::string::npos);
    EXPECT_NE(replies.find("TS:*UPDATED*"), std::string::npos);
    EXPECT_NE(replies.find("Content-Type: text/plain; charset=utf-8"), std::string::npos);
}

TEST(HttpServing, OnlyGetIsServed) {
    LiveServer live;
    const auto reply = server_test::rawExchange(
        live.port(), "POST /Tessarine/getdata.mv?s1 HTTP/1.1\r\nHost: x\r\nContent-Length: 0\r\n\r\n");
    EXPECT_TRUE(reply.starts_with("HTTP/1.1 405")) << reply;
}

TEST(HttpServing, OversizedHeadsAreRefusedWithoutReadingThemWhole) {
    LiveServer live;
    const auto reply = server_test::rawExchange(
        live.port(), "GET /Tessarine/getdata.mv?s1 HTTP/1.1\r\nHost: x\r\nX-Pad: " + std::string(30000, 'p') + "\r\n\r\n");
    EXPECT_TRUE(reply.starts_with("HTTP/1.1 431")) << reply.substr(0, 80);
    const auto longTarget = server_test::rawExchange(
        live.port(), "GET /Tessarine/getdata.mv?s" + std::string(17000, '1') + " HTTP/1.1\r\nHost: x\r\n\r\n");
    EXPECT_TRUE(longTarget.starts_with("HTTP/1.1 4")) << longTarget.substr(0, 80);
}

TEST(HttpServing, GarbageAndBinaryBytesGetABadRequest) {
    LiveServer live;
    EXPECT_TRUE(server_test::rawExchange(live.port(), "HELLO THERE\r\n\r\n").starts_with("HTTP/1.1 400"));
    std::string binary;
    for (int i = 0; i < 512; ++i) binary += static_cast<char>((i * 37) & 0xFF);
    const auto reply = server_test::rawExchange(live.port(), binary + "\r\n\r\n");
    EXPECT_TRUE(reply.empty() || reply.starts_with("HTTP/1.1 400")) << reply.substr(0, 40);
    // The server still serves afterwards.
    EXPECT_EQ(server_test::httpGet(live.port(), "/Tessarine/readwait.mv").body, "TS:");
}

TEST(HttpServing, ARequestWithABodyIsRefused) {
    LiveServer live;
    const auto reply = server_test::rawExchange(
        live.port(), "GET /Tessarine/readwait.mv HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nhello");
    EXPECT_TRUE(reply.starts_with("HTTP/1.1 431") || reply.starts_with("HTTP/1.1 400")) << reply.substr(0, 40);
}
