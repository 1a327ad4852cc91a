// vexa-wintest dispatch: the edit control's IDispatch and the type library
// it hands out agree with the catalogue, and the properties the library types
// by an enumeration keep their 16-bit values at run time.

#include <oaidl.h>
#include <windows.h>

#include <string>

#include "module/automation_catalogue.h"
#include "tests/win/wintest_util.h"

namespace {

using wintest::Check;

std::wstring Wide(std::string_view s) { return std::wstring(s.begin(), s.end()); }

HRESULT Put(IDispatch* d, DISPID id, VARIANT value) {
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    return d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

VARIANT Get(IDispatch* d, DISPID id) {
    VARIANT out;
    VariantInit(&out);
    DISPPARAMS none{};
    d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &out, nullptr, nullptr);
    return out;
}

// A caller that typed the value by the library's enumeration passes VT_I4;
// one that followed the old 16-bit declaration passes VT_I2. Both are
// stored, and reading gives VT_I2 as before.
void CheckEnumProperty(IDispatch* d, const vexa::module::Member& m) {
    const std::string name(m.name);
    VARIANT wide;
    VariantInit(&wide);
    wide.vt = VT_I4;
    wide.lVal = 1;
    Check(SUCCEEDED(Put(d, m.dispId, wide)), name + " takes a VT_I4 value");
    VARIANT got = Get(d, m.dispId);
    Check(got.vt == VT_I2 && got.iVal == 1,
          name + " reads as VT_I2 1 (vt " + std::to_string(got.vt) + ")");
    VARIANT narrow;
    VariantInit(&narrow);
    narrow.vt = VT_I2;
    narrow.iVal = 0;
    Check(SUCCEEDED(Put(d, m.dispId, narrow)), name + " takes a VT_I2 value");
    got = Get(d, m.dispId);
    Check(got.vt == VT_I2 && got.iVal == 0, name + " reads back 0");
}

}  // namespace

void CheckDispatchAgainstTypeLibrary() {
    const vexa::module::CoClass* edit = vexa::module::Catalogue().FindClass("VEdit");
    CLSID clsid{};
    CLSIDFromProgID(L"VEXAOCX.VEditCtrl.1", &clsid);
    IDispatch* d = nullptr;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                  reinterpret_cast<void**>(&d));
    Check(SUCCEEDED(hr) && d, "VEdit created");
    if (!d) return;
    ITypeInfo* info = nullptr;
    Check(SUCCEEDED(d->GetTypeInfo(0, 0, &info)) && info, "the control hands out its type info");
    if (info) {
        TYPEATTR* attr = nullptr;
        info->GetTypeAttr(&attr);
        OLECHAR text[40] = {};
        if (attr) StringFromGUID2(attr->guid, text, 40);
        Check(attr && attr->typekind == TKIND_DISPATCH &&
                  std::wstring(text) == L"{" + Wide(edit->dispatch.iid) + L"}",
              "the type info is _DVEdit");
        if (attr) info->ReleaseTypeAttr(attr);
    }
    for (const vexa::module::Member& m : edit->dispatch.members) {
        std::wstring name = Wide(m.name);
        LPOLESTR names[1] = {name.data()};
        DISPID byDispatch = DISPID_UNKNOWN, byLibrary = DISPID_UNKNOWN;
        d->GetIDsOfNames(IID_NULL, names, 1, 0, &byDispatch);
        if (info) info->GetIDsOfNames(names, 1, &byLibrary);
        Check(byDispatch == m.dispId,
              std::string(m.name) + ": the control's DispID is " + std::to_string(byDispatch));
        Check(byLibrary == m.dispId,
              std::string(m.name) + ": the library's DispID is " + std::to_string(byLibrary));
        if (!m.enumType.empty()) CheckEnumProperty(d, m);
    }
    if (info) info->Release();
    d->Release();
}
