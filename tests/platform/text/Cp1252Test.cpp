#include "platform/text/Cp1252.h"

#include <gtest/gtest.h>

using namespace platform::text;

TEST(Cp1252, EveryByteRoundTripsThroughUtf8AndUtf16) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
    EXPECT_EQ(utf16ToCp1252(cp1252ToUtf16(all)), all);
}

TEST(Cp1252, HighRangeMapsToTheWindowsCharacters) {
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\u20ac");
    EXPECT_EQ(cp1252ToUtf8("\x9f"), "\u0178");
    EXPECT_EQ(cp1252ToUtf8("\xfc"), "\u00fc");
    EXPECT_EQ(utf8ToCp1252("M\u00fcller \u20ac"), std::string("M\xfcller \x80"));
}

TEST(Cp1252, TextItCannotHoldIsReportedNotReplaced) {
    EXPECT_FALSE(utf8ToCp1252("\u0416").has_value());       // Cyrillic
    EXPECT_FALSE(utf8ToCp1252("\xF0\x9F\x98\x80").has_value()); // emoji
    EXPECT_FALSE(utf16ToCp1252(u"\u4e2d").has_value());
    EXPECT_FALSE(fitsCp1252("a\xE2\x82"));                     // truncated sequence
    EXPECT_TRUE(fitsCp1252("plain"));
}

TEST(Cp1252, MalformedUtf8IsRefused) {
    EXPECT_FALSE(utf8ToUtf16("\xC0\xAF").has_value());  // overlong
    EXPECT_FALSE(utf8ToUtf16("\xED\xA0\x80").has_value()); // surrogate
    EXPECT_FALSE(utf8ToUtf16("\xFF").has_value());
    EXPECT_EQ(utf8ToUtf16("\xF0\x9F\x98\x80")->size(), 2u);
    EXPECT_EQ(utf16ToUtf8(*utf8ToUtf16("a\u00e9\U0001F600")), "a\u00e9\U0001F600");
    EXPECT_FALSE(utf16ToUtf8(u"\xD800").has_value());
    EXPECT_EQ(utf8Length("a\u00e9\u20ac"), 3u);
}
