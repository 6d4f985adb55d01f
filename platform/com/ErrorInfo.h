#pragma once
// Error information: a failing automation member leaves a description of its failure for the
// caller on the calling thread. The slot is one per thread for the whole process, shared by the
// game and every library it loads (it lives in the small shared runtime library tesscom).
#include "platform/com/Interfaces.h"

namespace platform::com {

HRESULT CreateErrorInfo(ICreateErrorInfo** made);
// Replaces the thread's error information (null clears it); the slot keeps its own reference.
HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info);
// Hands over the thread's error information and clears the slot; S_FALSE when there is none.
HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** info);

} // namespace platform::com
