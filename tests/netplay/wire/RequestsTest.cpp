#include "netplay/wire/Requests.h"

#include <gtest/gtest.h>

using namespace netplay::wire;

TEST(RequestForm, ReadWaitCarriesNoQuestionMark) {
    EXPECT_EQ(requestUrl("host:1", Script::ReadWait, {}), "http://host:1/Tessarine/readwait.mv");
    EXPECT_EQ(requestUrl("host:1", Script::ReadWait, {"ignored"}), "http://host:1/Tessarine/readwait.mv");
}

TEST(RequestForm, FieldsAreJoinedByPlusInTheirOrder) {
    EXPECT_EQ(requestUrl("h", Script::JoinWait, {"tok", "Ann", "Paris", "3", "1", "NO", "none", "300"}),
              "http://h/Tessarine/joinwait.mv?tok+Ann+Paris+3+1+NO+none+300");
}

TEST(RequestForm, APublicJoinEndsInPlus) {
    EXPECT_EQ(requestUrl("h", Script::JoinGame, {"17", "tok", ""}), "http://h/Tessarine/joingame.mv?17+tok+");
}

TEST(RequestForm, EncodingRoundTripKeepsEveryCharacter) {
    const std::string typed = "a+b c#d&e%\xC3\xBC";
    const auto encoded = encodeField(typed);
    EXPECT_EQ(encoded, "a%2Bb%20c%23d%26e%25%C3%BC");
    EXPECT_EQ(encoded.find_first_of("+ #&"), std::string::npos);
    EXPECT_EQ(decodeField(encoded), typed);
    const auto fields = splitQuery(formQuery({typed, "x", ""}));
    ASSERT_TRUE(fields);
    EXPECT_EQ(*fields, (std::vector<std::string>{typed, "x", ""}));
}

TEST(RequestForm, BrokenPercentEscapesAreRefused) {
    EXPECT_FALSE(decodeField("%"));
    EXPECT_FALSE(decodeField("%4"));
    EXPECT_FALSE(decodeField("%zz"));
    EXPECT_FALSE(splitQuery("ok+%G1"));
    EXPECT_EQ(decodeField("%41b"), "Ab");
}

TEST(RequestForm, PostsCarryKeyKindAndPayload) {
    EXPECT_EQ(formQuery(postFields("c17", PostKind::Move, "e35")), "c17+MOVE+e35");
    EXPECT_EQ(formQuery(postFields(" c17 ", PostKind::Quit)), "c17+QUIT");
    EXPECT_EQ(formQuery(postFields("s4", PostKind::Start, "x")), "s4+START+x");
    EXPECT_EQ(formQuery(postFields("s4", PostKind::Chat, "hi there")), "s4+CHAT+hi%20there");
}

TEST(MailboxKeys, HostReadsSAndJoinerReadsC) {
    EXPECT_EQ(inboxKey(Side::Host, "17"), "s17");
    EXPECT_EQ(outboxKey(Side::Host, "17"), "c17");
    EXPECT_EQ(inboxKey(Side::Joiner, " 17 "), "c17");
    EXPECT_EQ(outboxKey(Side::Joiner, "17"), "s17");
    EXPECT_EQ(exitWaitField("s17"), "17");
    EXPECT_EQ(exitWaitField(""), "");
}

TEST(MailboxKeys, ServerAcceptsOnlySOrCAndUpToTenDigits) {
    ASSERT_TRUE(parseMailboxKey("s17"));
    EXPECT_EQ(parseMailboxKey("s17")->reader, Side::Host);
    EXPECT_EQ(parseMailboxKey("c9999999999")->gameNumber, 9999999999ULL);
    EXPECT_FALSE(parseMailboxKey("x17"));
    EXPECT_FALSE(parseMailboxKey("s"));
    EXPECT_FALSE(parseMailboxKey("s0"));
    EXPECT_FALSE(parseMailboxKey("s12345678901"));
    EXPECT_FALSE(parseMailboxKey("s1a"));
    EXPECT_FALSE(parseMailboxKey("s-1"));
}
