// The edit control in a dialog that runs an IsDialogMessage loop, beside a
// standard EDIT and a default OK button: Tab and Shift+Tab move the focus
// in and out of the control, Enter presses the default button unless the
// control wants returns, and then it types a line end.
#include <ocidl.h>
#include <windows.h>

#include <string>

#include "tests/win/wintest_util.h"

using wintest::Check;
using wintest::GetText;

namespace {

constexpr int kHostId = 102, kEditId = 101;
int g_okPresses = 0;
int g_cancelPresses = 0;

INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK) ++g_okPresses;
    if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) ++g_cancelPresses;
    return msg == WM_COMMAND ? TRUE : FALSE;
}

void Key(HWND target, WPARAM vk) {
    PostMessageA(target, WM_KEYDOWN, vk, 1 | (MapVirtualKeyA(static_cast<UINT>(vk), 0) << 16));
    PostMessageA(target, WM_KEYUP, vk, 1 | (MapVirtualKeyA(static_cast<UINT>(vk), 0) << 16) | 0xC0000000);
}

std::string FocusName(HWND vedit, HWND edit, HWND ok) {
    HWND f = GetFocus();
    if (f == vedit) return "the VEdit";
    if (f == edit) return "the EDIT";
    if (f == ok) return "the OK button";
    return "another window";
}

}  // namespace

void CheckDialogHost() {
    wintest::AtlHost atl;
    Check(atl.Ready(), "Wine's ATL host is there");
    if (!atl.Ready()) return;

    HWND dialog = wintest::CreateEmptyDialog(DialogProc, 200, 100);
    Check(dialog != nullptr, "the dialog is created");
    if (!dialog) return;
    // The host window is a control parent, so the dialog manager steps into
    // it to reach the control's window.
    HWND host = CreateWindowExA(WS_EX_CONTROLPARENT, "AtlAxWin", "VEXAOCX.VEditCtrl.1",
                                WS_CHILD | WS_VISIBLE, 10, 10, 200, 90, dialog,
                                reinterpret_cast<HMENU>(kHostId), nullptr, nullptr);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 110,
                                200, 24, dialog, reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
    HWND ok = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                              220, 10, 60, 24, dialog, reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    SendMessageA(dialog, DM_SETDEFID, IDOK, 0);
    wintest::Pump(dialog);

    IDispatch* d = atl.Control(host);
    HWND vedit = GetWindow(host, GW_CHILD);
    Check(d && vedit, "the VEdit is placed in the dialog");
    if (!d || !vedit) return;

    SetForegroundWindow(dialog);
    SetFocus(vedit);
    wintest::Pump(dialog);
    Check(GetFocus() == vedit, "the VEdit takes the focus");

    Key(vedit, VK_TAB);
    wintest::Pump(dialog);
    Check(GetFocus() == edit, "Tab leaves the VEdit for the EDIT, focus on " + FocusName(vedit, edit, ok));

    keybd_event(VK_SHIFT, 0, 0, 0);
    wintest::Pump(dialog);
    Key(GetFocus(), VK_TAB);
    wintest::Pump(dialog);
    keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    wintest::Pump(dialog);
    Check(GetFocus() == vedit, "Shift+Tab comes back into the VEdit, focus on " + FocusName(vedit, edit, ok));

    const std::string before = GetText(d, L"Text");
    Key(vedit, VK_RETURN);
    wintest::Pump(dialog);
    Check(g_okPresses == 1, "Enter presses the default button while WantReturn is false (" +
                                std::to_string(g_okPresses) + " presses)");
    Check(GetText(d, L"Text") == before, "and types nothing: " + GetText(d, L"Text"));

    Key(vedit, VK_ESCAPE);
    wintest::Pump(dialog);
    Check(g_cancelPresses == 1, "Esc reaches the dialog's cancel");

    // A multi-line control wants returns: Enter is a line end in its text.
    // (A boolean reads as "-1" for true through VariantChangeType.)
    Check(SUCCEEDED(wintest::PutBool(d, L"MultiLine", true)) && GetText(d, L"WantReturn") == "-1",
          "MultiLine turns WantReturn on: " + GetText(d, L"WantReturn"));
    SetFocus(vedit);
    wintest::Pump(dialog);
    Key(vedit, VK_RETURN);
    wintest::Pump(dialog);
    Check(g_okPresses == 1, "Enter no longer presses the default button");
    Check(GetText(d, L"Text").find('\r') != std::string::npos, "Enter typed a line end: " + GetText(d, L"Text"));

    d->Release();
    DestroyWindow(dialog);
    wintest::Pump();
}
