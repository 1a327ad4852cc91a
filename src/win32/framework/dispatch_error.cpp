#include "win32/framework/dispatch_error.h"

#include <olectl.h>

namespace vexa::win32 {

namespace {

BSTR Wide(const std::string& text) {
    int size = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(size));
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out, size);
    return out;
}

}  // namespace

HRESULT ErrorCodeOf(common::ErrorKind kind) {
    switch (kind) {
        case common::ErrorKind::InvalidValue: return CTL_E_INVALIDPROPERTYVALUE;
        case common::ErrorKind::PermissionDenied: return CTL_E_PERMISSIONDENIED;
        case common::ErrorKind::Unavailable: return E_FAIL;
    }
    return E_FAIL;
}

std::string DefaultDescription(HRESULT code) {
    switch (code) {
        case CTL_E_INVALIDPROPERTYVALUE: return "Invalid property value";
        case CTL_E_PERMISSIONDENIED: return "Permission denied";
        case CTL_E_SETNOTSUPPORTED: return "The property is read-only";
        case E_NOTIMPL: return "This control does not support the operation";
        case E_OUTOFMEMORY: return "Out of memory";
        default: return "The operation failed";
    }
}

bool IsDispatchProtocolError(HRESULT code) {
    switch (code) {
        case DISP_E_MEMBERNOTFOUND:
        case DISP_E_BADPARAMCOUNT:
        case DISP_E_TYPEMISMATCH:
        case DISP_E_PARAMNOTFOUND:
        case DISP_E_PARAMNOTOPTIONAL:
        case DISP_E_UNKNOWNNAME:
        case DISP_E_NONAMEDARGS:
        case DISP_E_BADVARTYPE:
        case DISP_E_OVERFLOW:
        case DISP_E_EXCEPTION:
            return true;
        default: return false;
    }
}

HRESULT SetThreadError(HRESULT code, const std::string& source, const std::string& description,
                       const IID& iid) {
    ICreateErrorInfo* create = nullptr;
    if (SUCCEEDED(CreateErrorInfo(&create))) {
        BSTR s = Wide(source), d = Wide(description);
        create->SetSource(s);
        create->SetDescription(d);
        create->SetGUID(iid);
        SysFreeString(s);
        SysFreeString(d);
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            SetErrorInfo(0, info);
            info->Release();
        }
        create->Release();
    }
    return code;
}

HRESULT RaiseDispatchError(HRESULT code, const std::string& source,
                           const std::string& description, EXCEPINFO* excep) {
    const std::string text = description.empty() ? DefaultDescription(code) : description;
    SetThreadError(code, source, text, IID_IDispatch);
    if (!excep) return code;  // nowhere to put a description: the code alone
    ZeroMemory(excep, sizeof *excep);
    excep->bstrSource = Wide(source);
    excep->bstrDescription = Wide(text);
    excep->scode = code;
    return DISP_E_EXCEPTION;
}

}  // namespace vexa::win32
