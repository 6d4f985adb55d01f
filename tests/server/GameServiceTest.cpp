#include "ServerTestKit.h"
#include "server/GroupCommitter.h"
#include "server/ReplyText.h"

#include <gtest/gtest.h>

using namespace netplay::wire;
using server_test::Harness;

namespace {

// What the game would see in a mailbox reply.
bool shows(const std::string& reply, Marker marker) { return hasMarker(reply, marker); }

std::string listing(Harness& h) { return h.body("/Tessarine/readwait.mv"); }

// The cell of the move a mailbox reply carries; -1 when it carries none.
int moveCell(const std::string& reply) {
    const auto move = readMove(reply);
    return move ? move->cell : -1;
}

} // namespace

TEST(ReplyForm, EveryReplyStartsWithThePrefixSoMarkersStandPastTheFirstCharacter) {
    Harness h;
    EXPECT_EQ(listing(h), "TS:");
    const auto id = h.enter();
    EXPECT_TRUE(h.join(id).starts_with(kReplyPrefix));
    EXPECT_TRUE(h.get("s" + id).starts_with(kReplyPrefix));
    EXPECT_TRUE(h.body("/Tessarine/updates.mv?1.1").starts_with(kReplyPrefix));
    EXPECT_EQ(h.request("/Tessarine/nothing.mv").status, 404);
    EXPECT_EQ(h.request("/other/getdata.mv?s1").status, 404);
}

TEST(JoinWait, EntryGivesANewGameNumberBetweenTtttAndSsss) {
    Harness h;
    const auto reply = h.body("/Tessarine/joinwait.mv?tok+Ann+Paris+12+5+NO+none+300");
    EXPECT_TRUE(shows(reply, Marker::Entry));
    EXPECT_EQ(readEntryGameId(reply), "1");
    EXPECT_EQ(h.enter("Bob"), "2");
}

TEST(JoinWait, GameNumbersAreNeverReusedEvenAfterWithdrawalAndRestart) {
    Harness h;
    const auto first = h.enter();
    h.body("/Tessarine/exitwait.mv?" + first);
    h.restart();
    EXPECT_EQ(h.enter(), "2");
}

TEST(JoinWait, EveryFieldIsChecked) {
    Harness h;
    const std::vector<std::vector<std::string>> bad = {
        {"tok", "Ann", "Paris", "12", "5", "NO", "none", "200"},          // wait not offered
        {"tok", "Ann", "Paris", "12", "5", "MAYBE", "none", "300"},       // private flag
        {"tok", "Ann", "Paris", "32768", "5", "NO", "none", "300"},       // counter too large
        {"tok", "Ann", "Paris", "-1", "5", "NO", "none", "300"},          // counter negative
        {"tok", "Ann", "Paris", "1.5", "5", "NO", "none", "300"},         // not a whole number
        {"tok", std::string(26, 'a'), "Paris", "1", "5", "NO", "none", "300"},
        {"tok", "Ann", std::string(26, 'b'), "1", "5", "NO", "none", "300"},
        {"tok", "", "Paris", "1", "5", "NO", "none", "300"},              // no name
        {"", "Ann", "Paris", "1", "5", "NO", "none", "300"},              // no token
        {"tok", "\xD0\x96" "enya", "Paris", "1", "5", "NO", "none", "300"},  // not in Windows-1252
        {"tok", "Ann", "Paris", "1", "5", "NO", "none"},                  // seven fields
    };
    for (const auto& fields : bad) {
        const auto reply = h.request("/Tessarine/joinwait.mv?" + formQuery(fields));
        EXPECT_FALSE(shows(reply.body, Marker::Entry)) << formQuery(fields);
        EXPECT_FALSE(shows(reply.body, Marker::Full));
        EXPECT_FALSE(reply.refusal.empty());
        EXPECT_GE(reply.status, 400); // the game shows a failed transfer instead of waiting on nothing
    }
    EXPECT_GE(h.request("/Tessarine/joinwait.mv").status, 400);
    EXPECT_GE(h.request("/Tessarine/joinwait.mv?t+%zz+Paris+1+1+NO+none+300").status, 400);
    EXPECT_EQ(listing(h), "TS:");
    // The longest allowed name and location, and a name Windows-1252 can hold.
    EXPECT_FALSE(h.enter(std::string(25, 'a')).empty());
    EXPECT_FALSE(h.enter("M\xC3\xBCller").empty());
}

TEST(JoinWait, AFullRoomRepliesFull) {
    server::ServiceConfig config;
    config.limits.roomCapacity = 2;
    Harness h(config);
    h.enter("A");
    h.enter("B");
    const auto reply = h.body("/Tessarine/joinwait.mv?tok+C+Paris+1+1+NO+none+120");
    EXPECT_TRUE(shows(reply, Marker::Full));
    EXPECT_FALSE(shows(reply, Marker::Entry));
}

TEST(JoinWait, TheBoundOnGamesRepliesFull) {
    server::ServiceConfig config;
    config.limits.maxGames = 1;
    Harness h(config);
    h.playing();
    EXPECT_TRUE(shows(h.body("/Tessarine/joinwait.mv?tok+C+Paris+1+1+NO+none+120"), Marker::Full));
}

TEST(ReadWait, ListsWaitingEntriesOldestFirstWithoutThePassword) {
    Harness h;
    h.enter("Ann", "t1", "YES", "secret");
    h.enter("Bob", "t2");
    const auto reply = listing(h);
    EXPECT_EQ(reply.find("secret"), std::string::npos);
    const auto entries = readWaitingList(reply);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].playerId, "Ann");
    EXPECT_EQ(entries[0].privateFlag, "YES");
    EXPECT_EQ(entries[0].location, "Paris");
    EXPECT_EQ(entries[0].played, "12");
    EXPECT_EQ(entries[0].wins, "5");
    EXPECT_EQ(entries[1].playerId, "Bob");
    EXPECT_EQ(entries[1].privateFlag, "NO");
}

TEST(JoinGame, APublicJoinSucceedsOnceAndLeavesTheListing) {
    Harness h;
    const auto id = h.enter();
    const auto reply = h.join(id);
    EXPECT_TRUE(shows(reply, Marker::Joined));
    EXPECT_TRUE(readWaitingList(listing(h)).empty());
    const auto second = h.join(id, "thirdTok");
    EXPECT_FALSE(shows(second, Marker::Joined));
    EXPECT_FALSE(shows(second, Marker::BadPassword));
}

TEST(JoinGame, PrivateGamesNeedTheRightPassword) {
    Harness h;
    const auto id = h.enter("Ann", "hostTok", "YES", "open sesame");
    EXPECT_TRUE(shows(h.join(id, "joinTok", "wrong"), Marker::BadPassword));
    EXPECT_TRUE(shows(h.join(id, "joinTok", ""), Marker::BadPassword));
    EXPECT_EQ(readWaitingList(listing(h)).size(), 1u);
    EXPECT_TRUE(shows(h.join(id, "joinTok", "open sesame"), Marker::Joined));
}

TEST(JoinGame, APrivateGameWithAnEmptyPasswordIsJoinedWithoutTypingOne) {
    Harness h;
    const auto reply = h.request("/Tessarine/joinwait.mv?" + formQuery({"hostTok", "Ann", "Paris", "1", "1", "YES", "", "300"}));
    EXPECT_EQ(reply.status, 200);
    const auto id = readEntryGameId(reply.body).value_or("");
    ASSERT_FALSE(id.empty());
    // Listed as asking nothing, so the joiner's game sends the empty field a public join sends.
    const auto entries = readWaitingList(listing(h));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].privateFlag, "NO");
    EXPECT_TRUE(shows(h.join(id, "joinTok", ""), Marker::Joined));
}

TEST(JoinGame, OwnEntryCannotBeJoined) {
    Harness h;
    const auto id = h.enter("Ann", "sameTok");
    const auto reply = h.join(id, "sameTok");
    EXPECT_FALSE(shows(reply, Marker::Joined));
    EXPECT_FALSE(shows(reply, Marker::BadPassword));
    EXPECT_EQ(readWaitingList(listing(h)).size(), 1u);
}

TEST(JoinGame, UnknownOrMalformedNumbersGetNeitherMarker) {
    Harness h;
    for (const auto* id : {"99", "0", "abc", "", "12345678901"}) {
        const auto reply = h.join(id);
        EXPECT_FALSE(shows(reply, Marker::Joined)) << id;
        EXPECT_FALSE(shows(reply, Marker::BadPassword)) << id;
    }
}

TEST(ExitWait, BeforeAJoinTheEntryLeavesTheRoom) {
    Harness h;
    const auto id = h.enter();
    h.body("/Tessarine/exitwait.mv?" + id);
    EXPECT_TRUE(readWaitingList(listing(h)).empty());
    EXPECT_FALSE(shows(h.join(id), Marker::Joined));
}

TEST(ExitWait, AfterAJoinTheJoinerGetsQuitGame) {
    Harness h;
    const auto id = h.playing();
    h.body("/Tessarine/exitwait.mv?" + id);
    EXPECT_TRUE(shows(h.get("c" + id), Marker::QuitGame));
    // The game is over: the joiner's own posts are dropped but acknowledged.
    EXPECT_TRUE(shows(h.post("s" + id, PostKind::Move, "e35"), Marker::WriteOk));
    EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound));
}

TEST(PostData, EveryKindIsAcknowledgedAndQueued) {
    Harness h;
    const auto id = h.playing();
    EXPECT_TRUE(shows(h.post("s" + id, PostKind::Start, formatPlayerInfoBlock(playerInfoFromCounters("Bob", "Rome", 1, 2, 3, 4))),
                      Marker::WriteOk));
    EXPECT_TRUE(shows(h.post("c" + id, PostKind::Data, formatPlayerInfoBlock(playerInfoFromCounters("Ann", "Paris", 1, 0, 1, 0))),
                      Marker::WriteOk));
    EXPECT_TRUE(shows(h.post("c" + id, PostKind::PicUrl, "http://example.invalid/ann.jpg"), Marker::WriteOk));
    EXPECT_TRUE(shows(h.post("s" + id, PostKind::Move, "e35"), Marker::WriteOk));
    EXPECT_TRUE(shows(h.post("s" + id, PostKind::Chat, "hello"), Marker::WriteOk));

    const auto host = h.get("s" + id);
    EXPECT_TRUE(shows(host, Marker::StartGame));
    EXPECT_EQ(readPlayerInfoBlock(host).name, "Bob");
    EXPECT_EQ(readPlayerInfoBlock(host).tied, "4");
    EXPECT_EQ(readMove(host)->cell, 35);
    EXPECT_EQ(readMailboxPayload(host, PostKind::Chat), "hello");

    const auto joiner = h.get("c" + id);
    EXPECT_TRUE(shows(joiner, Marker::PlayData));
    EXPECT_EQ(readPlayerInfoBlock(joiner).location, "Paris");
    EXPECT_EQ(readMailboxPayload(joiner, PostKind::PicUrl), "http://example.invalid/ann.jpg");
}

TEST(PostData, BadKeysKindsAndMovesGetNoWriteOk) {
    Harness h;
    const auto id = h.playing();
    const std::vector<std::string> bad = {
        "x" + id + "+MOVE+e35", "s+MOVE+e35", "s999+MOVE+e35", "s" + id + "+JUMP+e35", "s" + id + "+MOVE+E35",
        "s" + id + "+MOVE+e42", "s" + id + "+MOVE+", "s" + id + "+MOVE", "s" + id + "+QUIT+extra",
        "s" + id + "+CHAT+", "s" + id + "+START+nonsense", "s" + id, "s" + id + "+MOVE+e35+more",
        "s" + id + "+CHAT+%FF%FE", "s" + id + "+CHAT+" + std::string(kChatLineMaxChars + 1, 'a')};
    for (const auto& query : bad) {
        const auto reply = h.request("/Tessarine/postdata.mv?" + query);
        EXPECT_FALSE(shows(reply.body, Marker::WriteOk)) << query;
        EXPECT_FALSE(reply.refusal.empty()) << query;
    }
    EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound));
}

TEST(PostData, PostsBeforeAnyoneJoinedAreRefused) {
    Harness h;
    const auto id = h.enter();
    EXPECT_FALSE(shows(h.post("s" + id, PostKind::Chat, "anyone?"), Marker::WriteOk));
}

TEST(PostData, PostsAfterTheOtherSideQuitAreDroppedButAcknowledged) {
    Harness h;
    const auto id = h.playing();
    EXPECT_TRUE(shows(h.post("s" + id, PostKind::Quit), Marker::WriteOk)); // the joiner leaves
    EXPECT_TRUE(shows(h.post("c" + id, PostKind::Move, "a3"), Marker::WriteOk));
    EXPECT_TRUE(shows(h.post("s" + id, PostKind::Quit), Marker::WriteOk)); // leaving twice
    EXPECT_TRUE(shows(h.get("s" + id), Marker::QuitGame));
    EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound));
    EXPECT_TRUE(shows(h.get("c" + id), Marker::FileNotFound));
}

TEST(PostData, AFullMailboxRefusesFurtherPosts) {
    server::ServiceConfig config;
    config.limits.mailboxCapacity = 3;
    Harness h(config);
    const auto id = h.playing();
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(shows(h.post("s" + id, PostKind::Chat, "c" + std::to_string(i)), Marker::WriteOk));
    EXPECT_FALSE(shows(h.post("s" + id, PostKind::Chat, "one too many"), Marker::WriteOk));
    h.get("s" + id);
    EXPECT_TRUE(shows(h.post("s" + id, PostKind::Chat, "room again"), Marker::WriteOk));
}

TEST(GetData, AnEmptyOrUnknownMailboxRepliesFileNotFound) {
    Harness h;
    const auto id = h.playing();
    EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound));
    EXPECT_TRUE(shows(h.get("c" + id), Marker::FileNotFound));
    EXPECT_TRUE(shows(h.get("s424242"), Marker::FileNotFound));
    EXPECT_TRUE(shows(h.get("garbage"), Marker::FileNotFound));
}

TEST(GetData, AMoveGoesWithTheNextPollWhateverChatWaitsBeforeIt) {
    Harness h;
    const auto id = h.playing();
    const auto box = "s" + id;
    for (const auto* line : {"one", "two", "three"}) h.post(box, PostKind::Chat, line);
    h.post(box, PostKind::Move, "e35");
    h.post(box, PostKind::Move, "a1");
    const auto first = h.get(box);
    EXPECT_EQ(moveCell(first), 35);
    EXPECT_EQ(readMailboxPayload(first, PostKind::Chat), "one");
    EXPECT_EQ(first.find("two"), std::string::npos);
    h.restart(); // what went out stays out, what waits still waits
    const auto second = h.get(box);
    EXPECT_EQ(moveCell(second), 1);
    EXPECT_EQ(readMailboxPayload(second, PostKind::Chat), "two");
    const auto third = h.get(box);
    EXPECT_EQ(moveCell(third), -1);
    EXPECT_EQ(readMailboxPayload(third, PostKind::Chat), "three");
    EXPECT_TRUE(shows(h.get(box), Marker::FileNotFound));
}

// The game applies nothing but a chat line from a reply that carries a quit, and polls no more.
TEST(GetData, AQuitComesAfterEverythingBeforeItOrWithTheLastChatLineNeverWithAMove) {
    Harness h;
    const auto chats = "s" + h.playing();
    h.post(chats, PostKind::Chat, "hi");
    h.post(chats, PostKind::Chat, "gg");
    h.post(chats, PostKind::Quit);
    const auto moved = "s" + h.playing();
    h.post(moved, PostKind::Move, "a1");
    h.post(moved, PostKind::Chat, "gg");
    h.post(moved, PostKind::Quit);
    EXPECT_FALSE(shows(h.get(chats), Marker::QuitGame));
    const auto last = h.get(chats);
    EXPECT_EQ(readMailboxPayload(last, PostKind::Chat), "gg");
    EXPECT_TRUE(shows(last, Marker::QuitGame));
    const auto first = h.get(moved);
    EXPECT_EQ(moveCell(first), 1);
    EXPECT_EQ(readMailboxPayload(first, PostKind::Chat), "gg");
    EXPECT_FALSE(shows(first, Marker::QuitGame));
    EXPECT_TRUE(shows(h.get(moved), Marker::QuitGame));
    EXPECT_TRUE(shows(h.get(moved), Marker::FileNotFound));
}

TEST(GetData, PlayerBlocksComeFirstAndChatLast) {
    Harness h;
    const auto id = h.playing();
    h.post("c" + id, PostKind::Chat, "xxxEvejjjhh*");
    h.post("c" + id, PostKind::Data, formatPlayerInfoBlock(playerInfoFromCounters("Ann", "Paris", 1, 1, 0, 0)));
    const auto reply = h.get("c" + id);
    EXPECT_LT(reply.find("PLAYDATA"), reply.find("*CHAT*"));
    EXPECT_EQ(readPlayerInfoBlock(reply).name, "Ann");
}

namespace {
// Lines a player may type that hold nothing the game could take for a marker or delimiter.
const std::vector<std::string> kOrdinaryLines{
    "Yessss", "a*b", "5$ or 6#?", "100%", "#1!", "C++ & C#", "QUIT early?", "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e \xC3\xA0 S\xC3\xA3o Paulo",
    "\xF0\x9F\x98\x80 gg \xF0\x9F\x91\x8D", "tttt ssss jjj xxx", "WRITE*OK -JOINED- *#* $$ **", "Yes$$", "a + b = c"};

// The text as the player sees it: the zero-width space that splits a marker shows as nothing.
std::string seen(std::string text) {
    for (auto at = text.find(server::kSplitter); at != std::string::npos; at = text.find(server::kSplitter, at))
        text.erase(at, server::kSplitter.size());
    return text;
}
} // namespace

TEST(FreeText, OrdinaryChatArrivesByteForByte) {
    Harness h;
    const auto id = h.playing();
    for (const auto& line : kOrdinaryLines) {
        EXPECT_TRUE(shows(h.post("s" + id, PostKind::Chat, line), Marker::WriteOk)) << line;
        EXPECT_EQ(readMailboxPayload(h.get("s" + id), PostKind::Chat), line);
    }
}

TEST(FreeText, OrdinaryNamesAndLocationsArriveByteForByte) {
    Harness h;
    // ("#1!" is not among them: right after the listing's "*#*" its "#" would make the closer "#*#".)
    const std::vector<std::string> names{"Yessss", "a*b", "5$ or 6#?", "100%", "C++ & C#", "QUIT early?", "M\xC3\xBCller"};
    for (const auto& name : names) h.enter(name, "t" + name);
    const auto entries = readWaitingList(listing(h));
    ASSERT_EQ(entries.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(entries[i].playerId, names[i]);

    const auto id = h.playing();
    for (const auto& name : names) {
        h.post("s" + id, PostKind::Start, formatPlayerInfoBlock(playerInfoFromCounters(name, name, 1, 2, 3, 4)));
        const auto block = readPlayerInfoBlock(h.get("s" + id));
        EXPECT_EQ(block.name, name);
        EXPECT_EQ(block.location, name);
        EXPECT_EQ(block.tied, "4");
    }
}

TEST(FreeText, HostileChatSmugglesNoMarkerAndReadsAsTyped) {
    Harness h;
    const auto id = h.playing();
    for (const std::string& chat : std::vector<std::string>{"QUIT*GAME", "xxSocket Error", "PLAYDATA", "*MOVE* *#*$e35$*#*",
                                   "FILE*NOT*FOUND", "START*GAME xxxEvejjj", "$$$** ha", "100$", "$**x", "*PICURL* **#$x$#**"}) {
        h.post("s" + id, PostKind::Chat, chat);
        const auto reply = h.get("s" + id);
        EXPECT_TRUE(shows(reply, Marker::Chat)) << chat;
        for (const auto marker : {Marker::QuitGame, Marker::SocketError, Marker::PlayData, Marker::Move,
                                  Marker::FileNotFound, Marker::StartGame, Marker::PicUrl})
            EXPECT_FALSE(shows(reply, marker)) << chat;
        const auto text = readMailboxPayload(reply, PostKind::Chat);
        ASSERT_TRUE(text) << chat;
        EXPECT_EQ(seen(*text), chat);
    }
}

TEST(FreeText, HostileNamesInTheListingAndBlocksReadAsTyped) {
    Harness h;
    h.body("/Tessarine/joinwait.mv?" + formQuery({"t", "*#*Eve#*#", "Socket Error", "0", "0", "NO", "none", "300"}));
    h.body("/Tessarine/joinwait.mv?" + formQuery({"t1", "Al **#** x", "##*##", "0", "0", "NO", "none", "300"}));
    h.enter("Bob", "t2");
    const auto reply = listing(h);
    EXPECT_FALSE(shows(reply, Marker::SocketError));
    const auto entries = readWaitingList(reply);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(seen(entries[0].playerId), "*#*Eve#*#");
    EXPECT_EQ(seen(entries[0].location), "Socket Error");
    EXPECT_EQ(seen(entries[1].playerId), "Al **#** x");
    EXPECT_EQ(seen(entries[1].location), "##*##");
    EXPECT_EQ(entries[2].playerId, "Bob");

    const auto id = h.playing();
    h.post("s" + id, PostKind::Start, "xxxRajjjjhh*Now*qqhere*qqcc*1*eerr*2*pptt*3*vvmm*4*aa");
    const auto read = readPlayerInfoBlock(h.get("s" + id));
    EXPECT_EQ(read.name, "Raj");
    EXPECT_EQ(seen(read.location.value_or("")), "Now*qqhere");
    EXPECT_EQ(read.played, "1");
    h.post("c" + id, PostKind::Data, formatPlayerInfoBlock(playerInfoFromCounters("QUIT*GAME", "*aa", 5, 6, 7, 8)));
    const auto joiner = h.get("c" + id);
    EXPECT_FALSE(shows(joiner, Marker::QuitGame));
    EXPECT_EQ(seen(readPlayerInfoBlock(joiner).name.value_or("")), "QUIT*GAME");
    EXPECT_EQ(seen(readPlayerInfoBlock(joiner).location.value_or("")), "*aa");
    EXPECT_EQ(readPlayerInfoBlock(joiner).tied, "8");
}

TEST(Expiry, AWaitingEntryExpiresAtItsWaitTime) {
    Harness h;
    const auto id = h.enter("Ann", "hostTok", "NO", "none", "120");
    h.clock.advanceSeconds(119);
    EXPECT_EQ(readWaitingList(listing(h)).size(), 1u);
    h.clock.advanceSeconds(1);
    EXPECT_TRUE(readWaitingList(listing(h)).empty());
    EXPECT_FALSE(shows(h.join(id), Marker::Joined));
}

TEST(Expiry, ExpiredEntriesFreeTheirPlaceInTheRoom) {
    server::ServiceConfig config;
    config.limits.roomCapacity = 1;
    Harness h(config);
    h.enter("Ann", "t", "NO", "none", "120");
    EXPECT_TRUE(h.enter("Bob").empty());
    h.clock.advanceSeconds(121);
    EXPECT_FALSE(h.enter("Bob").empty());
}

TEST(Expiry, ASideSilentForTenMinutesIsGoneTheOtherWinsAndItsNextPollIsASocketError) {
    Harness h;
    const auto id = h.playing();
    // The joiner reads a message box for nine minutes: it is not taken as gone.
    for (int i = 0; i < 18; ++i) {
        h.clock.advanceSeconds(30);
        EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound));
    }
    EXPECT_TRUE(shows(h.get("c" + id), Marker::FileNotFound));
    for (int i = 0; i < 20; ++i) {
        h.clock.advanceSeconds(30);
        EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound)); // only the host polls
    }
    h.clock.advanceSeconds(1);
    EXPECT_TRUE(shows(h.get("s" + id), Marker::QuitGame));
    // The joiner comes back: its move is acknowledged (so its program does not end), and its poll
    // stops with a socket error, never a quit that would count a win for it too.
    EXPECT_TRUE(shows(h.post("s" + id, PostKind::Move, "a1"), Marker::WriteOk));
    const auto back = h.get("c" + id);
    EXPECT_TRUE(shows(back, Marker::SocketError));
    EXPECT_FALSE(shows(back, Marker::QuitGame));
    EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound));
}

TEST(Expiry, TheSweepFindsSilentSidesWithoutARequest) {
    Harness h;
    const auto id = h.playing();
    h.clock.advanceSeconds(300);
    h.get("s" + id);
    h.clock.advanceSeconds(301);
    h.service->sweep();
    h.restart(); // the quit was kept
    EXPECT_TRUE(shows(h.get("s" + id), Marker::QuitGame));
}

TEST(Expiry, GamesWithoutARequestForThirtyMinutesAreRemoved) {
    Harness h;
    const auto id = h.playing();
    h.post("s" + id, PostKind::Chat, "still there?");
    EXPECT_EQ(h.service->gameCount(), 1u);
    h.clock.advanceSeconds(30 * 60 + 1);
    h.service->sweep();
    EXPECT_EQ(h.service->gameCount(), 0u);
    h.restart();
    EXPECT_EQ(h.service->gameCount(), 0u);
    EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound));
}

TEST(Updates, TheCurrentVersionIsCurrentAndAnyOtherIsUpdated) {
    Harness h;
    EXPECT_TRUE(shows(h.body("/Tessarine/updates.mv?1.1"), Marker::Current));
    EXPECT_TRUE(shows(h.body("/Tessarine/updates.mv?1.0"), Marker::Updated));
    EXPECT_TRUE(shows(h.body("/Tessarine/updates.mv"), Marker::Updated));
    EXPECT_FALSE(shows(h.body("/Tessarine/updates.mv?1.0"), Marker::Current));
}

TEST(Durability, EntriesJoinsAndQueuedRecordsSurviveARestart) {
    Harness h;
    const auto waiting = h.enter("Ann", "t1", "YES", "pw");
    const auto playing = h.playing();
    h.post("s" + playing, PostKind::Move, "e35");
    h.post("c" + playing, PostKind::Chat, "hi");
    h.restart();
    const auto entries = readWaitingList(listing(h));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].gameId, waiting);
    EXPECT_TRUE(shows(h.join(waiting, "x", "pw"), Marker::Joined));
    EXPECT_EQ(readMove(h.get("s" + playing))->cell, 35);
    EXPECT_EQ(readMailboxPayload(h.get("c" + playing), PostKind::Chat), "hi");
    h.restart();
    EXPECT_TRUE(shows(h.get("s" + playing), Marker::FileNotFound)); // delivered records stay delivered
}

namespace {
// Holds every submission until told to finish it.
class HeldSink final : public server::ChangeSink {
public:
    std::vector<std::function<void(bool)>> held;
    void submit(std::vector<server::Change>, std::function<void(bool)> done) override { held.push_back(std::move(done)); }
};
} // namespace

TEST(Durability, RepliesThatVouchForAChangeWaitForItsCommit) {
    server_test::ManualClock clock;
    HeldSink sink;
    server::setLogQuiet(true);
    server::GameService service({}, clock, sink);
    std::vector<std::string> replies;
    auto keep = [&](server::Reply r) { replies.push_back(r.body); };
    service.handle("/Tessarine/joinwait.mv?t+Ann+Paris+1+1+NO+none+300", keep);
    EXPECT_TRUE(replies.empty());
    service.handle("/Tessarine/readwait.mv", keep); // reads answer at once
    EXPECT_EQ(replies.size(), 1u);
    ASSERT_EQ(sink.held.size(), 1u);
    sink.held[0](true);
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_TRUE(hasMarker(replies[1], Marker::Entry));
    service.handle("/Tessarine/joingame.mv?1+u+", keep);
    ASSERT_EQ(sink.held.size(), 2u);
    sink.held[1](false); // the store failed: no "-JOINED-"
    EXPECT_FALSE(hasMarker(replies.back(), Marker::Joined));
}

TEST(Durability, AFailedCommitOfAFetchLosesNoRecord) {
    Harness h;
    const auto id = h.playing();
    h.post("s" + id, PostKind::Move, "e35");
    h.post("s" + id, PostKind::Chat, "your turn");
    h.store.failing = true;
    const auto failed = h.request("/Tessarine/getdata.mv?s" + id);
    EXPECT_EQ(failed.status, 503);
    EXPECT_FALSE(shows(failed.body, Marker::Move));
    h.store.failing = false;
    const auto reply = h.get("s" + id);
    EXPECT_EQ(readMove(reply)->cell, 35);
    EXPECT_EQ(readMailboxPayload(reply, PostKind::Chat), "your turn");
    h.restart();
    EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound));
}

TEST(Durability, AFailedJoinLeavesTheEntryWaitingAndHandsTheHostNoWin) {
    Harness h;
    const auto id = h.enter("Ann", "hostTok", "NO", "none", "900");
    h.store.failing = true;
    EXPECT_FALSE(shows(h.join(id), Marker::Joined));
    h.store.failing = false;
    for (int i = 0; i < 24; ++i) {
        h.clock.advanceSeconds(30);
        EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound)); // the waiting host polls
    }
    EXPECT_EQ(readWaitingList(listing(h)).size(), 1u);
    EXPECT_TRUE(shows(h.join(id, "otherTok"), Marker::Joined));
}

TEST(Durability, APostRetriedAfterAFailedCommitArrivesOnce) {
    Harness h;
    const auto id = h.playing();
    h.store.failing = true;
    EXPECT_FALSE(shows(h.post("s" + id, PostKind::Move, "e35"), Marker::WriteOk));
    h.store.failing = false;
    EXPECT_TRUE(shows(h.post("s" + id, PostKind::Move, "e35"), Marker::WriteOk)); // the game posts again
    EXPECT_EQ(readMove(h.get("s" + id))->cell, 35);
    EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound));
}

TEST(Durability, EveryRequestOfAFailedCommitAndAllBuiltOnItAreUndone) {
    server::setLogQuiet(true);
    server_test::ManualClock clock;
    server_test::GatedStore store;
    server::GroupCommitter committer(store);
    server::GameService service({}, clock, committer);
    std::mutex mutex;
    std::condition_variable answered;
    std::vector<std::string> replies;
    const auto ask = [&](const std::string& target) {
        service.handle(target, [&](server::Reply reply) {
            std::lock_guard lock(mutex);
            replies.push_back(reply.body);
            answered.notify_all();
        });
    };
    const auto await = [&](std::size_t count) {
        std::unique_lock lock(mutex);
        answered.wait(lock, [&] { return replies.size() >= count; });
    };
    store.openGate();
    ask("/Tessarine/joinwait.mv?h+Ann+Paris+1+1+NO+none+300");
    await(1);
    ask("/Tessarine/joingame.mv?1+j+");
    await(2); // two commits so far
    store.closeGate();
    ask("/Tessarine/postdata.mv?s1+MOVE+a1"); // its commit is held, then fails
    store.waitEntered(3);
    ask("/Tessarine/postdata.mv?s1+CHAT+hi"); // these wait for the next commit, on top of it
    ask("/Tessarine/getdata.mv?s1");
    ask("/Tessarine/postdata.mv?s1+MOVE+b2");
    store.openGate(true);
    await(6);
    for (std::size_t i = 2; i < 6; ++i) {
        EXPECT_FALSE(hasMarker(replies[i], Marker::WriteOk)) << replies[i];
        EXPECT_FALSE(hasMarker(replies[i], Marker::Move)) << replies[i];
    }
    store.failing = false;
    ask("/Tessarine/getdata.mv?s1");
    await(7);
    EXPECT_TRUE(hasMarker(replies[6], Marker::FileNotFound)) << replies[6];
    ask("/Tessarine/postdata.mv?s1+MOVE+c3");
    ask("/Tessarine/getdata.mv?s1");
    await(9);
    EXPECT_EQ(readMove(replies[8])->cell, 3);
    committer.stop();
    server::ImmediateSink none(nullptr);
    server::GameService restarted({}, clock, none);
    restarted.restore(store.load());
    restarted.handle("/Tessarine/getdata.mv?s1", [](server::Reply reply) { EXPECT_TRUE(hasMarker(reply.body, Marker::FileNotFound)); });
}

TEST(HostileRequests, OversizedMalformedAndBinaryTargetsAreRefusedCleanly) {
    Harness h;
    const auto id = h.playing();
    EXPECT_EQ(h.request("/Tessarine/getdata.mv?" + std::string(20000, 'a')).status, 414);
    EXPECT_FALSE(h.request("/Tessarine/postdata.mv?s" + id + "+CHAT+%").refusal.empty());
    EXPECT_FALSE(h.request("/Tessarine/postdata.mv?s" + id + "+CHAT+%FF%FE").refusal.empty());
    std::string binary;
    for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
    EXPECT_EQ(h.request(binary).status, 404);
    EXPECT_FALSE(shows(h.body("/Tessarine/joinwait.mv?" + binary), Marker::Entry));
    EXPECT_FALSE(shows(h.body("/Tessarine/postdata.mv?" + binary), Marker::WriteOk));
    EXPECT_EQ(h.request("/Tessarine/.mv").status, 404);
    EXPECT_EQ(h.request("").status, 404);
    EXPECT_TRUE(shows(h.get("s" + id), Marker::FileNotFound));
}

TEST(HostileRequests, RefusalsCarryNoMarker) {
    Harness h;
    const auto id = h.playing();
    for (const std::string& target : std::vector<std::string>{"/Tessarine/joinwait.mv?a", "/Tessarine/joingame.mv?x", "/Tessarine/exitwait.mv?9",
                                     "/Tessarine/postdata.mv?s" + id + "+MOVE+zz", "/Tessarine/getdata.mv",
                                     "/Tessarine/postdata.mv?s" + id + "+CHAT+%"}) {
        const auto reply = h.request(target);
        EXPECT_FALSE(reply.refusal.empty()) << target;
        for (auto* m = markersBegin(); m != markersEnd(); ++m) EXPECT_FALSE(hasMarker(reply.body, m->marker)) << target;
    }
}
