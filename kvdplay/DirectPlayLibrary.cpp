#include "kvdplay/DirectPlayLibrary.h"

#include <dlfcn.h>
#include <filesystem>

namespace kvdplay {

namespace {

// One binding for the whole process; the library's objects are used on one thread.
struct Binding {
    void* module = nullptr;
    DirectPlayEntries entries;
    std::string path;
};

Binding& binding()
{
    static Binding b;
    return b;
}

} // namespace

std::string directPlayLibraryPath()
{
    if (!binding().path.empty())
        return binding().path;
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&LoadDirectPlay), &info) || !info.dli_fname)
        return platform::dplay::kLibraryName;
    std::error_code ec;
    const auto folder = std::filesystem::absolute(info.dli_fname, ec).parent_path();
    return (folder / platform::dplay::kLibraryName).string();
}

DirectPlayEntries LoadDirectPlay()
{
    Binding& b = binding();
    if (!b.module && !b.entries.create && !b.entries.enumerate) {
        void* module = ::dlopen(directPlayLibraryPath().c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module) {
            b.module = module; // kept: sessions made from it may live until the process ends
            b.entries.create = reinterpret_cast<platform::dplay::DirectPlayCreateFn>(
                ::dlsym(module, platform::dplay::kCreateEntry));
            b.entries.enumerate = reinterpret_cast<platform::dplay::DirectPlayEnumerateFn>(
                ::dlsym(module, platform::dplay::kEnumerateEntry));
        }
    }
    return b.entries;
}

void setDirectPlayLibraryPath(const std::string& path)
{
    Binding& b = binding();
    b.module = nullptr;
    b.entries = {};
    b.path = path;
}

void setDirectPlayEntries(const DirectPlayEntries& entries)
{
    Binding& b = binding();
    b.module = nullptr;
    b.entries = entries;
}

} // namespace kvdplay
