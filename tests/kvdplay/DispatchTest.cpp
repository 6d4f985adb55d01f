// Late binding as the game uses it: members found by name, properties read and written through
// IDispatch, failures seen as automation errors.
#include "kvdplay/Collections.h"
#include "kvdplay/Message.h"
#include "kvdplay/SessionDesc.h"
#include "kvdplay/VariantBuffer.h"
#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

using namespace kvdplay;
using testing_support::Bstr;
using testing_support::Ref;
using testing_support::Var;

namespace {

HRESULT idOf(IDispatch* object, std::u16string name, DISPID* id)
{
    LPOLESTR names[1] = {name.data()};
    return object->GetIDsOfNames(IID_NULL, names, 1, 0x0409, id);
}

// object.name (property get) as a script would call it.
HRESULT getByName(IDispatch* object, const std::u16string& name, Var& result, EXCEPINFO* exception = nullptr)
{
    DISPID id = 0;
    HRESULT hr = idOf(object, name, &id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    UINT argErr = 0;
    return object->Invoke(id, IID_NULL, 0x0409, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, result.ptr(),
                          exception, &argErr);
}

// object.name = value
HRESULT putByName(IDispatch* object, const std::u16string& name, VARIANT value, EXCEPINFO* exception = nullptr)
{
    DISPID id = 0;
    HRESULT hr = idOf(object, name, &id);
    if (FAILED(hr))
        return hr;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    UINT argErr = 0;
    return object->Invoke(id, IID_NULL, 0x0409, DISPATCH_PROPERTYPUT, &params, nullptr, exception, &argErr);
}

Ref<IDispatch> systemMessage(std::vector<BYTE> bytes)
{
    Ref<Message> m(Message::create());
    m->setIds(0, 1);
    m->copyBuffer(bytes.data(), static_cast<DWORD>(bytes.size()));
    Var sys;
    EXPECT_EQ(getByName(m.get(), u"SystemMessage", sys), S_OK);
    EXPECT_EQ(sys.get().vt, VT_DISPATCH);
    IDispatch* object = sys.get().pdispVal;
    object->AddRef();
    return Ref<IDispatch>(object);
}

} // namespace

TEST(DispatchByName, NamesAreFoundWithoutRegardToCase)
{
    Ref<SessionDesc> desc(SessionDesc::create());
    DISPID id = 0;
    EXPECT_EQ(idOf(desc.get(), u"szsessionname", &id), S_OK);
    EXPECT_EQ(id, 7);
    EXPECT_EQ(idOf(desc.get(), u"DWUSER4", &id), S_OK);
    EXPECT_EQ(id, 15);
    EXPECT_EQ(idOf(desc.get(), u"NoSuchThing", &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
}

TEST(DispatchByName, SystemMessageFieldsAreReadByName)
{
    std::vector<BYTE> bytes(88, 0);
    bytes[0] = 3;
    std::memcpy(bytes.data() + 64, "Joiner", 6);
    Ref<IDispatch> sys = systemMessage(bytes);
    Var type, name;
    EXPECT_EQ(getByName(sys.get(), u"dwType", type), S_OK);
    EXPECT_EQ(type.get().vt, VT_I4);
    EXPECT_EQ(type.get().lVal, 3);
    EXPECT_EQ(getByName(sys.get(), u"szShortName", name), S_OK);
    EXPECT_EQ(name.text(), u"Joiner");
}

TEST(DispatchByName, GroupAddMessageHasNoShortName)
{
    Ref<IDispatch> sys = systemMessage({7, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0});
    Var type, player, name;
    EXPECT_EQ(getByName(sys.get(), u"dwType", type), S_OK);
    EXPECT_EQ(type.get().lVal, 7);
    EXPECT_EQ(getByName(sys.get(), u"dpIdPlayer", player), S_OK);
    EXPECT_EQ(player.get().lVal, 2);
    EXPECT_EQ(getByName(sys.get(), u"szShortName", name), DISP_E_UNKNOWNNAME);
}

TEST(DispatchByName, ReceivedStringIsReadAsVBuffer)
{
    std::vector<BYTE> wire;
    encodeVariantBuffer(Var::text(u"M\u0065" u"17").get(), wire);
    Ref<Message> m(Message::create());
    m->setIds(1, 2);
    m->copyBuffer(wire.data(), static_cast<DWORD>(wire.size()));
    Var value, from;
    EXPECT_EQ(getByName(m.get(), u"vBuffer", value), S_OK);
    EXPECT_EQ(value.text(), u"Me17");
    EXPECT_EQ(getByName(m.get(), u"dpidFrom", from), S_OK);
    EXPECT_EQ(from.get().lVal, 1);
}

TEST(DispatchPut, ArgumentsAreConvertedToTheMembersTypes)
{
    Ref<SessionDesc> desc(SessionDesc::create());
    Var two;
    two.get().vt = VT_I2;
    two.get().iVal = 2;
    EXPECT_EQ(putByName(desc.get(), u"dwMaxPlayers", two.get()), S_OK);
    // A script's variable arrives by reference.
    Bstr name(u"Host");
    VARIANT byRef;
    VariantInit(&byRef);
    byRef.vt = VT_BSTR | VT_BYREF;
    BSTR held = name.get();
    byRef.pbstrVal = &held;
    EXPECT_EQ(putByName(desc.get(), u"szSessionName", byRef), S_OK);
    EXPECT_EQ(putByName(desc.get(), u"guidSession", Var::text(u"").get()), S_OK);
    LONG max = 0;
    desc->get_dwMaxPlayers(&max);
    EXPECT_EQ(max, 2);
    Var back;
    EXPECT_EQ(getByName(desc.get(), u"szSessionName", back), S_OK);
    EXPECT_EQ(back.text(), u"Host");
}

TEST(DispatchPut, FailureIsAnExceptionWithTheErrorInfo)
{
    Ref<SessionDesc> desc(SessionDesc::create());
    EXCEPINFO e{};
    EXPECT_EQ(putByName(desc.get(), u"szSessionName", Var::text(std::u16string(40, u'x')).get(), &e), DISP_E_EXCEPTION);
    EXPECT_EQ(e.scode, E_INVALIDARG);
    EXPECT_EQ(Bstr::adopt(e.bstrDescription).text(), u"DPERR_INVALIDPARAM");
    EXPECT_EQ(e.dwHelpContext, 7087u);
    EXPECT_EQ(Bstr::adopt(e.bstrHelpFile).text(), u"kvdirect.hlp");
    Bstr::adopt(e.bstrSource);
}

TEST(DispatchPut, ReadOnlyPropertyCannotBePut)
{
    Ref<SessionDesc> desc(SessionDesc::create());
    EXPECT_EQ(putByName(desc.get(), u"dwSize", Var::i4(5).get()), DISP_E_MEMBERNOTFOUND);
}

TEST(DispatchPut, TextWhereANumberBelongsIsATypeMismatch)
{
    Ref<SessionDesc> desc(SessionDesc::create());
    EXPECT_EQ(putByName(desc.get(), u"dwFlags", Var::text(u"two").get()), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(putByName(desc.get(), u"dwFlags", Var::text(u"2").get()), S_OK);
}

TEST(DispatchCollection, ItemIsTheDefaultMemberAndTakesItsIndex)
{
    Ref<PlayersCollection> players(PlayersCollection::create());
    Player* p = Player::create();
    p->fill(42, "Ann", "Ann", 0);
    players->append(p);
    Var index = Var::i4(0);
    DISPPARAMS params{index.ptr(), nullptr, 1, 0};
    Var item;
    ASSERT_EQ(players->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET | DISPATCH_METHOD, &params, item.ptr(),
                              nullptr, nullptr),
              S_OK);
    ASSERT_EQ(item.get().vt, VT_DISPATCH);
    Var id;
    EXPECT_EQ(getByName(item.get().pdispVal, u"PlayerId", id), S_OK);
    EXPECT_EQ(id.get().lVal, 42);

    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(players->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, item.ptr(), nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);
    Var count;
    EXPECT_EQ(getByName(players.get(), u"count", count), S_OK);
    EXPECT_EQ(count.get().lVal, 1);
}

TEST(DispatchCollection, ParameterNamesAreFoundToo)
{
    Ref<PlayersCollection> players(PlayersCollection::create());
    std::u16string item = u"ITEM", index = u"index";
    LPOLESTR names[2] = {item.data(), index.data()};
    DISPID ids[2] = {-9, -9};
    EXPECT_EQ(players->GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
    EXPECT_EQ(ids[0], DISPID_VALUE);
    EXPECT_EQ(ids[1], 0);
}

TEST(DispatchCollection, NewEnumIsReachedByItsDispatchId)
{
    Ref<ProvidersCollection> providers(ProvidersCollection::create());
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    Var e;
    ASSERT_EQ(providers->Invoke(DISPID_NEWENUM, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, e.ptr(), nullptr, nullptr), S_OK);
    EXPECT_EQ(e.get().vt, VT_UNKNOWN);
}

// --- Type information -----------------------------------------------------------------------------

TEST(DispatchTypeInfo, EveryObjectDescribesItsOwnInterfaceInTheLibrary)
{
    Ref<IDispatch> objects[] = {Ref<IDispatch>(SessionDesc::create()), Ref<IDispatch>(Message::create()),
                                Ref<IDispatch>(Caps::create()), Ref<IDispatch>(Collection<IkvDirectPlayPlayers>::create())};
    const IID* interfaces[] = {&IID_IkvDPSESSIONDESC, &IID_IkvDirectPlayMessage, &IID_IkvDPCAPS, &IID_IkvDirectPlayPlayers};
    for (std::size_t i = 0; i < std::size(objects); ++i) {
        UINT count = 0;
        EXPECT_EQ(objects[i]->GetTypeInfoCount(&count), S_OK);
        EXPECT_EQ(count, 1u);
        Ref<ITypeInfo> info;
        ASSERT_EQ(objects[i]->GetTypeInfo(0, 0x0409, info.out()), S_OK);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        EXPECT_EQ(attr->guid, *interfaces[i]);
        EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
        EXPECT_TRUE(attr->wTypeFlags & TYPEFLAG_FDUAL);
        info->ReleaseTypeAttr(attr);
        Ref<ITypeLib> library;
        UINT index = 0;
        ASSERT_EQ(info->GetContainingTypeLib(library.out(), &index), S_OK);
        TLIBATTR* libAttr = nullptr;
        ASSERT_EQ(library->GetLibAttr(&libAttr), S_OK);
        EXPECT_EQ(libAttr->guid, LIBID_kvDirectPlayLib);
        library->ReleaseTLibAttr(libAttr);
        Ref<ITypeInfo> none;
        EXPECT_EQ(objects[i]->GetTypeInfo(1, 0x0409, none.out()), DISP_E_BADINDEX);
    }
}

TEST(DispatchTypeInfo, TheTypeInformationFindsAndCallsMembers)
{
    Ref<SessionDesc> desc(SessionDesc::create());
    Ref<ITypeInfo> info;
    ASSERT_EQ(desc->GetTypeInfo(0, 0x0409, info.out()), S_OK);
    std::u16string name = u"DWSIZE";
    LPOLESTR names[1] = {name.data()};
    MEMBERID id = 0;
    ASSERT_EQ(info->GetIDsOfNames(names, 1, &id), S_OK);
    EXPECT_EQ(id, 1);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    Var size;
    EXPECT_EQ(info->Invoke(static_cast<IkvDPSESSIONDESC*>(desc.get()), id, DISPATCH_PROPERTYGET, &none, size.ptr(),
                           nullptr, nullptr),
              S_OK);
    EXPECT_EQ(size.get().lVal, 124);
    Bstr memberName;
    DWORD help = 0;
    ASSERT_EQ(info->GetDocumentation(id, memberName.out(), nullptr, &help, nullptr), S_OK);
    EXPECT_EQ(memberName.text(), u"dwSize");
    EXPECT_EQ(help, 495u);
}
