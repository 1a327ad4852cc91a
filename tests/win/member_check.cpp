// Every control the class table calls built is created (and no other), and
// every member the automation catalogue lists for it has a handler:
// properties read (and take back the value read, unless read-only), methods
// run with neutral arguments, and names resolve to the catalogue's DispIDs; the
// Unicode members round-trip words of every script and refuse what a script
// cannot hold without changing anything. The controls are made without a site,
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
using wintest::GetWide;
using wintest::PutWide;

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

// Held-out words of every script (family/words), each written through the
// Unicode twins in a control of its script and read back.
struct ScriptWord {
    const char* script;
    const wchar_t* word;
};
const ScriptWord kWords[] = {
    {"Devanagari", L"\u091C\u0940\u091F\u0940\u0915\u0947"},
    {"Devanagari", L"\u092E\u0902\u0917\u0932\u093E"},
    {"Bengali", L"\u09AC\u09BF\u09AD\u09BE\u0997\u09C7"},
    {"Assamese", L"\u099F\u09BE\u0987\u09AE\u09BE\u09F0"},
    {"Punjabi", L"\u0A1C\u0A3E\u0A35\u0A3E\u0A28\u0A40\u0A38"},
    {"Gujarati", L"\u0AAC\u0ACB\u0AA8\u0ACD\u0AA6\u0ACB"},
    {"Oriya", L"\u0B2C\u0B41\u0B26\u0B41"},
    {"Tamil", L"\u0BAA\u0BBF\u0BA3\u0BC8\u0B95\u0BCD\u0B95\u0BC1\u0BAE\u0BCD"},
    {"Telugu", L"\u0C2E\u0C27\u0C4D\u0C2F\u0C28\u0C3F"},
    {"Kannada", L"\u0CAE\u0CBE\u0C82\u0CA1\u0CC7\u0CB2\u0CBF"},
    {"Malayalam", L"\u0D1A\u0D46\u0D2F\u0D4D\u0D2F\u0D3E\u0D35\u0D41\u0D28\u0D4D\u0D28\u0D24\u0D4D"},
};

// Every Unicode member of a class: the words of every script come back as
// written; Tamil in a Devanagari control is refused whole, with a
// description naming the character and its position, and nothing changes.
void CheckUnicodeMembers(const vexa::module::CoClass& cls, IDispatch* d) {
    for (const vexa::module::Member& m : cls.dispatch.members) {
        if (m.type != vexa::module::VarType::UnicodeBstr || !m.IsProperty()) continue;
        const std::string who = std::string(cls.name) + "." + std::string(m.name);
        const std::wstring name(m.name.begin(), m.name.end());
        // A list takes its items each ended by CR LF.
        const std::wstring end = m.name == "UnicodeList" ? L"\r\n" : L"";
        int same = 0, total = 0;
        for (const ScriptWord& w : kWords) {
            VARIANT script;
            script.vt = VT_BSTR;
            const std::string s(w.script);
            script.bstrVal = SysAllocString(std::wstring(s.begin(), s.end()).c_str());
            wintest::Put(d, L"ScriptName", script);
            VariantClear(&script);
            EXCEPINFO excep{};
            ++total;
            same += SUCCEEDED(PutWide(d, name.c_str(), w.word + end, &excep)) &&
                    GetWide(d, name.c_str()) == w.word + end;
        }
        Check(same == total, who + " gives back the words of every script (" + std::to_string(same) +
                                 " of " + std::to_string(total) + ")");
        VARIANT script;
        script.vt = VT_BSTR;
        script.bstrVal = SysAllocString(L"Devanagari");
        wintest::Put(d, L"ScriptName", script);
        VariantClear(&script);
        const std::wstring held = L"\u0915\u092E\u0932" + end;
        PutWide(d, name.c_str(), held, nullptr);
        EXCEPINFO excep{};
        const HRESULT hr = PutWide(d, name.c_str(), L"\u0915\u0BA4\u0BAE" + end, &excep);
        const std::wstring description = excep.bstrDescription ? excep.bstrDescription : L"";
        Check(hr == DISP_E_EXCEPTION && description.find(L"U+0BA4 at position 1") != std::wstring::npos,
              who + " refuses Tamil in Devanagari, naming U+0BA4 at position 1");
        Check(GetWide(d, name.c_str()) == held, who + " is unchanged after the refused write");
        SysFreeString(excep.bstrSource);
        SysFreeString(excep.bstrDescription);
        SysFreeString(excep.bstrHelpFile);
    }
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
        CheckUnicodeMembers(cls, d);
        d->Release();
    }
    Check(created > 0, "at least one control of the catalogue is built");
}
