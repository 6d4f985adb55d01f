#include "kvdplay/GuidText.h"

#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace kvdplay;
using testing_support::Bstr;
using testing_support::Var;

namespace {

const GUID kSample = {0x00112233, 0x4455, 0x6677, {0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}};

std::u16string text(REFGUID g)
{
    Bstr out;
    EXPECT_EQ(GuidToText(g, out.out()), S_OK);
    return out.text();
}

HRESULT parse(std::u16string_view s, GUID* g)
{
    Bstr b(s);
    return GuidFromText(b.get(), g);
}

} // namespace

TEST(GuidText, WrittenLowerCaseWithoutBraces)
{
    EXPECT_EQ(text(kSample), u"00112233-4455-6677-8899-aabbccddeeff");
    EXPECT_EQ(text(GUID_NULL), u"00000000-0000-0000-0000-000000000000");
}

TEST(GuidText, ReadInEitherCase)
{
    GUID g{};
    EXPECT_EQ(parse(u"00112233-4455-6677-8899-AABBCCDDEEFF", &g), S_OK);
    EXPECT_EQ(g, kSample);
    EXPECT_EQ(parse(u"00112233-4455-6677-8899-aabbccddeeff", &g), S_OK);
    EXPECT_EQ(g, kSample);
}

TEST(GuidText, EmptyOrAbsentTextIsTheZeroGuid)
{
    GUID g = kSample;
    EXPECT_EQ(GuidFromText(nullptr, &g), S_OK);
    EXPECT_EQ(g, GUID_NULL);
    g = kSample;
    EXPECT_EQ(parse(u"", &g), S_OK);
    EXPECT_EQ(g, GUID_NULL);
}

TEST(GuidText, AnythingButTheStrictFormIsRefused)
{
    GUID g{};
    for (std::u16string_view bad : {u"{00000000-0000-0000-0000-000000000000}", u" 00000000-0000-0000-0000-000000000000",
                                    u"00000000-0000-0000-0000-00000000000", u"000000000-000-0000-0000-000000000000",
                                    u"0000000g-0000-0000-0000-000000000000", u"00000000-0000-0000-0000-0000000000000",
                                    u"00000000000000000000000000000000", u"00000000_0000-0000-0000-000000000000",
                                    u"+0000000-0000-0000-0000-000000000000"})
        EXPECT_EQ(parse(bad, &g), E_INVALIDARG) << std::string(bad.begin(), bad.end());
}

TEST(GuidText, ByteArrayIsTheGuidInMemoryOrder)
{
    // The first three groups are little-endian numbers in memory, the rest bytes in order.
    const Var v = Var::bytes({0x33, 0x22, 0x11, 0x00, 0x55, 0x44, 0x77, 0x66, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF});
    GUID g{};
    EXPECT_EQ(GuidFromVariant(v.get(), &g), S_OK);
    EXPECT_EQ(g, kSample);
}

TEST(GuidText, VariantOfTextGoesThroughTheTextRules)
{
    GUID g{};
    EXPECT_EQ(GuidFromVariant(Var::text(u"00112233-4455-6677-8899-aabbccddeeff").get(), &g), S_OK);
    EXPECT_EQ(g, kSample);
    EXPECT_EQ(GuidFromVariant(Var::text(u"{00112233-4455-6677-8899-aabbccddeeff}").get(), &g), E_INVALIDARG);
}

TEST(GuidText, WrongSizesDimensionsAndTypesAreRefused)
{
    GUID g{};
    EXPECT_EQ(GuidFromVariant(Var::bytes(std::vector<BYTE>(15)).get(), &g), E_INVALIDARG);
    EXPECT_EQ(GuidFromVariant(Var::bytes(std::vector<BYTE>(17)).get(), &g), E_INVALIDARG);
    SAFEARRAYBOUND bounds[2] = {{4, 0}, {4, 0}};
    Var twoDims;
    twoDims.get().vt = VT_ARRAY | VT_UI1;
    twoDims.get().parray = SafeArrayCreate(VT_UI1, 2, bounds);
    EXPECT_EQ(GuidFromVariant(twoDims.get(), &g), E_INVALIDARG);
    EXPECT_EQ(GuidFromVariant(Var::i4(0).get(), &g), E_INVALIDARG);
    Var noArray;
    noArray.get().vt = VT_ARRAY | VT_UI1;
    EXPECT_EQ(GuidFromVariant(noArray.get(), &g), E_INVALIDARG);
}

TEST(GuidText, ByteArrayWithLowerBoundOneStillCounts)
{
    const Var v = Var::bytes(std::vector<BYTE>(16, 0x11), 1);
    GUID g{};
    EXPECT_EQ(GuidFromVariant(v.get(), &g), S_OK);
    EXPECT_EQ(g.Data4[7], 0x11);
    EXPECT_EQ(v.get().parray->cLocks, 0u);
}
