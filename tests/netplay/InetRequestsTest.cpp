// The game's requests as the server receives them: addresses, fields, time-outs, failures.
#include "netplay/InetRequests.h"
#include "tests/netplay/InetFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace inet_test;
using netplay::wire::PostKind;
using netplay::wire::splitQuery;

namespace {

class RequestForming : public InetTest {
protected:
    platform::inet::Inet& inet() { return controls.Inet1; }
    std::vector<std::string> sentFields() { return splitQuery(lastQuery()).value_or(std::vector<std::string>{}); }
};

using RequestTimeouts = RequestForming;
using TransferFailure = RequestForming;

netplay::WaitingRoomEntry annsEntry() {
    netplay::WaitingRoomEntry entry;
    entry.userName = "  Ann Lee ";
    entry.userLocation = " Paris ";
    entry.played = 12;
    entry.won = 7;
    entry.waitSeconds = 600;
    return entry;
}

} // namespace

TEST_F(RequestForming, ReadWaitCarriesNoQuestionMark) {
    netplay::fetchWaitingList(inet());
    EXPECT_EQ(lastUrl(), "http://127.0.0.1:8642/Tessarine/readwait.mv");
}

TEST_F(RequestForming, PublicJoinEndsInPlus) {
    netplay::joinListedGame(inet(), "17", "");
    EXPECT_EQ(lastUrl(), "http://127.0.0.1:8642/Tessarine/joingame.mv?17+Tok1+");
}

TEST_F(RequestForming, TypedTextArrivesAsTyped) {
    netplay::postChat(inet(), "c17", "  a+b c#d&e%\xC3\xBC  ");
    const std::string query = lastQuery();
    // Only the two separators are "+"; nothing typed can cut the query or add a field.
    EXPECT_EQ(std::count(query.begin(), query.end(), '+'), 2);
    EXPECT_EQ(query.find_first_of(" #"), std::string::npos);
    EXPECT_EQ(sentFields(), (std::vector<std::string>{"c17", "CHAT", "a+b c#d&e%\xC3\xBC"}));
}

TEST_F(RequestForming, JoinWaitSendsEightFieldsInOrder) {
    auto entry = annsEntry();
    entry.privateGame = true;
    entry.password = " secret ";
    netplay::enterWaitingRoom(inet(), entry);
    EXPECT_NE(lastUrl().find("/Tessarine/joinwait.mv?"), std::string::npos);
    EXPECT_EQ(sentFields(),
              (std::vector<std::string>{"Tok1", "Ann Lee", "Paris", "12", "7", "YES", "secret", "600"}));
}

TEST_F(RequestForming, PublicEntrySendsNoAndNoneWhateverWasTyped) {
    auto entry = annsEntry();
    entry.password = "typed anyway";
    netplay::enterWaitingRoom(inet(), entry);
    const auto fields = sentFields();
    ASSERT_EQ(fields.size(), 8u);
    EXPECT_EQ(fields[5], "NO");
    EXPECT_EQ(fields[6], "none");
}

TEST_F(RequestForming, PrivateEntryWithEmptyPasswordSendsEmptySeventhField) {
    auto entry = annsEntry();
    entry.privateGame = true;
    netplay::enterWaitingRoom(inet(), entry);
    EXPECT_TRUE(lastQuery().ends_with("+YES++600"));
}

TEST_F(RequestForming, EntryAndJoinCarryTheSameProgramToken) {
    netplay::setProgramToken("");
    const std::string token = netplay::programToken();
    EXPECT_FALSE(token.empty());
    EXPECT_EQ(token.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              std::string::npos);
    netplay::enterWaitingRoom(inet(), annsEntry());
    EXPECT_EQ(sentFields().at(0), token);
    netplay::joinListedGame(inet(), "5", "");
    EXPECT_EQ(sentFields().at(1), token);
}

TEST_F(RequestForming, ExitWaitSendsTheBareGameNumber) {
    netplay::withdrawEntry(inet(), "s17");
    EXPECT_EQ(lastUrl(), "http://127.0.0.1:8642/Tessarine/exitwait.mv?17");
}

TEST_F(RequestForming, PollAndUpdateCheckSendOneField) {
    netplay::fetchMailbox(inet(), "c17");
    EXPECT_EQ(lastUrl(), "http://127.0.0.1:8642/Tessarine/getdata.mv?c17");
    netplay::checkVersion(inet(), "1.1");
    EXPECT_EQ(lastUrl(), "http://127.0.0.1:8642/Tessarine/updates.mv?1.1");
}

TEST_F(RequestForming, EveryKindOfPostNamesKeyKindAndPayload) {
    netplay::postMove(inet(), " c17 ", 'e', 35);
    EXPECT_EQ(lastQuery(), "c17+MOVE+e35");
    netplay::postPhotoLink(inet(), "c17", " http://x.org/me.jpg ");
    EXPECT_EQ(sentFields(), (std::vector<std::string>{"c17", "PICURL", "http://x.org/me.jpg"}));
    netplay::postQuit(inet(), "c17");
    EXPECT_EQ(lastQuery(), "c17+QUIT");
    const netplay::wire::PlayerInfoBlock block{"Ann", "Paris", "1", "2", "3", "4"};
    netplay::postPlayerInfo(inet(), "s17", PostKind::Start, block);
    EXPECT_EQ(sentFields(), (std::vector<std::string>{"s17", "START", netplay::wire::formatPlayerInfoBlock(block)}));
    netplay::postPlayerInfo(inet(), "c17", PostKind::Data, block);
    EXPECT_EQ(sentFields().at(1), "DATA");
}

TEST_F(RequestTimeouts, ScriptsWithTheirOwnTimeOutGoBackTo60) {
    struct Case {
        std::function<void()> send;
        int during;
    };
    const std::vector<Case> cases{
        {[&] { netplay::fetchWaitingList(inet()); }, 20},
        {[&] { netplay::enterWaitingRoom(inet(), annsEntry()); }, 40},
        {[&] { netplay::joinListedGame(inet(), "17", ""); }, 60},
        {[&] { netplay::postQuit(inet(), "c17"); }, 20},
        {[&] { netplay::checkVersion(inet(), "1.1"); }, 15},
    };
    for (const auto& c : cases) {
        inet().setRequestTimeout(33);
        c.send();
        EXPECT_EQ(doubles.http.requests.back().options.timeoutSeconds, c.during) << lastUrl();
        EXPECT_EQ(inet().RequestTimeout(), 60) << lastUrl();
    }
}

TEST_F(RequestTimeouts, OtherRequestsKeepTheCurrentTimeOut) {
    const std::vector<std::function<void()>> sends{
        [&] { netplay::fetchMailbox(inet(), "s17"); },
        [&] { netplay::withdrawEntry(inet(), "s17"); },
        [&] { netplay::postMove(inet(), "c17", 'a', 0); },
        [&] { netplay::postChat(inet(), "c17", "hi"); },
        [&] { netplay::postPhotoLink(inet(), "c17", "http://x.org/me.jpg"); },
        [&] { netplay::postPlayerInfo(inet(), "c17", PostKind::Start, {}); },
    };
    for (const auto& send : sends) {
        inet().setRequestTimeout(33);
        send();
        EXPECT_EQ(doubles.http.requests.back().options.timeoutSeconds, 33) << lastUrl();
        EXPECT_EQ(inet().RequestTimeout(), 33) << lastUrl();
    }
}

TEST_F(TransferFailure, GivesAnEmptyReplyAndTheNumberedDescription) {
    failTransfers(35761, "Request timed out");
    const auto reply = netplay::fetchWaitingList(inet());
    EXPECT_TRUE(reply.failed);
    EXPECT_EQ(reply.text, "");
    EXPECT_EQ(reply.failureText, " 35761: Request timed out");
    EXPECT_EQ(inet().RequestTimeout(), 60);
}

TEST_F(TransferFailure, NegativeNumberHasNoLeadingBlank) {
    failTransfers(-5, "Odd failure");
    EXPECT_EQ(netplay::joinListedGame(inet(), "17", "").failureText, "-5: Odd failure");
}

TEST_F(TransferFailure, ErrorPageIsAFailureNotAReply) {
    doubles.http.handler = [](const std::string&) {
        auto page = testing_support::FakeHttp::okBody("xx-JOINED-");
        page.ok = false;
        page.status = 500;
        return page;
    };
    const auto reply = netplay::joinListedGame(inet(), "17", "");
    EXPECT_TRUE(reply.failed);
    EXPECT_EQ(reply.text, "");
    EXPECT_EQ(reply.failureText, " 35780: HTTP status 500");
}

TEST_F(TransferFailure, MoveCountsAsWrittenOnlyWithWriteOk) {
    reply("WRITE*OK");
    EXPECT_TRUE(netplay::postMove(inet(), "c17", 'e', 17));
    reply("before WRITE*OK after");
    EXPECT_TRUE(netplay::postMove(inet(), "c17", 'e', 17));
    reply("TS:write*ok");
    EXPECT_FALSE(netplay::postMove(inet(), "c17", 'e', 17));
    failTransfers();
    EXPECT_FALSE(netplay::postMove(inet(), "c17", 'e', 17));
}
