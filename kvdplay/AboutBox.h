#pragma once
// The About box's texts: the control's name and the library's own version, formatted into
// bounded buffers.
#include "kvdplay/ControlUi.h"

namespace kvdplay {

// The library's version as a file-version record carries it: four parts and two flags.
struct FileVersion {
    bool present = false;
    WORD parts[4] = {0, 0, 0, 0}; // 1.0.0.4
    bool debug = false;
    bool preRelease = false;
};

// The library's version record as the build writes it: the file version in two words (major
// and minor in the most significant one, the third and fourth parts in the other) and flags.
struct VersionRecord {
    DWORD signature;
    DWORD fileVersionMS;
    DWORD fileVersionLS;
    DWORD fileFlagsMask;
    DWORD fileFlags;
};
inline constexpr DWORD kVersionSignature = 0xFEEF04BD;
enum : DWORD { VS_FF_DEBUG = 0x1, VS_FF_PRERELEASE = 0x2 };

// The record this library was built with; null when it carries none.
const VersionRecord* versionRecord();
// The version a record gives (none: all zero, no flags).
FileVersion readVersion(const VersionRecord* record);
// The version this library was built as: readVersion(versionRecord()).
FileVersion libraryVersion();

// "kvPlay Control, Version 1.0.4" (with " (Debug)" and " (pre-release)" as flagged).
std::string aboutVersionLine(const std::string& name, const FileVersion& version);
// "About kvPlay".
std::string aboutTitle(const std::string& name);
// Everything the box shows, for the control named by string 103.
AboutContent aboutContent(const FileVersion& version);

inline constexpr char kWebAddress[] = "https://tessarine.example.org/kvdplay/";

} // namespace kvdplay
