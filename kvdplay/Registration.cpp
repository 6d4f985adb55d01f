#include "kvdplay/Registration.h"

#include "kvdplay/Errors.h"
#include "kvdplay/Interfaces.h"
#include "kvdplay/TypeTables.h"
#include "platform/com/Guid.h"

namespace kvdplay {

namespace {

struct StandardClass {
    const CLSID* clsid;
    const char* progId;
    const char* versionIndependent;
    UINT descriptionId;
};

const StandardClass kStandardClasses[] = {
    {&CLSID_kvDirectPlayGlobal, "kvDPLAY.kvDirectPlayGlobal.1", "kvDPLAY.kvDirectPlayGlobal", 102},
    {&CLSID_kvDPSESSIONDESC, "kvDPLAY.kvDPSESSIONDESC.1", "kvDPLAY.kvDPSESSIONDESC", 101},
};

constexpr const char* kControlDescription = ":-) Brantwick kvPlay Control";
constexpr const char* kPageDescription = "kvPlayPpg Class";

std::string classKey(const CLSID& clsid) { return "CLSID\\" + guidToRegistryText(clsid); }

void writeServer(Registry& registry, const std::string& key, const std::string& path)
{
    registry.setValue(key + "\\InprocServer32", "", path);
    registry.setValue(key + "\\InprocServer32", "ThreadingModel", "Apartment");
}

} // namespace

void writeRegistration(Registry& registry, const std::string& path)
{
    registerTypeLibrary(registry, typeLibrary(), path);

    for (const StandardClass& c : kStandardClasses) {
        const std::string description(loadString(c.descriptionId).value_or(""));
        const std::string clsid = guidToRegistryText(*c.clsid);
        registry.setValue(c.progId, "", description);
        registry.setValue(std::string(c.progId) + "\\CLSID", "", clsid);
        registry.setValue(c.versionIndependent, "", description);
        registry.setValue(std::string(c.versionIndependent) + "\\CLSID", "", clsid);
        registry.setValue(std::string(c.versionIndependent) + "\\CurVer", "", c.progId);
        const std::string key = classKey(*c.clsid);
        registry.setValue(key, "", description);
        registry.setValue(key + "\\ProgID", "", c.progId);
        registry.setValue(key + "\\VersionIndependentProgID", "", c.versionIndependent);
        writeServer(registry, key, path);
    }

    // The control.
    registry.setValue("kvPlay.kvPlay.1", "", kControlDescription);
    registry.setValue("kvPlay.kvPlay.1\\CLSID", "", guidToRegistryText(CLSID_kvPlay));
    registry.setValue("kvPlay.kvPlay", "", kControlDescription);
    registry.setValue("kvPlay.kvPlay\\CurVer", "", "kvPlay.kvPlay.1");
    const std::string control = classKey(CLSID_kvPlay);
    registry.setValue(control, "", kControlDescription);
    registry.setValue(control + "\\ProgID", "", "kvPlay.kvPlay.1");
    registry.setValue(control + "\\VersionIndependentProgID", "", "kvPlay.kvPlay");
    registry.createKey(control + "\\Programmable");
    registry.createKey(control + "\\Control");
    registry.createKey(control + "\\Insertable");
    writeServer(registry, control, path);
    registry.setValue(control + "\\ToolboxBitmap32", "", path + ", 102");
    registry.setValue(control + "\\MiscStatus", "", "0");
    registry.setValue(control + "\\MiscStatus\\1", "", "132497");
    registry.setValue(control + "\\TypeLib", "", guidToRegistryText(LIBID_kvDirectPlayLib));
    registry.setValue(control + "\\Version", "", "1.0");
    registry.setValue(control + "\\verb\\0", "", "&Properties, 0, 2");

    // Its property page.
    registry.setValue("kvPlayPpg.kvPlayPpg.1", "", kPageDescription);
    registry.setValue("kvPlayPpg.kvPlayPpg.1\\CLSID", "", guidToRegistryText(CLSID_kvPlayPpg));
    registry.setValue("kvPlayPpg.kvPlayPpg\\CurVer", "", "kvPlayPpg.kvPlayPpg.1");
    const std::string page = classKey(CLSID_kvPlayPpg);
    registry.setValue(page, "", kPageDescription);
    registry.createKey(page + "\\Programmable");
    writeServer(registry, page, path);
}

void removeRegistration(Registry& registry)
{
    for (const StandardClass& c : kStandardClasses) {
        registry.removeKey(c.progId);
        registry.removeKey(c.versionIndependent);
        registry.removeKey(classKey(*c.clsid));
    }
    for (const char* key : {"kvPlay.kvPlay.1", "kvPlay.kvPlay", "kvPlayPpg.kvPlayPpg.1", "kvPlayPpg.kvPlayPpg"})
        registry.removeKey(key);
    registry.removeKey(classKey(CLSID_kvPlay));
    registry.removeKey(classKey(CLSID_kvPlayPpg));
    unregisterTypeLibrary(registry, typeLibrary());
}

} // namespace kvdplay
