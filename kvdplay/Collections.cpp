#include "kvdplay/Collections.h"

#include "kvdplay/GuidText.h"
#include "platform/com/Text.h"
#include "kvdplay/TypeTables.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace kvdplay {

// --- Enumerator ------------------------------------------------------------------------

VariantEnumerator* VariantEnumerator::create(std::vector<VARIANT> items, ULONG position)
{
    auto* made = new (std::nothrow) VariantEnumerator(std::move(items), position);
    if (!made)
        for (VARIANT& v : items)
            VariantClear(&v);
    return made;
}

VariantEnumerator::VariantEnumerator(std::vector<VARIANT> items, ULONG position)
    : m_items(std::move(items)), m_position(position)
{
    lockModule();
}

VariantEnumerator::~VariantEnumerator()
{
    for (VARIANT& v : m_items)
        VariantClear(&v);
    unlockModule();
}

HRESULT VariantEnumerator::QueryInterface(REFIID riid, void** out)
{
    if (!out)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IEnumVARIANT) {
        *out = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG VariantEnumerator::Release()
{
    const ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT VariantEnumerator::Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched)
{
    if (!rgVar && celt)
        return E_POINTER;
    ULONG fetched = 0;
    while (fetched < celt && m_position < m_items.size()) {
        VariantInit(&rgVar[fetched]);
        const HRESULT hr = VariantCopy(&rgVar[fetched], &m_items[m_position]);
        if (FAILED(hr)) {
            for (ULONG i = 0; i < fetched; ++i)
                VariantClear(&rgVar[i]);
            return hr;
        }
        ++fetched;
        ++m_position;
    }
    if (pCeltFetched)
        *pCeltFetched = fetched;
    return fetched == celt ? S_OK : S_FALSE;
}

HRESULT VariantEnumerator::Skip(ULONG celt)
{
    const ULONG left = static_cast<ULONG>(m_items.size()) - m_position;
    m_position += std::min(celt, left);
    return celt <= left ? S_OK : S_FALSE;
}

HRESULT VariantEnumerator::Reset()
{
    m_position = 0;
    return S_OK;
}

HRESULT VariantEnumerator::Clone(IEnumVARIANT** ppEnum)
{
    if (!ppEnum)
        return E_POINTER;
    *ppEnum = nullptr;
    std::vector<VARIANT> copies(m_items.size());
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        VariantInit(&copies[i]);
        const HRESULT hr = VariantCopy(&copies[i], &m_items[i]);
        if (FAILED(hr)) {
            for (std::size_t j = 0; j < i; ++j)
                VariantClear(&copies[j]);
            return hr;
        }
    }
    *ppEnum = create(std::move(copies), m_position);
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
}

// --- Collections ------------------------------------------------------------------------

std::size_t grownCapacity(std::size_t capacity, std::size_t count, std::size_t needed)
{
    if (needed <= capacity)
        return capacity;
    if (capacity == 0)
        return std::max<std::size_t>(needed, 1);
    const std::size_t step = std::clamp<std::size_t>(count / 8, 4, 1024);
    return std::max(capacity + step, needed);
}

template <typename Iface>
Collection<Iface>::~Collection()
{
    for (std::size_t i = 0; i < m_count; ++i)
        VariantClear(&m_items[i]);
    std::free(m_items);
}

template <typename Iface>
HRESULT Collection<Iface>::append(IDispatch* element)
{
    if (!element)
        return E_POINTER;
    if (m_count == m_capacity) {
        const std::size_t capacity = grownCapacity(m_capacity, m_count, m_count + 1);
        auto* grown = static_cast<VARIANT*>(std::realloc(m_items, capacity * sizeof(VARIANT)));
        if (!grown)
            return E_OUTOFMEMORY;
        for (std::size_t i = m_capacity; i < capacity; ++i)
            VariantInit(&grown[i]);
        m_items = grown;
        m_capacity = capacity;
    }
    m_items[m_count].vt = VT_DISPATCH;
    m_items[m_count].pdispVal = element;
    ++m_count;
    return S_OK;
}

template <typename Iface>
HRESULT Collection<Iface>::get_Item(LONG Index, IDispatch** item)
{
    if (!item)
        return E_POINTER;
    *item = nullptr;
    if (Index < 0 || static_cast<std::size_t>(Index) >= m_count)
        return this->report(E_INVALIDARG);
    *item = m_items[Index].pdispVal;
    (*item)->AddRef();
    return S_OK;
}

template <typename Iface>
HRESULT Collection<Iface>::get_Count(LONG* count)
{
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(m_count);
    return S_OK;
}

template <typename Iface>
HRESULT Collection<Iface>::get__NewEnum(IUnknown** enumerator)
{
    if (!enumerator)
        return E_POINTER;
    *enumerator = nullptr;
    std::vector<VARIANT> copies;
    try {
        copies.resize(m_count);
    } catch (const std::bad_alloc&) {
        return this->report(E_OUTOFMEMORY);
    }
    for (std::size_t i = 0; i < m_count; ++i) {
        VariantInit(&copies[i]);
        VariantCopy(&copies[i], &m_items[i]); // an object copy only adds a reference
    }
    VariantEnumerator* made = VariantEnumerator::create(std::move(copies));
    if (!made)
        return this->report(E_OUTOFMEMORY);
    *enumerator = made;
    return S_OK;
}

template class Collection<IkvDirectPlayProviders>;
template class Collection<IkvDirectPlayPlayers>;
template class Collection<IkvDirectPlaySessions>;

// --- Player ---------------------------------------------------------------------------

Player::~Player()
{
    SysFreeString(m_friendlyName);
    SysFreeString(m_formalName);
}

void Player::fill(LONG id, const char* friendlyName, const char* formalName, LONG flags)
{
    // An absent name is an empty name; the player keeps its id and flags either way.
    BSTR friendly = stringFromAnsi(friendlyName, friendlyName ? std::strlen(friendlyName) : 0);
    BSTR formal = stringFromAnsi(formalName, formalName ? std::strlen(formalName) : 0);
    if (!friendly || !formal) {
        SysFreeString(friendly);
        SysFreeString(formal);
        report(E_OUTOFMEMORY);
        return;
    }
    SysFreeString(m_friendlyName);
    SysFreeString(m_formalName);
    m_friendlyName = friendly;
    m_formalName = formal;
    m_id = id;
    m_flags = flags;
}

namespace {

HRESULT copyString(BSTR stored, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = stored ? SysAllocStringLen(stored, SysStringLen(stored)) : SysAllocStringLen(nullptr, 0);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT copyLong(LONG stored, LONG* out)
{
    if (!out)
        return E_POINTER;
    *out = stored;
    return S_OK;
}

} // namespace

HRESULT Player::get_PlayerId(LONG* value) { return copyLong(m_id, value); }
HRESULT Player::get_dwFlags(LONG* value) { return copyLong(m_flags, value); }
HRESULT Player::get_FriendlyName(BSTR* value)
{
    const HRESULT hr = copyString(m_friendlyName, value);
    return hr == E_OUTOFMEMORY ? report(hr) : hr;
}
HRESULT Player::get_FormalName(BSTR* value)
{
    const HRESULT hr = copyString(m_formalName, value);
    return hr == E_OUTOFMEMORY ? report(hr) : hr;
}

// --- Provider -------------------------------------------------------------------------

Provider::~Provider() { SysFreeString(m_name); }

void Provider::fill(const GUID* guid, const char* name, LONG major, LONG minor)
{
    BSTR made = stringFromAnsi(name, name ? std::strlen(name) : 0);
    if (!made) {
        report(E_OUTOFMEMORY);
        return;
    }
    SysFreeString(m_name);
    m_name = made;
    m_guid = guid ? *guid : GUID_NULL;
    m_major = major;
    m_minor = minor;
}

HRESULT Provider::get_ProviderId(VARIANT* value)
{
    if (!value)
        return E_POINTER;
    VariantInit(value);
    BSTR text = nullptr;
    const HRESULT hr = GuidToText(m_guid, &text);
    if (FAILED(hr))
        return report(hr);
    value->vt = VT_BSTR;
    value->bstrVal = text;
    return S_OK;
}

HRESULT Provider::get_FriendlyName(BSTR* value)
{
    const HRESULT hr = copyString(m_name, value);
    return hr == E_OUTOFMEMORY ? report(hr) : hr;
}
HRESULT Provider::get_MajorVersion(LONG* value) { return copyLong(m_major, value); }
HRESULT Provider::get_MinorVersion(LONG* value) { return copyLong(m_minor, value); }

// --- Capabilities ---------------------------------------------------------------------

Caps::Caps()
{
    std::memset(m_record, 0, sizeof m_record);
    m_record[0] = kCapsSize;
}

void* Caps::extraInterface(REFIID riid)
{
    return riid == IID_IkvStructAccess ? static_cast<IkvStructAccess*>(this) : nullptr;
}

HRESULT Caps::GetStruct(void** address)
{
    if (!address)
        return E_POINTER;
    *address = m_record;
    return S_OK;
}

HRESULT Caps::field(int index, LONG* value) const
{
    if (!value)
        return E_POINTER;
    *value = static_cast<LONG>(m_record[index]);
    return S_OK;
}

} // namespace kvdplay
