// The one per-thread error-information slot of the process; built into the shared tesscom
// library so that the game and the libraries it loads at run time see the same slot.
#include "platform/com/ErrorInfo.h"

namespace platform::com {

namespace {
thread_local IErrorInfo* t_errorInfo = nullptr;
}

HRESULT SetErrorInfo(ULONG, IErrorInfo* info)
{
    if (info)
        info->AddRef();
    IErrorInfo* old = t_errorInfo;
    t_errorInfo = info;
    if (old)
        old->Release();
    return S_OK;
}

HRESULT GetErrorInfo(ULONG, IErrorInfo** info)
{
    if (!info)
        return E_INVALIDARG;
    *info = t_errorInfo;
    t_errorInfo = nullptr;
    return *info ? S_OK : S_FALSE;
}

} // namespace platform::com
