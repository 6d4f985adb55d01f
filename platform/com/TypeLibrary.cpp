#include "platform/com/TypeLibrary.h"

#include "platform/com/Guid.h"

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

} // namespace platform::com
