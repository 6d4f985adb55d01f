#pragma once
// Doubles of a control's container: a property bag, a property-change sink, an in-place site
// with its frame, a property-page site, and the page's window; and a fresh control to put in it.
#include "kvdplay/Control.h"
#include "platform/com/ControlSite.h"
#include "kvdplay/ControlUi.h"
#include "tests/support/ComHelpers.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

using namespace kvdplay;

// Reference counting for doubles that live on the test's stack.
template <typename Iface>
class StackObject : public Iface {
public:
    HRESULT QueryInterface(REFIID riid, void** out) override
    {
        *out = nullptr;
        if (riid == IID_IUnknown || accepts(riid)) {
            *out = static_cast<Iface*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG Release() override { return static_cast<ULONG>(--refs); }
    virtual bool accepts(REFIID riid) const = 0;
    int refs = 1;
};

class MapBag final : public StackObject<IPropertyBag> {
public:
    std::map<std::u16string, std::u16string> values;
    bool accepts(REFIID riid) const override { return riid == IID_IPropertyBag; }
    HRESULT Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override
    {
        const auto it = values.find(name);
        if (it == values.end())
            return E_INVALIDARG;
        VariantClear(value);
        value->vt = VT_BSTR;
        value->bstrVal = SysAllocStringLen(it->second.data(), static_cast<UINT>(it->second.size()));
        return S_OK;
    }
    HRESULT Write(LPCOLESTR name, VARIANT* value) override
    {
        if (value->vt != VT_BSTR)
            return E_INVALIDARG;
        values[name] = std::u16string(value->bstrVal, SysStringLen(value->bstrVal));
        return S_OK;
    }
};

class RecordingSink final : public StackObject<IPropertyNotifySink> {
public:
    std::vector<DISPID> changed;
    int editRequests = 0;
    bool accepts(REFIID riid) const override { return riid == IID_IPropertyNotifySink; }
    HRESULT OnChanged(DISPID id) override
    {
        changed.push_back(id);
        return S_OK;
    }
    HRESULT OnRequestEdit(DISPID) override
    {
        ++editRequests;
        return S_OK;
    }
};

class RecordingFrame final : public StackObject<IOleInPlaceFrame> {
public:
    std::vector<BOOL> modeless;
    // Frames that share a log write "name held" and "name given" into it, in call order.
    std::vector<std::string>* log = nullptr;
    std::string name;
    bool accepts(REFIID riid) const override { return riid == IID_IOleInPlaceFrame; }
    HRESULT GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT GetBorder(RECT*) override { return E_NOTIMPL; }
    HRESULT RequestBorderSpace(const RECT*) override { return E_NOTIMPL; }
    HRESULT SetBorderSpace(const RECT*) override { return E_NOTIMPL; }
    HRESULT SetActiveObject(IUnknown*, LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT InsertMenus(HMENU, OLEMENUGROUPWIDTHS*) override { return E_NOTIMPL; }
    HRESULT SetMenu(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
    HRESULT RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT SetStatusText(LPCOLESTR) override { return E_NOTIMPL; }
    HRESULT EnableModeless(BOOL enable) override
    {
        modeless.push_back(enable);
        if (log)
            log->push_back(name + (enable ? " given" : " held"));
        return S_OK;
    }
    HRESULT TranslateAccelerator(MSG*, WORD) override { return S_FALSE; }
};

// Hands out its frame (with a reference), or fails while writing it anyway when told to.
class InPlaceSite final : public StackObject<IOleInPlaceSite> {
public:
    RecordingFrame frame;
    RecordingFrame document;
    HRESULT contextResult = S_OK;
    bool accepts(REFIID riid) const override { return riid == IID_IOleInPlaceSite || riid == IID_IOleWindow; }
    HRESULT GetWindow(HWND*) override { return E_NOTIMPL; }
    HRESULT ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT CanInPlaceActivate() override { return S_OK; }
    HRESULT OnInPlaceActivate() override { return S_OK; }
    HRESULT OnUIActivate() override { return S_OK; }
    HRESULT GetWindowContext(IOleInPlaceFrame** f, IOleInPlaceUIWindow** d, RECT*, RECT*, OLEINPLACEFRAMEINFO*) override
    {
        *f = &frame;
        *d = &document;
        if (contextResult == S_OK) {
            frame.AddRef();
            document.AddRef();
        }
        return contextResult;
    }
    HRESULT Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT OnInPlaceDeactivate() override { return S_OK; }
    HRESULT DiscardUndoState() override { return S_OK; }
    HRESULT DeactivateAndUndo() override { return S_OK; }
    HRESULT OnPosRectChange(const RECT*) override { return S_OK; }
};

// A container's site that answers only the ambient user mode (true: the form runs).
class AmbientSite final : public StackObject<IDispatch> {
public:
    bool userMode = true;
    bool accepts(REFIID riid) const override { return riid == IID_IDispatch; }
    HRESULT GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    HRESULT Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override
    {
        if (id != DISPID_AMBIENT_USERMODE)
            return DISP_E_MEMBERNOTFOUND;
        result->vt = VT_BOOL;
        result->boolVal = userMode ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
};

// Writes down what a control draws on it; an edge is two pixels wide.
class RecordingSurface final : public DrawingSurface {
public:
    std::vector<std::string> drawn;
    void drawRaisedEdge(RECT& r) override
    {
        drawn.push_back("edge " + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right)
                        + "," + std::to_string(r.bottom));
        r = {r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
    }
    void drawIcon(LONG x, LONG y, const IconPicture& icon) override
    {
        drawn.push_back("icon " + std::to_string(icon.width) + " at " + std::to_string(x) + "," + std::to_string(y));
    }
};

class RecordingPageSite final : public StackObject<IPropertyPageSite> {
public:
    std::vector<DWORD> statusChanges;
    bool accepts(REFIID riid) const override { return riid == IID_IPropertyPageSite; }
    HRESULT OnStatusChange(DWORD flags) override
    {
        statusChanges.push_back(flags);
        return S_OK;
    }
    HRESULT GetLocaleID(LCID* id) override
    {
        *id = 0x0409;
        return S_OK;
    }
    HRESULT GetPageContainer(IUnknown** unk) override
    {
        *unk = nullptr;
        return E_NOTIMPL;
    }
    HRESULT TranslateAccelerator(MSG*) override { return S_FALSE; }
};

// The page's window as the page sees it: an edit box that reports its changes at once, like
// the real one, and keeps at most its limit.
class FakePageView final : public PageView {
public:
    struct State {
        std::string text;
        int maxLength = 32767;
        std::vector<std::string> errors;
        PageEvents* events = nullptr;
    };
    FakePageView(State& state, PageEvents& events) : m_state(state) { m_state.events = &events; }
    ~FakePageView() override { m_state.events = nullptr; }
    std::string text() const override { return m_state.text; }
    void setText(const std::string& text) override
    {
        m_state.text = text.substr(0, static_cast<std::size_t>(m_state.maxLength));
        m_state.events->textChanged();
    }
    void setMaxLength(int characters) override { m_state.maxLength = characters; }
    void showError(const std::string& text) override { m_state.errors.push_back(text); }
    void show(bool) override {}
    void move(const RECT&) override {}

private:
    State& m_state;
};

// Installs doubles for the control's windows for the life of the object.
class ScopedControlUi {
public:
    FakePageView::State page;
    std::vector<AboutContent> aboutBoxes;
    std::vector<int> iconsLoaded;
    ScopedControlUi()
    {
        m_saved = controlUi();
        controlUi().loadIcon = [this](int id) -> std::optional<IconPicture> {
            iconsLoaded.push_back(id);
            return IconPicture{id == 101 ? 32 : 0, 32, std::vector<std::uint32_t>(32 * 32)};
        };
        controlUi().showAbout = [this](const AboutContent& c) { aboutBoxes.push_back(c); };
        controlUi().makePage = [this](PageEvents& events, void*) -> std::unique_ptr<PageView> {
            return std::make_unique<FakePageView>(page, events);
        };
    }
    ~ScopedControlUi() { controlUi() = m_saved; }
    // Types into the edit box.
    void type(const std::string& text)
    {
        page.text = text.substr(0, static_cast<std::size_t>(page.maxLength));
        page.events->textChanged();
    }

private:
    ControlUi m_saved;
};

// A new kvPlay control of its own (not aggregated); its GUID text set when one is given.
inline Ref<IkvPlay> newControl(std::u16string_view guid = u"")
{
    Ref<IkvPlay> control;
    EXPECT_EQ(PlayControl::create(nullptr, IID_IkvPlay, control.outVoid()), S_OK);
    if (control && !guid.empty()) {
        EXPECT_EQ(control->put_guidSession(Bstr(guid).get()), S_OK);
    }
    return control;
}

// The control's GUID text as its guidSession property reads.
inline std::u16string guidOf(IkvPlay* control)
{
    Bstr text;
    EXPECT_EQ(control->get_guidSession(text.out()), S_OK);
    return text.text();
}

} // namespace testing_support
