// The LAN player messages: their texts, their bytes on the wire through the network library's
// session object, and what comes back out of its queue.
#include "netplay/LanMessages.h"

#include "tests/netplay/LanFixture.h"

#include <gtest/gtest.h>

using namespace testing_support;

TEST(LanMessageText, MoveIsKindLetterAndLandingCellInPlainDecimal) {
    EXPECT_EQ(netplay::LanMoveMessage("e", 17), "Me17");
    EXPECT_EQ(netplay::LanMoveMessage("a", 0), "Ma0");
    EXPECT_EQ(netplay::LanMoveMessage("z", 41), "Mz41");
}

TEST(LanMessageText, InfoCarriesThePlayerInfoBlock) {
    EXPECT_EQ(netplay::LanInfoMessage("xxxBobjjjhh*"), "sxxxBobjjjhh*");
}

TEST(LanMessageWire, ChatLineOkTravelsAsOneStringValue) {
    LanScene scene;
    engine::state().PlayerNumber = 1;
    netplay::SendLanMessage(netplay::LanChatMessage("ok"));
    const std::vector<std::uint8_t> expected{0x08, 0x00, 0x06, 0x00, 0x00, 0x00, 'm', 0, 'o', 0, 'k', 0};
    ASSERT_EQ(scene.sends(), 1);
    EXPECT_EQ(scene.network.sent[0].bytes, expected);
}

TEST(LanMessageWire, AReceivedStringComesBackAsItsTextAndSender) {
    LanScene scene;
    scene.says("mhello", 2);
    const auto message = netplay::ReceiveLanMessage();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->from, 2);
    EXPECT_EQ(message->text, "mhello");
}

TEST(LanMessageWire, AnEmptyQueueGivesNoMessage) {
    LanScene scene;
    EXPECT_FALSE(netplay::ReceiveLanMessage());
}

TEST(LanMessageWire, WithoutASessionObjectNothingIsReceived) {
    LanScene scene;
    engine::state().DPlay.reset();
    EXPECT_FALSE(netplay::ReceiveLanMessage());
}

TEST(LanMessageWire, AnAddPlayerMessageIsASystemMessageWithTheShortName) {
    LanScene scene;
    scene.arrives(addPlayerBytes("Bob"), 0);
    const auto message = netplay::ReceiveLanMessage();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->from, 0);
    EXPECT_EQ(message->type, netplay::DPSYS_ADDPLAYER);
    EXPECT_EQ(message->shortName, "Bob");
}

TEST(LanMessageWire, ASessionLostMessageCarriesItsType) {
    LanScene scene;
    scene.arrives(systemBytes(49), 0);
    const auto message = netplay::ReceiveLanMessage();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->type, netplay::DPSYS_SESSIONLOST);
}

TEST(LanMessageWire, ABlockThatIsNoStringReadsAsAnEmptyText) {
    LanScene scene;
    scene.arrives({0x03, 0x00, 0x05, 0x00, 0x00, 0x00}, 2);   // the long 5
    const auto message = netplay::ReceiveLanMessage();
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "");
}

TEST(LanMessageSend, ARefusedMoveIsToldInTheStatusList) {
    LanScene scene;
    engine::state().PlayerNumber = 1;
    scene.network.sendResult = static_cast<platform::dplay::HRESULT>(0x887700AAu);   // no connection
    netplay::SendLanMove("e", 17);
    EXPECT_EQ(scene.lastStatus(), "System Message: Your move could not be sent (DPERR_NOCONNECTION).");
}
