// The four entry points of the library, the only symbols it exports.
#include "kvdplay/Module.h"
#include "kvdplay/Object.h"
#include "kvdplay/Registration.h"
#include "kvdplay/TypeTables.h"
#include "platform/com/TypeInfo.h"

#include <dlfcn.h>
#include <filesystem>

#ifdef KVDPLAY_WITH_UI
#include "kvdplay/ui/QtControlUi.h"
#endif

using namespace platform::com;

namespace {

std::string libraryPath()
{
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&kvdplay::getClassObject), &info) || !info.dli_fname)
        return {};
    std::error_code ec;
    const auto path = std::filesystem::weakly_canonical(std::filesystem::absolute(info.dli_fname), ec);
    return ec ? std::string(info.dli_fname) : path.string();
}

#ifdef KVDPLAY_WITH_UI
// The control's windows are Qt windows in the desktop build; the links of its About box open
// through the desktop's handlers, relative to the program folder the library sits in.
[[maybe_unused]] const bool g_windowsInstalled = [] {
    kvdplay::ui::installQtControlUi(std::filesystem::path(libraryPath()).parent_path().string());
    return true;
}();
#endif

} // namespace

#define KVDPLAY_EXPORT extern "C" __attribute__((visibility("default")))

KVDPLAY_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** out)
{
    return kvdplay::getClassObject(clsid, riid, out);
}

// The type library the file carries, for clients that load it by file or through the registry.
KVDPLAY_EXPORT HRESULT DllGetTypeLibrary(ITypeLib** library)
{
    return createTypeLib(kvdplay::typeLibrary(), library);
}

KVDPLAY_EXPORT HRESULT DllCanUnloadNow()
{
    return kvdplay::moduleLockCount() == 0 ? S_OK : S_FALSE;
}

KVDPLAY_EXPORT HRESULT DllRegisterServer()
{
    const std::string path = libraryPath();
    if (path.empty())
        return SELFREG_E_CLASS;
    Registry registry;
    const auto file = Registry::defaultPath();
    if (!registry.load(file))
        return REGDB_E_READREGDB;
    kvdplay::writeRegistration(registry, path);
    return registry.save(file) ? S_OK : SELFREG_E_CLASS;
}

KVDPLAY_EXPORT HRESULT DllUnregisterServer()
{
    Registry registry;
    const auto file = Registry::defaultPath();
    if (!registry.load(file))
        return REGDB_E_READREGDB;
    kvdplay::removeRegistration(registry);
    return registry.save(file) ? S_OK : SELFREG_E_CLASS;
}
