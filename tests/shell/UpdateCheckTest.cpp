#include "shell/UpdateCheck.h"

#include <gtest/gtest.h>

using shell::interpretUpdateReply;
using shell::UpdateVerdict;

TEST(UpdateReply, CurrentMarkerAfterFirstCharacterMeansCurrent) {
    EXPECT_EQ(interpretUpdateReply("<html>*CURRENT*</html>"), UpdateVerdict::Current);
    EXPECT_EQ(interpretUpdateReply(" *CURRENT*"), UpdateVerdict::Current);
}

TEST(UpdateReply, MarkerAtTheVeryStartIsNotRecognised) {
    EXPECT_EQ(interpretUpdateReply("*CURRENT*"), UpdateVerdict::Failed);
    EXPECT_EQ(interpretUpdateReply("*UPDATED*"), UpdateVerdict::Failed);
}

TEST(UpdateReply, OneCharacterBeforeUpdatedMeansNewVersion) {
    EXPECT_EQ(interpretUpdateReply("x*UPDATED*"), UpdateVerdict::Updated);
}

TEST(UpdateReply, BothMarkersCountAsCurrent) {
    EXPECT_EQ(interpretUpdateReply("..*UPDATED*..*CURRENT*"), UpdateVerdict::Current);
}

TEST(UpdateReply, CurrentAtStartFallsThroughToUpdatedLater) {
    EXPECT_EQ(interpretUpdateReply("*CURRENT* *UPDATED*"), UpdateVerdict::Updated);
}

TEST(UpdateReply, MarkersAreCaseSensitive) {
    EXPECT_EQ(interpretUpdateReply("  *current*  *Updated*"), UpdateVerdict::Failed);
}

TEST(UpdateReply, EmptyReplyFails) {
    EXPECT_EQ(interpretUpdateReply(""), UpdateVerdict::Failed);
}

TEST(UpdateReply, MarkerPositionIsOneBasedAndZeroWhenAbsent) {
    EXPECT_EQ(shell::markerPosition("ab*CURRENT*", "*CURRENT*"), 3u);
    EXPECT_EQ(shell::markerPosition("abc", "*CURRENT*"), 0u);
}

TEST(UpdateTexts, QuestionHasExplanationTwoLineFeedsAndQuestion) {
    const std::string_view q = shell::update_texts::kUpdatedQuestion;
    EXPECT_EQ(q.substr(0, q.find('\n')), "Tessarine Live Update has detected a new version is available.");
    EXPECT_NE(q.find(".\n\nWould you like"), std::string_view::npos);
}
