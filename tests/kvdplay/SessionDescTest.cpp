#include "kvdplay/SessionDesc.h"

#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace kvdplay;
using testing_support::Bstr;
using testing_support::Ref;
using testing_support::takeError;
using testing_support::Var;

namespace {

class SessionDescTest : public ::testing::Test {
protected:
    SessionDescTest() : desc(SessionDesc::create()) {}

    const BYTE* record()
    {
        IkvStructAccess* access = nullptr;
        EXPECT_EQ(desc->QueryInterface(IID_IkvStructAccess, reinterpret_cast<void**>(&access)), S_OK);
        void* address = nullptr;
        access->GetStruct(&address);
        access->Release();
        return static_cast<const BYTE*>(address);
    }
    DWORD dwordAt(std::size_t offset)
    {
        DWORD v;
        std::memcpy(&v, record() + offset, 4);
        return v;
    }
    std::u16string sessionName()
    {
        Bstr out;
        EXPECT_EQ(desc->get_szSessionName(out.out()), S_OK);
        return out.text();
    }

    Ref<SessionDesc> desc;
};

} // namespace

TEST_F(SessionDescTest, NewDescriptionIsSize124AndOtherwiseEmpty)
{
    LONG v = -1;
    desc->get_dwSize(&v);
    EXPECT_EQ(v, 124);
    for (auto get : {&SessionDesc::get_dwSession, &SessionDesc::get_dwMaxPlayers, &SessionDesc::get_dwCurrentPlayers,
                     &SessionDesc::get_dwFlags, &SessionDesc::get_dwReserved1, &SessionDesc::get_dwReserved2,
                     &SessionDesc::get_dwUser1, &SessionDesc::get_dwUser2, &SessionDesc::get_dwUser3,
                     &SessionDesc::get_dwUser4}) {
        v = -1;
        (desc.get()->*get)(&v);
        EXPECT_EQ(v, 0);
    }
    Var guid;
    EXPECT_EQ(desc->get_guidSession(guid.ptr()), S_OK);
    EXPECT_EQ(guid.text(), u"00000000-0000-0000-0000-000000000000");
    EXPECT_EQ(sessionName(), u"");
    for (std::size_t i = 4; i < kSessionDescSize; ++i)
        ASSERT_EQ(record()[i], 0) << "byte " << i;
}

TEST_F(SessionDescTest, LongsLandAtTheirOffsets)
{
    desc->put_dwMaxPlayers(2);
    desc->put_dwFlags(2);
    desc->put_dwSession(77);
    desc->put_dwCurrentPlayers(1);
    desc->put_dwReserved1(-1);
    desc->put_dwReserved2(5);
    desc->put_dwUser1(11);
    desc->put_dwUser4(44);
    EXPECT_EQ(dwordAt(24), 2u);
    EXPECT_EQ(dwordAt(32), 2u);
    EXPECT_EQ(dwordAt(20), 77u);
    EXPECT_EQ(dwordAt(28), 1u);
    EXPECT_EQ(dwordAt(84), 0xFFFFFFFFu);
    EXPECT_EQ(dwordAt(104), 5u);
    EXPECT_EQ(dwordAt(108), 11u);
    EXPECT_EQ(dwordAt(120), 44u);
}

TEST_F(SessionDescTest, SessionNameOf31IsStoredAnd32IsRefused)
{
    const std::u16string name31(31, u'x');
    EXPECT_EQ(desc->put_szSessionName(Bstr(name31).get()), S_OK);
    EXPECT_EQ(sessionName(), name31);
    EXPECT_EQ(record()[36 + 31], 0);
    EXPECT_EQ(desc->put_szSessionName(Bstr(std::u16string(32, u'y')).get()), E_INVALIDARG);
    const auto e = takeError();
    EXPECT_EQ(e.description, u"DPERR_INVALIDPARAM");
    EXPECT_EQ(e.helpContext, 7087u);
    EXPECT_EQ(sessionName(), name31); // a refused put changes nothing
}

TEST_F(SessionDescTest, AbsentSessionNameIsRefused)
{
    EXPECT_EQ(desc->put_szSessionName(nullptr), E_INVALIDARG);
}

TEST_F(SessionDescTest, UserFieldAbsentStoresEmptyAnd15Fit16DoNot)
{
    EXPECT_EQ(desc->put_szUserField(Bstr(std::u16string(15, u'u')).get()), S_OK);
    Bstr out;
    desc->get_szUserField(out.out());
    EXPECT_EQ(out.text(), std::u16string(15, u'u'));
    EXPECT_EQ(desc->put_szUserField(Bstr(std::u16string(16, u'u')).get()), E_INVALIDARG);
    EXPECT_EQ(desc->put_szUserField(nullptr), S_OK);
    desc->get_szUserField(out.out());
    EXPECT_EQ(out.text(), u"");
}

TEST_F(SessionDescTest, ShorterTextLeavesNoRemnantOfAnOlderPassword)
{
    ASSERT_EQ(desc->put_szPassword(Bstr(u"secretpassword1").get()), S_OK);
    ASSERT_EQ(desc->put_szPassword(Bstr(u"ab").get()), S_OK);
    const BYTE* field = record() + 88;
    EXPECT_EQ(field[0], 'a');
    EXPECT_EQ(field[1], 'b');
    for (int i = 2; i < 16; ++i)
        EXPECT_EQ(field[i], 0) << "byte " << i;
}

TEST_F(SessionDescTest, TextIsStoredAsWindows1252)
{
    ASSERT_EQ(desc->put_szSessionName(Bstr(u"J\u00fcrgen \u20ac").get()), S_OK);
    EXPECT_EQ(record()[36 + 1], 0xFC);
    EXPECT_EQ(record()[36 + 7], 0x80);
    EXPECT_EQ(sessionName(), u"J\u00fcrgen \u20ac");
}

TEST_F(SessionDescTest, CharacterWithoutAn8BitFormIsRefused)
{
    EXPECT_EQ(desc->put_szSessionName(Bstr(u"\u4e2d").get()), E_INVALIDARG);
}

TEST_F(SessionDescTest, GuidTextIsStoredInMemoryOrderAndReadBackLowerCase)
{
    EXPECT_EQ(desc->put_guidSession(Var::text(u"00112233-4455-6677-8899-AABBCCDDEEFF").get()), S_OK);
    EXPECT_EQ(record()[4], 0x33);
    EXPECT_EQ(record()[7], 0x00);
    EXPECT_EQ(record()[12], 0x88);
    Var back;
    desc->get_guidSession(back.ptr());
    EXPECT_EQ(back.text(), u"00112233-4455-6677-8899-aabbccddeeff");
}

TEST_F(SessionDescTest, EmptyGuidTextStoresZeroAndBracesAreRefused)
{
    desc->put_guidSession(Var::text(u"00112233-4455-6677-8899-AABBCCDDEEFF").get());
    EXPECT_EQ(desc->put_guidSession(Var::text(u"").get()), S_OK);
    Var back;
    desc->get_guidSession(back.ptr());
    EXPECT_EQ(back.text(), u"00000000-0000-0000-0000-000000000000");
    EXPECT_EQ(desc->put_guidSession(Var::text(u"{00000000-0000-0000-0000-000000000000}").get()), E_INVALIDARG);
}

TEST_F(SessionDescTest, GuidGetInitialisesTheCallersVariant)
{
    VARIANT garbage;
    std::memset(&garbage, 0xCD, sizeof garbage); // whatever the caller's stack held
    EXPECT_EQ(desc->get_guidSession(&garbage), S_OK);
    EXPECT_EQ(garbage.vt, VT_BSTR);
    VariantClear(&garbage);
}

TEST_F(SessionDescTest, CopyingARecordTakesDirectPlaysSize)
{
    BYTE found[kSessionDescSize] = {};
    found[0] = 200;
    std::memcpy(found + 36, "Host", 5);
    desc->copyRecord(found);
    LONG size = 0;
    desc->get_dwSize(&size);
    EXPECT_EQ(size, 200);
    EXPECT_EQ(sessionName(), u"Host");
}

TEST_F(SessionDescTest, UnterminatedNameIsReadOnlyToItsWidth)
{
    BYTE found[kSessionDescSize] = {};
    std::memset(found + 36, 'n', 32); // no terminator inside the field
    std::memset(found + 68, 'u', 16);
    desc->copyRecord(found);
    EXPECT_EQ(sessionName(), std::u16string(32, u'n'));
}

TEST_F(SessionDescTest, AnswersItsInterfacesAndErrorInfoSupport)
{
    Ref<IUnknown> unknown;
    EXPECT_EQ(desc->QueryInterface(IID_IkvDPSESSIONDESC, unknown.outVoid()), S_OK);
    Ref<ISupportErrorInfo> support;
    ASSERT_EQ(desc->QueryInterface(IID_ISupportErrorInfo, support.outVoid()), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IkvDPSESSIONDESC), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
    Ref<IUnknown> none;
    EXPECT_EQ(desc->QueryInterface(IID_IkvDPCAPS, none.outVoid()), E_NOINTERFACE);
}
