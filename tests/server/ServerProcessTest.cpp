// The real program as a child process on 127.0.0.1 and a free port: killed without warning, it
// keeps every change it had acknowledged.
#include "ServerTestKit.h"
#include "tests/support/ServerChild.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>

using namespace netplay::wire;
using server_test::httpGet;

namespace {

// The real server with two worker threads, so acknowledged changes race each other.
struct ServerProcess : testing_support::ServerChild {
    explicit ServerProcess(const std::string& dbPath)
        : ServerChild(TESSARINE_SERVER_BINARY, dbPath, {}, 2) {}
};

} // namespace

TEST(ServerProcess, KilledServerKeepsEveryAcknowledgedChange) {
    testing_support::TempDir dir;
    const auto db = (dir / "server.db").string();
    std::string waiting, playing;
    {
        ServerProcess server(db);
        ASSERT_NE(server.port(), 0);
        waiting = readEntryGameId(httpGet(server.port(), "/Tessarine/joinwait.mv?t1+Ann+Paris+1+1+YES+pw+900").body).value_or("");
        playing = readEntryGameId(httpGet(server.port(), "/Tessarine/joinwait.mv?t2+Bob+Rome+2+2+NO+none+900").body).value_or("");
        ASSERT_FALSE(waiting.empty());
        ASSERT_TRUE(hasMarker(httpGet(server.port(), "/Tessarine/joingame.mv?" + playing + "+t3+").body, Marker::Joined));
        for (const auto& query : {"s" + playing + "+MOVE+e35", "s" + playing + "+CHAT+hello%20there",
                                  "c" + playing + "+MOVE+a0", "s" + playing + "+MOVE+f36"})
            ASSERT_TRUE(hasMarker(httpGet(server.port(), "/Tessarine/postdata.mv?" + query).body, Marker::WriteOk));
        // One record is fetched before the crash: it must not come back.
        ASSERT_EQ(readMove(httpGet(server.port(), "/Tessarine/getdata.mv?c" + playing).body)->cell, 0);
        server.killHard();
    }
    ServerProcess again(db);
    ASSERT_NE(again.port(), 0);
    const auto entries = readWaitingList(httpGet(again.port(), "/Tessarine/readwait.mv").body);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].gameId, waiting);
    const auto host = httpGet(again.port(), "/Tessarine/getdata.mv?s" + playing).body;
    EXPECT_EQ(readMove(host)->cell, 35);
    EXPECT_EQ(readMailboxPayload(host, PostKind::Chat), "hello there");
    EXPECT_EQ(readMove(httpGet(again.port(), "/Tessarine/getdata.mv?s" + playing).body)->cell, 36);
    EXPECT_TRUE(hasMarker(httpGet(again.port(), "/Tessarine/getdata.mv?c" + playing).body, Marker::FileNotFound));
    EXPECT_FALSE(hasMarker(httpGet(again.port(), "/Tessarine/joingame.mv?" + playing + "+t4+").body, Marker::Joined));
    const auto next = readEntryGameId(httpGet(again.port(), "/Tessarine/joinwait.mv?t5+Cy+Oslo+0+0+NO+none+120").body);
    ASSERT_TRUE(next);
    EXPECT_GT(std::stoull(*next), std::stoull(playing));
}

TEST(ServerProcess, StopsCleanlyOnSigtermAndSigint) {
    testing_support::TempDir dir;
    for (const int signal : {SIGTERM, SIGINT}) {
        ServerProcess server((dir / "server.db").string());
        ASSERT_NE(server.port(), 0);
        std::string log;
        EXPECT_EQ(server.stop(signal, log), 0);
        EXPECT_NE(log.find("stopped"), std::string::npos) << log;
    }
}

TEST(ServerProcess, RefusedRequestsAreLogged) {
    testing_support::TempDir dir;
    ServerProcess server((dir / "server.db").string());
    ASSERT_NE(server.port(), 0);
    httpGet(server.port(), "/Tessarine/postdata.mv?s1+JUMP+x");
    std::string log;
    server.stop(SIGTERM, log);
    EXPECT_NE(log.find("refused unknown kind of post"), std::string::npos) << log;
}

TEST(ServerProcess, NoPasswordReachesTheLog) {
    testing_support::TempDir dir;
    ServerProcess server((dir / "server.db").string());
    ASSERT_NE(server.port(), 0);
    const auto id = readEntryGameId(
        httpGet(server.port(), "/Tessarine/joinwait.mv?" + formQuery({"h", "Ann", "Paris", "1", "1", "YES", "hunter2", "300"})).body);
    ASSERT_TRUE(id);
    EXPECT_TRUE(hasMarker(httpGet(server.port(), "/Tessarine/joingame.mv?" + formQuery({*id, "j", "swordfish"})).body,
                          Marker::BadPassword));
    EXPECT_EQ(httpGet(server.port(), "/Tessarine/joinwait.mv?" + formQuery({"h", "Bob", "Rome", "1", "1", "YES", "letmein", "7"})).status,
              400);
    std::string log;
    server.stop(SIGTERM, log);
    EXPECT_NE(log.find("refused bad password"), std::string::npos) << log;
    EXPECT_NE(log.find("refused bad wait time"), std::string::npos) << log;
    for (const auto* secret : {"hunter2", "swordfish", "letmein"}) EXPECT_EQ(log.find(secret), std::string::npos) << log;
}

TEST(ServerProcess, HelpSucceedsAndUnknownOptionsFail) {
    const std::string program = TESSARINE_SERVER_BINARY;
    const auto exitCode = [](const std::string& command) {
        const int status = std::system((command + " >/dev/null 2>&1").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(exitCode(program + " --help"), 0);
    EXPECT_EQ(exitCode(program + " --bogus"), 2);
    EXPECT_EQ(exitCode(program + " --listen nowhere"), 2);
    EXPECT_EQ(exitCode(program + " --room-capacity 0"), 2);
}
