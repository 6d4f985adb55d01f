// The version record the build writes into the library: the project's version and the flags
// of the build type (see CMakeLists.txt).
#include "kvdplay/AboutBox.h"

namespace kvdplay {

namespace {

constexpr VersionRecord kRecord{
    kVersionSignature,
    (DWORD{KVDPLAY_VERSION_MAJOR} << 16) | DWORD{KVDPLAY_VERSION_MINOR},
    (DWORD{KVDPLAY_VERSION_PATCH} << 16) | DWORD{KVDPLAY_VERSION_TWEAK},
    VS_FF_DEBUG | VS_FF_PRERELEASE,
    KVDPLAY_VERSION_FLAGS,
};

} // namespace

const VersionRecord* versionRecord() { return &kRecord; }

} // namespace kvdplay
