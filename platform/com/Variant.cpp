#include "platform/com/Variant.h"

#include "platform/com/Interfaces.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <string>

namespace platform::com {

namespace {

// A string is kept as [4-byte byte length][bytes][two zero bytes], the handle pointing at the bytes.
constexpr std::size_t kPrefix = sizeof(std::uint32_t);
constexpr std::size_t kMaxStringBytes = 0x7FFFFFF0u;

BSTR allocBytes(const void* bytes, std::size_t byteLength)
{
    if (byteLength > kMaxStringBytes)
        return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(kPrefix + byteLength + 2 + 1));
    if (!block)
        return nullptr;
    const auto length = static_cast<std::uint32_t>(byteLength);
    std::memcpy(block, &length, kPrefix);
    if (bytes)
        std::memcpy(block + kPrefix, bytes, byteLength);
    else
        std::memset(block + kPrefix, 0, byteLength);
    std::memset(block + kPrefix + byteLength, 0, 3);
    return reinterpret_cast<BSTR>(block + kPrefix);
}

std::size_t textLength(const OLECHAR* text)
{
    std::size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

} // namespace

BSTR SysAllocString(const OLECHAR* text)
{
    if (!text)
        return nullptr;
    return allocBytes(text, textLength(text) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length)
{
    if (length > kMaxStringBytes / 2)
        return nullptr;
    return allocBytes(text, std::size_t{length} * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(const char* bytes, UINT byteLength)
{
    return allocBytes(bytes, byteLength);
}

void SysFreeString(BSTR text)
{
    if (text)
        std::free(reinterpret_cast<unsigned char*>(text) - kPrefix);
}

UINT SysStringByteLen(BSTR text)
{
    if (!text)
        return 0;
    std::uint32_t length;
    std::memcpy(&length, reinterpret_cast<unsigned char*>(text) - kPrefix, kPrefix);
    return length;
}

UINT SysStringLen(BSTR text) { return SysStringByteLen(text) / 2; }

void* CoTaskMemAlloc(std::size_t size) { return std::malloc(size ? size : 1); }
void CoTaskMemFree(void* block) { std::free(block); }

// --- VARIANTs -------------------------------------------------------------------------

void VariantInit(VARIANT* v)
{
    std::memset(v, 0, sizeof(VARIANT));
    v->vt = VT_EMPTY;
}

HRESULT VariantClear(VARIANT* v)
{
    if (!v)
        return E_INVALIDARG;
    const VARTYPE vt = v->vt;
    if (vt & VT_BYREF) {
        // By reference the VARIANT owns nothing.
    } else if (vt & VT_ARRAY) {
        if (v->parray) {
            const HRESULT hr = SafeArrayDestroy(v->parray);
            if (FAILED(hr))
                return hr;
        }
    } else if (vt == VT_BSTR) {
        SysFreeString(v->bstrVal);
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        if (v->punkVal)
            v->punkVal->Release();
    }
    VariantInit(v);
    return S_OK;
}

HRESULT VariantCopy(VARIANT* dest, const VARIANT* source)
{
    if (!dest || !source)
        return E_INVALIDARG;
    if (dest == source)
        return S_OK;
    VARIANT made;
    VariantInit(&made);
    made.vt = source->vt;
    made.llVal = source->llVal;
    const VARTYPE vt = source->vt;
    if (vt & VT_BYREF) {
        // A reference stays a reference.
    } else if (vt & VT_ARRAY) {
        made.parray = nullptr;
        if (source->parray) {
            const HRESULT hr = SafeArrayCopy(source->parray, &made.parray);
            if (FAILED(hr))
                return hr;
        }
    } else if (vt == VT_BSTR) {
        if (source->bstrVal) {
            made.bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(source->bstrVal),
                                                 SysStringByteLen(source->bstrVal));
            if (!made.bstrVal)
                return E_OUTOFMEMORY;
        }
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        if (made.punkVal)
            made.punkVal->AddRef();
    }
    const HRESULT hr = VariantClear(dest);
    if (FAILED(hr)) {
        VariantClear(&made);
        return hr;
    }
    *dest = made;
    return S_OK;
}

HRESULT VariantCopyInd(VARIANT* dest, const VARIANT* source)
{
    if (!dest || !source)
        return E_INVALIDARG;
    if (!(source->vt & VT_BYREF))
        return VariantCopy(dest, source);
    if (!source->byref)
        return E_INVALIDARG;
    VARIANT value;
    VariantInit(&value);
    const VARTYPE base = source->vt & ~VT_BYREF;
    if (base == VT_VARIANT)
        return VariantCopyInd(dest, source->pvarVal);
    value.vt = base;
    if (base & VT_ARRAY) {
        value.parray = *source->pparray;
    } else {
        switch (base) {
        case VT_I2: value.iVal = *source->piVal; break;
        case VT_I4: case VT_ERROR: value.lVal = *source->plVal; break;
        case VT_R4: value.fltVal = *source->pfltVal; break;
        case VT_R8: case VT_DATE: value.dblVal = *source->pdblVal; break;
        case VT_CY: value.cyVal = *source->pcyVal; break;
        case VT_BSTR: value.bstrVal = *source->pbstrVal; break;
        case VT_BOOL: value.boolVal = *source->pboolVal; break;
        case VT_UI1: value.bVal = *source->pbVal; break;
        case VT_DISPATCH: case VT_UNKNOWN: value.punkVal = *source->ppunkVal; break;
        default: return DISP_E_BADVARTYPE;
        }
    }
    // value borrows the referenced data; VariantCopy makes the owned copy.
    return VariantCopy(dest, &value);
}

namespace {

bool numberOf(const VARIANT& v, double& out)
{
    switch (v.vt) {
    case VT_I2: out = v.iVal; return true;
    case VT_I4: case VT_ERROR: out = v.lVal; return true;
    case VT_R4: out = v.fltVal; return true;
    case VT_R8: case VT_DATE: out = v.dblVal; return true;
    case VT_CY: out = static_cast<double>(v.cyVal.int64) / 10000.0; return true;
    case VT_BOOL: out = v.boolVal ? -1 : 0; return true;
    case VT_UI1: out = v.bVal; return true;
    case VT_EMPTY: out = 0; return true;
    case VT_BSTR: {
        std::string ascii;
        for (UINT i = 0; i < SysStringLen(v.bstrVal); ++i) {
            const OLECHAR c = v.bstrVal[i];
            if (c > 0x7F)
                return false;
            ascii.push_back(static_cast<char>(c));
        }
        const auto first = ascii.find_first_not_of(' ');
        const auto last = ascii.find_last_not_of(' ');
        if (first == std::string::npos)
            return false;
        ascii = ascii.substr(first, last - first + 1);
        char* end = nullptr;
        out = std::strtod(ascii.c_str(), &end);
        return end && *end == '\0' && std::isfinite(out);
    }
    default: return false;
    }
}

// Rounds half to even, the way automation converts numbers to integers.
bool toInteger(double value, double low, double high, std::int64_t& out)
{
    const double r = std::nearbyint(value);
    if (!(r >= low && r <= high))
        return false;
    out = static_cast<std::int64_t>(r);
    return true;
}

BSTR textOfNumber(const VARIANT& v)
{
    std::string text;
    switch (v.vt) {
    case VT_I2: text = std::to_string(v.iVal); break;
    case VT_I4: text = std::to_string(v.lVal); break;
    case VT_UI1: text = std::to_string(v.bVal); break;
    case VT_BOOL: text = v.boolVal ? "True" : "False"; break;
    case VT_R4: case VT_R8: {
        const double d = v.vt == VT_R4 ? v.fltVal : v.dblVal;
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.15g", d);
        text = buffer;
        break;
    }
    case VT_EMPTY: break;
    default: return nullptr;
    }
    std::u16string wide(text.begin(), text.end());
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

} // namespace

HRESULT VariantChangeType(VARIANT* dest, const VARIANT* source, USHORT, VARTYPE vt)
{
    if (!dest || !source)
        return E_INVALIDARG;
    VARIANT src;
    VariantInit(&src);
    HRESULT hr = VariantCopyInd(&src, source);
    if (FAILED(hr))
        return hr;
    VARIANT made;
    VariantInit(&made);
    hr = S_OK;
    if (src.vt == vt) {
        made = src;
        VariantInit(&src);
    } else if (vt == VT_BSTR) {
        made.vt = VT_BSTR;
        made.bstrVal = textOfNumber(src);
        if (!made.bstrVal)
            hr = src.vt == VT_NULL || src.vt & VT_ARRAY || src.vt == VT_DISPATCH || src.vt == VT_UNKNOWN
                ? DISP_E_TYPEMISMATCH
                : E_OUTOFMEMORY;
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        if ((src.vt == VT_DISPATCH || src.vt == VT_UNKNOWN) && src.punkVal) {
            made.vt = vt;
            hr = src.punkVal->QueryInterface(vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown,
                                             reinterpret_cast<void**>(&made.punkVal));
            if (FAILED(hr)) {
                VariantInit(&made);
                hr = DISP_E_TYPEMISMATCH;
            }
        } else if ((src.vt == VT_DISPATCH || src.vt == VT_UNKNOWN || src.vt == VT_EMPTY) && !src.punkVal) {
            made.vt = vt; // Nothing: an absent object.
        } else {
            hr = DISP_E_TYPEMISMATCH;
        }
    } else {
        double number = 0;
        std::int64_t whole = 0;
        if (!numberOf(src, number)) {
            hr = DISP_E_TYPEMISMATCH;
        } else {
            made.vt = vt;
            switch (vt) {
            case VT_I2:
                if (toInteger(number, -32768.0, 32767.0, whole)) made.iVal = static_cast<SHORT>(whole);
                else hr = DISP_E_OVERFLOW;
                break;
            case VT_I4: case VT_ERROR:
                if (toInteger(number, -2147483648.0, 2147483647.0, whole)) made.lVal = static_cast<LONG>(whole);
                else hr = DISP_E_OVERFLOW;
                break;
            case VT_UI1:
                if (toInteger(number, 0.0, 255.0, whole)) made.bVal = static_cast<BYTE>(whole);
                else hr = DISP_E_OVERFLOW;
                break;
            case VT_BOOL: made.boolVal = number != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
            case VT_R4: made.fltVal = static_cast<float>(number); break;
            case VT_R8: case VT_DATE: made.dblVal = number; break;
            case VT_CY: made.cyVal.int64 = static_cast<std::int64_t>(std::nearbyint(number * 10000.0)); break;
            default: hr = DISP_E_TYPEMISMATCH; break;
            }
            if (FAILED(hr))
                VariantInit(&made);
        }
    }
    VariantClear(&src);
    if (FAILED(hr))
        return hr;
    hr = VariantClear(dest);
    if (FAILED(hr)) {
        VariantClear(&made);
        return hr;
    }
    *dest = made;
    return S_OK;
}

// --- SAFEARRAYs -----------------------------------------------------------------------

namespace {

// The element type sits in a small header just before the array descriptor.
struct alignas(16) ArrayHeader {
    VARTYPE vt;
};

ArrayHeader* headerOf(SAFEARRAY* array)
{
    return reinterpret_cast<ArrayHeader*>(reinterpret_cast<unsigned char*>(array) - sizeof(ArrayHeader));
}

std::uint64_t elementCount(const SAFEARRAY* array)
{
    std::uint64_t count = 1;
    for (USHORT d = 0; d < array->cDims; ++d)
        count *= array->rgsabound[d].cElements;
    return count;
}

constexpr std::uint64_t kMaxArrayBytes = std::uint64_t{1} << 31;

void releaseElements(SAFEARRAY* array, VARTYPE vt)
{
    const std::uint64_t count = elementCount(array);
    if (!array->pvData)
        return;
    if (vt == VT_BSTR) {
        auto* items = static_cast<BSTR*>(array->pvData);
        for (std::uint64_t i = 0; i < count; ++i)
            SysFreeString(items[i]);
    } else if (vt == VT_VARIANT) {
        auto* items = static_cast<VARIANT*>(array->pvData);
        for (std::uint64_t i = 0; i < count; ++i)
            VariantClear(&items[i]);
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        auto* items = static_cast<IUnknown**>(array->pvData);
        for (std::uint64_t i = 0; i < count; ++i)
            if (items[i])
                items[i]->Release();
    }
}

// Position of an element from indices (first dimension first); false when out of bounds.
bool offsetOf(SAFEARRAY* array, const LONG* indices, std::uint64_t& offset)
{
    offset = 0;
    std::uint64_t stride = 1;
    // The runtime keeps the bounds of the last dimension first.
    for (USHORT d = 0; d < array->cDims; ++d) {
        const SAFEARRAYBOUND& bound = array->rgsabound[array->cDims - 1 - d];
        const std::int64_t rel = std::int64_t{indices[d]} - bound.lLbound;
        if (rel < 0 || rel >= std::int64_t{bound.cElements})
            return false;
        offset += static_cast<std::uint64_t>(rel) * stride;
        stride *= bound.cElements;
    }
    return true;
}

} // namespace

UINT elementSizeOf(VARTYPE vt)
{
    switch (vt) {
    case VT_I2: case VT_BOOL: case VT_UI2: return 2;
    case VT_I4: case VT_R4: case VT_ERROR: case VT_UI4: case VT_INT: case VT_UINT: return 4;
    case VT_R8: case VT_CY: case VT_DATE: case VT_I8: case VT_UI8: return 8;
    case VT_I1: case VT_UI1: return 1;
    case VT_BSTR: return sizeof(BSTR);
    case VT_DISPATCH: case VT_UNKNOWN: return sizeof(IUnknown*);
    case VT_VARIANT: return sizeof(VARIANT);
    default: return 0;
    }
}

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, const SAFEARRAYBOUND* bounds)
{
    const UINT elemSize = elementSizeOf(vt);
    if (elemSize == 0 || dims == 0 || dims > 60 || !bounds)
        return nullptr;
    std::uint64_t count = 1;
    for (UINT d = 0; d < dims; ++d) {
        count *= bounds[d].cElements;
        if (count * elemSize > kMaxArrayBytes)
            return nullptr;
    }
    const std::size_t descriptor = sizeof(SAFEARRAY) + (dims - 1) * sizeof(SAFEARRAYBOUND);
    auto* block = static_cast<unsigned char*>(std::calloc(1, sizeof(ArrayHeader) + descriptor));
    if (!block)
        return nullptr;
    auto* array = reinterpret_cast<SAFEARRAY*>(block + sizeof(ArrayHeader));
    headerOf(array)->vt = vt;
    array->cDims = static_cast<USHORT>(dims);
    array->cbElements = elemSize;
    array->fFeatures = FADF_HAVEVARTYPE
        | (vt == VT_BSTR ? FADF_BSTR : vt == VT_VARIANT ? FADF_VARIANT : vt == VT_DISPATCH ? FADF_DISPATCH
           : vt == VT_UNKNOWN ? FADF_UNKNOWN : 0);
    // bounds are given first dimension first; kept last dimension first.
    for (UINT d = 0; d < dims; ++d)
        array->rgsabound[dims - 1 - d] = bounds[d];
    array->pvData = std::calloc(count ? count : 1, elemSize);
    if (!array->pvData) {
        std::free(block);
        return nullptr;
    }
    return array;
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements)
{
    SAFEARRAYBOUND bound{elements, lowerBound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY* array)
{
    if (!array)
        return S_OK;
    if (array->cLocks)
        return DISP_E_ARRAYISLOCKED;
    releaseElements(array, headerOf(array)->vt);
    std::free(array->pvData);
    std::free(headerOf(array));
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* array)
{
    if (!array)
        return E_INVALIDARG;
    if (array->cLocks == 0xFFFF)
        return E_UNEXPECTED;
    ++array->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* array)
{
    if (!array)
        return E_INVALIDARG;
    if (array->cLocks == 0)
        return E_UNEXPECTED;
    --array->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data)
{
    if (!array || !data)
        return E_INVALIDARG;
    const HRESULT hr = SafeArrayLock(array);
    if (FAILED(hr))
        return hr;
    *data = array->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) { return SafeArrayUnlock(array); }

UINT SafeArrayGetDim(SAFEARRAY* array) { return array ? array->cDims : 0; }
UINT SafeArrayGetElemsize(SAFEARRAY* array) { return array ? array->cbElements : 0; }

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound)
{
    if (!array || !bound)
        return E_INVALIDARG;
    if (dim < 1 || dim > array->cDims)
        return DISP_E_BADINDEX;
    *bound = array->rgsabound[array->cDims - dim].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound)
{
    if (!array || !bound)
        return E_INVALIDARG;
    if (dim < 1 || dim > array->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& b = array->rgsabound[array->cDims - dim];
    *bound = static_cast<LONG>(std::int64_t{b.lLbound} + std::int64_t{b.cElements} - 1);
    return S_OK;
}

HRESULT vectorLength(SAFEARRAY* array, std::int64_t* count)
{
    if (!count)
        return E_POINTER;
    if (!array || SafeArrayGetDim(array) != 1)
        return E_INVALIDARG;
    LONG low = 0;
    LONG high = 0;
    HRESULT hr = SafeArrayGetLBound(array, 1, &low);
    if (SUCCEEDED(hr))
        hr = SafeArrayGetUBound(array, 1, &high);
    if (FAILED(hr))
        return hr;
    *count = std::int64_t{high} - low + 1;
    return S_OK;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt)
{
    if (!array || !vt)
        return E_INVALIDARG;
    *vt = headerOf(array)->vt;
    return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, const LONG* indices, void* value)
{
    if (!array || !indices)
        return E_INVALIDARG;
    std::uint64_t offset = 0;
    if (!offsetOf(array, indices, offset))
        return DISP_E_BADINDEX;
    const VARTYPE vt = headerOf(array)->vt;
    void* slot = static_cast<unsigned char*>(array->pvData) + offset * array->cbElements;
    if (vt == VT_BSTR) {
        auto* text = static_cast<BSTR>(value);
        BSTR copy = nullptr;
        if (text) {
            copy = SysAllocStringByteLen(reinterpret_cast<const char*>(text), SysStringByteLen(text));
            if (!copy)
                return E_OUTOFMEMORY;
        }
        SysFreeString(*static_cast<BSTR*>(slot));
        *static_cast<BSTR*>(slot) = copy;
    } else if (vt == VT_VARIANT) {
        return VariantCopy(static_cast<VARIANT*>(slot), static_cast<VARIANT*>(value));
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        auto* object = static_cast<IUnknown*>(value);
        if (object)
            object->AddRef();
        if (*static_cast<IUnknown**>(slot))
            (*static_cast<IUnknown**>(slot))->Release();
        *static_cast<IUnknown**>(slot) = object;
    } else {
        std::memcpy(slot, value, array->cbElements);
    }
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, const LONG* indices, void* value)
{
    if (!array || !indices || !value)
        return E_INVALIDARG;
    std::uint64_t offset = 0;
    if (!offsetOf(array, indices, offset))
        return DISP_E_BADINDEX;
    const VARTYPE vt = headerOf(array)->vt;
    void* slot = static_cast<unsigned char*>(array->pvData) + offset * array->cbElements;
    if (vt == VT_BSTR) {
        BSTR text = *static_cast<BSTR*>(slot);
        BSTR copy = nullptr;
        if (text) {
            copy = SysAllocStringByteLen(reinterpret_cast<const char*>(text), SysStringByteLen(text));
            if (!copy)
                return E_OUTOFMEMORY;
        }
        *static_cast<BSTR*>(value) = copy;
    } else if (vt == VT_VARIANT) {
        VariantInit(static_cast<VARIANT*>(value));
        return VariantCopy(static_cast<VARIANT*>(value), static_cast<VARIANT*>(slot));
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        IUnknown* object = *static_cast<IUnknown**>(slot);
        if (object)
            object->AddRef();
        *static_cast<IUnknown**>(value) = object;
    } else {
        std::memcpy(value, slot, array->cbElements);
    }
    return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* source, SAFEARRAY** copy)
{
    if (!source || !copy)
        return E_INVALIDARG;
    *copy = nullptr;
    const VARTYPE vt = headerOf(source)->vt;
    SAFEARRAYBOUND bounds[60];
    for (USHORT d = 0; d < source->cDims; ++d)
        bounds[d] = source->rgsabound[source->cDims - 1 - d];
    SAFEARRAY* made = SafeArrayCreate(vt, source->cDims, bounds);
    if (!made)
        return E_OUTOFMEMORY;
    const std::uint64_t count = elementCount(source);
    if (vt == VT_BSTR) {
        auto* from = static_cast<BSTR*>(source->pvData);
        auto* to = static_cast<BSTR*>(made->pvData);
        for (std::uint64_t i = 0; i < count; ++i) {
            if (!from[i])
                continue;
            to[i] = SysAllocStringByteLen(reinterpret_cast<const char*>(from[i]), SysStringByteLen(from[i]));
            if (!to[i]) {
                SafeArrayDestroy(made);
                return E_OUTOFMEMORY;
            }
        }
    } else if (vt == VT_VARIANT) {
        auto* from = static_cast<VARIANT*>(source->pvData);
        auto* to = static_cast<VARIANT*>(made->pvData);
        for (std::uint64_t i = 0; i < count; ++i) {
            const HRESULT hr = VariantCopy(&to[i], &from[i]);
            if (FAILED(hr)) {
                SafeArrayDestroy(made);
                return hr;
            }
        }
    } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
        auto* from = static_cast<IUnknown**>(source->pvData);
        auto* to = static_cast<IUnknown**>(made->pvData);
        for (std::uint64_t i = 0; i < count; ++i) {
            to[i] = from[i];
            if (to[i])
                to[i]->AddRef();
        }
    } else if (count) {
        std::memcpy(made->pvData, source->pvData, count * source->cbElements);
    }
    *copy = made;
    return S_OK;
}

} // namespace platform::com
