#include "platform/com/Guid.h"

#include <gtest/gtest.h>

using namespace platform::com;

namespace {
const GUID kSample = {0x00112233, 0x4455, 0x6677, {0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}};
}

TEST(GuidStrings, RegistryFormHasBracesAndUpperCase)
{
    char16_t buffer[39];
    EXPECT_EQ(StringFromGUID2(kSample, buffer, 39), 39);
    EXPECT_EQ(std::u16string(buffer), u"{00112233-4455-6677-8899-AABBCCDDEEFF}");
    EXPECT_EQ(StringFromGUID2(kSample, buffer, 38), 0);
    EXPECT_EQ(guidToRegistryText(kSample), "{00112233-4455-6677-8899-AABBCCDDEEFF}");
}

TEST(GuidStrings, RegistryFormIsReadInEitherCase)
{
    CLSID c{};
    EXPECT_EQ(CLSIDFromString(u"{00112233-4455-6677-8899-aabbccddeeff}", &c), S_OK);
    EXPECT_EQ(c, kSample);
    EXPECT_EQ(CLSIDFromString(u"00112233-4455-6677-8899-aabbccddeeff", &c), CO_E_CLASSSTRING);
    EXPECT_EQ(guidFromRegistryText("{00112233-4455-6677-8899-AABBCCDDEEFF}").value_or(GUID_NULL), kSample);
    EXPECT_FALSE(guidFromRegistryText("{00112233-4455-6677-8899-AABBCCDDEEF}"));
}

TEST(GuidStrings, MemoryOrderIsMixedEndian)
{
    const auto g = guidFromPlainText(u"00112233-4455-6677-8899-aabbccddeeff");
    ASSERT_TRUE(g);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&*g);
    const std::uint8_t expected[16] = {0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66,
                                       0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
    EXPECT_EQ(std::memcmp(bytes, expected, 16), 0);
}
