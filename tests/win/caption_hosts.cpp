// The caption controls in hosts nobody here wrote: Wine's ATL host (each
// kind created, its caption shown in font codes and painted, clicked by a
// click message and by Space with Click -600, persisted to a property bag
// and loaded again), and a dialog with an IsDialogMessage loop (Tab order,
// the group box skipped, arrows within a radio group, Enter on a push
// button, the container's Enter through IOleControl::OnMnemonic).
#include <ocidl.h>
#include <olectl.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/com_doubles.h"
#include "tests/win/wintest_util.h"

using wintest::Check;
using wintest::GetText;
using wintest::Pump;

using wintest::Bytes;
using wintest::Connect;
using wintest::Put;
using wintest::PutBytes;
using wintest::PutLong;
using wintest::PutShort;

namespace {

const char kNamaste[] = "\xC6\xCC\xD7\xE8\xC2\xE1";

struct Kind {
    const char* progId;
    const char* name;
    const char* caption;  // the persistence default
    bool clicks;
    std::size_t persisted;
};

const Kind kKinds[] = {
    {"VEXAOCX.VPushButtonCtrl.1", "VPushButton", "VPushButton", true, 8},
    {"VEXAOCX.VCheckBoxCtrl.1", "VCheckBox", "VCheckBox", true, 12},
    {"VEXAOCX.VRadioButtonCtrl.1", "VRadioButton", "VRadioButton", true, 12},
    {"VEXAOCX.VGroupBoxCtrl.1", "VGroupBox", "VGroupBox", false, 9},
};

// The bytes of a text property (the inverse of PutBytes).
std::string GetBytes(IDispatch* d, const wchar_t* name) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    VARIANT v;
    VariantInit(&v);
    if (FAILED(d->Invoke(wintest::IdOf(d, name), IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &v, nullptr,
                         nullptr)) ||
        v.vt != VT_BSTR)
        return "<failed>";
    std::string bytes(SysStringLen(v.bstrVal) * 2 + 1, '\0');
    int n = WideCharToMultiByte(CP_ACP, 0, v.bstrVal, static_cast<int>(SysStringLen(v.bstrVal)),
                                bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    VariantClear(&v);
    bytes.resize(n > 0 ? n : 0);
    return bytes;
}


void Key(HWND target, WPARAM vk) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(vk), 0)) << 16;
    PostMessageA(target, WM_KEYDOWN, vk, 1 | scan);
    PostMessageA(target, WM_KEYUP, vk, 1 | scan | 0xC0000000);
}

// A host's loop that offers every key to the active control's
// TranslateAccelerator first (the usual ActiveX container key path): a key
// the control takes as handled is neither translated nor dispatched.
void PumpOfferingKeys(IUnknown* control) {
    IOleInPlaceActiveObject* active = nullptr;
    control->QueryInterface(IID_IOleInPlaceActiveObject, reinterpret_cast<void**>(&active));
    MSG msg;
    for (int i = 0; i < 3; ++i)
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            const bool key = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
            if (key && active && active->TranslateAccelerator(&msg) == S_OK) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    if (active) active->Release();
}

// Enter and Space on the focused push button click it once each, whether
// the host dispatches keys itself or offers them to the control first.
void CheckPushButtonKeys(IUnknown* control, HWND button, wintest::Sink& sink) {
    const struct {
        WPARAM key;
        bool offered;
        const char* what;
    } presses[] = {{VK_RETURN, false, "Enter in the ATL host"},
                   {VK_SPACE, false, "Space in the ATL host"},
                   {VK_RETURN, true, "Enter offered to TranslateAccelerator first"},
                   {VK_SPACE, true, "Space offered to TranslateAccelerator first"}};
    for (const auto& press : presses) {
        SetFocus(button);
        Pump();
        sink.events.clear();
        Key(button, press.key);
        if (press.offered)
            PumpOfferingKeys(control);
        else
            Pump();
        std::string got;
        for (auto& e : sink.events) got += e + " ";
        Check(got == "-600 ", std::string("VPushButton: ") + press.what + " clicks once: " + got);
    }
}

void CheckOneInAtl(const wintest::AtlHost& atl, HWND frame, const Kind& kind, int top) {
    const std::string name = kind.name;
    HWND host = CreateWindowA("AtlAxWin", kind.progId, WS_CHILD | WS_VISIBLE, 10, top, 240, 36, frame,
                              nullptr, nullptr, nullptr);
    Pump();
    IUnknown* unknown = nullptr;
    IDispatch* d = atl.Control(host, &unknown);
    Check(d != nullptr, name + ": the ATL host created it");
    if (!d) {
        if (unknown) unknown->Release();
        return;
    }
    HWND button = FindWindowExA(GetWindow(host, GW_CHILD), nullptr, "Button", nullptr);
    Check(button && GetText(d, L"hWnd") == std::to_string(reinterpret_cast<INT_PTR>(button)),
          name + ": its window is a BUTTON, and hWnd names it");
    Check(GetText(d, L"Caption") == kind.caption, name + ": Caption " + GetText(d, L"Caption"));
    if (!button) return;

    // The caption in Devanagari: the window text is its font codes.
    Check(SUCCEEDED(PutBytes(d, L"Text", kNamaste)), name + ": Text set");
    Check(GetBytes(d, L"Caption") == kNamaste, name + ": Caption follows Text");
    char shown[64] = {};
    GetWindowTextA(button, shown, sizeof shown);
    Check(shown[0] != 0 && std::string(shown) != kNamaste,
          name + ": the window text holds the caption's font codes");
    const int dark = wintest::DarkPixels(button);
    Check(dark > 20, name + ": it paints its caption (" + std::to_string(dark) + " dark pixels)");

    wintest::Sink sink;
    Check(Connect(unknown, sink) != 0, name + ": events connected");
    SendMessageA(button, BM_CLICK, 0, 0);
    Pump();
    SetFocus(button);
    Pump();
    Key(button, VK_SPACE);
    Pump();
    const std::vector<std::string> clicks =
        kind.clicks ? std::vector<std::string>{"-600", "-600"} : std::vector<std::string>{};
    std::string got;
    for (auto& e : sink.events) got += e + " ";
    Check(sink.events == clicks, name + ": a click and Space give Click (-600) each: " + got);
    if (name == "VCheckBox") Check(GetText(d, L"Value") == "0", "VCheckBox: clicked twice, unchecked");
    if (name == "VPushButton") CheckPushButtonKeys(unknown, button, sink);
    if (name == "VRadioButton") Check(GetText(d, L"Value") == "-1", "VRadioButton: checked by a click");

    // Every persistent property through a property bag into a new control.
    PutShort(d, L"FontSize", 21);
    PutBytes(d, L"ScriptName", "Tamil");
    wintest::Bag bag;
    IPersistPropertyBag* pb = nullptr;
    Check(SUCCEEDED(unknown->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&pb))) &&
              SUCCEEDED(pb->Save(&bag, TRUE, TRUE)),
          name + ": saved to a property bag");
    if (pb) pb->Release();
    Check(bag.values.size() == kind.persisted,
          name + ": the bag holds " + std::to_string(bag.values.size()) + " properties");
    CLSID clsid;
    const std::string progId = kind.progId;
    CLSIDFromProgID(std::wstring(progId.begin(), progId.end()).c_str(), &clsid);
    IPersistPropertyBag* fresh = nullptr;
    if (SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistPropertyBag,
                                   reinterpret_cast<void**>(&fresh)))) {
        Check(SUCCEEDED(fresh->Load(&bag, nullptr)), name + ": loaded from the bag");
        IDispatch* d2 = nullptr;
        fresh->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d2));
        Check(d2 && GetBytes(d2, L"Caption") == kNamaste && GetText(d2, L"FontSize") == "21" &&
                  GetText(d2, L"ScriptName") == "Tamil" && GetText(d2, L"FontName") == "TMB-TTTesvor",
              name + ": the loaded control has the saved caption, size, script and face");
        if (d2) d2->Release();
        fresh->Release();
    }
    d->Release();
    unknown->Release();
}

}  // namespace

void CheckCaptionsInAtlHost() {
    wintest::AtlHost atl;
    Check(atl.Ready(), "Wine's ATL host is there");
    if (!atl.Ready()) return;
    HWND frame = CreateWindowA("STATIC", "captions", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 240,
                               nullptr, nullptr, nullptr, nullptr);
    int top = 10;
    for (const Kind& kind : kKinds) {
        CheckOneInAtl(atl, frame, kind, top);
        top += 46;
    }
    DestroyWindow(frame);
    Pump();
}

// ---- in a dialog ----

namespace {

int g_okPresses = 0;

INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK) ++g_okPresses;
    return msg == WM_COMMAND ? TRUE : FALSE;
}

struct Placed {
    IUnknown* unknown = nullptr;
    IDispatch* d = nullptr;
    HWND button = nullptr;
    wintest::Sink sink;
};

void Place(const wintest::AtlHost& atl, HWND dialog, const char* progId, int top, Placed& out) {
    HWND host = CreateWindowExA(WS_EX_CONTROLPARENT, "AtlAxWin", progId, WS_CHILD | WS_VISIBLE, 10, top,
                                200, 30, dialog, nullptr, nullptr, nullptr);
    Pump(dialog);
    out.d = atl.Control(host, &out.unknown);
    if (out.d) {
        out.button = FindWindowExA(GetWindow(host, GW_CHILD), nullptr, "Button", nullptr);
        Connect(out.unknown, out.sink);
    }
}

std::string Events(Placed& p) {
    std::string s;
    for (auto& e : p.sink.events) s += e + " ";
    p.sink.events.clear();
    return s;
}

}  // namespace

void CheckCaptionsInDialog() {
    wintest::AtlHost atl;
    Check(atl.Ready(), "Wine's ATL host is there");
    if (!atl.Ready()) return;
    HWND dialog = wintest::CreateEmptyDialog(DialogProc, 220, 200);
    Check(dialog != nullptr, "the dialog is created");
    if (!dialog) return;
    Placed push, check, radio1, radio2, group, radio3;
    Place(atl, dialog, "VEXAOCX.VPushButtonCtrl.1", 10, push);
    Place(atl, dialog, "VEXAOCX.VCheckBoxCtrl.1", 45, check);
    Place(atl, dialog, "VEXAOCX.VRadioButtonCtrl.1", 80, radio1);
    Place(atl, dialog, "VEXAOCX.VRadioButtonCtrl.1", 115, radio2);
    Place(atl, dialog, "VEXAOCX.VGroupBoxCtrl.1", 150, group);
    Place(atl, dialog, "VEXAOCX.VRadioButtonCtrl.1", 185, radio3);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 220,
                                200, 24, dialog, nullptr, nullptr, nullptr);
    HWND ok = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                              220, 10, 60, 24, dialog, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    SendMessageA(dialog, DM_SETDEFID, IDOK, 0);
    Placed* all[] = {&push, &check, &radio1, &radio2, &group, &radio3};
    bool placed = true;
    for (Placed* p : all) placed = placed && p->d && p->button;
    Check(placed, "six caption controls are placed in the dialog");
    if (!placed) return;
    // The dialog's groups: the radio buttons 1 and 2 are one group, the
    // group box starts the next.
    for (HWND starts : {radio1.button, group.button})
        SetWindowLongPtrA(starts, GWL_STYLE, GetWindowLongPtrA(starts, GWL_STYLE) | WS_GROUP);
    PutBytes(radio1.d, L"Text", kNamaste);
    wintest::PutBool(radio3.d, L"Value", true);
    Pump(dialog);

    auto focusName = [&] {
        HWND f = GetFocus();
        const char* names[] = {"push", "check", "radio1", "radio2", "group", "radio3"};
        for (int i = 0; i < 6; ++i)
            if (f == all[i]->button) return std::string(names[i]);
        if (f == edit) return std::string("edit");
        if (f == ok) return std::string("ok");
        return std::string("another window");
    };

    SetForegroundWindow(dialog);
    SetFocus(push.button);
    Pump(dialog);
    std::string order = focusName();
    for (int i = 0; i < 5; ++i) {
        Key(GetFocus(), VK_TAB);
        Pump(dialog);
        order += " " + focusName();
    }
    Check(order == "push check radio1 radio2 radio3 edit",
          "Tab visits the controls in order and skips the group box: " + order);

    // Arrows within the radio group: the focus and the check move together.
    SetFocus(radio1.button);
    SendMessageA(radio1.button, BM_CLICK, 0, 0);
    Pump(dialog);
    Events(radio1);
    Key(radio1.button, VK_DOWN);
    Pump(dialog);
    Check(focusName() == "radio2" && GetText(radio2.d, L"Value") == "-1" && GetText(radio1.d, L"Value") == "0",
          "Down moves to the second radio button and checks it (focus on " + focusName() + ")");
    Check(Events(radio2) == "-600 ", "the second fires Click");
    Key(radio2.button, VK_DOWN);
    Pump(dialog);
    Check(focusName() == "radio1" && GetText(radio1.d, L"Value") == "-1",
          "Down from the last one comes back to the first of the group (focus on " + focusName() + ")");
    Check(GetText(radio3.d, L"Value") == "-1", "the radio button of another group stays checked");
    Key(radio1.button, VK_UP);
    Pump(dialog);
    Check(focusName() == "radio2", "Up goes back (focus on " + focusName() + ")");

    // Enter on the focused push button fires Click, not the dialog's OK.
    SetFocus(push.button);
    Pump(dialog);
    Events(push);
    Key(push.button, VK_RETURN);
    Pump(dialog);
    Check(Events(push) == "-600 " && g_okPresses == 0,
          "Enter on the push button fires its Click once (" + std::to_string(g_okPresses) + " OK presses)");
    // The dialog manager moves the default look with BM_SETSTYLE: the push
    // button answers as the default, and stays owner-drawn.
    SendMessageA(push.button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    Check((GetWindowLongPtrA(push.button, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW &&
              (SendMessageA(push.button, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON),
          "made the default, the push button says so and stays owner-drawn");
    SendMessageA(push.button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    Check((SendMessageA(push.button, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON) != 0,
          "and no longer the default, it says so");
    // The container's own Enter for its default button comes as a mnemonic.
    IOleControl* control = nullptr;
    MSG enter{push.button, WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
    Check(SUCCEEDED(push.unknown->QueryInterface(IID_IOleControl, reinterpret_cast<void**>(&control))) &&
              control->OnMnemonic(&enter) == S_OK && Events(push) == "-600 ",
          "the host's Enter for its default button clicks it");
    if (control) control->Release();
    Check(check.unknown->QueryInterface(IID_IOleControl, reinterpret_cast<void**>(&control)) == S_OK &&
              control->OnMnemonic(&enter) != S_OK,
          "a check box takes no Enter");
    if (control) control->Release();

    // Space on the check box clicks it through the dialog's loop.
    SetFocus(check.button);
    Pump(dialog);
    Key(check.button, VK_SPACE);
    Pump(dialog);
    Check(GetText(check.d, L"Value") == "1" && Events(check) == "-600 ", "Space checks the check box");

    for (Placed* p : all) {
        p->d->Release();
        p->unknown->Release();
    }
    DestroyWindow(dialog);
    Pump();
}
