#pragma once
// A received DirectPlay message: its sender, receiver and bytes, presented as the value that was
// sent (player messages) or as the raw bytes and a record object (system messages, sender 0).
#include "kvdplay/Object.h"
#include "platform/dplay/DPlay.h"

namespace kvdplay {

// DirectPlay's system-message types, as the networking library defines them.
using platform::dplay::DPSYS_ADDPLAYER;
using platform::dplay::DPSYS_DELETEPLAYER;
using platform::dplay::DPSYS_ADDPLAYERTOGROUP;
using platform::dplay::DPSYS_DELETEGROUP;
using platform::dplay::DPSYS_DELETEPLAYERFROMGRP;
using platform::dplay::DPSYS_SESSIONLOST;
using platform::dplay::DPSYS_CONNECT;

class Message final : public DualObject<Message, IkvDirectPlayMessage> {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvDirectPlayMessage; }

    void setIds(LONG from, LONG to);
    // Takes ownership of bytes (allocated with CoTaskMemAlloc); frees any it held before.
    void adoptBuffer(void* bytes, DWORD size);
    // Copies bytes into a new buffer of its own; false when memory is short.
    bool copyBuffer(const void* bytes, DWORD size);
    const BYTE* bytes() const { return m_bytes; }
    DWORD size() const { return m_size; }

    HRESULT get_dpidFrom(LONG* value) override;
    HRESULT get_dpidTo(LONG* value) override;
    HRESULT get_vBuffer(VARIANT* value) override;
    HRESULT get_SystemMessage(IDispatch** value) override;

private:
    friend class DualObject<Message, IkvDirectPlayMessage>;
    Message() = default;
    ~Message();
    LONG m_from = 0;
    LONG m_to = 0;
    BYTE* m_bytes = nullptr;
    DWORD m_size = 0;
};

// The four record classes share one shape: a zero-filled copy of the record's leading bytes.
template <typename Derived, typename Iface, std::size_t Size>
class SystemRecord : public DualObject<Derived, Iface, IkvStructAccess> {
public:
    static constexpr std::size_t recordSize = Size;

    void* extraInterface(REFIID riid)
    {
        return riid == IID_IkvStructAccess ? static_cast<IkvStructAccess*>(this) : nullptr;
    }
    HRESULT GetStruct(void** address) override
    {
        if (!address)
            return E_POINTER;
        *address = m_record;
        return S_OK;
    }
    // A message shorter than the record fills only its length; the rest stays zero.
    void copyFrom(const BYTE* bytes, std::size_t count)
    {
        std::memset(m_record, 0, Size);
        if (bytes && count)
            std::memcpy(m_record, bytes, count < Size ? count : Size);
    }

protected:
    SystemRecord() { std::memset(m_record, 0, Size); }
    HRESULT longAt(std::size_t offset, LONG* value) const
    {
        if (!value)
            return E_POINTER;
        std::memcpy(value, m_record + offset, 4);
        return S_OK;
    }
    HRESULT textAt(std::size_t offset, std::size_t width, BSTR* value) const;

    alignas(8) BYTE m_record[Size];
};

class AddPlayerMessage final : public SystemRecord<AddPlayerMessage, IkvDPMSG_ADDPLAYER, 88> {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvDPMSG_ADDPLAYER; }
    HRESULT get_dwType(LONG* value) override { return longAt(0, value); }
    HRESULT get_dwPlayerType(LONG* value) override { return longAt(4, value); }
    HRESULT get_dpId(LONG* value) override { return longAt(8, value); }
    HRESULT get_szLongName(BSTR* value) override { return textAt(12, 52, value); }
    HRESULT get_szShortName(BSTR* value) override { return textAt(64, 20, value); }
    HRESULT get_dwCurrentPlayers(LONG* value) override { return longAt(84, value); }

private:
    friend class DualObject<AddPlayerMessage, IkvDPMSG_ADDPLAYER, IkvStructAccess>;
    AddPlayerMessage() = default;
};

class DeletePlayerMessage final : public SystemRecord<DeletePlayerMessage, IkvDPMSG_DELETEPLAYER, 8> {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvDPMSG_DELETEPLAYER; }
    HRESULT get_dwType(LONG* value) override { return longAt(0, value); }
    HRESULT get_dpId(LONG* value) override { return longAt(4, value); }

private:
    friend class DualObject<DeletePlayerMessage, IkvDPMSG_DELETEPLAYER, IkvStructAccess>;
    DeletePlayerMessage() = default;
};

class GroupAddMessage final : public SystemRecord<GroupAddMessage, IkvDPMSG_GROUPADD, 12> {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvDPMSG_GROUPADD; }
    HRESULT get_dwType(LONG* value) override { return longAt(0, value); }
    HRESULT get_dpIdGroup(LONG* value) override { return longAt(4, value); }
    HRESULT get_dpIdPlayer(LONG* value) override { return longAt(8, value); }

private:
    friend class DualObject<GroupAddMessage, IkvDPMSG_GROUPADD, IkvStructAccess>;
    GroupAddMessage() = default;
};

class GenericMessage final : public SystemRecord<GenericMessage, IkvDPMSG_GENERIC, 4> {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvDPMSG_GENERIC; }
    HRESULT get_dwType(LONG* value) override { return longAt(0, value); }

private:
    friend class DualObject<GenericMessage, IkvDPMSG_GENERIC, IkvStructAccess>;
    GenericMessage() = default;
};

// The record object for a system message's bytes, chosen by its type (its first 32-bit field,
// read as zero-padded when the message is shorter). Null when memory is short.
IDispatch* makeSystemMessage(const BYTE* bytes, std::size_t count);

} // namespace kvdplay
