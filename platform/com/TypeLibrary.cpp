#include "platform/com/TypeLibrary.h"

#include "platform/com/Guid.h"
#include "platform/com/TypeInfo.h"
#include "platform/text/Cp1252.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace platform::com {

namespace {

std::string versionText(const TypeLibraryInfo& library)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%x.%x", library.majorVersion, library.minorVersion);
    return buffer;
}

std::string hexText(unsigned value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", value);
    return buffer;
}

bool startsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size()
        && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

} // namespace

void registerTypeLibrary(Registry& registry, const TypeLibraryInfo& library, const std::string& path)
{
    const std::string lib = "TypeLib\\" + guidToRegistryText(library.libid);
    const std::string version = lib + "\\" + versionText(library);
    registry.setValue(version, "", library.helpString ? library.helpString : library.name);
    registry.setValue(version + "\\" + hexText(library.lcid) + "\\linux64", "", path);
    registry.setValue(version + "\\FLAGS", "", std::to_string(library.libFlags));
    registry.setValue(version + "\\HELPDIR", "", std::filesystem::path(path).parent_path().string());
    for (const InterfaceInfo* info : library.interfaces) {
        const std::string key = "Interface\\" + guidToRegistryText(info->iid);
        registry.setValue(key, "", info->name);
        registry.setValue(key + "\\ProxyStubClsid32", "", guidToRegistryText(CLSID_AutomationMarshaler));
        registry.setValue(key + "\\TypeLib", "", guidToRegistryText(library.libid));
        registry.setValue(key + "\\TypeLib", "Version", versionText(library));
    }
}

void unregisterTypeLibrary(Registry& registry, const TypeLibraryInfo& library)
{
    for (const InterfaceInfo* info : library.interfaces)
        registry.removeKey("Interface\\" + guidToRegistryText(info->iid));
    const std::string lib = "TypeLib\\" + guidToRegistryText(library.libid);
    registry.removeKey(lib + "\\" + versionText(library));
    // The library's key goes once no other version of it is left.
    bool otherVersion = false;
    for (const std::string& key : registry.keys())
        if (key.size() > lib.size() && key.compare(0, lib.size(), lib) == 0)
            otherVersion = true;
    if (!otherVersion)
        registry.removeKey(lib);
}

const InterfaceInfo* findInterface(const TypeLibraryInfo& library, REFIID iid)
{
    for (const InterfaceInfo* info : library.interfaces)
        if (info->iid == iid)
            return info;
    return nullptr;
}

std::optional<TypeLibVersion> newestRegisteredTypeLib(REFGUID libid, std::optional<WORD> major)
{
    Registry registry;
    if (!registry.load(Registry::defaultPath()))
        return std::nullopt;
    const std::string lib = "TypeLib\\" + guidToRegistryText(libid) + "\\";
    std::optional<TypeLibVersion> newest;
    for (const std::string& key : registry.keys()) {
        unsigned keyMajor = 0, keyMinor = 0;
        char tail = 0;
        if (key.size() <= lib.size() || !startsWithNoCase(key, lib)
            || std::sscanf(key.c_str() + lib.size(), "%x.%x%c", &keyMajor, &keyMinor, &tail) != 2
            || keyMajor > 0xFFFF || keyMinor > 0xFFFF || (major && keyMajor != *major))
            continue;
        const TypeLibVersion found{static_cast<WORD>(keyMajor), static_cast<WORD>(keyMinor)};
        if (!newest || found.major > newest->major || (found.major == newest->major && found.minor > newest->minor))
            newest = found;
    }
    return newest;
}

HRESULT LoadRegTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, ITypeLib** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    const auto version = newestRegisteredTypeLib(libid, major);
    if (!version || version->minor < minor)
        return TYPE_E_LIBNOTREGISTERED;
    Registry registry;
    if (!registry.load(Registry::defaultPath()))
        return TYPE_E_LIBNOTREGISTERED;
    const std::string base = "TypeLib\\" + guidToRegistryText(libid) + "\\" + hexText(version->major) + "."
        + hexText(version->minor) + "\\";
    std::optional<std::string> path;
    for (LCID tried : {lcid, lcid & 0x3FFu, LCID{0}})
        if (!path)
            path = registry.value(base + hexText(tried) + "\\linux64");
    if (!path) // any language the library was registered in
        for (const std::string& key : registry.keys())
            if (!path && startsWithNoCase(key, base) && key.size() >= 8
                && key.compare(key.size() - 8, 8, "\\linux64") == 0)
                path = registry.value(key);
    if (!path || path->empty())
        return TYPE_E_LIBNOTREGISTERED;
    const auto wide = platform::text::utf8ToUtf16(*path);
    if (!wide)
        return TYPE_E_LIBNOTREGISTERED;
    return LoadTypeLib(wide->c_str(), out);
}

} // namespace platform::com
