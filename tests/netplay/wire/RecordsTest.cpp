#include "netplay/wire/Records.h"

#include <gtest/gtest.h>

using namespace netplay::wire;

TEST(PlayerInfoBlock, IsWrittenWithoutBlanksBetweenItsParts) {
    EXPECT_EQ(formatPlayerInfoBlock(playerInfoFromCounters("Ann", "Paris", 12, 5, 6, 1)),
              "xxxAnnjjjhh*Paris*qqcc*12*eerr*5*pptt*6*vvmm*1*aa");
}

TEST(PlayerInfoBlock, ReadsBackEveryFieldTrimmed) {
    const auto read = readPlayerInfoBlock("TS:PLAYDATA xxx Ann jjjhh* Paris *qqcc*12*eerr*5*pptt*6*vvmm*-1*aa");
    EXPECT_EQ(read.name, "Ann");
    EXPECT_EQ(read.location, "Paris");
    EXPECT_EQ(read.played, "12");
    EXPECT_EQ(read.won, "5");
    EXPECT_EQ(read.lost, "6");
    EXPECT_EQ(read.tied, "-1");
}

TEST(PlayerInfoBlock, TruncatedOrScrambledBlocksGiveAbsentFields) {
    const auto truncated = readPlayerInfoBlock("xxxAnnjjjhh*Par");
    EXPECT_EQ(truncated.name, "Ann");
    EXPECT_FALSE(truncated.location);
    EXPECT_FALSE(truncated.tied);
    const auto reversed = readPlayerInfoBlock("jjjAnnxxx");
    EXPECT_FALSE(reversed.name);
    const auto empty = readPlayerInfoBlock("");
    EXPECT_FALSE(empty.name);
}

TEST(PlayerInfoBlock, PostedBlocksAreReadByTheirWholeSeparators) {
    const auto read = readPostedPlayerInfo(formatPlayerInfoBlock(playerInfoFromCounters("Raj", "A*qqB", 1, 2, 3, 4)));
    EXPECT_EQ(read.name, "Raj");
    EXPECT_EQ(read.location, "A*qqB");
    EXPECT_EQ(read.tied, "4");
    // The plain reading stops at the first "jjj".
    EXPECT_EQ(readPlayerInfoBlock("xxxRajjjjhh*").name, "Ra");
    const auto cutShort = readPostedPlayerInfo("xxxAnnjjjhh*Par");
    EXPECT_EQ(cutShort.name, "Ann");
    EXPECT_FALSE(cutShort.location);
    EXPECT_FALSE(readPostedPlayerInfo("no block").name);
}

TEST(WaitingEntry, ListingOfThreeEntriesReadsThreeEntries) {
    std::string reply(kReplyPrefix);
    reply += formatWaitingEntry({"17", "Ann", "Paris", "12", "5", "NO"}) + "\n";
    reply += formatWaitingEntry({"18", "Bob", "", "0", "0", "YES"}) + "\n";
    reply += formatWaitingEntry({"19", "Cy", "Rome", "1", "1", "NO"});
    const auto entries = readWaitingList(reply);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].gameId, "17");
    EXPECT_EQ(entries[0].playerId, "Ann");
    EXPECT_EQ(entries[0].location, "Paris");
    EXPECT_EQ(entries[0].played, "12");
    EXPECT_EQ(entries[0].wins, "5");
    EXPECT_EQ(entries[1].location, "");
    EXPECT_EQ(entries[1].privateFlag, "YES");
    EXPECT_EQ(entries[2].playerId, "Cy");
}

TEST(WaitingEntry, EmptyRoomAndHostileListingsEndCleanly) {
    EXPECT_TRUE(readWaitingList("TS:").empty());
    EXPECT_TRUE(readWaitingList("").empty());
    // An entry whose private field never closes is read once, without looping.
    const auto open = readWaitingList("TS:*$*1$*$*#*A#*#*****#*****NO *#* *$*");
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0].privateFlag, "");
    // Truncated in the middle of a field.
    const auto cutShort = readWaitingList("TS:*$*12");
    ASSERT_EQ(cutShort.size(), 1u);
    EXPECT_EQ(cutShort[0].gameId, "");
}

TEST(WaitingEntry, ManyEntriesStopAtTheLimit) {
    std::string reply = "TS:";
    for (int i = 0; i < 50; ++i) reply += formatWaitingEntry({std::to_string(i), "P", "L", "0", "0", "NO"});
    EXPECT_EQ(readWaitingList(reply, 10).size(), 10u);
    EXPECT_EQ(readWaitingList(reply).size(), 50u);
}

TEST(EntryReply, GameNumberSitsBetweenTtttAndSsss) {
    EXPECT_EQ(readEntryGameId("TS:***--ENTRY--***tttt 17ssss"), "17");
    EXPECT_FALSE(readEntryGameId("***--ENTRY--***tttt17ssss")); // marker at position 1
    EXPECT_FALSE(readEntryGameId("TS:***--ENTRY--***ssss17tttt"));
}

TEST(MailboxRecords, EachKindReadsBackItsPayload) {
    std::string reply = "TS:\n";
    reply += formatMailboxRecord(PostKind::Move, "e35") + "\n";
    reply += formatMailboxRecord(PostKind::PicUrl, "http://x/p.jpg") + "\n";
    reply += formatMailboxRecord(PostKind::Chat, "hello") + "\n";
    EXPECT_EQ(readMailboxPayload(reply, PostKind::Chat), "hello");
    EXPECT_EQ(readMailboxPayload(reply, PostKind::PicUrl), "http://x/p.jpg");
    const auto move = readMove(reply);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->letter, 4);
    EXPECT_EQ(move->cell, 35);
    EXPECT_FALSE(readMailboxPayload(reply, PostKind::Quit));
    EXPECT_TRUE(readMailboxPayload("TS:" + formatMailboxRecord(PostKind::Quit, ""), PostKind::Quit));
}

TEST(MailboxRecords, MalformedMovesAreAbsent) {
    EXPECT_FALSE(parseMovePayload("E35"));
    EXPECT_FALSE(parseMovePayload("e42"));
    EXPECT_FALSE(parseMovePayload("e"));
    EXPECT_FALSE(parseMovePayload("e-1"));
    EXPECT_FALSE(parseMovePayload("e007"));
    EXPECT_FALSE(parseMovePayload("e07"));
    EXPECT_TRUE(parseMovePayload("z41"));
    EXPECT_TRUE(parseMovePayload("a0"));
    EXPECT_FALSE(readMove("TS:*MOVE* *#*$e35"));
    EXPECT_EQ(movePayload('e', 17), "e17");
}
