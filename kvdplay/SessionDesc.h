#pragma once
// kvDPSESSIONDESC: one DirectPlay session description (the 124-byte record) whose fields the
// properties read and write directly. The record keeps one address for the object's life.
#include "kvdplay/Object.h"

namespace kvdplay {

inline constexpr std::size_t kSessionDescSize = 124;

// Field offsets of the record.
namespace SessionDescField {
inline constexpr std::size_t dwSize = 0, guidSession = 4, dwSession = 20, dwMaxPlayers = 24,
    dwCurrentPlayers = 28, dwFlags = 32, szSessionName = 36, szUserField = 68, dwReserved1 = 84,
    szPassword = 88, dwReserved2 = 104, dwUser1 = 108, dwUser2 = 112, dwUser3 = 116, dwUser4 = 120;
inline constexpr std::size_t sessionNameWidth = 32, userFieldWidth = 16, passwordWidth = 16;
}

class SessionDesc final : public DualObject<SessionDesc, IkvDPSESSIONDESC, IkvStructAccess> {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvDPSESSIONDESC; }
    void* extraInterface(REFIID riid);

    HRESULT GetStruct(void** address) override;

    // Takes a whole record as DirectPlay gives it (a found session).
    void copyRecord(const void* record);
    const BYTE* record() const { return m_record; }

    HRESULT get_dwSize(LONG* value) override;
    HRESULT get_guidSession(VARIANT* value) override;
    HRESULT put_guidSession(VARIANT value) override;
    HRESULT get_dwSession(LONG* value) override { return getLong(SessionDescField::dwSession, value); }
    HRESULT put_dwSession(LONG value) override { return putLong(SessionDescField::dwSession, value); }
    HRESULT get_dwMaxPlayers(LONG* value) override { return getLong(SessionDescField::dwMaxPlayers, value); }
    HRESULT put_dwMaxPlayers(LONG value) override { return putLong(SessionDescField::dwMaxPlayers, value); }
    HRESULT get_dwCurrentPlayers(LONG* value) override { return getLong(SessionDescField::dwCurrentPlayers, value); }
    HRESULT put_dwCurrentPlayers(LONG value) override { return putLong(SessionDescField::dwCurrentPlayers, value); }
    HRESULT get_dwFlags(LONG* value) override { return getLong(SessionDescField::dwFlags, value); }
    HRESULT put_dwFlags(LONG value) override { return putLong(SessionDescField::dwFlags, value); }
    HRESULT get_szSessionName(BSTR* value) override;
    HRESULT put_szSessionName(BSTR value) override;
    HRESULT get_szUserField(BSTR* value) override;
    HRESULT put_szUserField(BSTR value) override;
    HRESULT get_dwReserved1(LONG* value) override { return getLong(SessionDescField::dwReserved1, value); }
    HRESULT put_dwReserved1(LONG value) override { return putLong(SessionDescField::dwReserved1, value); }
    HRESULT get_szPassword(BSTR* value) override;
    HRESULT put_szPassword(BSTR value) override;
    HRESULT get_dwReserved2(LONG* value) override { return getLong(SessionDescField::dwReserved2, value); }
    HRESULT put_dwReserved2(LONG value) override { return putLong(SessionDescField::dwReserved2, value); }
    HRESULT get_dwUser1(LONG* value) override { return getLong(SessionDescField::dwUser1, value); }
    HRESULT put_dwUser1(LONG value) override { return putLong(SessionDescField::dwUser1, value); }
    HRESULT get_dwUser2(LONG* value) override { return getLong(SessionDescField::dwUser2, value); }
    HRESULT put_dwUser2(LONG value) override { return putLong(SessionDescField::dwUser2, value); }
    HRESULT get_dwUser3(LONG* value) override { return getLong(SessionDescField::dwUser3, value); }
    HRESULT put_dwUser3(LONG value) override { return putLong(SessionDescField::dwUser3, value); }
    HRESULT get_dwUser4(LONG* value) override { return getLong(SessionDescField::dwUser4, value); }
    HRESULT put_dwUser4(LONG value) override { return putLong(SessionDescField::dwUser4, value); }

private:
    friend class DualObject<SessionDesc, IkvDPSESSIONDESC, IkvStructAccess>;
    SessionDesc();

    HRESULT getLong(std::size_t offset, LONG* value) const;
    HRESULT putLong(std::size_t offset, LONG value);
    HRESULT getText(std::size_t offset, std::size_t width, BSTR* value) const;
    HRESULT putText(std::size_t offset, std::size_t width, BSTR value, bool required);

    alignas(8) BYTE m_record[kSessionDescSize];
};

} // namespace kvdplay
