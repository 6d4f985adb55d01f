// Two session objects in one process, talking over loopback sockets.
#include "SessionHelpers.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDoubles.h"

#include <gtest/gtest.h>

using namespace dplaytest;

namespace {

struct Pair {
    Options options = fastOptions(portsForThisProcess());
    GUID application = randomGuid();
    Dp host = makeDp(options);
    Dp joiner = makeDp(options);
    DPID hostPlayer = 0;
    DPID joinerPlayer = 0;

    void hostSession(const char* name = "Alice", DWORD maxPlayers = 2)
    {
        auto d = description(application, DPOPEN_CREATESESSION, name, maxPlayers);
        ASSERT_EQ(host->Open(&d), DP_OK);
        char friendly[] = "Alice";
        ASSERT_EQ(host->CreatePlayer(&hostPlayer, friendly, friendly, nullptr), DP_OK);
    }
    void join(const char* name = "Bob")
    {
        auto found = findSessions(*joiner, application, 1500, true);
        ASSERT_EQ(found.sessions.size(), 1u);
        auto d = description(application, DPOPEN_OPENSESSION);
        d.dwSession = found.sessions[0].dwSession;
        ASSERT_EQ(joiner->Open(&d), DP_OK);
        std::string friendly = name;
        ASSERT_EQ(joiner->CreatePlayer(&joinerPlayer, friendly.data(), friendly.data(), nullptr), DP_OK);
    }
};

} // namespace

TEST(SessionFinding, HostIsFoundWithinTheGamesTimeOutWithANonZeroNumber)
{
    Pair p;
    p.hostSession("Alice");
    const auto started = std::chrono::steady_clock::now();
    auto found = findSessions(*p.joiner, p.application, 1500, true);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1500));
    ASSERT_EQ(found.sessions.size(), 1u);
    EXPECT_NE(found.sessions[0].dwSession, 0u);
    EXPECT_STREQ(found.sessions[0].szSessionName, "Alice");
    EXPECT_EQ(found.sessions[0].dwSize, sizeof(DPSESSIONDESC));
    EXPECT_EQ(found.sessions[0].dwCurrentPlayers, 1u);
}

TEST(SessionFinding, WithNoSearchSettingTheJoinerIsAskedWhereWithHisLastAnswerWhichIsKept)
{
    Pair p;
    p.hostSession("Alice");
    testing_support::TempDir folder;
    folder.write("dplay.ini", "DiscoveryPort=51730\nLastSearch=gamebox\n");
    Options unset = p.options;
    unset.searchAddresses.clear();
    unset.lastSearch = "gamebox";
    unset.settingsFile = folder / "dplay.ini";
    testing_support::ScriptedDialogs dialogs;
    platform::ui::setLinePrompt(&dialogs);
    struct Uninstall {
        ~Uninstall() { platform::ui::setLinePrompt(nullptr); }
    } uninstall;
    Dp joiner = makeDp(unset);

    dialogs.lines = {std::string(" 127.0.0.1 ")};
    auto found = findSessions(*joiner, p.application, 1500, true);
    ASSERT_EQ(found.sessions.size(), 1u);
    EXPECT_STREQ(found.sessions[0].szSessionName, "Alice");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.last().title, "Search for Games");
    EXPECT_EQ(dialogs.last().text, "gamebox");
    EXPECT_EQ(folder.read("dplay.ini"), "DiscoveryPort=51730\nLastSearch=127.0.0.1\n");

    // The next search offers that answer; Cancel searches nothing.
    dialogs.lines = {std::nullopt};
    auto d = description(p.application, 0);
    dplaytest::Search none;
    EXPECT_EQ(joiner->EnumSessions(&d, 200, collectSession, &none, 0), DPERR_USERCANCEL);
    EXPECT_EQ(dialogs.last().text, "127.0.0.1");
    EXPECT_TRUE(none.sessions.empty());
    EXPECT_EQ(none.timeouts, 0);

    // With no dialog to show, the search is cancelled at once rather than waiting.
    platform::ui::setLinePrompt(nullptr);
    EXPECT_EQ(joiner->EnumSessions(&d, 200, collectSession, &none, 0), DPERR_USERCANCEL);
    EXPECT_EQ(dialogs.shown.size(), 2u);
}

TEST(SessionFinding, TwoHostsOnOneMachineAreEachReportedOnce)
{
    Pair p;
    p.hostSession("Alice");
    Dp second = makeDp(p.options);
    auto d = description(p.application, DPOPEN_CREATESESSION, "Carol");
    ASSERT_EQ(second->Open(&d), DP_OK);
    DPID id = 0;
    char name[] = "Carol";
    ASSERT_EQ(second->CreatePlayer(&id, name, name, nullptr), DP_OK);
    auto found = findSessions(*p.joiner, p.application, 300, false);
    ASSERT_EQ(found.sessions.size(), 2u);
    EXPECT_NE(found.sessions[0].dwSession, found.sessions[1].dwSession);
    EXPECT_EQ(found.timeouts, 1);
}

TEST(SessionFinding, AnotherApplicationsSessionIsNotListed)
{
    Pair p;
    p.hostSession();
    auto found = findSessions(*p.joiner, randomGuid(), 200, false);
    EXPECT_TRUE(found.sessions.empty());
    EXPECT_EQ(found.timeouts, 1);
}

TEST(SessionFinding, AFullSessionIsLeftOutUnlessAllAreAskedFor)
{
    Pair p;
    p.hostSession();
    p.join();
    Dp third = makeDp(p.options);
    EXPECT_TRUE(findSessions(*third, p.application, 200, false).sessions.empty());
    EXPECT_EQ(findSessions(*third, p.application, 200, false, DPENUMSESSIONS_ALL).sessions.size(), 1u);
}

TEST(SessionFinding, AHostWithoutItsOwnPlayerIsNotYetListed)
{
    Pair p;
    auto d = description(p.application, DPOPEN_CREATESESSION, "Alice");
    ASSERT_EQ(p.host->Open(&d), DP_OK);
    EXPECT_TRUE(findSessions(*p.joiner, p.application, 200, false).sessions.empty());
    DPID id = 0;
    char name[] = "Alice";
    ASSERT_EQ(p.host->CreatePlayer(&id, name, name, nullptr), DP_OK);
    EXPECT_EQ(id, 1u);
    EXPECT_EQ(findSessions(*p.joiner, p.application, 1500, true).sessions.size(), 1u);
}

TEST(SessionJoining, JoinersPlayerListShowsTheHostRightAfterOpen)
{
    Pair p;
    p.hostSession();
    auto found = findSessions(*p.joiner, p.application, 1500, true);
    ASSERT_EQ(found.sessions.size(), 1u);
    auto d = description(p.application, DPOPEN_OPENSESSION);
    d.dwSession = found.sessions[0].dwSession;
    ASSERT_EQ(p.joiner->Open(&d), DP_OK);
    const auto list = players(*p.joiner);
    ASSERT_EQ(list.players.size(), 1u);
    EXPECT_EQ(list.players[0], std::make_pair(DPID{1}, std::string("Alice")));
}

TEST(SessionJoining, PlayersAreNumberedInCreationOrder)
{
    Pair p;
    p.hostSession();
    p.join();
    EXPECT_EQ(p.hostPlayer, 1u);
    EXPECT_EQ(p.joinerPlayer, 2u);
    const auto list = players(*p.joiner);
    ASSERT_EQ(list.players.size(), 2u);
    EXPECT_EQ(list.players[1], std::make_pair(DPID{2}, std::string("Bob")));
}

TEST(SessionJoining, HostHearsExactlyOneAddPlayerWithTheShortNameCut)
{
    Pair p;
    p.hostSession();
    p.join("A name much longer than nineteen bytes");
    auto added = receive(*p.host);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->from, 0u);
    EXPECT_EQ(added->type(), DPSYS_ADDPLAYER);
    EXPECT_EQ(added->bytes.size(), sizeof(DPMSG_ADDPLAYER));
    EXPECT_EQ(shortName(*added), "A name much longer ");
    EXPECT_FALSE(receive(*p.host, std::chrono::milliseconds(100)));
    // The creator itself is never told.
    EXPECT_FALSE(receive(*p.joiner, std::chrono::milliseconds(50)));
}

TEST(SessionJoining, NoMorePlayersThanTheSessionAllows)
{
    Pair p;
    p.hostSession();
    p.join();
    DPID extra = 0;
    char name[] = "Extra";
    EXPECT_EQ(p.host->CreatePlayer(&extra, name, name, nullptr), DPERR_CANTADDPLAYER);
}

TEST(SessionMessages, MessagesArriveInOrderBothWays)
{
    Pair p;
    p.hostSession();
    p.join();
    ASSERT_TRUE(receive(*p.host)); // the add-player
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(sendText(*p.joiner, 2, 1, "j" + std::to_string(i)), DP_OK);
        ASSERT_EQ(sendText(*p.host, 1, 2, "h" + std::to_string(i)), DP_OK);
    }
    for (int i = 0; i < 200; ++i) {
        auto atHost = receive(*p.host);
        auto atJoiner = receive(*p.joiner);
        ASSERT_TRUE(atHost && atJoiner);
        EXPECT_EQ(atHost->text(), "j" + std::to_string(i));
        EXPECT_EQ(atHost->from, 2u);
        EXPECT_EQ(atHost->to, 1u);
        EXPECT_EQ(atJoiner->text(), "h" + std::to_string(i));
        EXPECT_EQ(atJoiner->from, 1u);
    }
}

TEST(SessionMessages, ATooSmallBufferLeavesTheMessageFirstInLine)
{
    Pair p;
    p.hostSession();
    p.join();
    ASSERT_TRUE(receive(*p.host));
    ASSERT_EQ(sendText(*p.joiner, 2, 1, "Ma17"), DP_OK);
    ASSERT_TRUE(p.host->waitForMessage(std::chrono::seconds(5)));
    DPID from = 0, to = 0;
    char small[2];
    DWORD size = sizeof small;
    EXPECT_EQ(p.host->Receive(&from, &to, DPRECEIVE_ALL, small, &size), DPERR_BUFFERTOOSMALL);
    EXPECT_EQ(size, 4u);
    auto whole = receive(*p.host);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->text(), "Ma17");
}

TEST(SessionMessages, ReceiveWithNothingWaitingSaysSoAtOnce)
{
    Pair p;
    p.hostSession();
    DPID from = 0, to = 0;
    DWORD size = 0;
    EXPECT_EQ(p.host->Receive(&from, &to, DPRECEIVE_ALL, nullptr, &size), DPERR_NOMESSAGES);
}

TEST(SessionMessages, OnlyOwnPlayersCanSend)
{
    Pair p;
    p.hostSession();
    p.join();
    EXPECT_EQ(sendText(*p.joiner, 1, 2, "spoof"), DPERR_INVALIDPLAYER);
    EXPECT_EQ(sendText(*p.joiner, 0, 1, "system"), DPERR_INVALIDPLAYER);
    std::string big(wire::kMaxMessageSize + 1, 'x');
    EXPECT_EQ(sendText(*p.joiner, 2, 1, big), DPERR_SENDTOOBIG);
}

TEST(SessionMessages, CapsReportTheSizeCapAndGuaranteedDelivery)
{
    Pair p;
    p.hostSession();
    DPCAPS caps{};
    caps.dwSize = sizeof caps;
    ASSERT_EQ(p.host->GetCaps(&caps), DP_OK);
    EXPECT_EQ(caps.dwMaxBufferSize, wire::kMaxMessageSize);
    EXPECT_EQ(caps.dwFlags & DPCAPS_GUARANTEED, DPCAPS_GUARANTEED);
    EXPECT_EQ(caps.dwMaxPlayers, 2u);
}

TEST(SessionLeaving, JoinerClosingGivesTheHostDeletePlayer)
{
    Pair p;
    p.hostSession();
    p.join();
    ASSERT_TRUE(receive(*p.host));
    EXPECT_EQ(p.joiner->Close(), DP_OK);
    auto gone = receive(*p.host);
    ASSERT_TRUE(gone);
    EXPECT_EQ(gone->type(), DPSYS_DELETEPLAYER);
    EXPECT_EQ(systemPlayerId(*gone), 2u);
    EXPECT_FALSE(receive(*p.host, std::chrono::milliseconds(100)));
}

TEST(SessionLeaving, HostReleasingGivesTheJoinerDeletePlayerThenSessionLost)
{
    Pair p;
    p.hostSession();
    p.join();
    p.host.reset();
    auto first = receive(*p.joiner);
    auto second = receive(*p.joiner);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->type(), DPSYS_DELETEPLAYER);
    EXPECT_EQ(systemPlayerId(*first), 1u);
    EXPECT_EQ(second->type(), DPSYS_SESSIONLOST);
    EXPECT_EQ(second->from, 0u);
    EXPECT_EQ(sendText(*p.joiner, 2, 1, "anyone?"), DPERR_NOCONNECTION);
}

TEST(SessionLeaving, OpeningAVanishedSessionFails)
{
    Pair p;
    p.hostSession();
    auto found = findSessions(*p.joiner, p.application, 1500, true);
    ASSERT_EQ(found.sessions.size(), 1u);
    p.host.reset();
    auto d = description(p.application, DPOPEN_OPENSESSION);
    d.dwSession = found.sessions[0].dwSession;
    EXPECT_EQ(p.joiner->Open(&d), DPERR_NOCONNECTION);
    d.dwSession = 12345;
    EXPECT_EQ(p.joiner->Open(&d), DPERR_NOSESSIONS);
}
