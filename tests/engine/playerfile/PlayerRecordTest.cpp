#include "engine/playerfile/PlayerRecord.h"
#include "tests/engine/playerfile/GoldenRecords.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using engine::PlayerField;
using engine::PlayerRecord;

namespace {

PlayerRecord savedProfile() {
    PlayerRecord r;
    r.setText(PlayerField::Name, "Alice");
    r.setText(PlayerField::Password, "secret");
    r.setText(PlayerField::Location, "Leeds");
    r.setNumber(PlayerField::PhotoMode, engine::PhotoShown);
    r.setText(PlayerField::PhotoAddress, "http://127.0.0.1/me.jpg");
    r.setText(PlayerField::SysMsgWave, "sysmess.wav");
    r.setText(PlayerField::ChatInWave, "incoming.wav");
    r.setText(PlayerField::ChatSentWave, "sent.wav");
    r.setText(PlayerField::MyDropWave, "dropped.wav");
    r.setText(PlayerField::OppDropWave, "dropped2.wav");
    r.setText(PlayerField::ReadyWave, "begin.wav");
    r.setText(PlayerField::GameOverWave, "app.wav");
    r.setText(PlayerField::PlayErrorWave, "missed.wav");
    r.setText(PlayerField::BoardName, "Marble");
    r.setNumber(PlayerField::ProxyOn, 0);
    r.setText(PlayerField::ProxyName, "");
    r.setNumber(PlayerField::LanFixed, 0);
    r.setText(PlayerField::LanProtocolName, "");
    r.setNumber(PlayerField::Played, 7);
    r.setNumber(PlayerField::Won, 3);
    r.setNumber(PlayerField::Lost, 2);
    r.setNumber(PlayerField::Tied, 2);
    r.setNumber(PlayerField::Skill, 2);   // Normal
    return r;
}

} // namespace

TEST(PlayerRecordBytes, ProfileMatchesHandLaidRecord) {
    const std::string expected = golden::profile("Alice", "secret", "Leeds", {7, 3, 2, 2}, 2);
    ASSERT_EQ(expected.size(), 1890u);
    EXPECT_EQ(std::string(savedProfile().view()), expected);
}

TEST(PlayerRecordBytes, ReadsEveryFieldOfHandLaidRecord) {
    const PlayerRecord r = PlayerRecord::fromBytes(golden::profile("Bob", "pw12", "York", {300, 1, 258, -2}, 3));
    EXPECT_EQ(r.trimmed(PlayerField::Name), "Bob");
    EXPECT_EQ(r.text(PlayerField::Name), "Bob" + std::string(22, ' '));
    EXPECT_EQ(r.trimmed(PlayerField::Password), "pw12");
    EXPECT_EQ(r.trimmed(PlayerField::Location), "York");
    EXPECT_EQ(r.number(PlayerField::PhotoMode), 1);
    EXPECT_EQ(r.trimmed(PlayerField::PlayErrorWave), "missed.wav");
    EXPECT_EQ(r.trimmed(PlayerField::BoardName), "Marble");
    EXPECT_EQ(r.number(PlayerField::Played), 300);
    EXPECT_EQ(r.number(PlayerField::Won), 1);
    EXPECT_EQ(r.number(PlayerField::Lost), 258);
    EXPECT_EQ(r.number(PlayerField::Tied), -2);
    EXPECT_EQ(r.number(PlayerField::Skill), 3);
}

TEST(PlayerRecordBytes, NeverAssignedRecordIsAllNul) {
    EXPECT_EQ(std::string(PlayerRecord().view()), std::string(1890, '\0'));
    EXPECT_EQ(PlayerRecord().value(PlayerField::Location), "");
}

TEST(PlayerRecordText, LongNameIsCutAtTwentyFiveCharacters) {
    PlayerRecord r;
    r.setText(PlayerField::Name, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(r.text(PlayerField::Name), "ABCDEFGHIJKLMNOPQRSTUVWXY");
    EXPECT_EQ(r.view()[25], '\0');   // the password after it is untouched
}

TEST(PlayerRecordText, AccentedLettersAreStoredAsSingleBytes) {
    PlayerRecord r;
    ASSERT_TRUE(r.setText(PlayerField::Location, "Zürich"));
    EXPECT_EQ(std::string(r.view().substr(35, 7)), "Z\xFCrich ");
    EXPECT_EQ(r.trimmed(PlayerField::Location), "Zürich");
}

TEST(PlayerRecordText, TextOutsideTheCodePageIsRefusedAndLeavesTheField) {
    PlayerRecord r;
    r.setText(PlayerField::Name, "Alice");
    EXPECT_FALSE(r.setText(PlayerField::Name, "Ali\xE2\x98\x83"));   // a snowman
    EXPECT_EQ(r.trimmed(PlayerField::Name), "Alice");
}

TEST(PlayerRecordText, SearchFormKeepsInnerBlanksAndCase) {
    PlayerRecord r;
    r.setText(PlayerField::Name, "  Mary Ann ");
    EXPECT_EQ(r.trimmed(PlayerField::Name), "Mary Ann");
}

TEST(PlayerRecordBytes, SpareBytesSurviveFieldChanges) {
    std::string spare(150, '\0');
    spare[0] = '\x7F';
    spare[149] = 'Z';
    PlayerRecord r = PlayerRecord::fromBytes(golden::profile("Eve", "", "Hull", {}, 1, spare));
    r.setText(PlayerField::Location, "Bath");
    r.setNumber(PlayerField::Won, 9);
    EXPECT_EQ(std::string(r.view()), golden::profile("Eve", "", "Bath", {0, 9, 0, 0}, 1, spare));
}

TEST(PlayerRecordLayout, SoundFilesAreTheEightWaveFieldsInEventOrder) {
    std::vector<std::string> names;
    for (PlayerField field : engine::SoundFileFields) names.push_back(engine::fieldSpec(field).name);
    EXPECT_EQ(names, (std::vector<std::string>{"SysMsgWave", "ChatInWave", "ChatSentWave", "MyDropWave", "OppDropWave",
                                               "ReadyWave", "GameOverWave", "PlayErrorWave"}));
}
