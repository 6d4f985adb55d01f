// The server's replies as the game reads them: where each marker counts, what each record gives,
// and what a cut-off or hostile reply leaves.
#include "netplay/InetReplies.h"

#include <gtest/gtest.h>

#include <functional>

using namespace netplay;
using netplay::wire::PostKind;
using Status = ListingRead::Status;
using Outcome = EntryRead::Outcome;

namespace {

std::string record(PostKind kind, std::string_view payload = {}) {
    return wire::formatMailboxRecord(kind, payload);
}

std::string listing(std::initializer_list<wire::WaitingEntry> entries) {
    std::string text = "TS:";
    for (const auto& e : entries) text += wire::formatWaitingEntry(e);
    return text;
}

struct MarkerCase {
    const char* marker;
    std::size_t firstCounting;                      // 1-based
    std::function<bool(const std::string&)> seen;   // the game's reading of a reply
};

} // namespace

TEST(MarkerPositions, EachMarkerCountsFromItsOwnPosition) {
    const std::vector<MarkerCase> cases{
        {"Socket Error", 3, [](const std::string& r) { return readListing(r).status == Status::SocketError; }},
        {"Socket Error", 3, [](const std::string& r) { return readMailbox(r).socketError; }},
        {"FILE*NOT*FOUND", 1, [](const std::string& r) { return readMailbox(r).nothingWaiting; }},
        {"Unable to open", 1, [](const std::string& r) { return readListing(r).status == Status::ServerUnreachable; }},
        {"WRITE*OK", 1, [](const std::string& r) { return postWritten(r); }},
        {"***--FULL--***", 2, [](const std::string& r) { return readEntry(r).outcome == Outcome::RoomFull; }},
        {"***--ENTRY--***", 2,
         [](const std::string& r) { return readEntry(r + "tttt17ssss").outcome == Outcome::Entered; }},
        {"*BADPASSWORD*", 2, [](const std::string& r) { return readJoin(r) == JoinOutcome::BadPassword; }},
        {"-JOINED-", 2, [](const std::string& r) { return readJoin(r) == JoinOutcome::Joined; }},
        {"*CHAT*", 2, [](const std::string& r) { return readMailbox(r + "***$$hi$$$**").chat.has_value(); }},
        {"QUIT*GAME", 2, [](const std::string& r) { return readMailbox(r).quit; }},
        {"*PICURL*", 2, [](const std::string& r) { return readMailbox(r + "**#$a.jpg$#**").photoLink.has_value(); }},
        {"*MOVE*", 2, [](const std::string& r) { return readMailbox(r + "*#*$e35$*#*").move.has_value(); }},
        {"PLAYDATA", 2, [](const std::string& r) { return readMailbox(r).playData.has_value(); }},
        {"START*GAME", 2, [](const std::string& r) { return readMailbox(r).startGame.has_value(); }},
    };
    for (const auto& c : cases) {
        for (std::size_t position = 1; position <= 4; ++position) {
            const std::string reply = std::string(position - 1, '.') + c.marker + " ";
            EXPECT_EQ(c.seen(reply), position >= c.firstCounting) << c.marker << " at " << position;
        }
    }
}

TEST(MarkerPositions, MarkersAreCaseSensitive) {
    EXPECT_FALSE(postWritten("TS:write*ok"));
    EXPECT_EQ(readJoin("TS:-joined-"), JoinOutcome::NotJoined);
    EXPECT_FALSE(readMailbox("TS:quit*game").quit);
}

TEST(ListingReply, ListsEveryEntryInOrder) {
    const auto read = readListing(listing({{"12", "Ann", "Paris", "3", "1", "NO"},
                                           {"15", "Bob", "Rome", "0", "0", "YES"},
                                           {"19", "Cy", "Oslo", "9", "9", "NO"}}));
    EXPECT_EQ(read.status, Status::Listed);
    ASSERT_EQ(read.entries.size(), 3u);
    EXPECT_EQ(read.entries[0].playerId, "Ann");
    EXPECT_EQ(read.entries[1].privateFlag, "YES");
    EXPECT_EQ(read.entries[2].gameId, "19");
}

TEST(ListingReply, EmptyRoomAndFailedTransferListNothing) {
    EXPECT_TRUE(readListing("TS:").entries.empty());
    EXPECT_EQ(readListing("").status, Status::Listed);
    EXPECT_TRUE(readListing("").entries.empty());
}

TEST(ListingReply, ServerFailuresListNothing) {
    EXPECT_TRUE(readListing("TS:Socket Error" + listing({{"12", "Ann", "Paris", "3", "1", "NO"}})).entries.empty());
    EXPECT_TRUE(readListing("Unable to open" + listing({{"12", "Ann", "Paris", "3", "1", "NO"}})).entries.empty());
}

TEST(ListingReply, CutOffEntryKeepsWhatCanBeRead) {
    const auto read = readListing("TS:*$*12$*$*#*Ann#*#**#**Par");
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].gameId, "12");
    EXPECT_EQ(read.entries[0].playerId, "Ann");
    EXPECT_EQ(read.entries[0].location, "");
    EXPECT_EQ(read.entries[0].privateFlag, "");
}

TEST(EntryReply, GameNumberIsTrimmed) {
    const auto read = readEntry("TS:***--ENTRY--***tttt 17ssss");
    EXPECT_EQ(read.outcome, Outcome::Entered);
    EXPECT_EQ(read.gameId, "17");
}

TEST(EntryReply, FullRoomWinsOverEntry) {
    EXPECT_EQ(readEntry("TS:***--FULL--******--ENTRY--***tttt17ssss").outcome, Outcome::RoomFull);
}

TEST(EntryReply, UnreadableGameNumberIsNoEntry) {
    for (const char* reply : {"TS:***--ENTRY--***tttt17", "TS:***--ENTRY--***ssss17tttt",
                              "TS:***--ENTRY--***tttt  ssss", "TS:***--ENTRY--***tttt1 7ssss",
                              "TS:***--ENTRY--***tttssss", "TS:***--ENTRY--***"}) {
        const auto read = readEntry(reply);
        EXPECT_EQ(read.outcome, Outcome::NoEntry) << reply;
        EXPECT_EQ(read.gameId, "") << reply;
    }
}

TEST(JoinReply, BadPasswordComesBeforeJoined) {
    EXPECT_EQ(readJoin("TS:*BADPASSWORD*-JOINED-"), JoinOutcome::BadPassword);
    EXPECT_EQ(readJoin("TS:-JOINED-"), JoinOutcome::Joined);
    EXPECT_EQ(readJoin(""), JoinOutcome::NotJoined);
    EXPECT_EQ(readJoin("TS:no such game"), JoinOutcome::NotJoined);
}

TEST(MailboxReply, FirstChatLineOnly) {
    const auto read = readMailbox("TS:" + record(PostKind::Chat, "hello") + record(PostKind::Chat, "again"));
    EXPECT_EQ(read.chat, "hello");
}

TEST(MailboxReply, QuitKeepsTheChatBeforeItAndDropsTheRest) {
    const auto read = readMailbox("TS:" + record(PostKind::Chat, "bye") + record(PostKind::Move, "e35") +
                                  record(PostKind::Quit) + record(PostKind::PicUrl, "http://x/a.jpg"));
    EXPECT_EQ(read.chat, "bye");
    EXPECT_TRUE(read.quit);
    EXPECT_FALSE(read.move);
    EXPECT_FALSE(read.photoLink);
}

TEST(MailboxReply, NothingWaitingAppliesNothingElse) {
    const auto read = readMailbox("TS:FILE*NOT*FOUND" + record(PostKind::Chat, "hi") + record(PostKind::Move, "a0"));
    EXPECT_TRUE(read.nothingWaiting);
    EXPECT_FALSE(read.chat);
    EXPECT_FALSE(read.move);
}

TEST(MailboxReply, SocketErrorStandsAlone) {
    const auto read = readMailbox("TS:Socket Error" + record(PostKind::Chat, "hi"));
    EXPECT_TRUE(read.socketError);
    EXPECT_FALSE(read.chat);
}

TEST(MailboxReply, OneReplyCarriesEveryKind) {
    const std::string block = wire::formatPlayerInfoBlock({"Ann", "Paris", "3", "2", "1", "0"});
    const auto read = readMailbox("TS:" + record(PostKind::Data, block) + " " + record(PostKind::Move, "e35") +
                                  record(PostKind::PicUrl, "http://x.org/me.jpg") + record(PostKind::Chat, "hi"));
    EXPECT_EQ(read.chat, "hi");
    EXPECT_EQ(read.photoLink, "http://x.org/me.jpg");
    ASSERT_TRUE(read.move);
    EXPECT_EQ(read.move->letter, 4);
    EXPECT_EQ(read.move->cell, 35);
    ASSERT_TRUE(read.playData);
    EXPECT_EQ(read.playData->name, "Ann");
    EXPECT_EQ(read.playData->tied, "0");
    EXPECT_FALSE(read.startGame);
}

TEST(MailboxReply, MoveAsTheOtherProgramPostsIt) {
    const auto read = readMailbox("TS:*MOVE* *#*$z41$*#*");
    ASSERT_TRUE(read.move);
    EXPECT_EQ(read.move->letter, 25);
    EXPECT_EQ(read.move->cell, 41);
}

TEST(MailboxReply, MalformedMoveIsNotApplied) {
    for (const char* payload : {"*#*$A35$*#*", "*#*$e42$*#*", "*#*$e$*#*", "*#*$e-1$*#*", "*#*$e3 5$*#*",
                                "*#*$e35", "$*#*e35*#*$", "*#*$$*#*", "*#*$e035$*#*", "*#*$e99999999999$*#*"}) {
        EXPECT_FALSE(readMailbox(std::string("TS:*MOVE* ") + payload).move) << payload;
    }
}

TEST(MailboxReply, OpponentArrivalCarriesHisDetails) {
    const std::string block = wire::formatPlayerInfoBlock({"Bob", "Rome", "10", "5", "4", "1"});
    const auto read = readMailbox("TS:" + record(PostKind::Start, block));
    ASSERT_TRUE(read.startGame);
    EXPECT_EQ(read.startGame->name, "Bob");
    EXPECT_EQ(read.startGame->location, "Rome");
    EXPECT_EQ(read.startGame->played, "10");
    EXPECT_FALSE(read.playData);
}

TEST(MailboxReply, CutOffDetailsKeepWhatCanBeRead) {
    const auto read = readMailbox("TS:PLAYDATA xxxBobjjjhh*Ro");
    ASSERT_TRUE(read.playData);
    EXPECT_EQ(read.playData->name, "Bob");
    EXPECT_FALSE(read.playData->location);
    EXPECT_FALSE(read.playData->tied);
}

TEST(MailboxReply, ChatMarkerWithoutItsTextShowsNothing) {
    EXPECT_FALSE(readMailbox("TS:*CHAT* ***$$never closed").chat);
    EXPECT_FALSE(readMailbox("TS:*CHAT* $$$**backwards***$$").chat);
}

TEST(WaitingListLine, ShortGameIdIsPaddedToItsColumn) {
    const std::string line = waitingListLine({"1234", "Ann", "Paris", "3", "1", "NO"});
    EXPECT_EQ(line.substr(0, 11), "1234       ");
    EXPECT_EQ(line.substr(11, 3), "Ann");
    EXPECT_EQ(line.size(), 11u + 27 + 29 + 10 + 9 + 2);
    EXPECT_TRUE(line.ends_with("1        NO"));
}

TEST(WaitingListLine, ReadsBackItsColumns) {
    const auto game = readWaitingListLine(waitingListLine({"17", "Ann Lee", "Paris, France", "3", "1", "YES"}));
    EXPECT_TRUE(game.selectable);
    EXPECT_EQ(game.gameId, "17");
    EXPECT_EQ(game.playerId, "Ann Lee");
    EXPECT_EQ(game.location, "Paris, France");
    EXPECT_EQ(game.privateFlag, "YES");
}

TEST(WaitingListLine, ColumnsCountCharactersNotBytes) {
    const auto game = readWaitingListLine(waitingListLine({"17", "J\xC3\xBCrgen", "M\xC3\xBCnchen", "3", "1", "NO"}));
    EXPECT_EQ(game.playerId, "J\xC3\xBCrgen");
    EXPECT_EQ(game.location, "M\xC3\xBCnchen");
    EXPECT_EQ(game.privateFlag, "NO");
}

TEST(WaitingListLine, LongFieldIsNeitherPaddedNorCut) {
    const std::string name(30, 'n');
    const std::string line = waitingListLine({"17", name, "Oslo", "1", "1", "NO"});
    EXPECT_NE(line.find(name + "Oslo"), std::string::npos);
}

TEST(WaitingListLine, ShortLineNamesNoGame) {
    EXPECT_FALSE(readWaitingListLine("").selectable);
    EXPECT_FALSE(readWaitingListLine("No Players Currently Waiting To Play.").selectable);
    EXPECT_EQ(readWaitingListLine("No Players Currently Waiting To Play.").gameId, "");
}
