#include "kvdplay/Collections.h"

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

IDispatch* player(LONG id, const char* name)
{
    Player* p = Player::create();
    p->fill(id, name, "formal", 0);
    return p;
}

LONG idOf(IDispatch* element)
{
    Ref<IkvDirectPlayPlayer> p;
    EXPECT_EQ(element->QueryInterface(IID_IkvDirectPlayPlayer, p.outVoid()), S_OK);
    LONG id = -1;
    p->get_PlayerId(&id);
    return id;
}

} // namespace

TEST(CollectionItem, IndexIsZeroBasedAndBounded)
{
    Ref<PlayersCollection> players(PlayersCollection::create());
    ASSERT_EQ(players->append(player(5, "Ann")), S_OK);
    Ref<IDispatch> item;
    ASSERT_EQ(players->get_Item(0, item.out()), S_OK);
    EXPECT_EQ(idOf(item.get()), 5);
    EXPECT_EQ(players->get_Item(1, item.out()), E_INVALIDARG);
    EXPECT_EQ(players->get_Item(-1, item.out()), E_INVALIDARG);
    const auto e = takeError();
    EXPECT_EQ(e.description, u"DPERR_INVALIDPARAM");
    EXPECT_FALSE(e.sourceSet);
}

TEST(CollectionItem, EmptyCollectionHasNoItems)
{
    Ref<SessionsCollection> sessions(SessionsCollection::create());
    LONG count = -1;
    sessions->get_Count(&count);
    EXPECT_EQ(count, 0);
    Ref<IDispatch> item;
    EXPECT_EQ(sessions->get_Item(0, item.out()), E_INVALIDARG);
}

TEST(CollectionEnumeration, VisitsElementsInOrderOfAppending)
{
    Ref<PlayersCollection> players(PlayersCollection::create());
    for (LONG id : {3, 1, 2})
        players->append(player(id, "p"));
    Ref<IUnknown> unknown;
    ASSERT_EQ(players->get__NewEnum(unknown.out()), S_OK);
    Ref<IEnumVARIANT> e;
    ASSERT_EQ(unknown->QueryInterface(IID_IEnumVARIANT, e.outVoid()), S_OK);
    std::vector<LONG> seen;
    for (;;) {
        Var v;
        ULONG fetched = 0;
        if (e->Next(1, v.ptr(), &fetched) != S_OK)
            break;
        ASSERT_EQ(v.get().vt, VT_DISPATCH);
        seen.push_back(idOf(v.get().pdispVal));
    }
    EXPECT_EQ(seen, (std::vector<LONG>{3, 1, 2}));
    Ref<IEnumVARIANT> clone;
    e->Reset();
    e->Skip(2);
    ASSERT_EQ(e->Clone(clone.out()), S_OK);
    Var last;
    EXPECT_EQ(clone->Next(1, last.ptr(), nullptr), S_OK);
    EXPECT_EQ(idOf(last.get().pdispVal), 2);
}

TEST(CollectionEnumeration, EmptyCollectionVisitsNothing)
{
    Ref<PlayersCollection> groups(PlayersCollection::create());
    Ref<IUnknown> unknown;
    ASSERT_EQ(groups->get__NewEnum(unknown.out()), S_OK);
    Ref<IEnumVARIANT> e;
    unknown->QueryInterface(IID_IEnumVARIANT, e.outVoid());
    Var v;
    ULONG fetched = 9;
    EXPECT_EQ(e->Next(1, v.ptr(), &fetched), S_FALSE);
    EXPECT_EQ(fetched, 0u);
}

TEST(CollectionLifetime, ElementsOutliveTheirCollection)
{
    Ref<IDispatch> kept;
    {
        Ref<ProvidersCollection> providers(ProvidersCollection::create());
        Provider* p = Provider::create();
        p->fill(nullptr, "Modem", 1, 2);
        providers->append(p);
        providers->get_Item(0, kept.out());
    }
    Ref<IkvDirectPlayProvider> provider;
    ASSERT_EQ(kept->QueryInterface(IID_IkvDirectPlayProvider, provider.outVoid()), S_OK);
    Bstr name;
    provider->get_FriendlyName(name.out());
    EXPECT_EQ(name.text(), u"Modem");
}

TEST(CollectionLifetime, EnumeratorOutlivesItsCollection)
{
    Ref<IUnknown> unknown;
    {
        Ref<PlayersCollection> players(PlayersCollection::create());
        players->append(player(8, "p"));
        players->get__NewEnum(unknown.out());
    }
    Ref<IEnumVARIANT> e;
    unknown->QueryInterface(IID_IEnumVARIANT, e.outVoid());
    Var v;
    ASSERT_EQ(e->Next(1, v.ptr(), nullptr), S_OK);
    EXPECT_EQ(idOf(v.get().pdispVal), 8);
}

TEST(CollectionGrowth, FirstRoomForOneThenStepsOfAnEighthBetweenFourAnd1024)
{
    EXPECT_EQ(grownCapacity(0, 0, 1), 1u);
    EXPECT_EQ(grownCapacity(1, 1, 2), 5u);
    EXPECT_EQ(grownCapacity(64, 64, 65), 72u);
    EXPECT_EQ(grownCapacity(20000, 20000, 20001), 21024u);
    EXPECT_EQ(grownCapacity(4, 4, 100), 100u);
}

TEST(CollectionGrowth, ManyElementsKeepTheirOrder)
{
    Ref<PlayersCollection> players(PlayersCollection::create());
    for (LONG id = 0; id < 300; ++id)
        ASSERT_EQ(players->append(player(id, "p")), S_OK);
    LONG count = 0;
    players->get_Count(&count);
    EXPECT_EQ(count, 300);
    Ref<IDispatch> item;
    players->get_Item(299, item.out());
    EXPECT_EQ(idOf(item.get()), 299);
}

TEST(PlayerFill, NamesIdAndFlagsAreKeptAndAnAbsentNameIsEmptyText)
{
    Ref<Player> p(Player::create());
    p->fill(12, "Ann", "Ann Smith", 4);
    EXPECT_EQ(longOf(*p, &Player::get_PlayerId), 12);
    EXPECT_EQ(longOf(*p, &Player::get_dwFlags), 4);
    EXPECT_EQ(textOf(*p, &Player::get_FriendlyName), u"Ann");
    EXPECT_EQ(textOf(*p, &Player::get_FormalName), u"Ann Smith");
    Ref<Player> absent(Player::create());
    absent->fill(12, nullptr, "Formal", 4);
    EXPECT_EQ(longOf(*absent, &Player::get_PlayerId), 12);
    Bstr name;
    EXPECT_EQ(absent->get_FriendlyName(name.out()), S_OK);
    ASSERT_NE(name.get(), nullptr);
    EXPECT_EQ(name.text(), u"");
}

TEST(PlayerFill, NewPlayerReadsEmpty)
{
    Ref<Player> p(Player::create());
    Bstr name;
    EXPECT_EQ(p->get_FormalName(name.out()), S_OK);
    EXPECT_EQ(name.text(), u"");
}

TEST(ProviderFill, GuidTextIsAcceptedAsAProviderId)
{
    const GUID tcp = {0x36E95EE0, 0x8577, 0x11CF, {0x96, 0x0C, 0x00, 0x80, 0xC7, 0x53, 0x4E, 0x82}};
    Ref<Provider> p(Provider::create());
    p->fill(&tcp, "TCP/IP", 1, 5);
    VARIANT garbage;
    std::memset(&garbage, 0xCD, sizeof garbage);
    ASSERT_EQ(p->get_ProviderId(&garbage), S_OK);
    Var id;
    id.get() = garbage;
    EXPECT_EQ(id.text(), u"36e95ee0-8577-11cf-960c-0080c7534e82");
    EXPECT_EQ(longOf(*p, &Provider::get_MinorVersion), 5);
}

TEST(ProviderFill, AbsentNameAndGuidGiveEmptyTextAndZeroGuid)
{
    Ref<Provider> p(Provider::create());
    p->fill(nullptr, nullptr, 3, 4);
    EXPECT_EQ(textOf(*p, &Provider::get_FriendlyName), u"");
    EXPECT_EQ(longOf(*p, &Provider::get_MajorVersion), 3);
    Var id;
    p->get_ProviderId(id.ptr());
    EXPECT_EQ(id.text(), u"00000000-0000-0000-0000-000000000000");
}

TEST(Capabilities, RecordStartsWithSize28AndIsFilledInPlace)
{
    Ref<Caps> caps(Caps::create());
    Ref<IkvStructAccess> access;
    ASSERT_EQ(caps->QueryInterface(IID_IkvStructAccess, access.outVoid()), S_OK);
    void* address = nullptr;
    access->GetStruct(&address);
    DWORD* record = static_cast<DWORD*>(address);
    EXPECT_EQ(record[0], 28u);
    record[1] = 4;    // what DirectPlay writes
    record[6] = 150;
    EXPECT_EQ(longOf(*caps, &Caps::get_dwSize), 28);
    EXPECT_EQ(longOf(*caps, &Caps::get_dwFlags), 4);
    EXPECT_EQ(longOf(*caps, &Caps::get_dwLatency), 150);
}
