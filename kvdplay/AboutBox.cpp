#include "kvdplay/AboutBox.h"

#include "kvdplay/Errors.h"

#include <cstdio>

namespace kvdplay {

namespace {

constexpr std::size_t kNameLimit = 128;
constexpr std::size_t kLineLimit = 256;

std::string text(UINT id) { return std::string(loadString(id).value_or("")); }

#if defined(__clang__) || defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
// The formats come from the string table; the buffer bounds what they can make.
std::string bounded(const std::string& format, const std::string& name, const FileVersion& v,
                    const std::string& debug, const std::string& preRelease)
{
    char line[kLineLimit];
    std::snprintf(line, sizeof line, format.c_str(), name.c_str(), int{v.parts[0]}, int{v.parts[1]},
                  int{v.parts[3]}, debug.c_str(), preRelease.c_str());
    return line;
}
std::string bounded(const std::string& format, const std::string& name)
{
    char line[kLineLimit];
    std::snprintf(line, sizeof line, format.c_str(), name.c_str());
    return line;
}
#if defined(__clang__) || defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

std::string controlName() { return text(103).substr(0, kNameLimit); }

} // namespace

FileVersion readVersion(const VersionRecord* record)
{
    FileVersion v;
    if (!record || record->signature != kVersionSignature)
        return v;
    v.present = true;
    v.parts[0] = static_cast<WORD>(record->fileVersionMS >> 16);
    v.parts[1] = static_cast<WORD>(record->fileVersionMS & 0xFFFF);
    v.parts[2] = static_cast<WORD>(record->fileVersionLS >> 16);
    v.parts[3] = static_cast<WORD>(record->fileVersionLS & 0xFFFF);
    const DWORD flags = record->fileFlags & record->fileFlagsMask;
    v.debug = flags & VS_FF_DEBUG;
    v.preRelease = flags & VS_FF_PRERELEASE;
    return v;
}

FileVersion libraryVersion() { return readVersion(versionRecord()); }

std::string aboutVersionLine(const std::string& name, const FileVersion& version)
{
    const FileVersion v = version.present ? version : FileVersion{};
    const std::string debug = v.present && v.debug ? text(202) : "";
    const std::string preRelease = v.present && v.preRelease ? text(203) : "";
    return bounded(text(201), name.substr(0, kNameLimit), v, debug, preRelease);
}

std::string aboutTitle(const std::string& name) { return bounded(text(200), name.substr(0, kNameLimit)); }

AboutContent aboutContent(const FileVersion& version)
{
    AboutContent c;
    c.name = controlName();
    c.title = aboutTitle(c.name);
    c.versionLine = aboutVersionLine(c.name, version);
    c.webAddress = kWebAddress;
    c.blocks[0] = "Carries a network game's session GUID on a form.";
    c.blocks[1] = "Part of kvDirectPlay: service providers, sessions, players and messages as automation objects.";
    c.blocks[2] = "The control is invisible while the program runs.";
    c.blocks[3] = "Written for Tessarine by its developers.";
    c.blocks[4] = "News and help on the web:";
    return c;
}

} // namespace kvdplay
