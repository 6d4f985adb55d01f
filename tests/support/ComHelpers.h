#pragma once
// Small owners for the automation runtime's values in tests: strings, VARIANTs, objects, and a
// registry file of the test's own.
#include "platform/com/ErrorInfo.h"
#include "platform/com/Interfaces.h"
#include "tests/support/TempDir.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

namespace com = platform::com;

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::u16string_view text) : m_text(com::SysAllocStringLen(text.data(), static_cast<com::UINT>(text.size()))) {}
    static Bstr adopt(com::BSTR text) { Bstr b; b.m_text = text; return b; }
    ~Bstr() { com::SysFreeString(m_text); }
    Bstr(Bstr&& other) noexcept : m_text(std::exchange(other.m_text, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept { std::swap(m_text, other.m_text); return *this; }
    com::BSTR get() const { return m_text; }
    com::BSTR* out() { com::SysFreeString(m_text); m_text = nullptr; return &m_text; }
    std::u16string text() const { return m_text ? std::u16string(m_text, com::SysStringLen(m_text)) : std::u16string(); }

private:
    com::BSTR m_text = nullptr;
};

class Var {
public:
    Var() { com::VariantInit(&m_v); }
    ~Var() { com::VariantClear(&m_v); }
    Var(const Var&) = delete;
    Var& operator=(const Var&) = delete;
    static Var text(std::u16string_view s)
    {
        Var v;
        v.m_v.vt = com::VT_BSTR;
        v.m_v.bstrVal = com::SysAllocStringLen(s.data(), static_cast<com::UINT>(s.size()));
        return v;
    }
    static Var i4(com::LONG value) { Var v; v.m_v.vt = com::VT_I4; v.m_v.lVal = value; return v; }
    static Var bytes(const std::vector<com::BYTE>& bytes, com::LONG lowerBound = 0)
    {
        Var v;
        v.m_v.vt = com::VT_ARRAY | com::VT_UI1;
        v.m_v.parray = com::SafeArrayCreateVector(com::VT_UI1, lowerBound, static_cast<com::ULONG>(bytes.size()));
        if (!bytes.empty())
            std::memcpy(v.m_v.parray->pvData, bytes.data(), bytes.size());
        return v;
    }
    Var(Var&& other) noexcept : m_v(other.m_v) { com::VariantInit(&other.m_v); }
    Var& operator=(Var&& other) noexcept { std::swap(m_v, other.m_v); return *this; }
    com::VARIANT& get() { return m_v; }
    const com::VARIANT& get() const { return m_v; }
    com::VARIANT* ptr() { return &m_v; }
    std::u16string text() const { return m_v.vt == com::VT_BSTR && m_v.bstrVal ? std::u16string(m_v.bstrVal, com::SysStringLen(m_v.bstrVal)) : std::u16string(); }

private:
    com::VARIANT m_v;
};

// Holds one reference and gives it back at the end.
template <typename T>
class Ref {
public:
    Ref() = default;
    explicit Ref(T* p) : m_p(p) {}
    ~Ref() { reset(); }
    Ref(Ref&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept { std::swap(m_p, other.m_p); return *this; }
    void reset() { if (m_p) { m_p->Release(); m_p = nullptr; } }
    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    T** out() { reset(); return &m_p; }
    void** outVoid() { reset(); return reinterpret_cast<void**>(&m_p); }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// What one property getter of an automation object gives back (-1 or empty text when it gives nothing).
template <typename Object, typename Getter>
com::LONG longOf(Object& object, Getter getter)
{
    com::LONG v = -1;
    (object.*getter)(&v);
    return v;
}

template <typename Object, typename Getter>
std::u16string textOf(Object& object, Getter getter)
{
    Bstr v;
    (object.*getter)(v.out());
    return v.text();
}

// What the thread's error information said, taken out of its slot.
struct TakenError {
    bool present = false;
    com::GUID guid{};
    std::u16string source;
    std::u16string description;
    std::u16string helpFile;
    com::DWORD helpContext = 0;
    bool sourceSet = false;
};

inline TakenError takeError()
{
    TakenError e;
    com::IErrorInfo* info = nullptr;
    if (com::GetErrorInfo(0, &info) != com::S_OK || !info)
        return e;
    e.present = true;
    info->GetGUID(&e.guid);
    Bstr source, description, helpFile;
    info->GetSource(source.out());
    info->GetDescription(description.out());
    info->GetHelpFile(helpFile.out());
    info->GetHelpContext(&e.helpContext);
    e.sourceSet = source.get() != nullptr;
    e.source = source.text();
    e.description = description.text();
    e.helpFile = helpFile.text();
    info->Release();
    return e;
}

// Points the registry at a file in a scratch folder for the life of the object.
class ScopedRegistry {
public:
    ScopedRegistry()
    {
        if (const char* old = std::getenv("TESSARINE_REGISTRY"))
            m_previous = old;
        ::setenv("TESSARINE_REGISTRY", path().c_str(), 1);
    }
    ~ScopedRegistry()
    {
        if (m_previous)
            ::setenv("TESSARINE_REGISTRY", m_previous->c_str(), 1);
        else
            ::unsetenv("TESSARINE_REGISTRY");
    }
    std::string path() const { return (m_dir / "registry.txt").string(); }

private:
    TempDir m_dir;
    std::optional<std::string> m_previous;
};

} // namespace testing_support
