#include "kvdplay/VariantBuffer.h"

#include <cstring>

namespace kvdplay {

namespace {

constexpr VARTYPE kRefusedBits = VT_VECTOR | VT_BYREF | VT_RESERVED;

// Bytes per element of the fixed-size types; 0 for the others.
UINT fixedSize(VARTYPE base)
{
    switch (base) {
    case VT_UI1: return 1;
    case VT_I2: case VT_BOOL: return 2;
    case VT_I4: case VT_R4: case VT_ERROR: return 4;
    case VT_R8: case VT_CY: case VT_DATE: return 8;
    default: return 0;
    }
}

// Whether a value of the type travels in the buffer at all, alone or as an array.
bool carried(VARTYPE vt)
{
    if (vt & kRefusedBits)
        return false;
    const bool isArray = vt & VT_ARRAY;
    switch (vt & VT_TYPEMASK) {
    case VT_EMPTY: case VT_NULL: return !isArray; // no array can hold nothing
    case VT_VARIANT: return isArray;
    case VT_BSTR: return true;
    default: return fixedSize(vt & VT_TYPEMASK) != 0;
    }
}

// Smallest number of bytes one element of the type occupies in the buffer.
UINT minimumElementBytes(VARTYPE base)
{
    if (base == VT_BSTR)
        return 4;
    if (base == VT_VARIANT)
        return 2;
    return fixedSize(base);
}

class Writer {
public:
    Writer(BYTE** cursor, std::uint64_t* size) : m_cursor(cursor), m_size(size) {}
    void put(const void* bytes, std::size_t count)
    {
        if (m_cursor && *m_cursor) {
            if (count)
                std::memcpy(*m_cursor, bytes, count);
            *m_cursor += count;
        } else {
            *m_size += count;
        }
    }
    void putWord(WORD w) { BYTE b[2] = {BYTE(w), BYTE(w >> 8)}; put(b, 2); }
    void putDword(DWORD d) { BYTE b[4] = {BYTE(d), BYTE(d >> 8), BYTE(d >> 16), BYTE(d >> 24)}; put(b, 4); }

private:
    BYTE** m_cursor;
    std::uint64_t* m_size;
};

HRESULT encodeStrings(Writer& out, const BSTR* items, std::uint64_t count)
{
    for (std::uint64_t i = 0; i < count; ++i) {
        if (!items[i])
            return E_INVALIDARG; // an absent string has no byte form
        const UINT length = SysStringByteLen(items[i]);
        out.putDword(length);
        out.put(items[i], length);
    }
    return S_OK;
}

HRESULT encodeValue(const VARIANT& value, Writer& out, int depth)
{
    const VARTYPE vt = value.vt;
    if (depth > kMaxBufferNesting || !carried(vt))
        return E_INVALIDARG;
    const VARTYPE base = vt & VT_TYPEMASK;
    const bool isArray = vt & VT_ARRAY;

    if (!isArray) {
        out.putWord(vt);
        if (base == VT_BSTR)
            return encodeStrings(out, &value.bstrVal, 1);
        out.put(&value.llVal, fixedSize(base)); // every fixed-size value starts the union
        return S_OK;
    }

    // An array: one dimension, with elements of the type the VARIANT claims.
    SAFEARRAY* array = value.parray;
    std::int64_t count = 0;
    HRESULT hr = vectorLength(array, &count);
    if (FAILED(hr))
        return hr;
    VARTYPE elementType = VT_EMPTY;
    if (FAILED(SafeArrayGetVartype(array, &elementType)) || elementType != base
        || SafeArrayGetElemsize(array) != elementSizeOf(base))
        return E_INVALIDARG;
    if (count < 0 || count > 0xFFFFFFFFll)
        return E_INVALIDARG;
    out.putWord(vt);
    out.putDword(static_cast<DWORD>(count));
    hr = SafeArrayLock(array);
    if (FAILED(hr))
        return hr;
    const auto n = static_cast<std::uint64_t>(count);
    if (base == VT_BSTR) {
        hr = encodeStrings(out, static_cast<const BSTR*>(array->pvData), n);
    } else if (base == VT_VARIANT) {
        const auto* items = static_cast<const VARIANT*>(array->pvData);
        for (std::uint64_t i = 0; i < n && SUCCEEDED(hr); ++i)
            hr = encodeValue(items[i], out, depth + 1);
    } else {
        out.put(array->pvData, n * fixedSize(base));
    }
    // A refusal inside the array still gives the lock back.
    const HRESULT unlocked = SafeArrayUnlock(array);
    return FAILED(hr) ? hr : unlocked;
}

class Reader {
public:
    Reader(const BYTE** cursor, DWORD* remaining) : m_cursor(cursor), m_remaining(remaining) {}
    bool has(std::uint64_t count) const { return count <= *m_remaining; }
    std::uint64_t left() const { return *m_remaining; }
    const BYTE* take(DWORD count)
    {
        const BYTE* at = *m_cursor;
        *m_cursor += count;
        *m_remaining -= count;
        return at;
    }
    WORD word() { const BYTE* b = take(2); return static_cast<WORD>(b[0] | (b[1] << 8)); }
    DWORD dword()
    {
        const BYTE* b = take(4);
        return DWORD{b[0]} | (DWORD{b[1]} << 8) | (DWORD{b[2]} << 16) | (DWORD{b[3]} << 24);
    }

private:
    const BYTE** m_cursor;
    DWORD* m_remaining;
};

HRESULT decodeString(Reader& in, BSTR* out)
{
    if (!in.has(4))
        return E_INVALIDARG;
    const DWORD length = in.dword();
    if (!in.has(length))
        return E_INVALIDARG;
    const BYTE* bytes = in.take(length);
    // An odd last byte is read past but is no character.
    *out = SysAllocStringByteLen(reinterpret_cast<const char*>(bytes), length & ~1u);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT decodeValue(Reader& in, VARIANT* out, int depth)
{
    VariantInit(out);
    if (depth > kMaxBufferNesting)
        return E_INVALIDARG;
    if (!in.has(2))
        return E_INVALIDARG;
    const VARTYPE vt = in.word();
    if (!carried(vt))
        return E_INVALIDARG;
    const VARTYPE base = vt & VT_TYPEMASK;
    const bool isArray = vt & VT_ARRAY;

    if (!isArray) {
        VARIANT made;
        VariantInit(&made);
        made.vt = vt;
        if (base == VT_BSTR) {
            const HRESULT hr = decodeString(in, &made.bstrVal);
            if (FAILED(hr))
                return hr;
        } else if (const UINT size = fixedSize(base)) {
            if (!in.has(size))
                return E_INVALIDARG;
            std::memcpy(&made.llVal, in.take(size), size);
        }
        *out = made;
        return S_OK;
    }

    if (!in.has(4))
        return E_INVALIDARG;
    const DWORD count = in.dword();
    // Every element takes some bytes, so a count the rest of the buffer cannot hold is a lie:
    // refuse it before allocating anything for it.
    if (std::uint64_t{count} * minimumElementBytes(base) > in.left())
        return E_INVALIDARG;
    SAFEARRAY* array = SafeArrayCreateVector(base, 0, count);
    if (!array)
        return E_OUTOFMEMORY;
    HRESULT hr = SafeArrayLock(array);
    if (SUCCEEDED(hr)) {
        if (base == VT_BSTR) {
            auto* items = static_cast<BSTR*>(array->pvData);
            for (DWORD i = 0; i < count && SUCCEEDED(hr); ++i)
                hr = decodeString(in, &items[i]);
        } else if (base == VT_VARIANT) {
            auto* items = static_cast<VARIANT*>(array->pvData);
            for (DWORD i = 0; i < count && SUCCEEDED(hr); ++i)
                hr = decodeValue(in, &items[i], depth + 1);
        } else {
            const std::uint64_t bytes = std::uint64_t{count} * fixedSize(base);
            if (!in.has(bytes))
                hr = E_INVALIDARG;
            else if (bytes)
                std::memcpy(array->pvData, in.take(static_cast<DWORD>(bytes)), bytes);
        }
        SafeArrayUnlock(array);
    }
    if (FAILED(hr)) {
        SafeArrayDestroy(array);
        return hr;
    }
    out->vt = vt;
    out->parray = array;
    return S_OK;
}

} // namespace

HRESULT EncodeVariantBuffer(const VARIANT& value, DWORD* size, BYTE** cursor, bool reset)
{
    const bool sizePass = !cursor || !*cursor;
    if (sizePass && !size)
        return E_POINTER;
    std::uint64_t measured = 0;
    Writer out(cursor, &measured);
    const HRESULT hr = encodeValue(value, out, 0);
    if (FAILED(hr))
        return hr;
    if (sizePass) {
        const std::uint64_t total = (reset ? 0 : *size) + measured;
        if (total > 0xFFFFFFFFull)
            return E_OUTOFMEMORY;
        *size = static_cast<DWORD>(total);
    }
    return S_OK;
}

HRESULT DecodeVariantBuffer(const BYTE** cursor, DWORD* remaining, VARIANT* out)
{
    if (!out)
        return E_POINTER;
    VariantInit(out);
    if (!cursor || !*cursor || !remaining)
        return E_INVALIDARG;
    Reader in(cursor, remaining);
    return decodeValue(in, out, 0);
}

HRESULT encodeVariantBuffer(const VARIANT& value, std::vector<BYTE>& bytes)
{
    DWORD size = 0;
    HRESULT hr = EncodeVariantBuffer(value, &size, nullptr, true);
    if (FAILED(hr))
        return hr;
    bytes.assign(size, 0);
    BYTE* cursor = bytes.data();
    BYTE* start = cursor;
    if (size == 0)
        return S_OK; // never happens: every value has its type word
    hr = EncodeVariantBuffer(value, &size, &cursor, false);
    if (SUCCEEDED(hr) && static_cast<DWORD>(cursor - start) != size)
        hr = E_FAIL;
    if (FAILED(hr))
        bytes.clear();
    return hr;
}

HRESULT decodeVariantBuffer(const BYTE* bytes, DWORD count, VARIANT* out)
{
    const BYTE* cursor = bytes;
    DWORD remaining = count;
    HRESULT hr = DecodeVariantBuffer(&cursor, &remaining, out);
    if (SUCCEEDED(hr) && remaining != 0) {
        VariantClear(out);
        hr = E_INVALIDARG;
    }
    return hr;
}

} // namespace kvdplay
