#include "platform/com/Dispatch.h"

namespace platform::com {

namespace {

char16_t fold(char16_t c)
{
    if (c >= u'A' && c <= u'Z')
        return static_cast<char16_t>(c - u'A' + u'a');
    return c;
}

} // namespace

bool sameName(const char* ours, const OLECHAR* theirs)
{
    if (!ours || !theirs)
        return false;
    std::size_t i = 0;
    for (; ours[i] && theirs[i]; ++i)
        if (fold(static_cast<unsigned char>(ours[i])) != fold(theirs[i]))
            return false;
    return ours[i] == 0 && theirs[i] == 0;
}

HRESULT dispatchGetIDsOfNames(const InterfaceInfo& info, LPOLESTR* names, UINT count, DISPID* ids)
{
    if (!names || !ids)
        return E_INVALIDARG;
    if (count == 0)
        return S_OK;
    const MemberInfo* found = nullptr;
    for (const MemberInfo& m : info.members)
        if (sameName(m.name, names[0])) {
            found = &m;
            break;
        }
    HRESULT hr = S_OK;
    ids[0] = found ? found->dispid : DISPID_UNKNOWN;
    if (!found)
        hr = DISP_E_UNKNOWNNAME;
    for (UINT i = 1; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (found) {
            // A property's get and put share one name; any entry of that name may list the parameter.
            for (const MemberInfo& m : info.members) {
                if (!sameName(m.name, names[0]))
                    continue;
                for (DISPID p = 0; p < 4; ++p)
                    if (sameName(m.params[p], names[i]))
                        ids[i] = p;
            }
        }
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

void fillExceptionInfo(HRESULT hr, EXCEPINFO* exception)
{
    std::memset(exception, 0, sizeof(EXCEPINFO));
    exception->scode = hr;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        info->GetSource(&exception->bstrSource);
        info->GetDescription(&exception->bstrDescription);
        info->GetHelpFile(&exception->bstrHelpFile);
        info->GetHelpContext(&exception->dwHelpContext);
        info->Release();
    }
}

HRESULT dispatchInvoke(const InterfaceInfo& info, void* self, DISPID id, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* exception, UINT* argErr)
{
    if (!params)
        return E_INVALIDARG;
    if (params->cArgs && !params->rgvarg)
        return E_INVALIDARG;
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    const MemberInfo* member = nullptr;
    bool idKnown = false;
    for (const MemberInfo& m : info.members) {
        if (m.dispid != id)
            continue;
        idKnown = true;
        const bool match = put ? m.kind == MemberKind::PropertyPut
                               : ((flags & DISPATCH_METHOD) && m.kind == MemberKind::Method)
                || ((flags & DISPATCH_PROPERTYGET) && m.kind == MemberKind::PropertyGet);
        if (match) {
            member = &m;
            break;
        }
    }
    if (!member)
        return idKnown ? DISP_E_MEMBERNOTFOUND : DISP_E_MEMBERNOTFOUND;
    if (put) {
        if (params->cNamedArgs != 1 || !params->rgdispidNamedArgs || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
            return DISP_E_PARAMNOTOPTIONAL;
    } else if (params->cNamedArgs != 0) {
        return DISP_E_NONAMEDARGS;
    }
    if (params->cArgs != member->argCount)
        return DISP_E_BADPARAMCOUNT;
    VARIANT made;
    VariantInit(&made);
    const HRESULT hr = member->invoke(self, *params, &made, argErr);
    if (FAILED(hr)) {
        VariantClear(&made);
        if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_OVERFLOW)
            return hr; // an argument could not be converted: the member never ran
        if (!exception)
            return hr;
        fillExceptionInfo(hr, exception);
        return DISP_E_EXCEPTION;
    }
    if (result) {
        VariantClear(result);
        *result = made;
    } else {
        VariantClear(&made);
    }
    return hr;
}

} // namespace platform::com
