#pragma once

#include <oaidl.h>
#include <windows.h>

#include <string>

#include "common/control_error.h"

namespace vexa::win32 {

// The automation error code of a control's refusal.
HRESULT ErrorCodeOf(common::ErrorKind kind);

// A description for a failure that came without one.
std::string DefaultDescription(HRESULT code);

// Whether a failing code belongs to the dispatch protocol itself (unknown
// member, wrong argument count or type), which IDispatch returns as it is;
// every other failure is raised as an exception with a description.
bool IsDispatchProtocolError(HRESULT code);

// Fills `excep` (when given) and the thread's error object with the code,
// the source and the description, and returns DISP_E_EXCEPTION so that
// late-bound callers see the description.
HRESULT RaiseDispatchError(HRESULT code, const std::string& source,
                           const std::string& description, EXCEPINFO* excep);

// Sets only the thread's error object (for vtable callers that asked
// ISupportErrorInfo) and returns `code`.
HRESULT SetThreadError(HRESULT code, const std::string& source, const std::string& description,
                       const IID& iid);

}  // namespace vexa::win32
