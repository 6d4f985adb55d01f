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

// The version this library was built as.
FileVersion libraryVersion();

// "kvPlay Control, Version 1.0.4" (with " (Debug)" and " (pre-release)" as flagged).
std::string aboutVersionLine(const std::string& name, const FileVersion& version);
// "About kvPlay".
std::string aboutTitle(const std::string& name);
// Everything the box shows, for the control named by string 103.
AboutContent aboutContent(const FileVersion& version);

inline constexpr char kWebAddress[] = "https://tessarine.example.org/kvdplay/";

} // namespace kvdplay
