#pragma once
// The game's side of the network library: its two creatable objects made by class name, text
// to and from the library's strings, and the fields of a system message read by name. Every
// other object comes from the members of these.
#include "engine/ObjectRef.h"
#include "kvdplay/Interfaces.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace netplay {

namespace com = platform::com;

inline constexpr const char16_t* GlobalProgId = u"kvDPLAY.kvDirectPlayGlobal";
inline constexpr const char16_t* SessionDescProgId = u"kvDPLAY.kvDPSESSIONDESC";

// A call of the network library that failed: its result and the error's name ("DPERR_NOSESSIONS").
class LanError : public std::runtime_error {
public:
    LanError(com::HRESULT hr, const std::string& name);
    com::HRESULT result() const { return m_result; }

private:
    com::HRESULT m_result;
};

// Throws LanError when hr is a failure, named from the thread's error information.
void check(com::HRESULT hr);

engine::ObjectRef<kvdplay::IkvDirectPlayGlobal> createGlobal();
engine::ObjectRef<kvdplay::IkvDPSESSIONDESC> createSessionDesc();

// Owns one string of the library for the length of a call.
class LanText {
public:
    explicit LanText(const std::string& utf8);
    ~LanText();
    LanText(const LanText&) = delete;
    LanText& operator=(const LanText&) = delete;
    com::BSTR get() const { return m_text; }

private:
    com::BSTR m_text;
};

// Takes a string handed out by the library and gives it back as UTF-8.
std::string takeText(com::BSTR text);

// One VARIANT held for the length of a call and cleared when it goes.
struct LanVariant {
    com::VARIANT v;
    LanVariant() { com::VariantInit(&v); }
    ~LanVariant() { com::VariantClear(&v); }
    LanVariant(const LanVariant&) = delete;
    LanVariant& operator=(const LanVariant&) = delete;
};

// Calls a member of an object by name through its late-bound interface, with at most one 32-bit
// argument; what it gives back lands in result. Throws LanError when there is no object, no such
// member, or the call fails.
void callByName(com::IDispatch* object, const char16_t* name, com::WORD flags, com::VARIANT* result,
                const com::LONG* argument = nullptr);

// A field of an object read by name through its late-bound interface: a number, or text.
std::int32_t readNumber(com::IDispatch* object, const char16_t* name);
std::string readText(com::IDispatch* object, const char16_t* name);
// A member that hands out an object (a collection, or one of its items when an index is given).
engine::ObjectRef<com::IDispatch> readObject(com::IDispatch* object, const char16_t* name,
                                             const com::LONG* index = nullptr);

} // namespace netplay
