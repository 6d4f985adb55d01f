#pragma once
// The library's one error path: every failing member leaves error information naming the
// failure (the DirectPlay error's name) and returns the failure unchanged.
#include "platform/com/Types.h"

#include <optional>
#include <string_view>

namespace kvdplay {

using namespace platform::com;

inline constexpr const char* kHelpFile = "kvdirect.hlp";

// DirectPlay's results, as the type library's constants give them.
constexpr HRESULT dpError(unsigned code) { return MAKE_HRESULT(1, 0x877, code); }
inline constexpr HRESULT DP_OK = 0;
inline constexpr HRESULT CO_E_NOTINITIALIZED = hr32(0x800401F0u);
inline constexpr HRESULT DPERR_ALREADYINITIALIZED = dpError(5);
inline constexpr HRESULT DPERR_ACCESSDENIED = dpError(10);
inline constexpr HRESULT DPERR_ACTIVEPLAYERS = dpError(20);
inline constexpr HRESULT DPERR_BUFFERTOOSMALL = dpError(30);
inline constexpr HRESULT DPERR_CANTADDPLAYER = dpError(40);
inline constexpr HRESULT DPERR_CANTCREATEGROUP = dpError(50);
inline constexpr HRESULT DPERR_CANTCREATEPLAYER = dpError(60);
inline constexpr HRESULT DPERR_CANTCREATESESSION = dpError(70);
inline constexpr HRESULT DPERR_CAPSNOTAVAILABLEYET = dpError(80);
inline constexpr HRESULT DPERR_EXCEPTION = dpError(90);
inline constexpr HRESULT DPERR_GENERIC = E_FAIL;
inline constexpr HRESULT DPERR_INVALIDFLAGS = dpError(120);
inline constexpr HRESULT DPERR_INVALIDOBJECT = dpError(130);
inline constexpr HRESULT DPERR_INVALIDPARAM = E_INVALIDARG;
inline constexpr HRESULT DPERR_INVALIDPLAYER = dpError(150);
inline constexpr HRESULT DPERR_NOCAPS = dpError(160);
inline constexpr HRESULT DPERR_NOCONNECTION = dpError(170);
inline constexpr HRESULT DPERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr HRESULT DPERR_NOMESSAGES = dpError(190);
inline constexpr HRESULT DPERR_NONAMESERVERFOUND = dpError(200);
inline constexpr HRESULT DPERR_NOPLAYERS = dpError(210);
inline constexpr HRESULT DPERR_NOSESSIONS = dpError(220);
inline constexpr HRESULT DPERR_SENDTOOBIG = dpError(230);
inline constexpr HRESULT DPERR_TIMEOUT = dpError(240);
inline constexpr HRESULT DPERR_UNAVAILABLE = dpError(250);
inline constexpr HRESULT DPERR_UNSUPPORTED = E_NOTIMPL;
inline constexpr HRESULT DPERR_BUSY = dpError(270);
inline constexpr HRESULT DPERR_USERCANCEL = dpError(280);

// The library's string table: error names by error number, and the frame's texts.
std::optional<std::string_view> loadString(UINT id);

// The error number (and help context) of a result: its low word plus 1000 times the low four
// bits of its facility.
UINT errorNumber(HRESULT hr);

// Sets the thread's error information for hr as reported by the class reportingClass and
// returns hr unchanged.
HRESULT ReportError(HRESULT hr, REFCLSID reportingClass);

} // namespace kvdplay
