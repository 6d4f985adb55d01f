#include "kvdplay/GuidText.h"

#include "platform/com/Guid.h"

#include <cstring>

namespace kvdplay {

HRESULT GuidToText(REFGUID guid, BSTR* text)
{
    if (!text)
        return E_POINTER;
    const std::string plain = guidToPlainText(guid, true);
    const std::u16string wide(plain.begin(), plain.end());
    *text = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *text ? S_OK : E_OUTOFMEMORY;
}

HRESULT GuidFromText(BSTR text, GUID* guid)
{
    if (!guid)
        return E_POINTER;
    const UINT length = SysStringLen(text);
    if (length == 0) {
        *guid = GUID_NULL;
        return S_OK;
    }
    const auto parsed = guidFromPlainText(std::u16string_view(text, length));
    if (!parsed)
        return E_INVALIDARG;
    *guid = *parsed;
    return S_OK;
}

HRESULT GuidFromVariant(const VARIANT& value, GUID* guid)
{
    if (!guid)
        return E_POINTER;
    if (value.vt == VT_BSTR)
        return GuidFromText(value.bstrVal, guid);
    if (value.vt != (VT_ARRAY | VT_UI1) || !value.parray)
        return E_INVALIDARG;
    SAFEARRAY* array = value.parray;
    std::int64_t count = 0;
    HRESULT hr = vectorLength(array, &count);
    if (FAILED(hr))
        return hr;
    if (count != 16)
        return E_INVALIDARG;
    void* data = nullptr;
    hr = SafeArrayAccessData(array, &data);
    if (FAILED(hr))
        return hr;
    std::memcpy(guid, data, sizeof(GUID));
    return SafeArrayUnaccessData(array);
}

} // namespace kvdplay
