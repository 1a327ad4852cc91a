// Automation: IDispatch through the catalogue, the stock properties, and
// the errors a caller sees.
#include "win32/framework/activex_control.h"

#include "module/automation_catalogue.h"
#include "win32/framework/com_module.h"
#include "win32/framework/connection_point.h"
#include "win32/framework/dispatch_error.h"
#include "win32/framework/module_services.h"
#include "win32/framework/variant_convert.h"

namespace vexa::win32 {

using module::Member;
using module::MemberKind;
using common::PropertyType;
using common::PropertyValue;
using module::VarType;

// ---- IDispatch ----

STDMETHODIMP ActiveXControl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = ModuleTypeLibrary() ? 1 : 0;
    return S_OK;
}

STDMETHODIMP ActiveXControl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    ITypeLib* lib = ModuleTypeLibrary();
    return lib ? lib->GetTypeInfoOfGuid(Guid(class_.dispatch.iid), info) : TYPE_E_CANTLOADLIBRARY;
}

STDMETHODIMP ActiveXControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (count == 0) return S_OK;
    std::wstring wide(names[0]);
    std::string name(wide.begin(), wide.end());
    const Member* m = class_.dispatch.FindByName(name);
    if (!m) return DISP_E_UNKNOWNNAME;
    ids[0] = m->dispId;
    for (UINT i = 1; i < count; ++i) {
        std::wstring p(names[i]);
        ids[i] = DISPID_UNKNOWN;
        for (std::size_t k = 0; k < m->params.size(); ++k) {
            std::string_view pn = m->params[k].name;
            if (std::string(p.begin(), p.end()) == pn) ids[i] = static_cast<DISPID>(k);
        }
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

HRESULT ActiveXControl::InvokeProperty(const Member& member, WORD flags, DISPPARAMS* params,
                                       VARIANT* result) {
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        if (member.IsReadOnly()) return CTL_E_SETNOTSUPPORTED;
        if (!params || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
        PropertyValue value;
        HRESULT hr = FromVariant(&params->rgvarg[0], PropertyTypeOf(member.type), value,
                                 CodingOf(member.name));
        if (hr == DISP_E_OVERFLOW) return Overflow(member.name);
        if (FAILED(hr)) return hr;
        return SetProperty(member, value);
    }
    if (!(flags & DISPATCH_PROPERTYGET) && !(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (params && params->cArgs != 0) return DISP_E_BADPARAMCOUNT;
    PropertyValue value;
    value.type = PropertyTypeOf(member.type);
    HRESULT hr = GetProperty(member, value);
    if (SUCCEEDED(hr)) ToVariant(value, result, CodingOf(member.name));
    return hr;
}

STDMETHODIMP ActiveXControl::Invoke(DISPID dispid, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                    VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    EnsureInitialized();
    const Member* m = class_.dispatch.FindById(dispid);
    if (!m) return DISP_E_MEMBERNOTFOUND;
    if (m->kind == MemberKind::DefaultValue) {
        m = class_.dispatch.FindByName(m->aliasOf);
        if (!m) return DISP_E_MEMBERNOTFOUND;
    }
    AddRef();  // a handler may make the container drop the control
    HRESULT hr;
    if (m->IsProperty()) {
        hr = InvokeProperty(*m, flags, params, result);
    } else if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) {
        hr = DISP_E_MEMBERNOTFOUND;
    } else if ((params ? params->cArgs : 0) != m->params.size()) {
        hr = DISP_E_BADPARAMCOUNT;
    } else {
        hr = InvokeMethod(*m, params, result, argErr);
    }
    if (FAILED(hr) && !IsDispatchProtocolError(hr)) {
        std::string source = std::string(class_.name) + " Control";
        hr = RaiseDispatchError(hr, source, pendingError_, excep);
    }
    pendingError_.clear();
    Release();
    return hr;
}

// A 16-bit parameter or property given a number outside its range is
// refused, never wrapped into another value.
HRESULT ActiveXControl::Overflow(std::string_view name) {
    return Fail(CTL_E_OVERFLOW,
                std::string(name) + " must be a 16-bit number, from -32768 to 32767");
}

HRESULT ActiveXControl::InvokeMethod(const Member& m, DISPPARAMS* params, VARIANT* result,
                                     UINT* argErr) {
    MethodCall call{m, {}, {}, {}};
    for (UINT i = 0; i < m.params.size(); ++i) {
        VARIANT* raw = &params->rgvarg[params->cArgs - 1 - i];
        call.raw.push_back(raw);
        PropertyValue value;
        value.type = PropertyTypeOf(m.params[i].type);
        if (!m.params[i].byRef) {
            const HRESULT hr = FromVariant(raw, value.type, value);
            if (hr == DISP_E_OVERFLOW) return Overflow(m.params[i].name);
            if (FAILED(hr)) {
                if (argErr) *argErr = params->cArgs - 1 - i;
                return hr;
            }
        }
        call.args.push_back(std::move(value));
    }
    call.result.type = PropertyTypeOf(m.type);
    if (result) VariantInit(result);
    const HRESULT hr = CallMethod(call);
    if (SUCCEEDED(hr) && result && m.type != VarType::Void) ToVariant(call.result, result);
    return hr;
}

HRESULT ActiveXControl::Fail(HRESULT code, std::string description) {
    pendingError_ = std::move(description);
    return code;
}

HRESULT ActiveXControl::Fail(const common::ControlError& error) {
    return Fail(ErrorCodeOf(error.kind), error.description);
}

HRESULT ActiveXControl::GetProperty(const Member& member, PropertyValue& value) {
    common::Outcome outcome;
    if (properties_ && properties_->Get(member.name, value, outcome))
        return outcome ? Fail(*outcome) : S_OK;
    switch (member.dispId) {
        case module::kDispIdEnabled: value.number = enabled_; return S_OK;
        case module::kDispIdHwnd:
            value.number = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(hwnd_));
            return S_OK;
        case module::kDispIdBackColor: value.number = static_cast<std::int32_t>(backColor_); return S_OK;
        case module::kDispIdForeColor: value.number = static_cast<std::int32_t>(foreColor_); return S_OK;
        case module::kDispIdAppearance: value.number = appearance_; return S_OK;
        case module::kDispIdBorderStyle: value.number = borderStyle_; return S_OK;
        default: return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT ActiveXControl::SetProperty(const Member& member, const PropertyValue& value) {
    common::Outcome outcome;
    if (properties_ && properties_->Set(member.name, value, outcome)) {
        if (outcome) return Fail(*outcome);
        OnPropertyWritten(member);
        return S_OK;
    }
    switch (member.dispId) {
        case module::kDispIdEnabled:
            enabled_ = value.number != 0;
            if (hwnd_) EnableWindow(hwnd_, enabled_);
            break;
        case module::kDispIdHwnd: return Fail(CTL_E_SETNOTSUPPORTED, "hWnd is read-only");
        case module::kDispIdBackColor: backColor_ = static_cast<std::uint32_t>(value.number); break;
        case module::kDispIdForeColor: foreColor_ = static_cast<std::uint32_t>(value.number); break;
        case module::kDispIdAppearance:
            appearance_ = static_cast<short>(value.number);
            ApplyFrame();
            break;
        case module::kDispIdBorderStyle:
            borderStyle_ = static_cast<short>(value.number);
            ApplyFrame();
            break;
        default: return DISP_E_MEMBERNOTFOUND;
    }
    SetModifiedFlag();
    InvalidateControl();
    return S_OK;
}

HRESULT ActiveXControl::CallMethod(MethodCall& call) {
    common::Outcome outcome;
    if (properties_ && properties_->Call(call.member.name, call.args, call.result, outcome))
        return outcome ? Fail(*outcome) : S_OK;
    if (call.member.dispId == module::kDispIdAboutBox) {
        std::string text = std::string(class_.helpString) + "\nVexa_OCX ActiveX Control module 1.0";
        messages_.Show(std::string(class_.helpString), text, platform::MessageButtons::Ok,
                       platform::MessageIcon::Information);
        return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
}

}  // namespace vexa::win32
