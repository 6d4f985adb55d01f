#include "netplay/wire/Requests.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST(RequestForm, OnlyWhatTheAddressCannotCarryIsEscaped) {
    EXPECT_EQ(requestUrl("h", Script::PostData, postFields("s17", PostKind::Start, "xxxAnn Leejjjhh*Paris*qqcc*3*eerr*1*pptt*2*vvmm*0*aa")),
              "http://h/Tessarine/postdata.mv?s17+START+xxxAnn%20Leejjjhh*Paris*qqcc*3*eerr*1*pptt*2*vvmm*0*aa");
    EXPECT_EQ(formQuery(postFields("c17", PostKind::PicUrl, "http://example.com/me.jpg?s=2&t=[1]")),
              "c17+PICURL+http://example.com/me.jpg?s=2&t=[1]");
    const std::string printable = "!\"$&'()*,-./09:;<=>?@AZ[\\]^_`az{|}~";
    EXPECT_EQ(encodeField(printable), printable);
    EXPECT_EQ(encodeField(" +#%\x01\t\x1F\x7F\xC3\xBC"), "%20%2B%23%25%01%09%1F%7F%C3%BC");
    // Every byte comes back from the address, which holds only printable ASCII and no separator.
    std::string every;
    for (int c = 0; c < 256; ++c) every += static_cast<char>(c);
    const auto query = formQuery({every, "x", ""});
    for (const char c : query) EXPECT_TRUE(c > 0x20 && c < 0x7F && c != '#') << static_cast<int>(c);
    EXPECT_EQ(std::count(query.begin(), query.end(), '+'), 2);
    EXPECT_EQ(splitQuery(query), (std::vector<std::string>{every, "x", ""}));
    // A query the game cannot have sent is refused whole, not read as something else.
    for (const char* broken : {"%", "%4", "ok+%G1", "ok+a%", "%4g+x"}) EXPECT_EQ(splitQuery(broken), std::nullopt) << broken;
    EXPECT_EQ(splitQuery("a%41+%2b"), (std::vector<std::string>{"aA", "+"}));
}

TEST(RequestForm, PostsCarryKeyKindAndPayload) {
    EXPECT_EQ(formQuery(postFields("c17", PostKind::Move, "e35")), "c17+MOVE+e35");
    EXPECT_EQ(formQuery(postFields(" c17 ", PostKind::Quit)), "c17+QUIT");
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
