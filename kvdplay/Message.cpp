#include "kvdplay/Message.h"

#include "platform/com/Text.h"
#include "kvdplay/VariantBuffer.h"

#include <cstring>

namespace kvdplay {

template <typename Derived, typename Iface, std::size_t Size>
HRESULT SystemRecord<Derived, Iface, Size>::textAt(std::size_t offset, std::size_t width, BSTR* value) const
{
    if (!value)
        return E_POINTER;
    *value = stringFromAnsi(reinterpret_cast<const char*>(m_record + offset), width);
    return *value ? S_OK : E_OUTOFMEMORY;
}

template class SystemRecord<AddPlayerMessage, IkvDPMSG_ADDPLAYER, 88>;

Message::~Message() { CoTaskMemFree(m_bytes); }

void Message::setIds(LONG from, LONG to)
{
    m_from = from;
    m_to = to;
}

void Message::adoptBuffer(void* bytes, DWORD size)
{
    if (bytes != m_bytes)
        CoTaskMemFree(m_bytes);
    m_bytes = static_cast<BYTE*>(bytes);
    m_size = bytes ? size : 0;
}

bool Message::copyBuffer(const void* bytes, DWORD size)
{
    void* copy = CoTaskMemAlloc(size);
    if (!copy)
        return false;
    if (size)
        std::memcpy(copy, bytes, size);
    adoptBuffer(copy, size);
    return true;
}

HRESULT Message::get_dpidFrom(LONG* value)
{
    if (!value)
        return E_POINTER;
    *value = m_from;
    return S_OK;
}

HRESULT Message::get_dpidTo(LONG* value)
{
    if (!value)
        return E_POINTER;
    *value = m_to;
    return S_OK;
}

HRESULT Message::get_vBuffer(VARIANT* value)
{
    if (!value)
        return E_POINTER;
    // An out value: initialised here, never cleared, as the caller's VARIANT may hold anything.
    VariantInit(value);
    if (m_from != 0) {
        const HRESULT hr = decodeVariantBuffer(m_bytes, m_size, value);
        return FAILED(hr) ? report(hr) : hr;
    }
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, m_size);
    if (!array)
        return report(E_OUTOFMEMORY);
    void* data = nullptr;
    HRESULT hr = SafeArrayAccessData(array, &data);
    if (SUCCEEDED(hr)) {
        if (m_size)
            std::memcpy(data, m_bytes, m_size);
        hr = SafeArrayUnaccessData(array);
    }
    if (FAILED(hr)) {
        SafeArrayDestroy(array);
        return report(hr);
    }
    value->vt = VT_ARRAY | VT_UI1;
    value->parray = array;
    return S_OK;
}

HRESULT Message::get_SystemMessage(IDispatch** value)
{
    if (!value)
        return E_POINTER;
    *value = nullptr;
    if (m_from != 0)
        return S_OK;
    *value = makeSystemMessage(m_bytes, m_size);
    return *value ? S_OK : report(E_OUTOFMEMORY);
}

namespace {

template <typename T>
IDispatch* makeRecord(const BYTE* bytes, std::size_t count)
{
    T* made = T::create();
    if (!made)
        return nullptr;
    made->copyFrom(bytes, count);
    return static_cast<IDispatch*>(made);
}

} // namespace

IDispatch* makeSystemMessage(const BYTE* bytes, std::size_t count)
{
    BYTE head[4] = {0, 0, 0, 0};
    if (bytes)
        std::memcpy(head, bytes, count < 4 ? count : 4);
    const DWORD type = DWORD{head[0]} | (DWORD{head[1]} << 8) | (DWORD{head[2]} << 16) | (DWORD{head[3]} << 24);
    switch (type) {
    case DPSYS_ADDPLAYER: return makeRecord<AddPlayerMessage>(bytes, count);
    case DPSYS_DELETEPLAYER:
    case DPSYS_DELETEGROUP: return makeRecord<DeletePlayerMessage>(bytes, count);
    case DPSYS_ADDPLAYERTOGROUP:
    case DPSYS_DELETEPLAYERFROMGRP: return makeRecord<GroupAddMessage>(bytes, count);
    default: return makeRecord<GenericMessage>(bytes, count);
    }
}

} // namespace kvdplay
