#pragma once
// kvPlayPpg: the property page of kvPlay. It edits guidSession of the controls it is given,
// can make a new GUID, and opens the controls' About boxes.
#include "kvdplay/ControlUi.h"
#include "kvdplay/Object.h"

#include <memory>
#include <vector>

namespace kvdplay {

// The edit box holds at most this many characters: one GUID text.
inline constexpr int kGuidTextLimit = 36;

// The system's UUID generator: 0 and a new GUID, or an error code (1739: this machine has no
// network address to make one from).
using UuidGenerator = long (*)(GUID* made);
inline constexpr long kNoNetworkAddress = 1739;
long generateUuid(GUID* made);
// For tests: the generator the page uses (null: the real one).
void setUuidGenerator(UuidGenerator generator);

class PropertyPage final : public IPropertyPage, private PageEvents {
public:
    // A new page with one reference; aggregation is refused.
    static HRESULT create(IUnknown* outer, REFIID riid, void** out);

    HRESULT QueryInterface(REFIID riid, void** out) override;
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override;

    HRESULT SetPageSite(IPropertyPageSite* site) override;
    HRESULT Activate(HWND parent, const RECT* place, BOOL modal) override;
    HRESULT Deactivate() override;
    HRESULT GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT Show(UINT command) override;
    HRESULT Move(const RECT* place) override;
    HRESULT IsPageDirty() override;
    HRESULT Apply() override;
    HRESULT Help(LPCOLESTR helpFolder) override;
    HRESULT TranslateAccelerator(MSG* message) override;

private:
    PropertyPage();
    ~PropertyPage();

    // PageEvents: what the window reports.
    void textChanged() override { setDirty(true); }
    void newGuidClicked() override;
    void aboutClicked() override;

    void setDirty(bool dirty);
    void showError(UINT stringId, long code);
    void releaseObjects();

    std::atomic<ULONG> m_refs{1};
    std::vector<IUnknown*> m_objects;
    IPropertyPageSite* m_site = nullptr;
    std::unique_ptr<PageView> m_view;
    bool m_initialised = false;
    bool m_dirty = false;
};

} // namespace kvdplay
