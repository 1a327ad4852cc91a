// All seven controls as assistive technology sees them: one frame in
// Wine's ATL host, each control's client object from
// AccessibleObjectFromWindow, its role, name or value in Unicode (Hindi,
// Tamil, Bengali), states and place; the list's items; the default actions
// of the buttons and the link (whose launch is recorded, not opened); a
// password VEdit that withholds its value; and, through SetWinEventHook,
// the focus, value, state, selection and caret events as text is typed and
// items are chosen.
#include <oleacc.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/win/com_doubles.h"
#include "tests/win/wintest_util.h"

using wintest::Check;
using wintest::Pump;

namespace {

constexpr IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// नमस्ते, தமிழ், বাংলা: their ISCII bytes and what a screen reader reads.
const char kHindi[] = "\xC6\xCC\xD7\xE8\xC2\xE1";
const wchar_t kHindiText[] = L"\u0928\u092E\u0938\u094D\u0924\u0947";
const char kTamil[] = "\xC2\xCC\xDB\xD3\xE8";
const wchar_t kTamilText[] = L"\u0BA4\u0BAE\u0BBF\u0BB4\u0BCD";
const char kBengali[] = "\xCA\xDA\xA2\xD1\xDA";
const wchar_t kBengaliText[] = L"\u09AC\u09BE\u0982\u09B2\u09BE";

struct WinEvent {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
};
std::vector<WinEvent> g_events;

void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
    g_events.push_back({event, window, object, child});
}

bool Heard(DWORD event, HWND window, LONG object, LONG child) {
    for (const WinEvent& e : g_events)
        if (e.event == event && e.window == window && e.object == object && e.child == child) return true;
    return false;
}

VARIANT Self(LONG child = CHILDID_SELF) {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

std::wstring Name(IAccessible* a, LONG child = CHILDID_SELF) {
    BSTR s = nullptr;
    if (FAILED(a->get_accName(Self(child), &s)) || !s) return L"<none>";
    std::wstring w(s, SysStringLen(s));
    SysFreeString(s);
    return w;
}

std::wstring Value(IAccessible* a, HRESULT* code = nullptr) {
    BSTR s = nullptr;
    HRESULT hr = a->get_accValue(Self(), &s);
    if (code) *code = hr;
    if (FAILED(hr) || !s) return L"<none>";
    std::wstring w(s, SysStringLen(s));
    SysFreeString(s);
    return w;
}

std::wstring Action(IAccessible* a) {
    BSTR s = nullptr;
    if (FAILED(a->get_accDefaultAction(Self(), &s)) || !s) return L"<none>";
    std::wstring w(s, SysStringLen(s));
    SysFreeString(s);
    return w;
}

LONG Role(IAccessible* a, LONG child = CHILDID_SELF) {
    VARIANT v;
    VariantInit(&v);
    return SUCCEEDED(a->get_accRole(Self(child), &v)) && v.vt == VT_I4 ? v.lVal : -1;
}

LONG State(IAccessible* a, LONG child = CHILDID_SELF) {
    VARIANT v;
    VariantInit(&v);
    return SUCCEEDED(a->get_accState(Self(child), &v)) && v.vt == VT_I4 ? v.lVal : -1;
}

RECT Location(IAccessible* a, LONG child = CHILDID_SELF) {
    LONG x = 0, y = 0, w = 0, h = 0;
    a->accLocation(&x, &y, &w, &h, Self(child));
    return {x, y, x + w, y + h};
}

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct Hosted {
    HWND host = nullptr;
    HWND window = nullptr;  // the control's own window
    IUnknown* unknown = nullptr;
    IDispatch* control = nullptr;
    IAccessible* accessible = nullptr;
};

Hosted Host(const wintest::AtlHost& atl, HWND frame, const char* progId, RECT at) {
    Hosted h;
    h.host = CreateWindowA("AtlAxWin", progId, WS_CHILD | WS_VISIBLE, at.left, at.top, at.right - at.left,
                           at.bottom - at.top, frame, nullptr, nullptr, nullptr);
    Pump();
    h.control = atl.Control(h.host, &h.unknown);
    return h;
}

// The control's window (hWnd) and its client object.
void Reach(Hosted& h) {
    if (!h.control) return;
    h.window = reinterpret_cast<HWND>(std::stoll(wintest::GetText(h.control, L"hWnd")));
    AccessibleObjectFromWindow(h.window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                               reinterpret_cast<void**>(&h.accessible));
}

std::string ReadAndRemove(const std::string& path) {
    std::stringstream s;
    {
        std::ifstream in(path, std::ios::binary);
        if (in) s << in.rdbuf();
    }
    std::remove(path.c_str());
    return s.str();
}

void Key(HWND w, UINT key) {
    PostMessageA(w, WM_KEYDOWN, key, 1);
    PostMessageA(w, WM_KEYUP, key, 0xC0000001);
    Pump();
}

void CheckEdits(Hosted& edit, Hosted& password) {
    IAccessible* a = edit.accessible;
    Check(Role(a) == ROLE_SYSTEM_TEXT, "VEdit: role text");
    Check(Value(a) == kHindiText, "VEdit: its value is the whole text in Unicode (Hindi)");
    Check(Name(a) == L"Your name:", "VEdit: named by the label before it");
    RECT r;
    GetWindowRect(edit.window, &r);
    Check(Same(Location(a), r), "VEdit: its location is its window's rectangle on the screen");
    Check((State(a) & STATE_SYSTEM_FOCUSABLE) && !(State(a) & STATE_SYSTEM_PROTECTED),
          "VEdit: focusable, not protected");
    wintest::PutBool(edit.control, L"ReadOnly", true);
    Check(State(a) & STATE_SYSTEM_READONLY, "VEdit: read-only while ReadOnly is on");
    wintest::PutBool(edit.control, L"ReadOnly", false);

    HRESULT code = S_OK;
    const std::wstring hidden = Value(password.accessible, &code);
    Check(Role(password.accessible) == ROLE_SYSTEM_TEXT && (State(password.accessible) & STATE_SYSTEM_PROTECTED) &&
              hidden == L"<none>" && FAILED(code),
          "VEdit with Password: protected, and its value withheld");

    wintest::PutBool(edit.control, L"Enabled", false);
    Check(State(a) & STATE_SYSTEM_UNAVAILABLE, "VEdit: unavailable while disabled");
    wintest::PutBool(edit.control, L"Enabled", true);

    // Typing: focus, value and caret events.
    g_events.clear();
    SetFocus(edit.window);
    Pump();
    Check(Heard(EVENT_OBJECT_FOCUS, edit.window, OBJID_CLIENT, CHILDID_SELF), "VEdit: focus event");
    Check(State(a) & STATE_SYSTEM_FOCUSED, "VEdit: focused state with the focus");
    Key(edit.window, VK_END);
    g_events.clear();
    Key(edit.window, 'K');
    Check(Heard(EVENT_OBJECT_VALUECHANGE, edit.window, OBJID_CLIENT, CHILDID_SELF),
          "VEdit: a value-change event for a typed key");
    Check(Heard(EVENT_OBJECT_LOCATIONCHANGE, edit.window, OBJID_CARET, CHILDID_SELF),
          "VEdit: the caret's location-change event as it moves");
    Check(Value(a) == std::wstring(kHindiText) + L"k", "VEdit: the value follows the typing");
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetCurrentThreadId(), &info);
    Check(info.hwndCaret == edit.window && info.rcCaret.left > 0, "VEdit: the system caret is in the edit, past its start");
    g_events.clear();
    wintest::PutBytes(edit.control, L"Text", kTamil);
    Pump();
    Check(Heard(EVENT_OBJECT_VALUECHANGE, edit.window, OBJID_CLIENT, CHILDID_SELF),
          "VEdit: a value-change event when Text is set from code");
}

void CheckCaptions(Hosted& push, Hosted& check, Hosted& radio, Hosted& group) {
    Check(Role(push.accessible) == ROLE_SYSTEM_PUSHBUTTON && Name(push.accessible) == kTamilText,
          "VPushButton: role push button, its caption in Unicode (Tamil)");
    Check(Action(push.accessible) == L"Press", "VPushButton: default action Press");
    wintest::Sink sink;
    const DWORD cookie = wintest::Connect(push.unknown, sink);
    Check(cookie != 0 && SUCCEEDED(push.accessible->accDoDefaultAction(Self())), "VPushButton: accDoDefaultAction");
    Pump();
    Check(sink.events.size() == 1 && sink.events[0] == "-600", "VPushButton: the default action fires Click once");

    Check(Role(check.accessible) == ROLE_SYSTEM_CHECKBUTTON && Name(check.accessible) == kBengaliText,
          "VCheckBox: role check button, its caption in Unicode (Bengali)");
    Check(!(State(check.accessible) & STATE_SYSTEM_CHECKED) && Action(check.accessible) == L"Check",
          "VCheckBox: unchecked, default action Check");
    g_events.clear();
    check.accessible->accDoDefaultAction(Self());
    Pump();
    Check((State(check.accessible) & STATE_SYSTEM_CHECKED) && wintest::GetText(check.control, L"Value") != "0",
          "VCheckBox: the default action checks it");
    Check(Heard(EVENT_OBJECT_STATECHANGE, check.window, OBJID_CLIENT, CHILDID_SELF),
          "VCheckBox: a state-change event when it is checked");

    Check(Role(radio.accessible) == ROLE_SYSTEM_RADIOBUTTON && Name(radio.accessible) == kHindiText,
          "VRadioButton: role radio button, its caption");
    radio.accessible->accDoDefaultAction(Self());
    Pump();
    Check(State(radio.accessible) & STATE_SYSTEM_CHECKED, "VRadioButton: the default action selects it");

    Check(Role(group.accessible) == ROLE_SYSTEM_GROUPING && Name(group.accessible) == kHindiText,
          "VGroupBox: role grouping, its caption");
    g_events.clear();
    wintest::PutBytes(group.control, L"Caption", "Vexa group");
    Pump();
    Check(Name(group.accessible) == L"Vexa group" &&
              Heard(EVENT_OBJECT_NAMECHANGE, group.window, OBJID_CLIENT, CHILDID_SELF),
          "VGroupBox: a new caption is its new name, with a name-change event");
    wintest::PutBool(push.control, L"Enabled", false);
    Check(State(push.accessible) & STATE_SYSTEM_UNAVAILABLE, "VPushButton: unavailable while disabled");
    wintest::PutBool(push.control, L"Enabled", true);
}

void CheckStatics(Hosted& label, Hosted& link, const std::string& log) {
    Check(Role(label.accessible) == ROLE_SYSTEM_STATICTEXT && Name(label.accessible) == kHindiText,
          "VStatic: role static text, named by its text");
    Check(Role(link.accessible) == ROLE_SYSTEM_LINK && Action(link.accessible) == L"Jump" &&
              (State(link.accessible) & STATE_SYSTEM_LINKED) && !(State(link.accessible) & STATE_SYSTEM_TRAVERSED),
          "VStatic hyperlink: role link, default action Jump, linked and not yet traversed");
    ReadAndRemove(log);
    link.accessible->accDoDefaultAction(Self());
    Pump();
    Check(ReadAndRemove(log).find("http://example.com/a11y") != std::string::npos,
          "VStatic hyperlink: Jump opens its address (recorded)");
    Check(State(link.accessible) & STATE_SYSTEM_TRAVERSED, "VStatic hyperlink: traversed once followed");
    wintest::PutBytes(link.control, L"URL", "file:///c:/windows/system32/calc.exe");
    link.accessible->accDoDefaultAction(Self());
    Pump();
    Check(ReadAndRemove(log).empty(), "VStatic hyperlink: Jump opens no address a click would not");
}

void CheckList(Hosted& list) {
    IAccessible* a = list.accessible;
    LONG count = 0;
    a->get_accChildCount(&count);
    Check(Role(a) == ROLE_SYSTEM_LIST && count == 12, "VListBox: role list, one child per item");
    Check(Role(a, 1) == ROLE_SYSTEM_LISTITEM && Name(a, 1) == kHindiText && Name(a, 2) == L"kamal",
          "VListBox: items are list items named in Unicode");
    const RECT first = Location(a, 1), second = Location(a, 2);
    RECT client;
    GetClientRect(list.window, &client);
    MapWindowPoints(list.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    Check(first.left == client.left && first.top == client.top && second.top == first.bottom &&
              first.bottom > first.top,
          "VListBox: the first rows' places are the list's top rows");
    Check(!(State(a, 1) & STATE_SYSTEM_OFFSCREEN) && (State(a, 12) & STATE_SYSTEM_OFFSCREEN) &&
              (State(a, 1) & STATE_SYSTEM_SELECTABLE),
          "VListBox: visible items on screen, the last one offscreen, all selectable");
    VARIANT hit;
    VariantInit(&hit);
    a->accHitTest(second.left + 3, second.top + 2, &hit);
    Check(hit.vt == VT_I4 && hit.lVal == 2, "VListBox: a hit test on the second row finds item 2");

    g_events.clear();
    SetFocus(list.window);
    Pump();
    Check(Heard(EVENT_OBJECT_FOCUS, list.window, OBJID_CLIENT, 1), "VListBox: focus event for its focused item");
    Key(list.window, VK_DOWN);  // the first item
    g_events.clear();
    Key(list.window, VK_DOWN);
    VARIANT selected;
    VariantInit(&selected);
    a->get_accSelection(&selected);
    Check(selected.vt == VT_I4 && selected.lVal == 2 && (State(a, 2) & STATE_SYSTEM_SELECTED) &&
              (State(a, 2) & STATE_SYSTEM_FOCUSED),
          "VListBox: Down selects and focuses item 2");
    Check(Heard(EVENT_OBJECT_SELECTION, list.window, OBJID_CLIENT, 2) &&
              Heard(EVENT_OBJECT_FOCUS, list.window, OBJID_CLIENT, 2),
          "VListBox: selection and focus events for the chosen item");
    g_events.clear();
    Check(SUCCEEDED(a->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, Self(3))),
          "VListBox: accSelect takes an item");
    Pump();
    VARIANT focus;
    VariantInit(&focus);
    a->get_accFocus(&focus);
    Check(focus.vt == VT_I4 && focus.lVal == 3 && Heard(EVENT_OBJECT_SELECTION, list.window, OBJID_CLIENT, 3),
          "VListBox: accSelect moves the focus and the selection to it, with its event");

    // MultipleSelection makes the list window again: the same object follows
    // it, and a selection of two comes as an enumeration of both.
    wintest::PutBool(list.control, L"MultipleSelection", true);
    Pump();
    HWND fresh = reinterpret_cast<HWND>(std::stoll(wintest::GetText(list.control, L"hWnd")));
    RECT r;
    GetWindowRect(fresh, &r);
    Check(fresh != list.window && Same(Location(a), r) && (State(a) & STATE_SYSTEM_MULTISELECTABLE),
          "VListBox: after MultipleSelection the object answers for the new list window");
    const RECT row1 = Location(a, 1), row3 = Location(a, 3);
    for (const RECT& row : {row1, row3}) {
        POINT p{row.left + 3, row.top + 2};
        ScreenToClient(fresh, &p);
        PostMessageA(fresh, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(p.x, p.y));
        PostMessageA(fresh, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(p.x, p.y));
        Pump();
    }
    VARIANT several;
    VariantInit(&several);
    a->get_accSelection(&several);
    std::vector<LONG> chosen;
    if (several.vt == VT_UNKNOWN && several.punkVal) {
        IEnumVARIANT* e = nullptr;
        several.punkVal->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&e));
        VARIANT item;
        ULONG got = 0;
        while (e && e->Next(1, &item, &got) == S_OK && got == 1) chosen.push_back(item.lVal);
        if (e) e->Release();
        several.punkVal->Release();
    }
    Check(chosen == std::vector<LONG>{1, 3}, "VListBox: a selection of two items comes as their enumeration");
}

}  // namespace

void CheckAccessibility() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string log = std::string(temp) + "vexa-a11y-launches.log";
    std::remove(log.c_str());
    SetEnvironmentVariableA("VEXA_URL_LOG", log.c_str());

    wintest::AtlHost atl;
    Check(atl.Ready(), "Wine's ATL host is there");
    if (!atl.Ready()) return;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &OnWinEvent, GetCurrentProcessId(), 0,
                                         WINEVENT_OUTOFCONTEXT);
    Check(hook != nullptr, "SetWinEventHook");
    HWND frame = CreateWindowA("STATIC", "accessibility", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 660, 320,
                               nullptr, nullptr, nullptr, nullptr);
    // The edit's label, just before it, as a form designer places one.
    CreateWindowW(L"STATIC", L"Your name:", WS_CHILD | WS_VISIBLE, 10, 0, 100, 10, frame, nullptr, nullptr, nullptr);
    Hosted edit = Host(atl, frame, "VEXAOCX.VEditCtrl.1", {10, 10, 310, 40});
    Hosted password = Host(atl, frame, "VEXAOCX.VEditCtrl.1", {10, 240, 310, 270});
    Hosted push = Host(atl, frame, "VEXAOCX.VPushButtonCtrl.1", {320, 10, 470, 40});
    Hosted check = Host(atl, frame, "VEXAOCX.VCheckBoxCtrl.1", {10, 50, 200, 80});
    Hosted radio = Host(atl, frame, "VEXAOCX.VRadioButtonCtrl.1", {210, 50, 310, 80});
    Hosted group = Host(atl, frame, "VEXAOCX.VGroupBoxCtrl.1", {10, 90, 310, 230});
    Hosted label = Host(atl, frame, "VEXAOCX.VStaticCtrl.1", {320, 50, 640, 75});
    Hosted link = Host(atl, frame, "VEXAOCX.VStaticCtrl.1", {320, 80, 640, 105});
    Hosted list = Host(atl, frame, "VEXAOCX.VListBoxCtrl.1", {320, 120, 640, 200});
    Hosted* all[] = {&edit, &password, &push, &check, &radio, &group, &label, &link, &list};
    bool made = true;
    for (Hosted* h : all) made = made && h->control;
    Check(made, "all seven controls are made in the ATL host");
    if (!made) return;

    wintest::PutBytes(edit.control, L"Text", kHindi);
    wintest::PutBool(password.control, L"Password", true);
    wintest::PutBytes(password.control, L"Text", kHindi);
    wintest::PutBytes(push.control, L"ScriptName", "Tamil");
    wintest::PutBytes(push.control, L"Caption", kTamil);
    wintest::PutBytes(check.control, L"ScriptName", "Bengali");
    wintest::PutBytes(check.control, L"Caption", kBengali);
    wintest::PutBytes(radio.control, L"Caption", kHindi);
    wintest::PutBytes(group.control, L"Caption", kHindi);
    wintest::PutBytes(label.control, L"Caption", kHindi);
    wintest::PutBytes(link.control, L"Caption", kHindi);
    wintest::PutBool(link.control, L"IsURL", true);
    wintest::PutBytes(link.control, L"URL", "http://example.com/a11y");
    std::string items = std::string(kHindi) + "\r\nkamal";
    for (int i = 3; i <= 12; ++i) items += "\r\nitem " + std::to_string(i);
    wintest::PutBytes(list.control, L"List", items);
    Pump();
    for (Hosted* h : all) Reach(*h);
    bool reached = true;
    for (Hosted* h : all) reached = reached && h->accessible;
    Check(reached, "AccessibleObjectFromWindow gives every control's client object");
    if (!reached) return;

    CheckEdits(edit, password);
    CheckCaptions(push, check, radio, group);
    CheckStatics(label, link, log);
    CheckList(list);

    for (Hosted* h : all) {
        h->accessible->Release();
        h->control->Release();
        h->unknown->Release();
    }
    UnhookWinEvent(hook);
    DestroyWindow(frame);
    Pump();
}
