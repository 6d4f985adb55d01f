#pragma once
// kvDirectPlayGlobal: the library's entry object. It lists the networking library's service
// providers, makes session objects and measures values in the message buffer format.
#include "kvdplay/Object.h"

namespace kvdplay {

class Global final : public DualObject<Global, IkvDirectPlayGlobal> {
public:
    static const InterfaceInfo& dispatchInfo();
    static const CLSID& classId() { return CLSID_kvDirectPlayGlobal; }

    HRESULT DirectPlayCreate(VARIANT vProviderId, IkvDirectPlay** session) override;
    HRESULT DirectPlayEnumerate(IkvDirectPlayProviders** providers) override;
    HRESULT BufferLength(VARIANT vBuffer, LONG* length) override;

private:
    friend class DualObject<Global, IkvDirectPlayGlobal>;
    Global() = default;
};

} // namespace kvdplay
