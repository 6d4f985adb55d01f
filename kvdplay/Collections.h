#pragma once
// The enumerations of DirectPlay as read-only collections (providers, players, sessions), their
// elements (players and providers) and DirectPlay's capability record.
#include "kvdplay/Object.h"

#include <vector>

namespace kvdplay {

// An enumerator over copies of a collection's elements, taken when it was made.
class VariantEnumerator final : public IEnumVARIANT {
public:
    // Takes the copies; a new enumerator with one reference, or null.
    static VariantEnumerator* create(std::vector<VARIANT> items, ULONG position = 0);

    HRESULT QueryInterface(REFIID riid, void** out) override;
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override;
    HRESULT Next(ULONG celt, VARIANT* rgVar, ULONG* pCeltFetched) override;
    HRESULT Skip(ULONG celt) override;
    HRESULT Reset() override;
    HRESULT Clone(IEnumVARIANT** ppEnum) override;

private:
    VariantEnumerator(std::vector<VARIANT> items, ULONG position);
    ~VariantEnumerator();
    std::atomic<ULONG> m_refs{1};
    std::vector<VARIANT> m_items;
    ULONG m_position;
};

template <typename Iface> struct CollectionTraits;
template <> struct CollectionTraits<IkvDirectPlayProviders> {
    static const InterfaceInfo& info();
    static const CLSID& classId() { return CLSID_kvDirectPlayProviders; }
};
template <> struct CollectionTraits<IkvDirectPlayPlayers> {
    static const InterfaceInfo& info();
    static const CLSID& classId() { return CLSID_kvDirectPlayPlayers; }
};
template <> struct CollectionTraits<IkvDirectPlaySessions> {
    static const InterfaceInfo& info();
    static const CLSID& classId() { return CLSID_kvDirectPlaySessions; }
};

// One design for the three collections: an ordered array of VT_DISPATCH VARIANTs that holds one
// reference to each element. Elements are only ever appended.
template <typename Iface>
class Collection final : public DualObject<Collection<Iface>, Iface> {
public:
    static const InterfaceInfo& dispatchInfo() { return CollectionTraits<Iface>::info(); }
    static const CLSID& classId() { return CollectionTraits<Iface>::classId(); }

    // Appends an element, taking over the caller's one reference. E_OUTOFMEMORY leaves the
    // caller's reference with the caller.
    HRESULT append(IDispatch* element);

    HRESULT get_Item(LONG Index, IDispatch** item) override;
    HRESULT get_Count(LONG* count) override;
    HRESULT get__NewEnum(IUnknown** enumerator) override;

    std::size_t capacity() const { return m_capacity; }

private:
    friend class DualObject<Collection<Iface>, Iface>;
    Collection() = default;
    ~Collection();

    VARIANT* m_items = nullptr;
    std::size_t m_count = 0;
    std::size_t m_capacity = 0;
};

using ProvidersCollection = Collection<IkvDirectPlayProviders>;
using PlayersCollection = Collection<IkvDirectPlayPlayers>;
using SessionsCollection = Collection<IkvDirectPlaySessions>;

// The capacity after growing from capacity to hold needed elements.
std::size_t grownCapacity(std::size_t capacity, std::size_t count, std::size_t needed);

class Player final : public DualObject<Player, IkvDirectPlayPlayer> {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvDirectPlayPlayer; }

    // From the players callback: names as 8-bit text (null when DirectPlay gives none).
    void fill(LONG id, const char* friendlyName, const char* formalName, LONG flags);

    HRESULT get_PlayerId(LONG* value) override;
    HRESULT get_FriendlyName(BSTR* value) override;
    HRESULT get_FormalName(BSTR* value) override;
    HRESULT get_dwFlags(LONG* value) override;

private:
    friend class DualObject<Player, IkvDirectPlayPlayer>;
    Player() = default;
    ~Player();
    LONG m_id = 0;
    BSTR m_friendlyName = nullptr;
    BSTR m_formalName = nullptr;
    LONG m_flags = 0;
};

class Provider final : public DualObject<Provider, IkvDirectPlayProvider> {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvDirectPlayProvider; }

    // From the provider callback: guid may be null (the all-zero GUID), name is 8-bit text.
    void fill(const GUID* guid, const char* name, LONG major, LONG minor);

    HRESULT get_ProviderId(VARIANT* value) override;
    HRESULT get_FriendlyName(BSTR* value) override;
    HRESULT get_MajorVersion(LONG* value) override;
    HRESULT get_MinorVersion(LONG* value) override;

private:
    friend class DualObject<Provider, IkvDirectPlayProvider>;
    Provider() = default;
    ~Provider();
    GUID m_guid = GUID_NULL;
    BSTR m_name = nullptr;
    LONG m_major = 0;
    LONG m_minor = 0;
};

inline constexpr std::size_t kCapsSize = 28;

class Caps final : public DualObject<Caps, IkvDPCAPS, IkvStructAccess> {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvDPCAPS; }
    void* extraInterface(REFIID riid);

    HRESULT GetStruct(void** address) override;

    HRESULT get_dwSize(LONG* value) override { return field(0, value); }
    HRESULT get_dwFlags(LONG* value) override { return field(1, value); }
    HRESULT get_dwMaxBufferSize(LONG* value) override { return field(2, value); }
    HRESULT get_dwMaxQueueSize(LONG* value) override { return field(3, value); }
    HRESULT get_dwMaxPlayers(LONG* value) override { return field(4, value); }
    HRESULT get_dwHundredBaud(LONG* value) override { return field(5, value); }
    HRESULT get_dwLatency(LONG* value) override { return field(6, value); }

private:
    friend class DualObject<Caps, IkvDPCAPS, IkvStructAccess>;
    Caps();
    HRESULT field(int index, LONG* value) const;
    DWORD m_record[7];
};

} // namespace kvdplay
