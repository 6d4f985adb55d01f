// The shared library as KVDPLAY sees it: loaded by name, two entry points found by name.
#include "platform/dplay/DPlay.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestDoubles.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>

#include <string>
#include <vector>

using namespace platform::dplay;

namespace {

struct Library {
    void* handle = nullptr;
    DirectPlayCreateFn create = nullptr;
    DirectPlayEnumerateFn enumerate = nullptr;
    explicit Library(const std::string& folder = TESSARINE_PROGRAM_DIR)
    {
        const std::string path = folder + "/" + kLibraryName;
        handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle) {
            create = reinterpret_cast<DirectPlayCreateFn>(dlsym(handle, kCreateEntry));
            enumerate = reinterpret_cast<DirectPlayEnumerateFn>(dlsym(handle, kEnumerateEntry));
        }
    }
    // Kept loaded, as a caller keeps it until the process ends.
};

struct Provider {
    GUID guid;
    std::string name;
    DWORD major, minor;
};

BOOL collect(LPGUID guid, LPSTR name, DWORD major, DWORD minor, LPVOID context)
{
    static_cast<std::vector<Provider>*>(context)->push_back({*guid, name, major, minor});
    return 1;
}

BOOL countSessions(LPDPSESSIONDESC d, LPVOID context, LPDWORD, DWORD)
{
    if (d)
        ++*static_cast<int*>(context);
    return 0;
}

} // namespace

TEST(DplayLibrary, BothEntryPointsAreFoundByName)
{
    Library library;
    ASSERT_NE(library.handle, nullptr) << dlerror();
    EXPECT_NE(library.create, nullptr);
    EXPECT_NE(library.enumerate, nullptr);
}

TEST(DplayLibrary, OneProviderIsListedByItsName)
{
    Library library;
    ASSERT_NE(library.enumerate, nullptr);
    std::vector<Provider> providers;
    ASSERT_EQ(library.enumerate(collect, &providers), DP_OK);
    ASSERT_EQ(providers.size(), 1u);
    EXPECT_EQ(providers[0].name, "TCP/IP Network");
    EXPECT_EQ(providers[0].guid, DPSPGUID_TCPIP);
}

TEST(DplayLibrary, AnUnknownProviderOrAnOuterObjectIsRefused)
{
    Library library;
    ASSERT_NE(library.create, nullptr);
    IDirectPlay* dp = reinterpret_cast<IDirectPlay*>(1);
    GUID none{};
    EXPECT_EQ(library.create(&none, &dp, nullptr), DPERR_UNAVAILABLE);
    EXPECT_EQ(dp, nullptr);
    GUID provider = DPSPGUID_TCPIP;
    EXPECT_EQ(library.create(&provider, &dp, reinterpret_cast<IUnknown*>(&provider)),
              platform::com::CLASS_E_NOAGGREGATION);
}

TEST(DplayLibrary, ASessionObjectAnswersForItsInterfaceAndGoesOnItsLastRelease)
{
    Library library;
    ASSERT_NE(library.create, nullptr);
    GUID provider = DPSPGUID_TCPIP;
    IDirectPlay* dp = nullptr;
    ASSERT_EQ(library.create(&provider, &dp, nullptr), DP_OK);
    void* again = nullptr;
    ASSERT_EQ(dp->QueryInterface(IID_IDirectPlay, &again), platform::com::S_OK);
    EXPECT_EQ(again, dp);
    EXPECT_EQ(dp->QueryInterface(platform::com::IID_NULL, &again), platform::com::E_NOINTERFACE);
    EXPECT_EQ(dp->Initialize(&provider), DPERR_ALREADYINITIALIZED);
    EXPECT_EQ(dp->Release(), 1u);
    EXPECT_EQ(dp->Release(), 0u);
}

TEST(DplayLibrary, ACopyReadsTheSettingsBesideItAndAsksWhereToSearchThroughTheProgramsPrompt)
{
    // A program folder of its own: the library, and settings that name no Search.
    testing_support::TempDir folder;
    std::filesystem::copy_file(std::string(TESSARINE_PROGRAM_DIR) + "/" + kLibraryName, folder / kLibraryName);
    const int port = 42000 + (getpid() % 2000) * 8;
    folder.write("dplay.ini", "Listen=127.0.0.1\nDiscoveryPort=" + std::to_string(port) + "\n");
    testing_support::ScriptedDialogs dialogs;
    dialogs.lines = {std::string("127.0.0.1")};
    platform::ui::setLinePrompt(&dialogs);
    struct Uninstall {
        ~Uninstall() { platform::ui::setLinePrompt(nullptr); }
    } uninstall;

    Library library(folder.path().string());
    ASSERT_NE(library.create, nullptr) << dlerror();
    GUID provider = DPSPGUID_TCPIP;
    IDirectPlay* host = nullptr;
    IDirectPlay* joiner = nullptr;
    ASSERT_EQ(library.create(&provider, &host, nullptr), DP_OK);
    ASSERT_EQ(library.create(&provider, &joiner, nullptr), DP_OK);
    DPSESSIONDESC d{};
    d.dwSize = sizeof d;
    d.guidSession = {0x1b2c3d4e, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};
    d.dwFlags = DPOPEN_CREATESESSION;
    d.dwMaxPlayers = 2;
    ASSERT_EQ(host->Open(&d), DP_OK);
    DPID id = 0;
    char name[] = "Alice";
    ASSERT_EQ(host->CreatePlayer(&id, name, name, nullptr), DP_OK);
    int found = 0;
    EXPECT_EQ(joiner->EnumSessions(&d, 1500, countSessions, &found, 0), DP_OK);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(folder.read("dplay.ini"), "Listen=127.0.0.1\nDiscoveryPort=" + std::to_string(port) + "\nLastSearch=127.0.0.1\n");
    joiner->Release();
    host->Release();
}
