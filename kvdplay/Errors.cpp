#include "kvdplay/Errors.h"

#include "platform/com/Activation.h"
#include "platform/com/ErrorInfo.h"

#include <string>

namespace kvdplay {

namespace {

struct StringEntry {
    UINT id;
    const char* text;
};

// One table: the frame's texts, the property page's, and every error name under its number.
constexpr StringEntry kStrings[] = {
    {100, "kvDirectPlay"},
    {101, "kvDPSESSIONDESC"},
    {102, "kvDirectPlayGlobal"},
    {103, "kvPlay"},
    {105, "&General"},
    {106, "kvdirect.hlp"},
    {107, "Properties for kvPlay"},
    {200, "About %s"},
    {201, "%s Control, Version %d.%d.%d%s%s"},
    {202, " (Debug)"},
    {203, " (pre-release)"},
    {1000, "You must have a network card to generate a new guid."},
    {1001, "UuidCreate failed, error code = %d"},
    {1002, "UuidToString failed, error code = %d"},
    {4496, "CO_E_NOTINITIALIZED"},
    {7005, "DPERR_ALREADYINITIALIZED"},
    {7010, "DPERR_ACCESSDENIED"},
    {7014, "DPERR_OUTOFMEMORY"},
    {7020, "DPERR_ACTIVEPLAYERS"},
    {7030, "DPERR_BUFFERTOOSMALL"},
    {7040, "DPERR_CANTADDPLAYER"},
    {7050, "DPERR_CANTCREATEGROUP"},
    {7060, "DPERR_CANTCREATEPLAYER"},
    {7070, "DPERR_CANTCREATESESSION"},
    {7080, "DPERR_CAPSNOTAVAILABLEYET"},
    {7087, "DPERR_INVALIDPARAM"},
    {7090, "DPERR_EXCEPTION"},
    {7120, "DPERR_INVALIDFLAGS"},
    {7130, "DPERR_INVALIDOBJECT"},
    {7150, "DPERR_INVALIDPLAYER"},
    {7160, "DPERR_NOCAPS"},
    {7170, "DPERR_NOCONNECTION"},
    {7190, "DPERR_NOMESSAGES"},
    {7200, "DPERR_NONAMESERVERFOUND"},
    {7210, "DPERR_NOPLAYERS"},
    {7220, "DPERR_NOSESSIONS"},
    {7230, "DPERR_SENDTOOBIG"},
    {7240, "DPERR_TIMEOUT"},
    {7250, "DPERR_UNAVAILABLE"},
    {7270, "DPERR_BUSY"},
    {7280, "DPERR_USERCANCEL"},
    {16385, "DPERR_UNSUPPORTED"},
    {16389, "DPERR_GENERIC"},
};

// The description buffer holds 100 characters with its terminator.
constexpr std::size_t kDescriptionLimit = 99;

} // namespace

std::optional<std::string_view> loadString(UINT id)
{
    for (const StringEntry& entry : kStrings)
        if (entry.id == id)
            return std::string_view(entry.text);
    return std::nullopt;
}

UINT errorNumber(HRESULT hr)
{
    const auto bits = static_cast<std::uint32_t>(hr);
    return (bits & 0xFFFFu) + ((bits >> 16) & 0xFu) * 1000u;
}

HRESULT ReportError(HRESULT hr, REFCLSID reportingClass)
{
    const UINT id = errorNumber(hr);
    std::u16string description;
    if (const auto text = loadString(id))
        description.assign(text->begin(), text->begin() + static_cast<std::ptrdiff_t>(std::min(text->size(), kDescriptionLimit)));

    ICreateErrorInfo* create = nullptr;
    if (FAILED(CreateErrorInfo(&create)) || !create)
        return hr;
    create->SetGUID(GUID_NULL);
    LPOLESTR progId = nullptr;
    if (SUCCEEDED(ProgIDFromCLSID(reportingClass, &progId)) && progId) {
        create->SetSource(progId);
        CoTaskMemFree(progId);
    }
    create->SetDescription(description.data());
    create->SetHelpContext(id);
    std::u16string helpFile(kHelpFile, kHelpFile + std::char_traits<char>::length(kHelpFile));
    create->SetHelpFile(helpFile.data());
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))) && info) {
        SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
    return hr;
}

} // namespace kvdplay
