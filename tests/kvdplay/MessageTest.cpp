#include "kvdplay/Message.h"

#include "kvdplay/VariantBuffer.h"
#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace kvdplay;
using testing_support::Bstr;
using testing_support::Ref;
using testing_support::takeError;
using testing_support::Var;

namespace {

Ref<Message> received(LONG from, LONG to, std::vector<BYTE> bytes)
{
    Ref<Message> m(Message::create());
    m->setIds(from, to);
    EXPECT_TRUE(m->copyBuffer(bytes.data(), static_cast<DWORD>(bytes.size())));
    return m;
}

std::vector<BYTE> addPlayerBytes(const char* shortName)
{
    std::vector<BYTE> bytes(88, 0);
    bytes[0] = 3;
    bytes[4] = 1;
    bytes[8] = 0x2A;
    std::memcpy(bytes.data() + 12, "Long Name", 9);
    std::memcpy(bytes.data() + 64, shortName, std::strlen(shortName));
    bytes[84] = 2;
    return bytes;
}

} // namespace

TEST(PlayerMessage, StringComesBackAsSentAndHasNoSystemMessage)
{
    std::vector<BYTE> wire;
    ASSERT_EQ(encodeVariantBuffer(Var::text(u"mhello").get(), wire), S_OK);
    auto m = received(2, 1, wire);
    LONG from = 0;
    m->get_dpidFrom(&from);
    EXPECT_EQ(from, 2);
    Var v;
    ASSERT_EQ(m->get_vBuffer(v.ptr()), S_OK);
    EXPECT_EQ(v.text(), u"mhello");
    Ref<IDispatch> sys;
    EXPECT_EQ(m->get_SystemMessage(sys.out()), S_OK);
    EXPECT_FALSE(sys);
}

TEST(PlayerMessage, ReadingTwiceGivesTwoEqualIndependentValues)
{
    std::vector<BYTE> wire;
    encodeVariantBuffer(Var::text(u"M a17").get(), wire);
    auto m = received(1, 2, wire);
    Var a, b;
    m->get_vBuffer(a.ptr());
    m->get_vBuffer(b.ptr());
    EXPECT_EQ(a.text(), b.text());
    EXPECT_NE(a.get().bstrVal, b.get().bstrVal);
}

TEST(PlayerMessage, BrokenBufferIsRefusedWithInvalidParam)
{
    auto m = received(1, 2, {0x08, 0x00, 0x04, 0x00, 0x00, 0x00, 'a'});
    Var v;
    EXPECT_EQ(m->get_vBuffer(v.ptr()), E_INVALIDARG);
    EXPECT_EQ(v.get().vt, VT_EMPTY);
    const auto e = takeError();
    EXPECT_EQ(e.description, u"DPERR_INVALIDPARAM");
    EXPECT_FALSE(e.sourceSet);
}

TEST(PlayerMessage, ValueGetInitialisesTheCallersVariant)
{
    std::vector<BYTE> wire;
    encodeVariantBuffer(Var::i4(9).get(), wire);
    auto m = received(1, 2, wire);
    VARIANT garbage;
    std::memset(&garbage, 0xCD, sizeof garbage);
    ASSERT_EQ(m->get_vBuffer(&garbage), S_OK);
    EXPECT_EQ(garbage.vt, VT_I4);
    EXPECT_EQ(garbage.lVal, 9);
}

TEST(SystemMessage, AddPlayerGivesRawBytesAndItsRecord)
{
    auto m = received(0, 1, addPlayerBytes("Bob"));
    Var raw;
    ASSERT_EQ(m->get_vBuffer(raw.ptr()), S_OK);
    ASSERT_EQ(raw.get().vt, VT_ARRAY | VT_UI1);
    LONG high = 0;
    SafeArrayGetUBound(raw.get().parray, 1, &high);
    EXPECT_EQ(high, 87);
    const BYTE* data = static_cast<const BYTE*>(raw.get().parray->pvData);
    EXPECT_EQ(std::vector<BYTE>(data, data + 4), (std::vector<BYTE>{3, 0, 0, 0}));

    Ref<IDispatch> sys;
    ASSERT_EQ(m->get_SystemMessage(sys.out()), S_OK);
    Ref<IkvDPMSG_ADDPLAYER> add;
    ASSERT_EQ(sys->QueryInterface(IID_IkvDPMSG_ADDPLAYER, add.outVoid()), S_OK);
    Bstr name;
    add->get_szShortName(name.out());
    EXPECT_EQ(name.text(), u"Bob");
    add->get_szLongName(name.out());
    EXPECT_EQ(name.text(), u"Long Name");
    LONG v = 0;
    add->get_dpId(&v);
    EXPECT_EQ(v, 0x2A);
    add->get_dwCurrentPlayers(&v);
    EXPECT_EQ(v, 2);
    add->get_dwPlayerType(&v);
    EXPECT_EQ(v, 1);
}

TEST(SystemMessage, ClassIsChosenByType)
{
    struct Case {
        DWORD type;
        const IID* iid;
    } cases[] = {
        {5, &IID_IkvDPMSG_DELETEPLAYER}, {32, &IID_IkvDPMSG_DELETEPLAYER}, {7, &IID_IkvDPMSG_GROUPADD},
        {33, &IID_IkvDPMSG_GROUPADD},    {49, &IID_IkvDPMSG_GENERIC},      {18507, &IID_IkvDPMSG_GENERIC},
        {0, &IID_IkvDPMSG_GENERIC},      {1234567, &IID_IkvDPMSG_GENERIC},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes(12, 0);
        std::memcpy(bytes.data(), &c.type, 4);
        bytes[4] = 0x63;
        auto m = received(0, 1, bytes);
        Ref<IDispatch> sys;
        ASSERT_EQ(m->get_SystemMessage(sys.out()), S_OK);
        Ref<IUnknown> typed;
        EXPECT_EQ(sys->QueryInterface(*c.iid, typed.outVoid()), S_OK) << "type " << c.type;
    }
}

TEST(SystemMessage, DeleteGroupNamesTheGroupInDpId)
{
    auto m = received(0, 1, {32, 0, 0, 0, 0x10, 0x20, 0, 0});
    Ref<IDispatch> sys;
    m->get_SystemMessage(sys.out());
    Ref<IkvDPMSG_DELETEPLAYER> del;
    ASSERT_EQ(sys->QueryInterface(IID_IkvDPMSG_DELETEPLAYER, del.outVoid()), S_OK);
    LONG v = 0;
    del->get_dpId(&v);
    EXPECT_EQ(v, 0x2010);
}

TEST(SystemMessage, SessionLostIsGenericWithItsType)
{
    auto m = received(0, 1, {49, 0, 0, 0});
    Ref<IDispatch> sys;
    m->get_SystemMessage(sys.out());
    Ref<IkvDPMSG_GENERIC> generic;
    ASSERT_EQ(sys->QueryInterface(IID_IkvDPMSG_GENERIC, generic.outVoid()), S_OK);
    LONG v = 0;
    generic->get_dwType(&v);
    EXPECT_EQ(v, 49);
}

TEST(SystemMessage, ShortMessageIsReadZeroPaddedNeverPastItsEnd)
{
    // Add-player cut after 10 bytes: the rest of the record reads as zeros.
    auto m = received(0, 1, {3, 0, 0, 0, 1, 0, 0, 0, 0x2A, 0x01});
    Ref<IDispatch> sys;
    m->get_SystemMessage(sys.out());
    Ref<IkvDPMSG_ADDPLAYER> add;
    ASSERT_EQ(sys->QueryInterface(IID_IkvDPMSG_ADDPLAYER, add.outVoid()), S_OK);
    LONG v = -1;
    add->get_dpId(&v);
    EXPECT_EQ(v, 0x012A);
    add->get_dwCurrentPlayers(&v);
    EXPECT_EQ(v, 0);
    Bstr name;
    add->get_szShortName(name.out());
    EXPECT_EQ(name.text(), u"");
}

TEST(SystemMessage, MessageShorterThanItsTypeFieldIsReadZeroPadded)
{
    for (std::vector<BYTE> bytes : {std::vector<BYTE>{}, std::vector<BYTE>{49, 0, 0}}) {
        auto m = received(0, 1, bytes);
        Ref<IDispatch> sys;
        ASSERT_EQ(m->get_SystemMessage(sys.out()), S_OK);
        Ref<IkvDPMSG_GENERIC> generic;
        ASSERT_EQ(sys->QueryInterface(IID_IkvDPMSG_GENERIC, generic.outVoid()), S_OK);
        LONG v = -1;
        generic->get_dwType(&v);
        EXPECT_EQ(v, bytes.empty() ? 0 : 49);
    }
    auto one = received(0, 1, {3});
    Ref<IDispatch> sys;
    one->get_SystemMessage(sys.out());
    Ref<IkvDPMSG_ADDPLAYER> add;
    ASSERT_EQ(sys->QueryInterface(IID_IkvDPMSG_ADDPLAYER, add.outVoid()), S_OK);
    LONG id = -1;
    add->get_dpId(&id);
    EXPECT_EQ(id, 0);
}

TEST(SystemMessage, RecordOutlivesTheMessage)
{
    Ref<IDispatch> sys;
    {
        auto m = received(0, 1, addPlayerBytes("Eve"));
        m->get_SystemMessage(sys.out());
    }
    Ref<IkvDPMSG_ADDPLAYER> add;
    sys->QueryInterface(IID_IkvDPMSG_ADDPLAYER, add.outVoid());
    Bstr name;
    add->get_szShortName(name.out());
    EXPECT_EQ(name.text(), u"Eve");
}

TEST(SystemMessage, UnterminatedShortNameStopsAtItsWidth)
{
    auto bytes = addPlayerBytes("");
    std::memset(bytes.data() + 64, 'z', 20);
    auto m = received(0, 1, bytes);
    Ref<IDispatch> sys;
    m->get_SystemMessage(sys.out());
    Ref<IkvDPMSG_ADDPLAYER> add;
    sys->QueryInterface(IID_IkvDPMSG_ADDPLAYER, add.outVoid());
    Bstr name;
    add->get_szShortName(name.out());
    EXPECT_EQ(name.text(), std::u16string(20, u'z'));
}
