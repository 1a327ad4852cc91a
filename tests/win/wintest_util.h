#pragma once

#include <ocidl.h>
#include <windows.h>

#include <cstdio>
#include <string>

// What every check of vexa-wintest shares: the failure count, the message
// pump, and property access through IDispatch.
namespace wintest {

inline int g_failures = 0;
inline int g_checks = 0;

inline void Check(bool ok, const std::string& what) {
    ++g_checks;
    if (!ok) {
        ++g_failures;
        std::printf("FAIL %s\n", what.c_str());
    }
}

// Runs the thread's messages until none is left; `dialog` (when given) gets
// them through IsDialogMessage first, as a dialog host's loop does.
inline void Pump(HWND dialog = nullptr) {
    MSG msg;
    for (int i = 0; i < 3; ++i)
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (dialog && IsDialogMessageA(dialog, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
}

inline DISPID IdOf(IDispatch* d, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
    d->GetIDsOfNames(IID_NULL, names, 1, 0, &id);
    return id;
}

// A property as text ("<failed>" when it cannot be read).
inline std::string GetText(IDispatch* d, const wchar_t* name) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT v;
    VariantInit(&v);
    if (FAILED(d->Invoke(IdOf(d, name), IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr)) ||
        FAILED(VariantChangeType(&v, &v, 0, VT_BSTR)))
        return "<failed>";
    std::wstring w(v.bstrVal, SysStringLen(v.bstrVal));
    VariantClear(&v);
    return std::string(w.begin(), w.end());
}

inline HRESULT Put(IDispatch* d, const wchar_t* name, VARIANT v) {
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&v, &put, 1, 1};
    return d->Invoke(IdOf(d, name), IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

// A text property written and read as UTF-16, exactly as given and answered
// ("<failed>" when it cannot be read). `excep` receives a refusal's
// description when given.
inline HRESULT PutWide(IDispatch* d, const wchar_t* name, const std::wstring& text,
                       EXCEPINFO* excep = nullptr) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params{&v, &put, 1, 1};
    const HRESULT hr =
        d->Invoke(IdOf(d, name), IID_NULL, 0, DISPATCH_PROPERTYPUT, &params, nullptr, excep, nullptr);
    VariantClear(&v);
    return hr;
}

inline std::wstring GetWide(IDispatch* d, const wchar_t* name) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT v;
    VariantInit(&v);
    if (FAILED(d->Invoke(IdOf(d, name), IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr, nullptr)) ||
        v.vt != VT_BSTR)
        return L"<failed>";
    std::wstring w(v.bstrVal, SysStringLen(v.bstrVal));
    VariantClear(&v);
    return w;
}

inline HRESULT PutBool(IDispatch* d, const wchar_t* name, bool value) {
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return Put(d, name, v);
}

inline HRESULT PutShort(IDispatch* d, const wchar_t* name, short value) {
    VARIANT v;
    v.vt = VT_I2;
    v.iVal = value;
    return Put(d, name, v);
}

inline HRESULT PutLong(IDispatch* d, const wchar_t* name, long value) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    return Put(d, name, v);
}

// Bytes as an automation string, one character per byte (ANSI code page).
inline BSTR Bytes(const std::string& bytes) {
    std::wstring wide(bytes.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                                static_cast<int>(wide.size()));
    return SysAllocStringLen(wide.data(), static_cast<UINT>(n));
}

inline HRESULT PutBytes(IDispatch* d, const wchar_t* name, const std::string& bytes) {
    VARIANT v;
    v.vt = VT_BSTR;
    v.bstrVal = Bytes(bytes);
    HRESULT hr = Put(d, name, v);
    SysFreeString(v.bstrVal);
    return hr;
}

// How many dark pixels the window's own drawing has (asked for with
// WM_PRINTCLIENT into memory): a control that paints its text has some.
inline int DarkPixels(HWND window) {
    RECT rc;
    GetClientRect(window, &rc);
    HDC screen = GetDC(window);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    int dark = 0;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x) {
            COLORREF c = GetPixel(mem, x, y);
            if (GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96) ++dark;
        }
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(window, screen);
    return dark;
}

// A dialog made from a template with no items (size in dialog units); the
// test makes its children afterwards. `proc` sees the dialog's messages.
inline HWND CreateEmptyDialog(DLGPROC proc, short width, short height) {
    alignas(4) static WORD tmpl[32] = {};
    auto* t = reinterpret_cast<DLGTEMPLATE*>(tmpl);
    t->style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT | DS_MODALFRAME;
    t->cx = width;
    t->cy = height;
    WORD* p = reinterpret_cast<WORD*>(t + 1);
    *p++ = 0;  // no menu
    *p++ = 0;  // the dialog class
    *p++ = 0;  // no title
    *p++ = 8;  // font size, then the face
    for (const char* f = "MS Shell Dlg"; *f; ++f) *p++ = static_cast<WORD>(*f);
    *p++ = 0;
    return CreateDialogIndirectParamA(nullptr, t, nullptr, proc, 0);
}

// Wine's ATL host, loaded by name (no import library): AtlAxWinInit has
// registered the "AtlAxWin" class when `Ready()`; the control of a host
// window comes from AtlAxGetControl.
class AtlHost {
public:
    AtlHost() {
        HMODULE atl = LoadLibraryA("atl.dll");
        if (!atl) return;
        auto init = reinterpret_cast<BOOL(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
        getControl_ = reinterpret_cast<HRESULT(WINAPI*)(HWND, IUnknown**)>(
            reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
        ready_ = init && getControl_ && init();
    }
    bool Ready() const { return ready_; }
    // The hosted control's IDispatch (null when there is none); `unknown`
    // receives its IUnknown when given.
    IDispatch* Control(HWND host, IUnknown** unknown = nullptr) const {
        IUnknown* u = nullptr;
        IDispatch* d = nullptr;
        if (ready_ && host && SUCCEEDED(getControl_(host, &u)) && u)
            u->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d));
        if (unknown)
            *unknown = u;
        else if (u)
            u->Release();
        return d;
    }

    // A visible frame window with one host of `progId` in it at `at`, its
    // messages pumped so that the control is made. When the host holds no
    // control, the frame is destroyed and `control` is null.
    struct Placed {
        HWND frame = nullptr;
        HWND host = nullptr;
        IUnknown* unknown = nullptr;
        IDispatch* control = nullptr;
    };
    Placed Place(const char* title, int width, int height, const char* progId, RECT at) const {
        Placed p;
        p.frame = CreateWindowA("STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, width, height,
                                nullptr, nullptr, nullptr, nullptr);
        p.host = CreateWindowA("AtlAxWin", progId, WS_CHILD | WS_VISIBLE, at.left, at.top, at.right - at.left,
                               at.bottom - at.top, p.frame, nullptr, nullptr, nullptr);
        Pump();
        p.control = Control(p.host, &p.unknown);
        if (!p.control) {
            if (p.unknown) p.unknown->Release();
            p.unknown = nullptr;
            DestroyWindow(p.frame);
            p.frame = p.host = nullptr;
        }
        return p;
    }

private:
    HRESULT(WINAPI* getControl_)(HWND, IUnknown**) = nullptr;
    bool ready_ = false;
};

}  // namespace wintest
