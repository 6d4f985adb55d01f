#include "kvdplay/Message.h"

#include "kvdplay/VariantBuffer.h"
#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace kvdplay;
using testing_support::Bstr;
using testing_support::Ref;
using testing_support::longOf;
using testing_support::takeError;
using testing_support::textOf;
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

// The system record of a received message, as the interface its type chooses; empty when it has
// none of that kind.
template <typename Record>
Ref<Record> systemRecord(Message& m, const IID& iid)
{
    Ref<IDispatch> sys;
    EXPECT_EQ(m.get_SystemMessage(sys.out()), S_OK);
    Ref<Record> typed;
    if (sys) {
        EXPECT_EQ(sys->QueryInterface(iid, typed.outVoid()), S_OK);
    }
    return typed;
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

    auto add = systemRecord<IkvDPMSG_ADDPLAYER>(*m, IID_IkvDPMSG_ADDPLAYER);
    ASSERT_TRUE(add);
    EXPECT_EQ(textOf(*add, &IkvDPMSG_ADDPLAYER::get_szShortName), u"Bob");
    EXPECT_EQ(textOf(*add, &IkvDPMSG_ADDPLAYER::get_szLongName), u"Long Name");
    EXPECT_EQ(longOf(*add, &IkvDPMSG_ADDPLAYER::get_dpId), 0x2A);
    EXPECT_EQ(longOf(*add, &IkvDPMSG_ADDPLAYER::get_dwCurrentPlayers), 2);
    EXPECT_EQ(longOf(*add, &IkvDPMSG_ADDPLAYER::get_dwPlayerType), 1);
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
        SCOPED_TRACE(c.type);
        EXPECT_TRUE(systemRecord<IUnknown>(*received(0, 1, bytes), *c.iid));
    }
}

TEST(SystemMessage, DeleteGroupNamesTheGroupInDpIdAndSessionLostIsGenericWithItsType)
{
    auto del = systemRecord<IkvDPMSG_DELETEPLAYER>(*received(0, 1, {32, 0, 0, 0, 0x10, 0x20, 0, 0}), IID_IkvDPMSG_DELETEPLAYER);
    ASSERT_TRUE(del);
    EXPECT_EQ(longOf(*del, &IkvDPMSG_DELETEPLAYER::get_dpId), 0x2010);
    auto lost = systemRecord<IkvDPMSG_GENERIC>(*received(0, 1, {49, 0, 0, 0}), IID_IkvDPMSG_GENERIC);
    ASSERT_TRUE(lost);
    EXPECT_EQ(longOf(*lost, &IkvDPMSG_GENERIC::get_dwType), 49);
}

TEST(SystemMessage, ShortMessageIsReadZeroPaddedNeverPastItsEnd)
{
    // Add-player cut after 10 bytes: the rest of the record reads as zeros.
    auto add = systemRecord<IkvDPMSG_ADDPLAYER>(*received(0, 1, {3, 0, 0, 0, 1, 0, 0, 0, 0x2A, 0x01}), IID_IkvDPMSG_ADDPLAYER);
    ASSERT_TRUE(add);
    EXPECT_EQ(longOf(*add, &IkvDPMSG_ADDPLAYER::get_dpId), 0x012A);
    EXPECT_EQ(longOf(*add, &IkvDPMSG_ADDPLAYER::get_dwCurrentPlayers), 0);
    EXPECT_EQ(textOf(*add, &IkvDPMSG_ADDPLAYER::get_szShortName), u"");
    // Shorter than its type field, even empty.
    for (std::vector<BYTE> bytes : {std::vector<BYTE>{}, std::vector<BYTE>{49, 0, 0}}) {
        auto generic = systemRecord<IkvDPMSG_GENERIC>(*received(0, 1, bytes), IID_IkvDPMSG_GENERIC);
        ASSERT_TRUE(generic);
        EXPECT_EQ(longOf(*generic, &IkvDPMSG_GENERIC::get_dwType), bytes.empty() ? 0 : 49);
    }
    auto one = systemRecord<IkvDPMSG_ADDPLAYER>(*received(0, 1, {3}), IID_IkvDPMSG_ADDPLAYER);
    ASSERT_TRUE(one);
    EXPECT_EQ(longOf(*one, &IkvDPMSG_ADDPLAYER::get_dpId), 0);
}

TEST(SystemMessage, RecordOutlivesTheMessage)
{
    Ref<IkvDPMSG_ADDPLAYER> add;
    {
        auto m = received(0, 1, addPlayerBytes("Eve"));
        add = systemRecord<IkvDPMSG_ADDPLAYER>(*m, IID_IkvDPMSG_ADDPLAYER);
    }
    ASSERT_TRUE(add);
    EXPECT_EQ(textOf(*add, &IkvDPMSG_ADDPLAYER::get_szShortName), u"Eve");
}

TEST(SystemMessage, UnterminatedShortNameStopsAtItsWidth)
{
    auto bytes = addPlayerBytes("");
    std::memset(bytes.data() + 64, 'z', 20);
    auto add = systemRecord<IkvDPMSG_ADDPLAYER>(*received(0, 1, bytes), IID_IkvDPMSG_ADDPLAYER);
    ASSERT_TRUE(add);
    EXPECT_EQ(textOf(*add, &IkvDPMSG_ADDPLAYER::get_szShortName), std::u16string(20, u'z'));
}
