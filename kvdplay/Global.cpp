#include "kvdplay/Global.h"

#include "kvdplay/Collections.h"
#include "kvdplay/DirectPlayLibrary.h"
#include "kvdplay/GuidText.h"
#include "kvdplay/Session.h"
#include "kvdplay/VariantBuffer.h"

namespace kvdplay {

namespace dp = platform::dplay;

namespace {

BOOL providerCallback(dp::LPGUID guid, dp::LPSTR name, DWORD major, DWORD minor, dp::LPVOID context)
{
    auto* providers = static_cast<ProvidersCollection*>(context);
    Provider* provider = Provider::create();
    if (!provider)
        return TRUE_; // skipped; the list still runs to its end
    provider->fill(guid, name, static_cast<LONG>(major), static_cast<LONG>(minor));
    if (FAILED(providers->append(provider)))
        provider->Release();
    return TRUE_;
}

} // namespace

HRESULT Global::DirectPlayCreate(VARIANT vProviderId, IkvDirectPlay** session)
{
    if (!session)
        return E_POINTER;
    *session = nullptr;
    GUID provider = GUID_NULL;
    HRESULT hr = GuidFromVariant(vProviderId, &provider);
    if (FAILED(hr))
        return report(hr);
    const DirectPlayEntries entries = LoadDirectPlay();
    if (!entries.create)
        return report(CO_E_NOTINITIALIZED);
    dp::IDirectPlay* directPlay = nullptr;
    hr = entries.create(&provider, &directPlay, nullptr);
    if (hr != 0) {
        if (directPlay)
            directPlay->Release();
        return report(hr);
    }
    if (!directPlay)
        return report(DPERR_GENERIC);
    Session* made = Session::create();
    if (!made) {
        directPlay->Release();
        return report(E_OUTOFMEMORY);
    }
    made->attach(directPlay);
    *session = made;
    return S_OK;
}

HRESULT Global::DirectPlayEnumerate(IkvDirectPlayProviders** providers)
{
    if (!providers)
        return E_POINTER;
    *providers = nullptr;
    const DirectPlayEntries entries = LoadDirectPlay();
    if (!entries.enumerate)
        return report(CO_E_NOTINITIALIZED);
    ProvidersCollection* list = ProvidersCollection::create();
    if (!list)
        return report(E_OUTOFMEMORY);
    const HRESULT hr = entries.enumerate(&providerCallback, list);
    if (hr != 0) {
        list->Release();
        return report(hr);
    }
    *providers = list;
    return S_OK;
}

HRESULT Global::BufferLength(VARIANT vBuffer, LONG* length)
{
    if (!length)
        return E_POINTER;
    *length = 0;
    DWORD size = 0;
    const HRESULT hr = EncodeVariantBuffer(vBuffer, &size, nullptr, true);
    if (FAILED(hr))
        return report(hr);
    *length = static_cast<LONG>(size);
    return S_OK;
}

} // namespace kvdplay
