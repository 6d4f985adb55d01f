// The global object: the networking library loaded on first use, providers listed, session
// objects made, and buffer lengths measured.
#include "kvdplay/Global.h"

#include "kvdplay/DirectPlayLibrary.h"
#include "kvdplay/Registration.h"
#include "tests/kvdplay/ScriptedDirectPlay.h"
#include "tests/support/ComHelpers.h"
#include "tests/support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace kvdplay;
namespace dp = platform::dplay;
using testing_support::Bstr;
using testing_support::Ref;
using testing_support::ScopedRegistry;
using testing_support::ScriptedDirectPlay;
using testing_support::takeError;
using testing_support::Var;

namespace {

// The stand-in entry points and what they were asked.
struct FakeLibrary {
    int creates = 0;
    GUID provider{};
    HRESULT createResult = dp::DP_OK;
    ScriptedDirectPlay directPlay;
    std::vector<std::pair<GUID, std::string>> providers;
};
FakeLibrary* g_fake = nullptr;

HRESULT fakeCreate(dp::LPGUID guid, dp::IDirectPlay** out, dp::IUnknown* outer)
{
    ++g_fake->creates;
    g_fake->provider = *guid;
    *out = nullptr;
    if (outer)
        return E_INVALIDARG;
    if (g_fake->createResult != dp::DP_OK)
        return g_fake->createResult;
    ++g_fake->directPlay.refs;
    *out = &g_fake->directPlay;
    return dp::DP_OK;
}

HRESULT fakeEnumerate(dp::LPDPENUMDPCALLBACK callback, dp::LPVOID context)
{
    for (auto& [guid, name] : g_fake->providers)
        callback(&guid, name.data(), 1, 2, context);
    return dp::DP_OK;
}

class GlobalFixture : public ::testing::Test {
protected:
    GlobalFixture()
    {
        g_fake = &fake;
        setDirectPlayEntries({&fakeCreate, &fakeEnumerate});
        writeRegistration(registryFile, "/opt/t/libkvdplay.so");
        registryFile.save(scope.path());
        takeError();
    }
    ~GlobalFixture() override
    {
        setDirectPlayLibraryPath("");
        g_fake = nullptr;
    }
    ScopedRegistry scope;
    platform::com::Registry registryFile;
    FakeLibrary fake;
    Ref<Global> global{Global::create()};
};

constexpr GUID kProvider = {0x90890d72, 0x6113, 0x4359, {0x94, 0x79, 0xa0, 0x0c, 0x64, 0xd0, 0x06, 0x71}};

} // namespace

TEST_F(GlobalFixture, ProvidersAreListedInTheOrderNamed)
{
    fake.providers = {{kProvider, "TCP/IP Network"}, {GUID_NULL, "Modem"}};
    Ref<IkvDirectPlayProviders> providers;
    ASSERT_EQ(global->DirectPlayEnumerate(providers.out()), S_OK);
    LONG count = 0;
    providers->get_Count(&count);
    ASSERT_EQ(count, 2);
    Ref<IDispatch> first;
    providers->get_Item(0, first.out());
    auto* provider = static_cast<IkvDirectPlayProvider*>(first.get());
    Bstr name;
    Var id;
    provider->get_FriendlyName(name.out());
    provider->get_ProviderId(id.ptr());
    EXPECT_EQ(name.text(), u"TCP/IP Network");
    EXPECT_EQ(id.text(), u"90890d72-6113-4359-9479-a00c64d00671");
}

TEST_F(GlobalFixture, ProviderIdTextMakesASessionObjectOverThatProvider)
{
    Ref<IkvDirectPlay> session;
    ASSERT_EQ(global->DirectPlayCreate(Var::text(u"90890D72-6113-4359-9479-A00C64D00671").get(), session.out()), S_OK);
    EXPECT_EQ(fake.provider, kProvider);
    ASSERT_TRUE(session);
    EXPECT_EQ(session->Close(), S_OK);
    EXPECT_EQ(fake.directPlay.calls, std::vector<std::string>{"Close"});
    session.reset();
    EXPECT_EQ(fake.directPlay.refs, 1); // the session object gave its reference back
}

TEST_F(GlobalFixture, EmptyTextIsTheAllZeroProvider)
{
    Ref<IkvDirectPlay> session;
    ASSERT_EQ(global->DirectPlayCreate(Var::text(u"").get(), session.out()), S_OK);
    EXPECT_EQ(fake.provider, GUID_NULL);
}

TEST_F(GlobalFixture, SixteenBytesAreTheProviderInMemoryOrder)
{
    std::vector<BYTE> bytes(16);
    std::memcpy(bytes.data(), &kProvider, 16);
    Ref<IkvDirectPlay> session;
    ASSERT_EQ(global->DirectPlayCreate(Var::bytes(bytes).get(), session.out()), S_OK);
    EXPECT_EQ(fake.provider, kProvider);
}

TEST_F(GlobalFixture, BracedProviderIsRefusedBeforeLoading)
{
    Ref<IkvDirectPlay> session;
    EXPECT_EQ(global->DirectPlayCreate(Var::text(u"{90890d72-6113-4359-9479-a00c64d00671}").get(), session.out()),
              E_INVALIDARG);
    EXPECT_EQ(fake.creates, 0);
    const auto e = takeError();
    EXPECT_EQ(e.description, u"DPERR_INVALIDPARAM");
    EXPECT_EQ(e.source, u"kvDPLAY.kvDirectPlayGlobal.1");
}

TEST_F(GlobalFixture, RefusedCreationIsReportedAsItCame)
{
    fake.createResult = DPERR_UNAVAILABLE;
    Ref<IkvDirectPlay> session;
    EXPECT_EQ(global->DirectPlayCreate(Var::text(u"").get(), session.out()), DPERR_UNAVAILABLE);
    EXPECT_FALSE(session);
    const auto e = takeError();
    EXPECT_EQ(e.description, u"DPERR_UNAVAILABLE");
    EXPECT_EQ(e.helpContext, 7250u);
}

TEST_F(GlobalFixture, MissingLibraryIsNotInitialisedAndIsTriedAgain)
{
    testing_support::TempDir folder;
    const auto copy = folder / "libdplay.so";
    setDirectPlayLibraryPath(copy.string());
    Ref<IkvDirectPlay> session;
    EXPECT_EQ(global->DirectPlayCreate(Var::text(u"").get(), session.out()), CO_E_NOTINITIALIZED);
    auto e = takeError();
    EXPECT_EQ(e.description, u"CO_E_NOTINITIALIZED");
    EXPECT_EQ(e.helpContext, 4496u);
    Ref<IkvDirectPlayProviders> providers;
    EXPECT_EQ(global->DirectPlayEnumerate(providers.out()), CO_E_NOTINITIALIZED);

    // The library arrives; the next call loads it.
    std::filesystem::copy_file(std::filesystem::path(TESSARINE_PROGRAM_DIR) / "libdplay.so", copy);
    ASSERT_EQ(global->DirectPlayEnumerate(providers.out()), S_OK);
    LONG count = 0;
    providers->get_Count(&count);
    EXPECT_EQ(count, 1);
}

TEST_F(GlobalFixture, RealLibraryOffersTcpIpAndMakesSessionObjects)
{
    setDirectPlayLibraryPath((std::filesystem::path(TESSARINE_PROGRAM_DIR) / "libdplay.so").string());
    Ref<IkvDirectPlayProviders> providers;
    ASSERT_EQ(global->DirectPlayEnumerate(providers.out()), S_OK);
    Ref<IDispatch> first;
    ASSERT_EQ(providers->get_Item(0, first.out()), S_OK);
    auto* provider = static_cast<IkvDirectPlayProvider*>(first.get());
    Bstr name;
    Var id;
    provider->get_FriendlyName(name.out());
    provider->get_ProviderId(id.ptr());
    EXPECT_EQ(name.text(), u"TCP/IP Network");

    // The provider's own id text is accepted as it is.
    Ref<IkvDirectPlay> session;
    ASSERT_EQ(global->DirectPlayCreate(id.get(), session.out()), S_OK);
    ASSERT_TRUE(session);
    Ref<IkvDirectPlayMessage> message;
    EXPECT_EQ(session->Receive(0, 0, 1, message.out()), S_OK);
    EXPECT_FALSE(message);
}

TEST_F(GlobalFixture, BufferLengthIsWhatSendWouldHandOver)
{
    LONG length = 0;
    ASSERT_EQ(global->BufferLength(Var::text(u"Ma17").get(), &length), S_OK);
    EXPECT_EQ(length, 14);
    ASSERT_EQ(global->BufferLength(Var::text(u"").get(), &length), S_OK);
    EXPECT_EQ(length, 6);
    Var empty;
    ASSERT_EQ(global->BufferLength(empty.get(), &length), S_OK);
    EXPECT_EQ(length, 2);
    EXPECT_EQ(fake.creates, 0); // measuring needs no networking
}

TEST_F(GlobalFixture, BufferLengthRefusesWhatCannotBeSent)
{
    Var absentText;
    absentText.get().vt = VT_BSTR;
    LONG length = 0;
    EXPECT_EQ(global->BufferLength(absentText.get(), &length), E_INVALIDARG);
    const auto e = takeError();
    EXPECT_EQ(e.source, u"kvDPLAY.kvDirectPlayGlobal.1");
    EXPECT_EQ(e.helpContext, 7087u);
}
