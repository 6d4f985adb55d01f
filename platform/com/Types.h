#pragma once
// The fixed-size types of our small automation runtime. Sizes match what the library's
// binary formats and records expect on 64-bit Linux: LONG, ULONG, DWORD and HRESULT are
// 32 bits wide whatever the platform's long is.
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace platform::com {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using INT = std::int32_t;
using UINT = std::uint32_t;
using BOOL = std::int32_t;
using HRESULT = std::int32_t;
using LCID = std::uint32_t;
using DISPID = std::int32_t;
using MEMBERID = DISPID;
using OLECHAR = char16_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
using SCODE = std::int32_t;
using DATE = double;

inline constexpr BOOL TRUE_ = 1;
inline constexpr BOOL FALSE_ = 0;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

// A globally unique identifier; Data1..Data3 are native integers, Data4 is bytes in order.
struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
static_assert(sizeof(GUID) == 16, "a GUID is 16 bytes");

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline bool operator==(const GUID& a, const GUID& b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }
inline bool operator<(const GUID& a, const GUID& b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) < 0;
}
inline bool IsEqualGUID(REFGUID a, REFGUID b) { return a == b; }
inline bool IsEqualIID(REFIID a, REFIID b) { return a == b; }
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b) { return a == b; }

inline constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr IID IID_NULL = GUID_NULL;

constexpr HRESULT MAKE_HRESULT(unsigned severity, unsigned facility, unsigned code)
{
    return static_cast<HRESULT>((static_cast<std::uint32_t>(severity) << 31)
                                | (static_cast<std::uint32_t>(facility) << 16)
                                | static_cast<std::uint32_t>(code & 0xFFFFu));
}
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
constexpr unsigned HRESULT_CODE(HRESULT hr) { return static_cast<std::uint32_t>(hr) & 0xFFFFu; }
constexpr unsigned HRESULT_FACILITY(HRESULT hr) { return (static_cast<std::uint32_t>(hr) >> 16) & 0x1FFFu; }

inline constexpr unsigned SEVERITY_SUCCESS = 0;
inline constexpr unsigned SEVERITY_ERROR = 1;
inline constexpr unsigned FACILITY_NULL = 0;
inline constexpr unsigned FACILITY_DISPATCH = 2;
inline constexpr unsigned FACILITY_ITF = 4;
inline constexpr unsigned FACILITY_WIN32 = 7;
inline constexpr unsigned FACILITY_CONTROL = 10;

constexpr HRESULT hr32(std::uint32_t v) { return static_cast<HRESULT>(v); }

inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = hr32(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = hr32(0x80004002u);
inline constexpr HRESULT E_POINTER = hr32(0x80004003u);
inline constexpr HRESULT E_ABORT = hr32(0x80004004u);
inline constexpr HRESULT E_FAIL = hr32(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = hr32(0x8000FFFFu);
inline constexpr HRESULT E_ACCESSDENIED = hr32(0x80070005u);
inline constexpr HRESULT E_HANDLE = hr32(0x80070006u);
inline constexpr HRESULT E_OUTOFMEMORY = hr32(0x8007000Eu);
inline constexpr HRESULT E_INVALIDARG = hr32(0x80070057u);

inline constexpr HRESULT CLASS_E_NOAGGREGATION = hr32(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = hr32(0x80040111u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = hr32(0x80040154u);
inline constexpr HRESULT REGDB_E_READREGDB = hr32(0x80040150u);
inline constexpr HRESULT REGDB_E_WRITEREGDB = hr32(0x80040151u);
inline constexpr HRESULT CO_E_CLASSSTRING = hr32(0x800401F3u);
inline constexpr HRESULT CO_E_DLLNOTFOUND = hr32(0x800401F8u);
inline constexpr HRESULT CO_E_ERRORINDLL = hr32(0x800401F9u);
inline constexpr HRESULT SELFREG_E_CLASS = hr32(0x80040201u);
inline constexpr HRESULT SELFREG_E_TYPELIB = hr32(0x80040200u);
inline constexpr HRESULT CONNECT_E_NOCONNECTION = hr32(0x80040200u);
inline constexpr HRESULT CONNECT_E_ADVISELIMIT = hr32(0x80040201u);
inline constexpr HRESULT CONNECT_E_CANNOTCONNECT = hr32(0x80040202u);

inline constexpr HRESULT DISP_E_UNKNOWNINTERFACE = hr32(0x80020001u);
inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = hr32(0x80020003u);
inline constexpr HRESULT DISP_E_PARAMNOTFOUND = hr32(0x80020004u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = hr32(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = hr32(0x80020006u);
inline constexpr HRESULT DISP_E_NONAMEDARGS = hr32(0x80020007u);
inline constexpr HRESULT DISP_E_BADVARTYPE = hr32(0x80020008u);
inline constexpr HRESULT DISP_E_EXCEPTION = hr32(0x80020009u);
inline constexpr HRESULT DISP_E_OVERFLOW = hr32(0x8002000Au);
inline constexpr HRESULT DISP_E_BADINDEX = hr32(0x8002000Bu);
inline constexpr HRESULT DISP_E_UNKNOWNLCID = hr32(0x8002000Cu);
inline constexpr HRESULT DISP_E_ARRAYISLOCKED = hr32(0x8002000Du);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = hr32(0x8002000Eu);
inline constexpr HRESULT DISP_E_PARAMNOTOPTIONAL = hr32(0x8002000Fu);
inline constexpr HRESULT DISP_E_BADCALLEE = hr32(0x80020010u);
inline constexpr HRESULT DISP_E_NOTACOLLECTION = hr32(0x80020011u);
inline constexpr HRESULT DISP_E_DIVBYZERO = hr32(0x80020012u);

inline constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = hr32(0x8002802Bu);
inline constexpr HRESULT TYPE_E_LIBNOTREGISTERED = hr32(0x8002801Du);

} // namespace platform::com
