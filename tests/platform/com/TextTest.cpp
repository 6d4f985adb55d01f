#include "platform/com/Text.h"

#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace platform::com;
using testing_support::Bstr;

TEST(AnsiText, ReadsUpToTheTerminatorOrTheWidth)
{
    const char field[8] = {'a', 'b', 0, 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(Bstr::adopt(stringFromAnsi(field, 8)).text(), u"ab");
    const char full[4] = {'w', 'x', 'y', 'z'};
    EXPECT_EQ(Bstr::adopt(stringFromAnsi(full, 4)).text(), u"wxyz");
    EXPECT_EQ(Bstr::adopt(stringFromAnsi(nullptr, 4)).text(), u"");
}

TEST(AnsiText, EightBitIsWindows1252BothWays)
{
    const char euro[2] = {static_cast<char>(0x80), 0};
    EXPECT_EQ(Bstr::adopt(stringFromAnsi(euro, 2)).text(), u"\u20ac");
    EXPECT_EQ(ansiFromString(Bstr(u"\u00e9\u20ac").get()).value_or("?"), "\xE9\x80");
    EXPECT_FALSE(ansiFromString(Bstr(u"\u4e2d").get()));
    EXPECT_EQ(ansiFromString(nullptr).value_or("?"), "");
}

TEST(Utf8Text, RoundTrips)
{
    const Bstr s = Bstr::adopt(stringFromUtf8("J\xC3\xBCrgen"));
    EXPECT_EQ(s.text(), u"J\u00fcrgen");
    EXPECT_EQ(utf8FromString(s.get()).value_or("?"), "J\xC3\xBCrgen");
    EXPECT_EQ(stringFromUtf8("\xFF"), nullptr);
}
