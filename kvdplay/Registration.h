#pragma once
// What registering the library writes into the classes root, and what unregistering removes.
#include "platform/com/Registry.h"

#include <string>

namespace kvdplay {

// Writes the type library, the standard entries of kvDirectPlayGlobal and kvDPSESSIONDESC and
// the entries of kvPlay and kvPlayPpg, naming libraryPath as the server.
void writeRegistration(platform::com::Registry& registry, const std::string& libraryPath);
// Removes exactly what writeRegistration wrote; the CLSID root stays.
void removeRegistration(platform::com::Registry& registry);

} // namespace kvdplay
