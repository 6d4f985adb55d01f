#include "platform/com/ErrorInfo.h"

#include <atomic>
#include <new>

namespace platform::com {

namespace {

BSTR copyOrNull(BSTR text)
{
    return text ? SysAllocStringByteLen(reinterpret_cast<const char*>(text), SysStringByteLen(text)) : nullptr;
}

class ErrorInfoObject final : public ICreateErrorInfo, public IErrorInfo {
public:
    ~ErrorInfoObject()
    {
        SysFreeString(m_source);
        SysFreeString(m_description);
        SysFreeString(m_helpFile);
    }

    HRESULT QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_ICreateErrorInfo)
            *out = static_cast<ICreateErrorInfo*>(this);
        else if (riid == IID_IErrorInfo)
            *out = static_cast<IErrorInfo*>(this);
        else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

    HRESULT SetGUID(REFGUID guid) override
    {
        m_guid = guid;
        return S_OK;
    }
    HRESULT SetSource(LPOLESTR text) override { return store(m_source, text); }
    HRESULT SetDescription(LPOLESTR text) override { return store(m_description, text); }
    HRESULT SetHelpFile(LPOLESTR text) override { return store(m_helpFile, text); }
    HRESULT SetHelpContext(DWORD context) override
    {
        m_helpContext = context;
        return S_OK;
    }

    HRESULT GetGUID(GUID* guid) override
    {
        if (!guid)
            return E_INVALIDARG;
        *guid = m_guid;
        return S_OK;
    }
    HRESULT GetSource(BSTR* text) override { return hand(m_source, text); }
    HRESULT GetDescription(BSTR* text) override { return hand(m_description, text); }
    HRESULT GetHelpFile(BSTR* text) override { return hand(m_helpFile, text); }
    HRESULT GetHelpContext(DWORD* context) override
    {
        if (!context)
            return E_INVALIDARG;
        *context = m_helpContext;
        return S_OK;
    }

private:
    static HRESULT store(BSTR& field, LPOLESTR text)
    {
        BSTR copy = nullptr;
        if (text) {
            copy = SysAllocString(text);
            if (!copy)
                return E_OUTOFMEMORY;
        }
        SysFreeString(field);
        field = copy;
        return S_OK;
    }
    static HRESULT hand(BSTR field, BSTR* out)
    {
        if (!out)
            return E_INVALIDARG;
        *out = copyOrNull(field);
        return field && !*out ? E_OUTOFMEMORY : S_OK;
    }

    std::atomic<ULONG> m_refs{1};
    GUID m_guid = GUID_NULL;
    BSTR m_source = nullptr;
    BSTR m_description = nullptr;
    BSTR m_helpFile = nullptr;
    DWORD m_helpContext = 0;
};

} // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** made)
{
    if (!made)
        return E_INVALIDARG;
    *made = new (std::nothrow) ErrorInfoObject;
    return *made ? S_OK : E_OUTOFMEMORY;
}

} // namespace platform::com
