// Every control the class table calls built is created (and no other), and
// every member the automation catalogue lists for it has a handler:
// properties read (and take back the value read, unless read-only), methods
// run with neutral arguments, and names resolve to the catalogue's DispIDs. The controls are made without a site,
// as a script host makes them, so nothing can open a box or a dialog.
#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <string>
#include <vector>

#include "module/automation_catalogue.h"
#include "module/class_table.h"
#include "tests/win/wintest_util.h"

using wintest::Check;

namespace {

VARIANT Neutral(vexa::module::VarType type) {
    VARIANT v;
    VariantInit(&v);
    switch (type) {
        case vexa::module::VarType::Bstr:
        case vexa::module::VarType::UnicodeBstr:
            v.vt = VT_BSTR;
            v.bstrVal = SysAllocString(L"");
            break;
        case vexa::module::VarType::Bool:
            v.vt = VT_BOOL;
            v.boolVal = VARIANT_FALSE;
            break;
        case vexa::module::VarType::I2:
            v.vt = VT_I2;
            v.iVal = 12;
            break;
        default:
            v.vt = VT_I4;
            v.lVal = 100;
            break;
    }
    return v;
}

std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(hr));
    return text;
}

void CheckClass(const vexa::module::CoClass& cls, IDispatch* d) {
    const std::string who = std::string(cls.name) + ".";
    for (const vexa::module::Member& m : cls.dispatch.members) {
        std::wstring wide(m.name.begin(), m.name.end());
        DISPID id = wintest::IdOf(d, wide.c_str());
        Check(id == m.dispId, who + std::string(m.name) + " has the catalogue's DispID");
        EXCEPINFO excep{};
        if (m.IsProperty()) {
            DISPPARAMS none{nullptr, nullptr, 0, 0};
            VARIANT value;
            VariantInit(&value);
            HRESULT hr = d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, &excep, nullptr);
            Check(SUCCEEDED(hr), who + std::string(m.name) + " reads (" + Hex(hr) + ")");
            if (SUCCEEDED(hr) && !m.IsReadOnly()) {
                DISPID put = DISPID_PROPERTYPUT;
                DISPPARAMS params{&value, &put, 1, 1};
                hr = d->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, &excep, nullptr);
                // Taking back its own value may be refused (hWnd), but only
                // with a reason the caller can read.
                Check(SUCCEEDED(hr) || (hr == DISP_E_EXCEPTION && excep.bstrDescription),
                      who + std::string(m.name) + " takes its value back (" + Hex(hr) + ")");
            }
            VariantClear(&value);
        } else if (m.kind != vexa::module::MemberKind::Event) {
            std::vector<VARIANT> args;
            for (auto it = m.params.rbegin(); it != m.params.rend(); ++it) args.push_back(Neutral(it->type));
            DISPPARAMS params{args.empty() ? nullptr : args.data(), nullptr, static_cast<UINT>(args.size()), 0};
            VARIANT result;
            VariantInit(&result);
            HRESULT hr = d->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, &excep, nullptr);
            Check(hr != DISP_E_MEMBERNOTFOUND && (SUCCEEDED(hr) || hr == DISP_E_EXCEPTION),
                  who + std::string(m.name) + " runs or says why not (" + Hex(hr) + ")");
            VariantClear(&result);
            for (VARIANT& a : args) VariantClear(&a);
        }
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }
}

}  // namespace

void CheckCatalogueMembers() {
    int created = 0;
    for (const vexa::module::CoClass& cls : vexa::module::Catalogue().classes) {
        if (!cls.control) continue;
        std::wstring wide(cls.clsid.begin(), cls.clsid.end());
        wide = L"{" + wide + L"}";
        CLSID clsid;
        CLSIDFromString(wide.c_str(), &clsid);
        IDispatch* d = nullptr;
        HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                      reinterpret_cast<void**>(&d));
        // Every class the class table calls built must be there to check.
        const bool built = vexa::module::FindImplemented(cls.clsid) != nullptr;
        Check(SUCCEEDED(hr) == built, std::string(cls.name) + (built ? " is created" : " is not offered"));
        if (FAILED(hr)) {
            std::printf("note: %s is not built into this module (%08lx)\n", std::string(cls.name).c_str(),
                        static_cast<unsigned long>(hr));
            continue;
        }
        ++created;
        CheckClass(cls, d);
        d->Release();
    }
    Check(created > 0, "at least one control of the catalogue is built");
}
