#include "kvdplay/SessionDesc.h"

#include "kvdplay/GuidText.h"
#include "platform/com/Text.h"

#include <cstring>

namespace kvdplay {

using namespace SessionDescField;

SessionDesc::SessionDesc()
{
    std::memset(m_record, 0, sizeof m_record);
    const DWORD size = kSessionDescSize;
    std::memcpy(m_record + dwSize, &size, 4);
}

void* SessionDesc::extraInterface(REFIID riid)
{
    return riid == IID_IkvStructAccess ? static_cast<IkvStructAccess*>(this) : nullptr;
}

HRESULT SessionDesc::GetStruct(void** address)
{
    if (!address)
        return E_POINTER;
    *address = m_record;
    return S_OK;
}

void SessionDesc::copyRecord(const void* record)
{
    std::memcpy(m_record, record, kSessionDescSize);
}

HRESULT SessionDesc::getLong(std::size_t offset, LONG* value) const
{
    if (!value)
        return E_POINTER;
    std::memcpy(value, m_record + offset, 4);
    return S_OK;
}

HRESULT SessionDesc::putLong(std::size_t offset, LONG value)
{
    std::memcpy(m_record + offset, &value, 4);
    return S_OK;
}

HRESULT SessionDesc::get_dwSize(LONG* value) { return getLong(dwSize, value); }

HRESULT SessionDesc::get_guidSession(VARIANT* value)
{
    if (!value)
        return E_POINTER;
    // The caller's VARIANT is an out value: whatever it held is not ours to free.
    VariantInit(value);
    GUID guid;
    std::memcpy(&guid, m_record + guidSession, sizeof guid);
    BSTR text = nullptr;
    const HRESULT hr = GuidToText(guid, &text);
    if (FAILED(hr))
        return report(hr);
    value->vt = VT_BSTR;
    value->bstrVal = text;
    return S_OK;
}

HRESULT SessionDesc::put_guidSession(VARIANT value)
{
    GUID guid;
    const HRESULT hr = GuidFromVariant(value, &guid);
    if (FAILED(hr))
        return report(hr);
    std::memcpy(m_record + guidSession, &guid, sizeof guid);
    return S_OK;
}

HRESULT SessionDesc::getText(std::size_t offset, std::size_t width, BSTR* value) const
{
    if (!value)
        return E_POINTER;
    *value = stringFromAnsi(reinterpret_cast<const char*>(m_record + offset), width);
    return *value ? S_OK : report(E_OUTOFMEMORY);
}

HRESULT SessionDesc::putText(std::size_t offset, std::size_t width, BSTR value, bool required)
{
    if (required && !value)
        return report(E_INVALIDARG);
    if (SysStringLen(value) >= width)
        return report(E_INVALIDARG);
    const auto bytes = ansiFromString(value);
    // One byte per character, but a character the 8-bit side cannot hold is refused too.
    if (!bytes || bytes->size() + 1 > width || bytes->find('\0') != std::string::npos)
        return report(E_INVALIDARG);
    // The whole field is cleared first, so nothing of an older, longer value stays behind.
    std::memset(m_record + offset, 0, width);
    std::memcpy(m_record + offset, bytes->data(), bytes->size());
    return S_OK;
}

HRESULT SessionDesc::get_szSessionName(BSTR* value) { return getText(szSessionName, sessionNameWidth, value); }
HRESULT SessionDesc::put_szSessionName(BSTR value) { return putText(szSessionName, sessionNameWidth, value, true); }
HRESULT SessionDesc::get_szUserField(BSTR* value) { return getText(szUserField, userFieldWidth, value); }
HRESULT SessionDesc::put_szUserField(BSTR value) { return putText(szUserField, userFieldWidth, value, false); }
HRESULT SessionDesc::get_szPassword(BSTR* value) { return getText(szPassword, passwordWidth, value); }
HRESULT SessionDesc::put_szPassword(BSTR value) { return putText(szPassword, passwordWidth, value, false); }

} // namespace kvdplay
