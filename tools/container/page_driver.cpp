#include "page_driver.h"

#include <commctrl.h>
#include <prsht.h>

#include "capture.h"

namespace vexa::container {

namespace {

constexpr UINT kDriveFrame = WM_APP + 17;
constexpr int kApplyButton = 0x3021;  // the property sheet's Apply

struct Driver {
    const PageScript* script = nullptr;
    PageRun* run = nullptr;
    HWND messages = nullptr;
    HHOOK hook = nullptr;
    bool seen = false;
};
Driver g_driver;

// A common property sheet: a dialog whose direct child is the tab control.
bool HasTabControl(HWND frame) {
    return FindWindowExA(frame, nullptr, "SysTabControl32", nullptr) != nullptr;
}

// The frame's activation: hand it to the driver (later, from the frame's
// own message loop) instead of letting the box answerer close it.
LRESULT CALLBACK FrameHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && !g_driver.seen) {
        HWND window = reinterpret_cast<HWND>(wp);
        char cls[32] = {};
        GetClassNameA(window, cls, sizeof cls);
        if (std::string(cls) == "#32770" && HasTabControl(window)) {
            g_driver.seen = true;
            PostMessageA(g_driver.messages, kDriveFrame, 0, reinterpret_cast<LPARAM>(window));
            return 0;  // not for the answerer of message boxes
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void PumpFrame() {
    MSG msg;
    for (int i = 0; i < 3; ++i)
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
}

struct FieldSearch {
    int id;
    HWND found;
};

// A page's field: the window with that control ID whose parent is a page,
// not the frame itself (the frame's own buttons have IDs too).
BOOL CALLBACK MatchField(HWND child, LPARAM p) {
    auto* s = reinterpret_cast<FieldSearch*>(p);
    if (GetDlgCtrlID(child) != s->id || GetParent(child) == GetAncestor(child, GA_ROOT)) return TRUE;
    s->found = child;
    return FALSE;
}

// The field on the page the frame shows (pages visited before stay as
// hidden windows, and two pages may use the same id).
HWND FindField(HWND frame, int id) {
    FieldSearch search{id, nullptr};
    HWND page = reinterpret_cast<HWND>(SendMessageA(frame, PSM_GETCURRENTPAGEHWND, 0, 0));
    EnumChildWindows(page ? page : frame, MatchField, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The field on the first page that has it, turning the frame's pages one
// by one (a sheet makes a page when it is first shown).
HWND FindFieldOnPages(HWND frame, int id) {
    if (HWND field = FindField(frame, id)) return field;
    HWND tabs = FindWindowExA(frame, nullptr, "SysTabControl32", nullptr);
    const int count = tabs ? static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        SendMessageA(frame, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
        PumpFrame();
        if (HWND field = FindField(frame, id)) return field;
    }
    return nullptr;
}

void SetField(HWND field, const std::string& value) {
    char cls[32] = {};
    GetClassNameA(field, cls, sizeof cls);
    const std::string kind = cls;
    HWND page = GetParent(field);
    const int id = GetDlgCtrlID(field);
    if (kind == "ComboBox") {
        SendMessageA(field, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.c_str()));
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(field));
    } else if (kind == "Button") {
        SendMessageA(field, BM_SETCHECK, value == "1" ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(field));
    } else {
        SetWindowTextA(field, value.c_str());
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(field));
    }
}

void DriveFrame(HWND frame) {
    PageRun& run = *g_driver.run;
    const PageScript& script = *g_driver.script;
    run.frameShown = true;
    PumpFrame();
    if (script.fieldId == 0) {
        PumpFrame();
    } else if (HWND field = FindFieldOnPages(frame, script.fieldId)) {
        run.fieldFound = true;
        SetField(field, script.value);
        PumpFrame();
        HWND apply = GetDlgItem(frame, kApplyButton);
        run.applyEnabled = apply && IsWindowEnabled(apply);
        if (script.keep && script.apply && run.applyEnabled) {
            SendMessageA(apply, BM_CLICK, 0, 0);
            run.applied = true;
            PumpFrame();
        }
    }
    if (!script.shot.empty()) run.shotWritten = WindowShot(frame, script.shot);
    HWND close = GetDlgItem(frame, script.keep ? IDOK : IDCANCEL);
    if (close)
        SendMessageA(close, BM_CLICK, 0, 0);
    else
        PostMessageA(frame, WM_COMMAND, script.keep ? IDOK : IDCANCEL, 0);
}

LRESULT CALLBACK DriverProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kDriveFrame) {
        DriveFrame(reinterpret_cast<HWND>(lp));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

bool WindowShot(HWND window, const std::string& file) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return false;
    HDC windowDc = GetWindowDC(window);
    bool ok;
    {
        Capture shot(windowDc, w, h);
        BitBlt(shot.Dc(), 0, 0, w, h, windowDc, 0, 0, SRCCOPY);
        ok = shot.Write(file);
    }
    ReleaseDC(window, windowDc);
    return ok;
}

PageRun RunPropertyPages(IUnknown* control, HWND owner, const PageScript& script) {
    PageRun run;
    CAUUID pages{0, nullptr};
    HRESULT hr = S_OK;
    if (!script.pages.empty()) {
        pages.cElems = static_cast<ULONG>(script.pages.size());
        pages.pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID) * script.pages.size()));
        if (!pages.pElems) return run;
        for (std::size_t i = 0; i < script.pages.size(); ++i) pages.pElems[i] = script.pages[i];
    } else {
        ISpecifyPropertyPages* specify = nullptr;
        if (FAILED(control->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify))))
            return run;
        hr = specify->GetPages(&pages);
        specify->Release();
    }
    if (FAILED(hr) || pages.cElems == 0) {
        CoTaskMemFree(pages.pElems);
        run.result = FAILED(hr) ? hr : E_NOTIMPL;
        return run;
    }
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DriverProc;
        wc.lpszClassName = "VexaPageDriver";
        return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    g_driver = Driver{};
    g_driver.script = &script;
    g_driver.run = &run;
    g_driver.messages = CreateWindowA("VexaPageDriver", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    g_driver.hook = SetWindowsHookExA(WH_CBT, FrameHook, nullptr, GetCurrentThreadId());
    IUnknown* objects[1] = {control};
    run.result = OleCreatePropertyFrame(owner, 20, 20, L"Properties", 1, objects, pages.cElems,
                                        pages.pElems, LOCALE_USER_DEFAULT, 0, nullptr);
    UnhookWindowsHookEx(g_driver.hook);
    DestroyWindow(g_driver.messages);
    g_driver = Driver{};
    CoTaskMemFree(pages.pElems);
    return run;
}

}  // namespace vexa::container
