// The framework's fixture control (an owner-drawn BUTTON) in Wine's ATL
// host: created, drawn by owner drawing, and clicked by mouse and by the
// keyboard, each click reaching the control as a reflected notification.
#include <ocidl.h>
#include <windows.h>

#include <string>

#include "tests/win/wintest_util.h"

using wintest::Check;
using wintest::GetText;

void CheckFixtureHost() {
    wintest::AtlHost atl;
    Check(atl.Ready(), "Wine's ATL host is there");
    if (!atl.Ready()) return;

    const auto placed = atl.Place("fixture host", 300, 150, "VexaFixture.Button.1", {10, 10, 170, 50});
    HWND frame = placed.frame;
    IUnknown* unknown = placed.unknown;
    IDispatch* d = placed.control;
    Check(d != nullptr, "the ATL host created the fixture");
    if (!d) return;

    // The control's window is the system button, under the reflector.
    HWND button = nullptr;
    IOleWindow* window = nullptr;
    if (SUCCEEDED(unknown->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&window)))) {
        window->GetWindow(&button);
        window->Release();
    }
    char cls[32] = {};
    if (button) GetClassNameA(button, cls, sizeof cls);
    Check(std::string(cls) == "Button", std::string("the window is a BUTTON: ") + cls);
    Check(button && (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW,
          "the button is owner-drawn");
    Check(GetText(d, L"hWnd") == std::to_string(reinterpret_cast<INT_PTR>(button)), "hWnd is the button");

    RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    wintest::Pump();
    Check(std::stoi(GetText(d, L"Draws")) > 0, "WM_DRAWITEM came back to the control: " + GetText(d, L"Draws"));
    // Its picture is the control's own: the green face.
    HDC dc = GetDC(button);
    COLORREF centre = GetPixel(dc, 5, 5);
    ReleaseDC(button, dc);
    Check(centre == RGB(0, 96, 48), "the control drew the button's face");

    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    wintest::Pump();
    Check(GetText(d, L"Clicks") == "1", "a mouse click came back as BN_CLICKED: " + GetText(d, L"Clicks"));

    SetFocus(button);
    PostMessageA(button, WM_KEYDOWN, VK_SPACE, 1 | (MapVirtualKeyA(VK_SPACE, 0) << 16));
    PostMessageA(button, WM_KEYUP, VK_SPACE, 1 | (MapVirtualKeyA(VK_SPACE, 0) << 16) | 0xC0000000);
    wintest::Pump();
    Check(GetText(d, L"Clicks") == "2", "Space clicks the button too: " + GetText(d, L"Clicks"));

    d->Release();
    unknown->Release();
    DestroyWindow(frame);
    wintest::Pump();
}
