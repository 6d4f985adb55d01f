#include "netplay/wire/Markers.h"

#include <gtest/gtest.h>

using namespace netplay::wire;

TEST(MarkerPosition, SocketErrorCountsFromTheThirdCharacter) {
    EXPECT_FALSE(hasMarker("Socket Error 10060", Marker::SocketError));
    EXPECT_FALSE(hasMarker("xSocket Error", Marker::SocketError));
    EXPECT_TRUE(hasMarker("xySocket Error", Marker::SocketError));
    EXPECT_TRUE(hasMarker("TS:Socket Error", Marker::SocketError));
}

TEST(MarkerPosition, FileNotFoundUnableToOpenAndWriteOkCountAnywhere) {
    EXPECT_TRUE(hasMarker("FILE*NOT*FOUND", Marker::FileNotFound));
    EXPECT_TRUE(hasMarker("Unable to open file", Marker::UnableToOpen));
    EXPECT_TRUE(hasMarker("WRITE*OK", Marker::WriteOk));
    EXPECT_TRUE(hasMarker("before WRITE*OK after", Marker::WriteOk));
    EXPECT_FALSE(hasMarker("write*ok", Marker::WriteOk));
}

TEST(MarkerPosition, EveryOtherMarkerCountsFromTheSecondCharacter) {
    for (auto* m = markersBegin(); m != markersEnd(); ++m) {
        if (m->firstCountingPosition != 2) continue;
        const std::string alone(m->text);
        EXPECT_FALSE(hasMarker(alone, m->marker)) << alone;
        EXPECT_TRUE(hasMarker(" " + alone, m->marker)) << alone;
    }
    EXPECT_FALSE(hasMarker("-JOINED-", Marker::Joined));
    EXPECT_TRUE(hasMarker("TS:-JOINED-", Marker::Joined));
}

TEST(MarkerPosition, OnlyTheFirstOccurrenceDecides) {
    // The first "-JOINED-" stands at position 1, so a later one does not count either.
    EXPECT_FALSE(hasMarker("-JOINED- -JOINED-", Marker::Joined));
}

TEST(MarkerPosition, SearchGivesOneBasedPositionsAndZeroWhenAbsent) {
    EXPECT_EQ(positionOf("abcabc", "bc"), 2u);
    EXPECT_EQ(positionOf("abcabc", "bc", 3), 5u);
    EXPECT_EQ(positionOf("abc", "x"), 0u);
    EXPECT_EQ(positionOf("abc", ""), 0u);
    EXPECT_EQ(positionOf("abc", "a", 4), 0u);
    EXPECT_EQ(positionOf("", "a"), 0u);
}

TEST(Cut, TakesTheTextBetweenTheFirstOpenerAndTheFirstCloser) {
    EXPECT_EQ(cut("xx***$$hello$$$**yy", "***$$", "$$$**"), "hello");
    EXPECT_EQ(cut("<>", "<", ">"), "");
    EXPECT_EQ(cutTrimmed("tttt 17 ssss", "tttt", "ssss"), "17");
}

TEST(Cut, MissingOpenerOrCloserIsAbsent) {
    EXPECT_FALSE(cut("hello$$$**", "***$$", "$$$**"));
    EXPECT_FALSE(cut("***$$hello", "***$$", "$$$**"));
    EXPECT_FALSE(cut("", "a", "b"));
}

TEST(Cut, CloserBeforeOrInsideTheOpenerIsAbsentNeverANegativeLength) {
    EXPECT_FALSE(cut("$$$** then ***$$", "***$$", "$$$**"));
    // The closer "#*#" overlaps the opener "*#*" when the name is empty.
    EXPECT_FALSE(cut("*#*#*#", "*#*", "#*#", {1, true}));
    EXPECT_FALSE(cut("*#", "*#*", "#*#"));
}

TEST(Cut, SearchesFromTheGivenStart) {
    const std::string text = "<a>...<b>";
    EXPECT_EQ(cut(text, "<", ">", {4, false}), "b");
    EXPECT_FALSE(cut(text, "<", ">", {20, false}));
}

TEST(Cut, TrimOnlyRemovesBlanks) {
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(trimBlanks("\ta\t"), "\ta\t");
}
