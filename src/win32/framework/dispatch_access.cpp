#include "win32/framework/dispatch_access.h"

#include "win32/framework/variant_convert.h"

namespace vexa::win32 {

DISPID DispIdOf(IDispatch* d, std::string_view name) {
    std::wstring wide(name.begin(), name.end());
    LPOLESTR names[1] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return DISPID_UNKNOWN;
    return id;
}

HRESULT GetProperty(IDispatch* d, std::string_view name, VARTYPE type, VARIANT& out) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VariantInit(&out);
    const DISPID id = DispIdOf(d, name);
    if (id == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
    HRESULT hr = d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &out,
                           nullptr, nullptr);
    if (SUCCEEDED(hr) && out.vt != type) {
        // Colours arrive as unsigned numbers: keep their bits in a VT_I4.
        if (type == VT_I4 && out.vt == VT_UI4) {
            out.vt = VT_I4;
            return hr;
        }
        hr = VariantChangeType(&out, &out, 0, type);
    }
    return hr;
}

HRESULT PutProperty(IDispatch* d, std::string_view name, VARIANT& value, std::string& why) {
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &put, 1, 1};
    EXCEPINFO excep{};
    const DISPID id = DispIdOf(d, name);
    HRESULT hr = id == DISPID_UNKNOWN
                     ? DISP_E_UNKNOWNNAME
                     : d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params,
                                 nullptr, &excep, nullptr);
    if (FAILED(hr)) {
        why = std::string(name) + ": " +
              (excep.bstrDescription ? FromBstr(excep.bstrDescription) : std::string("refused"));
    }
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    return hr;
}

std::optional<std::string> GetText(IDispatch* d, std::string_view name) {
    VARIANT v;
    if (FAILED(GetProperty(d, name, VT_BSTR, v))) return std::nullopt;
    std::string text = FromBstr(v.bstrVal);
    VariantClear(&v);
    return text;
}

std::optional<long> GetNumber(IDispatch* d, std::string_view name) {
    VARIANT v;
    if (FAILED(GetProperty(d, name, VT_I4, v))) return std::nullopt;
    return v.lVal;
}

bool PutText(IDispatch* d, std::string_view name, const std::string& text) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = ToBstr(text);
    std::string why;
    const bool ok = SUCCEEDED(PutProperty(d, name, v, why));
    VariantClear(&v);
    return ok;
}

bool PutNumber(IDispatch* d, std::string_view name, long number, VARTYPE type) {
    VARIANT v;
    VariantInit(&v);
    v.vt = type;
    if (type == VT_I2)
        v.iVal = static_cast<SHORT>(number);
    else if (type == VT_UI4)
        v.ulVal = static_cast<ULONG>(number);
    else
        v.lVal = number;
    std::string why;
    return SUCCEEDED(PutProperty(d, name, v, why));
}

bool PutBool(IDispatch* d, std::string_view name, bool value) {
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    std::string why;
    return SUCCEEDED(PutProperty(d, name, v, why));
}

}  // namespace vexa::win32
