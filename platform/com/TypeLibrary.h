#pragma once
// A type library described by compiled-in tables: its identity, classes, interfaces and
// constant modules. Registration writes the library's and its interfaces' keys from them.
#include "platform/com/Dispatch.h"
#include "platform/com/Registry.h"

#include <string>

namespace platform::com {

enum ClassFlags : std::uint8_t { ClsCreatable = 1, ClsControl = 2, ClsHidden = 4 };

struct ClassInfo {
    const char* name;
    CLSID clsid;
    const InterfaceInfo* defaultInterface; // null for a class without one
    DWORD helpContext;
    std::uint8_t flags;
    const char* progId;                    // the registered ProgID, or null
    const char* helpString = nullptr;
    const InterfaceInfo* events = nullptr; // the interface whose events it fires, or null
};

struct ConstantInfo {
    const char* name;
    LONG value;
};

struct ModuleInfo {
    const char* name;
    const char* helpString;
    DWORD helpContext;
    std::span<const ConstantInfo> constants;
};

enum : WORD { LIBFLAG_FRESTRICTED = 1, LIBFLAG_FCONTROL = 2, LIBFLAG_FHIDDEN = 4 };

struct TypeLibraryInfo {
    const char* name;
    GUID libid;
    WORD majorVersion;
    WORD minorVersion;
    LCID lcid;
    WORD libFlags;
    const char* helpFile;
    DWORD helpContext;
    const char* helpString;
    std::span<const ClassInfo> classes;
    std::span<const InterfaceInfo* const> interfaces;
    std::span<const ModuleInfo> modules;
};

// The runtime's own marshaller for dual interfaces, named under every registered interface.
inline constexpr CLSID CLSID_AutomationMarshaler = {0x00020424, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Writes TypeLib\{libid}\<version> and Interface\{iid} for every interface in the table.
void registerTypeLibrary(Registry& registry, const TypeLibraryInfo& library, const std::string& path);
// Removes exactly those keys.
void unregisterTypeLibrary(Registry& registry, const TypeLibraryInfo& library);

const InterfaceInfo* findInterface(const TypeLibraryInfo& library, REFIID iid);

} // namespace platform::com
