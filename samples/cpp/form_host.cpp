// A C++ form with all seven controls, each in the ATL host window
// ("AtlAxWin" of atl.dll, the host many C++ programs use), driven late-bound
// through IDispatch by member name.
//
// The program makes a frame window, puts a host window for every control's
// ProgID on it, takes each control from its host (AtlAxGetControl), sets a
// Devanagari text and reads it back, and checks that the control has a
// window of its own on the form.
//
// Prints what it does and ends with "RESULT ok N checks" or "RESULT failed".

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

namespace {

int checks = 0, failures = 0;

void Check(bool ok, const std::string& what) {
    ++checks;
    if (!ok) {
        ++failures;
        std::printf("FAIL %s\n", what.c_str());
    }
}

// ISCII bytes as a BSTR, one character per byte, and back.
BSTR IsciiBstr(const std::string& bytes) {
    BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(bytes.size()));
    for (std::size_t i = 0; i < bytes.size(); ++i) out[i] = static_cast<unsigned char>(bytes[i]);
    return out;
}

std::string Bytes(const VARIANT& v) {
    std::string out;
    if (v.vt != VT_BSTR || !v.bstrVal) return out;
    for (UINT i = 0; i < SysStringLen(v.bstrVal); ++i) out += static_cast<char>(v.bstrVal[i] & 0xFF);
    return out;
}

std::string Hex(const std::string& bytes) {
    std::string out;
    char buffer[8];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%s%02X", i ? " " : "", static_cast<unsigned char>(bytes[i]));
        out += buffer;
    }
    return out;
}

// A member call by name: a property read or write, or a method.
HRESULT Invoke(IDispatch* d, const wchar_t* name, WORD kind, VARIANT* args, UINT count, VARIANT* result) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = d->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{args, kind == DISPATCH_PROPERTYPUT ? &put : nullptr, count,
                      kind == DISPATCH_PROPERTYPUT ? 1u : 0u};
    return d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, result, nullptr, nullptr);
}

bool PutText(IDispatch* d, const wchar_t* name, const std::string& bytes) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = IsciiBstr(bytes);
    const HRESULT hr = Invoke(d, name, DISPATCH_PROPERTYPUT, &v, 1, nullptr);
    VariantClear(&v);
    return SUCCEEDED(hr);
}

bool PutNumber(IDispatch* d, const wchar_t* name, long n) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = n;
    return SUCCEEDED(Invoke(d, name, DISPATCH_PROPERTYPUT, &v, 1, nullptr));
}

// A property or a method without arguments; an empty VARIANT on failure.
VARIANT Get(IDispatch* d, const wchar_t* name, WORD kind = DISPATCH_PROPERTYGET) {
    VARIANT v;
    VariantInit(&v);
    Invoke(d, name, kind, nullptr, 0, &v);
    return v;
}

long Number(IDispatch* d, const wchar_t* name, WORD kind = DISPATCH_PROPERTYGET) {
    VARIANT v = Get(d, name, kind);
    VARIANT n;
    VariantInit(&n);
    const long value = SUCCEEDED(VariantChangeType(&n, &v, 0, VT_I4)) ? n.lVal : -12345;
    VariantClear(&v);
    return value;
}

void Pump() {
    MSG msg;
    for (int round = 0; round < 20; ++round) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

// "namaste" and "kamal" (lotus) in ISCII.
const std::string kNamaste = "\xC6\xCC\xD7\xE8\xC2\xE1";
const std::string kKamal = "\xB3\xCC\xD1";

struct Control {
    const char* progId;
    const wchar_t* textProperty;  // the property that carries its text
    RECT at;
};

const Control kControls[] = {
    {"VEXAOCX.VEditCtrl", L"Text", {10, 10, 310, 50}},
    {"VEXAOCX.VPushButtonCtrl", L"Caption", {10, 60, 160, 96}},
    {"VEXAOCX.VCheckBoxCtrl", L"Caption", {170, 60, 330, 96}},
    {"VEXAOCX.VRadioButtonCtrl", L"Caption", {10, 106, 160, 142}},
    {"VEXAOCX.VGroupBoxCtrl", L"Caption", {340, 10, 560, 150}},
    {"VEXAOCX.VStaticCtrl", L"Caption", {170, 106, 330, 142}},
    {"VEXAOCX.VListBoxCtrl", nullptr, {10, 160, 310, 260}},
};

}  // namespace

int main() {
    OleInitialize(nullptr);
    HMODULE atl = LoadLibraryA("atl.dll");
    auto init = reinterpret_cast<BOOL(WINAPI*)()>(
        reinterpret_cast<void*>(atl ? GetProcAddress(atl, "AtlAxWinInit") : nullptr));
    auto getControl = reinterpret_cast<HRESULT(WINAPI*)(HWND, IUnknown**)>(
        reinterpret_cast<void*>(atl ? GetProcAddress(atl, "AtlAxGetControl") : nullptr));
    Check(init && getControl && init(), "the ATL host is there (atl.dll, AtlAxWinInit)");
    if (failures) {
        std::printf("RESULT failed %d of %d\n", failures, checks);
        return 1;
    }

    HWND form = CreateWindowA("STATIC", "Vexa form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 580, 300,
                              nullptr, nullptr, nullptr, nullptr);
    for (const Control& c : kControls) {
        HWND host = CreateWindowA("AtlAxWin", c.progId, WS_CHILD | WS_VISIBLE, c.at.left, c.at.top,
                                  c.at.right - c.at.left, c.at.bottom - c.at.top, form, nullptr, nullptr,
                                  nullptr);
        Pump();
        IUnknown* unknown = nullptr;
        IDispatch* d = nullptr;
        if (host && SUCCEEDED(getControl(host, &unknown)) && unknown) {
            unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d));
            unknown->Release();
        }
        Check(d != nullptr, std::string(c.progId) + " placed on the form");
        if (!d) continue;
        Check(Number(d, L"hWnd") != 0, std::string(c.progId) + " has a window of its own");
        PutText(d, L"ScriptName", "Devanagari");
        if (c.textProperty) {
            Check(PutText(d, c.textProperty, kNamaste), std::string(c.progId) + " text set");
            VARIANT back = Get(d, c.textProperty);
            std::printf("%-26s %ls in ISCII: %s\n", c.progId, c.textProperty, Hex(Bytes(back)).c_str());
            Check(Bytes(back) == kNamaste, std::string(c.progId) + " text comes back as set");
            VariantClear(&back);
        } else {
            VARIANT args[2];  // reversed: the index, then the item
            VariantInit(&args[0]);
            args[0].vt = VT_I4;
            args[0].lVal = -1;
            VariantInit(&args[1]);
            args[1].vt = VT_BSTR;
            args[1].bstrVal = IsciiBstr(kKamal);
            Invoke(d, L"AddItem", DISPATCH_METHOD, args, 2, nullptr);
            VariantClear(&args[1]);
            std::printf("%-26s items: %ld\n", c.progId, Number(d, L"GetCount", DISPATCH_METHOD));
            Check(Number(d, L"GetCount", DISPATCH_METHOD) == 1, std::string(c.progId) + " holds the item");
        }
        if (std::string(c.progId) == "VEXAOCX.VCheckBoxCtrl") {
            Check(PutNumber(d, L"Value", 1) && Number(d, L"Value") == 1, "the check box is checked");
        }
        d->Release();
    }
    Pump();
    DestroyWindow(form);
    OleUninitialize();
    if (failures) {
        std::printf("RESULT failed %d of %d\n", failures, checks);
        return 1;
    }
    std::printf("RESULT ok %d checks\n", checks);
    return 0;
}
