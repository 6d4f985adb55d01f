#pragma once
// The run-time binding to the networking library: loaded by name on first use, from the
// folder this library sits in (the program folder), and kept until the process ends. A
// failed load leaves everything empty, so the next call tries again.
#include "platform/dplay/DPlay.h"

#include <string>

namespace kvdplay {

struct DirectPlayEntries {
    platform::dplay::DirectPlayCreateFn create = nullptr;
    platform::dplay::DirectPlayEnumerateFn enumerate = nullptr;
};

// Loads the library when it is not loaded yet and answers the two entry points (each empty
// when the library or the entry is missing).
DirectPlayEntries LoadDirectPlay();

// The file LoadDirectPlay opens: libdplay.so beside the library that holds this code.
std::string directPlayLibraryPath();

// For tests and tools: load from this file instead (empty: the default), forgetting any binding
// made so far. The old library stays loaded, as objects from it may still live.
void setDirectPlayLibraryPath(const std::string& path);
// For tests: use these entry points as if they had been loaded.
void setDirectPlayEntries(const DirectPlayEntries& entries);

} // namespace kvdplay
