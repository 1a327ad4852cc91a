#include "win32/framework/variant_convert.h"

#include "win32/framework/com_module.h"

namespace vexa::win32 {

using common::PropertyType;
using common::PropertyValue;
using module::VarType;

namespace {

VARTYPE VariantTypeOf(PropertyType t) {
    switch (t) {
        case PropertyType::Bool: return VT_BOOL;
        case PropertyType::Short: return VT_I2;
        case PropertyType::String:
        case PropertyType::Unicode: return VT_BSTR;
        case PropertyType::Color: return VT_UI4;
        default: return VT_I4;
    }
}

}  // namespace

GUID Guid(std::string_view text) {
    GUID g{};
    ParseGuid(std::string(text), g);
    return g;
}

common::PropertyType PropertyTypeOf(module::VarType t) {
    switch (t) {
        case VarType::Bool: return PropertyType::Bool;
        case VarType::I2: return PropertyType::Short;
        case VarType::Bstr: return PropertyType::String;
        case VarType::UnicodeBstr: return PropertyType::Unicode;
        case VarType::Color: return PropertyType::Color;
        default: return PropertyType::Long;
    }
}

HRESULT FromVariant(const VARIANT* in, PropertyType type, PropertyValue& out, TextCoding coding) {
    VARIANT v;
    VariantInit(&v);
    HRESULT hr = VariantCopyInd(&v, const_cast<VARIANT*>(in));
    if (SUCCEEDED(hr)) hr = VariantChangeType(&v, &v, 0, VariantTypeOf(type));
    if (FAILED(hr)) {
        VariantClear(&v);
        return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH;
    }
    out.type = type;
    switch (type) {
        case PropertyType::Bool: out.number = v.boolVal != VARIANT_FALSE; break;
        case PropertyType::Short: out.number = v.iVal; break;
        case PropertyType::String:
            out.text = coding == TextCoding::Utf8 ? Utf8FromBstr(v.bstrVal) : FromBstr(v.bstrVal);
            break;
        case PropertyType::Unicode:
            out.unicode.assign(reinterpret_cast<const char16_t*>(v.bstrVal),
                               v.bstrVal ? SysStringLen(v.bstrVal) : 0);
            break;
        case PropertyType::Color: out.number = static_cast<std::int32_t>(v.ulVal); break;
        default: out.number = v.lVal; break;
    }
    VariantClear(&v);
    return S_OK;
}

void ToVariant(const PropertyValue& value, VARIANT* out, TextCoding coding) {
    if (!out) return;
    VariantInit(out);
    switch (value.type) {
        case PropertyType::Bool:
            out->vt = VT_BOOL;
            out->boolVal = value.number ? VARIANT_TRUE : VARIANT_FALSE;
            break;
        case PropertyType::Short:
            out->vt = VT_I2;
            out->iVal = static_cast<SHORT>(value.number);
            break;
        case PropertyType::String:
            out->vt = VT_BSTR;
            out->bstrVal = coding == TextCoding::Utf8 ? BstrFromUtf8(value.text) : ToBstr(value.text);
            break;
        case PropertyType::Unicode:
            out->vt = VT_BSTR;
            out->bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(value.unicode.data()),
                                             static_cast<UINT>(value.unicode.size()));
            break;
        case PropertyType::Color:
            out->vt = VT_UI4;
            out->ulVal = static_cast<ULONG>(value.number);
            break;
        default:
            out->vt = VT_I4;
            out->lVal = value.number;
            break;
    }
}

std::string FromBstr(BSTR text) {
    if (!text) return {};
    int length = static_cast<int>(SysStringLen(text));
    if (length == 0) return {};
    int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

BSTR ToBstr(const std::string& text) {
    if (text.empty()) return SysAllocStringLen(nullptr, 0);
    int length = static_cast<int>(text.size());
    int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    BSTR out = SysAllocStringLen(nullptr, size);
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, out, size);
    return out;
}

std::string Utf8FromBstr(BSTR text) {
    if (!text) return {};
    const int length = static_cast<int>(SysStringLen(text));
    if (length == 0) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), size, nullptr, nullptr);
    return out;
}

BSTR BstrFromUtf8(const std::string& text) {
    if (text.empty()) return SysAllocStringLen(nullptr, 0);
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    BSTR out = SysAllocStringLen(nullptr, size > 0 ? size : 0);
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out, size);
    return out;
}

}  // namespace vexa::win32
