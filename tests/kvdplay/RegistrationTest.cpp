#include "kvdplay/Registration.h"

#include "kvdplay/Interfaces.h"
#include "platform/com/Activation.h"
#include "platform/com/Guid.h"
#include "platform/com/Registry.h"
#include "tests/support/ComHelpers.h"

#include <dlfcn.h>
#include <filesystem>
#include <gtest/gtest.h>

using namespace kvdplay;
using platform::com::Registry;
using testing_support::Bstr;
using testing_support::Ref;
using testing_support::ScopedRegistry;
using testing_support::takeError;
using testing_support::Var;

namespace {

std::string clsidKey(const CLSID& clsid) { return "CLSID\\" + guidToRegistryText(clsid); }

Registry loaded(const std::string& path)
{
    Registry r;
    EXPECT_TRUE(r.load(path));
    return r;
}

const std::string kLibrary = KVDPLAY_LIBRARY;

} // namespace

TEST(Registration, StandardClassesGetProgIdsAndServer)
{
    Registry r;
    writeRegistration(r, "/opt/tessarine/libkvdplay.so");
    const std::string global = guidToRegistryText(CLSID_kvDirectPlayGlobal);
    EXPECT_EQ(r.value("kvDPLAY.kvDirectPlayGlobal.1").value_or("?"), "kvDirectPlayGlobal");
    EXPECT_EQ(r.value("kvDPLAY.kvDirectPlayGlobal.1\\CLSID").value_or("?"), global);
    EXPECT_EQ(r.value("kvDPLAY.kvDirectPlayGlobal\\CurVer").value_or("?"), "kvDPLAY.kvDirectPlayGlobal.1");
    EXPECT_EQ(r.value("kvDPLAY.kvDirectPlayGlobal\\CLSID").value_or("?"), global);
    EXPECT_EQ(r.value(clsidKey(CLSID_kvDirectPlayGlobal) + "\\ProgID").value_or("?"), "kvDPLAY.kvDirectPlayGlobal.1");
    EXPECT_EQ(r.value(clsidKey(CLSID_kvDirectPlayGlobal) + "\\VersionIndependentProgID").value_or("?"),
              "kvDPLAY.kvDirectPlayGlobal");
    EXPECT_EQ(r.value(clsidKey(CLSID_kvDPSESSIONDESC)).value_or("?"), "kvDPSESSIONDESC");
    EXPECT_EQ(r.value(clsidKey(CLSID_kvDPSESSIONDESC) + "\\InprocServer32").value_or("?"), "/opt/tessarine/libkvdplay.so");
    EXPECT_EQ(r.value(clsidKey(CLSID_kvDPSESSIONDESC) + "\\InprocServer32", "ThreadingModel").value_or("?"), "Apartment");
}

TEST(Registration, ControlAndPropertyPageEntries)
{
    Registry r;
    writeRegistration(r, "/opt/t/libkvdplay.so");
    const std::string control = clsidKey(CLSID_kvPlay);
    EXPECT_EQ(r.value("kvPlay.kvPlay.1").value_or("?"), ":-) Brantwick kvPlay Control");
    EXPECT_EQ(r.value("kvPlay.kvPlay\\CurVer").value_or("?"), "kvPlay.kvPlay.1");
    EXPECT_TRUE(r.hasKey(control + "\\Programmable"));
    EXPECT_TRUE(r.hasKey(control + "\\Control"));
    EXPECT_TRUE(r.hasKey(control + "\\Insertable"));
    EXPECT_EQ(r.value(control + "\\ToolboxBitmap32").value_or("?"), "/opt/t/libkvdplay.so, 102");
    EXPECT_EQ(r.value(control + "\\MiscStatus").value_or("?"), "0");
    EXPECT_EQ(r.value(control + "\\MiscStatus\\1").value_or("?"), "132497");
    EXPECT_EQ(r.value(control + "\\TypeLib").value_or("?"), guidToRegistryText(LIBID_kvDirectPlayLib));
    EXPECT_EQ(r.value(control + "\\Version").value_or("?"), "1.0");
    EXPECT_EQ(r.value(control + "\\verb\\0").value_or("?"), "&Properties, 0, 2");
    const std::string page = clsidKey(CLSID_kvPlayPpg);
    EXPECT_EQ(r.value(page).value_or("?"), "kvPlayPpg Class");
    EXPECT_TRUE(r.hasKey(page + "\\Programmable"));
    EXPECT_EQ(r.value("kvPlayPpg.kvPlayPpg\\CurVer").value_or("?"), "kvPlayPpg.kvPlayPpg.1");
}

TEST(Registration, TypeLibraryAndItsInterfacesAreRegistered)
{
    Registry r;
    writeRegistration(r, "/opt/t/libkvdplay.so");
    const std::string lib = "TypeLib\\" + guidToRegistryText(LIBID_kvDirectPlayLib) + "\\1.0";
    EXPECT_EQ(r.value(lib).value_or("?"), ":-) Brantwick kvDirectPlay Controls");
    EXPECT_EQ(r.value(lib + "\\FLAGS").value_or("?"), "2");
    EXPECT_EQ(r.value("Interface\\" + guidToRegistryText(IID_IkvDPSESSIONDESC)).value_or("?"), "IkvDPSESSIONDESC");
}

TEST(Registration, UnregisteringRemovesExactlyWhatWasWritten)
{
    Registry r;
    r.setValue("Other.Program\\CLSID", "", "{00000000-0000-0000-0000-000000000001}");
    r.setValue("CLSID\\{00000000-0000-0000-0000-000000000001}\\InprocServer32", "", "/other.so");
    const auto before = r.keys();
    writeRegistration(r, "/opt/t/libkvdplay.so");
    removeRegistration(r);
    std::vector<std::string> after = r.keys();
    // The roots that registration opened stay, empty; everything else is as it was.
    std::erase_if(after, [](const std::string& k) { return k == "Interface" || k == "TypeLib"; });
    EXPECT_EQ(after, before);
}

// --- The real library through dlopen.

TEST(ServerRegistration, RegisterCreateByProgIdAndUnregister)
{
    ScopedRegistry scope;
    std::string message;
    ASSERT_EQ(platform::com::registerServer(kLibrary, false, &message), S_OK) << message;
    const Registry r = loaded(scope.path());
    EXPECT_EQ(r.value(clsidKey(CLSID_kvDPSESSIONDESC) + "\\InprocServer32").value_or("?"),
              std::filesystem::weakly_canonical(kLibrary).string());

    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"kvDPLAY.kvDPSESSIONDESC", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_kvDPSESSIONDESC);
    Ref<IkvDPSESSIONDESC> desc;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IkvDPSESSIONDESC, desc.outVoid()), S_OK);
    EXPECT_EQ(desc->put_szSessionName(Bstr(u"Host").get()), S_OK);
    Bstr name;
    desc->get_szSessionName(name.out());
    EXPECT_EQ(name.text(), u"Host");

    // The library's error information reaches the game: one slot for both.
    EXPECT_EQ(desc->put_szSessionName(nullptr), E_INVALIDARG);
    const auto e = takeError();
    EXPECT_EQ(e.description, u"DPERR_INVALIDPARAM");
    EXPECT_EQ(e.source, u"kvDPLAY.kvDPSESSIONDESC.1");

    LPOLESTR progId = nullptr;
    ASSERT_EQ(ProgIDFromCLSID(CLSID_kvDPSESSIONDESC, &progId), S_OK);
    EXPECT_EQ(std::u16string(progId), u"kvDPLAY.kvDPSESSIONDESC.1");
    CoTaskMemFree(progId);

    desc.reset();
    ASSERT_EQ(platform::com::registerServer(kLibrary, true, &message), S_OK) << message;
    EXPECT_EQ(CLSIDFromProgID(u"kvDPLAY.kvDPSESSIONDESC", &clsid), CO_E_CLASSSTRING);
    Ref<IUnknown> none;
    EXPECT_EQ(CoCreateInstance(CLSID_kvDPSESSIONDESC, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, none.outVoid()),
              REGDB_E_CLASSNOTREG);
}

TEST(ServerRegistration, EveryRegisteredClassIsCreatedByClass)
{
    ScopedRegistry scope;
    ASSERT_EQ(platform::com::registerServer(kLibrary, false), S_OK);
    Ref<IUnknown> object;
    for (const CLSID* c : {&CLSID_kvDirectPlayGlobal, &CLSID_kvPlay, &CLSID_kvPlayPpg})
        EXPECT_EQ(CoCreateInstance(*c, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.outVoid()), S_OK);
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"kvPlay.kvPlay", &clsid), S_OK); // through CurVer
    EXPECT_EQ(clsid, CLSID_kvPlay);
    // Only the control can live inside another object.
    Ref<IUnknown> inner;
    EXPECT_EQ(CoCreateInstance(CLSID_kvDirectPlayGlobal, object.get(), CLSCTX_INPROC_SERVER, IID_IUnknown,
                               inner.outVoid()),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(CoCreateInstance(CLSID_kvPlayPpg, object.get(), CLSCTX_INPROC_SERVER, IID_IUnknown, inner.outVoid()),
              CLASS_E_NOAGGREGATION);
}

TEST(ServerRegistration, GlobalObjectLoadsTheNetworkingLibraryBesideIt)
{
    // The library as the build registered it in the program folder, with libdplay.so beside it.
    ::setenv("TESSARINE_REGISTRY", (std::filesystem::path(KVDPLAY_PROGRAM_DIR) / "registry.txt").c_str(), 1);
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"kvDPLAY.kvDirectPlayGlobal", &clsid), S_OK);
    Ref<IkvDirectPlayGlobal> global;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IkvDirectPlayGlobal, global.outVoid()), S_OK);
    Ref<IkvDirectPlayProviders> providers;
    ASSERT_EQ(global->DirectPlayEnumerate(providers.out()), S_OK);
    ::unsetenv("TESSARINE_REGISTRY");
    LONG count = 0;
    providers->get_Count(&count);
    ASSERT_EQ(count, 1);
    Ref<IDispatch> first;
    providers->get_Item(0, first.out());
    Bstr name;
    static_cast<IkvDirectPlayProvider*>(first.get())->get_FriendlyName(name.out());
    EXPECT_EQ(name.text(), u"TCP/IP Network");
}

TEST(ServerRegistration, SessionDescriptionRefusesAggregation)
{
    ScopedRegistry scope;
    ASSERT_EQ(platform::com::registerServer(kLibrary, false), S_OK);
    Ref<IUnknown> outer;
    ASSERT_EQ(CoCreateInstance(CLSID_kvDPSESSIONDESC, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, outer.outVoid()), S_OK);
    Ref<IUnknown> inner;
    EXPECT_EQ(CoCreateInstance(CLSID_kvDPSESSIONDESC, outer.get(), CLSCTX_INPROC_SERVER, IID_IUnknown, inner.outVoid()),
              CLASS_E_NOAGGREGATION);
}

TEST(ServerRegistration, LibraryStaysWhileObjectsLive)
{
    ScopedRegistry scope;
    ASSERT_EQ(platform::com::registerServer(kLibrary, false), S_OK);
    void* library = ::dlopen(kLibrary.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr);
    auto canUnload = reinterpret_cast<platform::com::DllCanUnloadNowFn>(::dlsym(library, "DllCanUnloadNow"));
    ASSERT_NE(canUnload, nullptr);
    EXPECT_EQ(canUnload(), S_OK);
    Ref<IUnknown> object;
    ASSERT_EQ(CoCreateInstance(CLSID_kvDPSESSIONDESC, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, object.outVoid()), S_OK);
    EXPECT_EQ(canUnload(), S_FALSE);
    object.reset();
    EXPECT_EQ(canUnload(), S_OK);
    ::dlclose(library);
}

TEST(ServerRegistration, BuildRegisteredTheLibraryInTheProgramFolder)
{
    const Registry r = loaded((std::filesystem::path(KVDPLAY_PROGRAM_DIR) / "registry.txt").string());
    EXPECT_EQ(r.value("kvDPLAY.kvDirectPlayGlobal\\CurVer").value_or("?"), "kvDPLAY.kvDirectPlayGlobal.1");
    EXPECT_EQ(r.value(clsidKey(CLSID_kvDPSESSIONDESC) + "\\InprocServer32").value_or("?"),
              std::filesystem::weakly_canonical(kLibrary).string());
}
