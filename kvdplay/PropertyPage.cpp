#include "kvdplay/PropertyPage.h"

#include "kvdplay/Errors.h"
#include "kvdplay/GuidText.h"
#include "platform/com/Text.h"
#include "platform/text/Cp1252.h"

#include <cstdio>
#include <cstring>
#include <random>

namespace kvdplay {

namespace {

UuidGenerator g_generator = nullptr;

LPOLESTR taskString(std::string_view text)
{
    auto* made = static_cast<LPOLESTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(OLECHAR)));
    if (!made)
        return nullptr;
    for (std::size_t i = 0; i < text.size(); ++i)
        made[i] = static_cast<unsigned char>(text[i]);
    made[text.size()] = 0;
    return made;
}

std::string tableText(UINT id) { return std::string(loadString(id).value_or("")); }

} // namespace

long generateUuid(GUID* made)
{
    // A random (version 4) UUID; this machine needs no network address for one.
    std::random_device source;
    std::uint8_t bytes[16];
    for (std::size_t i = 0; i < sizeof bytes; i += 4) {
        const std::uint32_t word = source();
        std::memcpy(bytes + i, &word, 4);
    }
    bytes[6] = static_cast<std::uint8_t>((bytes[6] & 0x0F) | 0x40);
    bytes[8] = static_cast<std::uint8_t>((bytes[8] & 0x3F) | 0x80);
    made->Data1 = (std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) | (std::uint32_t{bytes[2]} << 8) | bytes[3];
    made->Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
    made->Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
    std::memcpy(made->Data4, bytes + 8, 8);
    return 0;
}

void setUuidGenerator(UuidGenerator generator) { g_generator = generator; }

HRESULT PropertyPage::create(IUnknown* outer, REFIID riid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    auto* made = new (std::nothrow) PropertyPage();
    if (!made)
        return E_OUTOFMEMORY;
    const HRESULT hr = made->QueryInterface(riid, out);
    made->Release();
    return hr;
}

PropertyPage::PropertyPage() { lockModule(); }

PropertyPage::~PropertyPage()
{
    m_view.reset();
    releaseObjects();
    if (m_site)
        m_site->Release();
    unlockModule();
}

HRESULT PropertyPage::QueryInterface(REFIID riid, void** out)
{
    if (!out)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IPropertyPage) {
        *out = static_cast<IPropertyPage*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG PropertyPage::Release()
{
    const ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HRESULT PropertyPage::SetPageSite(IPropertyPageSite* site)
{
    if (site)
        site->AddRef();
    if (m_site)
        m_site->Release();
    m_site = site;
    return S_OK;
}

HRESULT PropertyPage::Activate(HWND parent, const RECT* place, BOOL)
{
    if (m_view)
        return E_UNEXPECTED;
    const auto& make = controlUi().makePage;
    if (!make)
        return E_NOTIMPL; // no desktop to show a window on
    m_view = make(*this, parent);
    if (!m_view)
        return E_OUTOFMEMORY;
    if (place)
        m_view->move(*place);
    // The edit box shows the first control's GUID; the page takes changes only from then on.
    if (!m_objects.empty()) {
        IkvPlay* control = nullptr;
        if (SUCCEEDED(m_objects.front()->QueryInterface(IID_IkvPlay, reinterpret_cast<void**>(&control))) && control) {
            BSTR text = nullptr;
            const HRESULT hr = control->get_guidSession(&text);
            control->Release();
            m_view->setMaxLength(kGuidTextLimit);
            if (SUCCEEDED(hr)) {
                m_view->setText(utf8FromString(text).value_or(""));
                m_initialised = true;
            }
            SysFreeString(text);
        }
    }
    return S_OK;
}

HRESULT PropertyPage::Deactivate()
{
    m_view.reset();
    m_initialised = false;
    return S_OK;
}

HRESULT PropertyPage::GetPageInfo(PROPPAGEINFO* info)
{
    if (!info)
        return E_POINTER;
    info->cb = sizeof(PROPPAGEINFO);
    info->pszTitle = taskString(tableText(105));
    info->pszDocString = taskString(tableText(107));
    info->pszHelpFile = taskString(tableText(106));
    info->dwHelpContext = 0;
    // 250 by 110 dialog units of the page's 8-point font.
    info->size = {375, 179};
    if (!info->pszTitle || !info->pszDocString || !info->pszHelpFile) {
        CoTaskMemFree(info->pszTitle);
        CoTaskMemFree(info->pszDocString);
        CoTaskMemFree(info->pszHelpFile);
        info->pszTitle = info->pszDocString = info->pszHelpFile = nullptr;
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

void PropertyPage::releaseObjects()
{
    for (IUnknown* object : m_objects)
        object->Release();
    m_objects.clear();
}

HRESULT PropertyPage::SetObjects(ULONG count, IUnknown** objects)
{
    if (count && !objects)
        return E_POINTER;
    releaseObjects();
    try {
        for (ULONG i = 0; i < count; ++i)
            if (objects[i]) {
                m_objects.push_back(objects[i]);
                objects[i]->AddRef();
            }
    } catch (const std::bad_alloc&) {
        releaseObjects();
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT PropertyPage::Show(UINT command)
{
    if (!m_view)
        return E_UNEXPECTED;
    m_view->show(command != 0);
    return S_OK;
}

HRESULT PropertyPage::Move(const RECT* place)
{
    if (!place)
        return E_POINTER;
    if (!m_view)
        return E_UNEXPECTED;
    m_view->move(*place);
    return S_OK;
}

HRESULT PropertyPage::IsPageDirty() { return m_dirty ? S_OK : S_FALSE; }

HRESULT PropertyPage::Apply()
{
    std::u16string text;
    if (m_view)
        text = platform::text::utf8ToUtf16(m_view->text()).value_or(u"");
    if (text.size() > static_cast<std::size_t>(kGuidTextLimit))
        text.resize(kGuidTextLimit);
    if (text.empty())
        return E_FAIL; // nothing to store
    BSTR value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!value)
        return E_OUTOFMEMORY;
    HRESULT hr = E_FAIL;
    for (IUnknown* object : m_objects) {
        IkvPlay* control = nullptr;
        if (FAILED(object->QueryInterface(IID_IkvPlay, reinterpret_cast<void**>(&control))) || !control)
            continue;
        hr = control->put_guidSession(value);
        control->Release();
        if (FAILED(hr))
            break;
    }
    SysFreeString(value);
    if (SUCCEEDED(hr))
        setDirty(false);
    return hr;
}

HRESULT PropertyPage::Help(LPCOLESTR) { return E_NOTIMPL; }

HRESULT PropertyPage::TranslateAccelerator(MSG*) { return S_FALSE; }

void PropertyPage::setDirty(bool dirty)
{
    if (!m_initialised)
        return;
    const bool wasClean = !m_dirty;
    m_dirty = dirty;
    if (dirty && wasClean && m_site)
        m_site->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
}

void PropertyPage::showError(UINT stringId, long code)
{
    if (!m_view)
        return;
    char text[256];
    if (const auto format = loadString(stringId)) {
        const std::string f(*format);
#if defined(__clang__) || defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#endif
        std::snprintf(text, sizeof text, f.c_str(), static_cast<int>(code));
#if defined(__clang__) || defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    } else {
        std::snprintf(text, sizeof text, "Error %d\r\n", static_cast<int>(stringId));
    }
    m_view->showError(text);
}

void PropertyPage::newGuidClicked()
{
    GUID made{};
    const long status = (g_generator ? g_generator : &generateUuid)(&made);
    if (status == kNoNetworkAddress) {
        showError(1000, status);
        return;
    }
    if (status != 0) {
        showError(1001, status);
        return;
    }
    BSTR text = nullptr;
    const HRESULT hr = GuidToText(made, &text);
    if (FAILED(hr) || !text) {
        showError(1002, hr);
        return;
    }
    if (m_view)
        m_view->setText(utf8FromString(text).value_or(""));
    SysFreeString(text);
    setDirty(true);
}

void PropertyPage::aboutClicked()
{
    // Each control the page edits shows its own box, in order.
    std::vector<IUnknown*> objects = m_objects;
    for (IUnknown* object : objects)
        object->AddRef();
    for (IUnknown* object : objects) {
        IkvPlay* control = nullptr;
        if (SUCCEEDED(object->QueryInterface(IID_IkvPlay, reinterpret_cast<void**>(&control))) && control) {
            control->AboutBox();
            control->Release();
        }
        object->Release();
    }
}

} // namespace kvdplay
