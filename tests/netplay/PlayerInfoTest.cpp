// The own details sent to the opponent, and the opponent's details on the panel.
#include "netplay/PlayerInfo.h"

#include "engine/playerfile/PlayerFile.h"
#include "tests/netplay/InetFixture.h"

#include <gtest/gtest.h>

using namespace inet_test;
using engine::PlayerField;

namespace {

class OwnPlayerInfo : public InetTest {
protected:
    void addPlayer(const std::string& name, const std::string& location, int played, int won, int lost, int tied) {
        engine::PlayerRecord record;
        record.setText(PlayerField::Name, name);
        record.setText(PlayerField::Location, location);
        engine::PlayerFile file;
        const int position = file.create(record);
        ASSERT_GT(position, 0);
        record.setNumber(PlayerField::Played, static_cast<std::int16_t>(played));
        record.setNumber(PlayerField::Won, static_cast<std::int16_t>(won));
        record.setNumber(PlayerField::Lost, static_cast<std::int16_t>(lost));
        record.setNumber(PlayerField::Tied, static_cast<std::int16_t>(tied));
        ASSERT_TRUE(file.rewrite(position, record));
    }
};

using OpponentPanel = InetTest;

} // namespace

TEST_F(OwnPlayerInfo, BuiltFromTheOwnRecordWhereverItStands) {
    addPlayer("Ann", "Paris", 9, 9, 9, 9);
    addPlayer("Bob", "Rome", 12, 7, 4, 1);
    addPlayer("Cy", "Oslo", 1, 1, 0, 0);
    engine::state().UserName = "Bob";
    engine::state().UserLocation = "somewhere else";
    EXPECT_EQ(netplay::wire::formatPlayerInfoBlock(netplay::ownPlayerInfo()),
              "xxxBobjjjhh*Rome*qqcc*12*eerr*7*pptt*4*vvmm*1*aa");
}

TEST_F(OwnPlayerInfo, NoPlayerFileOrNoOwnRecordInTheSameCaseSendsNameLocationAndZeros) {
    const std::string zeros = "xxxDeejjjhh*Lima*qqcc*0*eerr*0*pptt*0*vvmm*0*aa";
    engine::state().UserName = "Dee";
    engine::state().UserLocation = "Lima";
    EXPECT_EQ(netplay::wire::formatPlayerInfoBlock(netplay::ownPlayerInfo()), zeros);
    addPlayer("Ann", "Paris", 9, 8, 1, 0);
    addPlayer("dee", "Oslo", 5, 4, 1, 0);
    engine::state().UserName = " Dee ";
    engine::state().UserLocation = " Lima ";
    EXPECT_EQ(netplay::wire::formatPlayerInfoBlock(netplay::ownPlayerInfo()), zeros);
}

TEST_F(OwnPlayerInfo, DamagedNegativeCounterIsSentAsZero) {
    addPlayer("Ann", "Paris", -3, -1, 2, 0);
    engine::state().UserName = "Ann";
    const auto block = netplay::ownPlayerInfo();
    EXPECT_EQ(block.played, "0");
    EXPECT_EQ(block.won, "0");
    EXPECT_EQ(block.lost, "2");
}

TEST_F(OpponentPanel, ShowsEveryFieldOfTheBlock) {
    const std::string block = netplay::wire::formatPlayerInfoBlock({"Bob", "Rome", "12", "7", "4", "1"});
    netplay::showOpponentInfo(netplay::wire::readPlayerInfoBlock("TS:PLAYDATA " + block));
    EXPECT_EQ(controls.Label7.Caption.get(), "Bob");
    EXPECT_EQ(controls.Label8.Caption.get(), "Rome");
    EXPECT_EQ(controls.Label9.Caption.get(), "12");
    EXPECT_EQ(controls.Label10.Caption.get(), "7");
    EXPECT_EQ(controls.Label11.Caption.get(), "4");
    EXPECT_EQ(controls.Label12.Caption.get(), "1");
}

TEST_F(OpponentPanel, OwnDetailsArriveAsSent) {
    engine::state().UserName = "Dee Dee";
    engine::state().UserLocation = "Lima, Peru";
    netplay::showOpponentInfo(
        netplay::wire::readPlayerInfoBlock(netplay::wire::formatPlayerInfoBlock(netplay::ownPlayerInfo())));
    EXPECT_EQ(controls.Label7.Caption.get(), "Dee Dee");
    EXPECT_EQ(controls.Label8.Caption.get(), "Lima, Peru");
    EXPECT_EQ(controls.Label9.Caption.get(), "0");
}

TEST_F(OpponentPanel, UnreadableFieldsLeaveEmptyCaptions) {
    controls.Label8.Caption = "old place";
    controls.Label12.Caption = "99";
    netplay::showOpponentInfo(netplay::wire::readPlayerInfoBlock("xxx Bob jjjhh*Ro"));
    EXPECT_EQ(controls.Label7.Caption.get(), "Bob");
    EXPECT_EQ(controls.Label8.Caption.get(), "");
    EXPECT_EQ(controls.Label12.Caption.get(), "");
}
