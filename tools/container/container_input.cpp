// Keys, mouse buttons and sizes: posted to the control's window the way the
// system delivers them, with the modifiers held in the thread's key state.

#include <cstdio>

#include "container.h"
#include "scenario_commands.h"

namespace vexa::container {

HeldModifiers::HeldModifiers(const Modifiers& m) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), std::begin(state));
    auto hold = [&](bool on, int key, int left) {
        if (on) state[key] = state[left] = 0x80;
    };
    hold(m.ctrl, VK_CONTROL, VK_LCONTROL);
    hold(m.shift, VK_SHIFT, VK_LSHIFT);
    hold(m.alt, VK_MENU, VK_LMENU);
    SetKeyboardState(state);
}

HeldModifiers::~HeldModifiers() { SetKeyboardState(saved_); }

// capslock on|off, shift down|up: kept until changed again.
bool Container::KeyStateCommand(const ScenarioLine& line, bool capsLock) {
    BYTE state[256];
    GetKeyboardState(state);
    if (capsLock)
        state[VK_CAPITAL] = line.args[0] == "on" ? 1 : 0;
    else
        state[VK_SHIFT] = state[VK_LSHIFT] = line.args[0] == "down" ? 0x80 : 0;
    SetKeyboardState(state);
    return true;
}

// Each chord is pressed and released in the focused window. The modifiers
// are held in the key state and send no key messages of their own, so the
// control sees one key, as with the shift command. With Alt the key comes
// as a system key (WM_SYSKEYDOWN, context bit 29).
bool Container::KeysCommand(const ScenarioLine& line) {
    HWND target = GetFocus();
    if (!target) return Fail(line, "no window has the focus");
    for (const std::string& text : line.args) {
        KeyChord chord = ParseKeyChord(text).chord;  // checked against the table already
        HeldModifiers held(chord.modifiers);
        UINT scan = MapVirtualKeyA(chord.virtualKey, 0);
        LPARAM context =
            1 | (static_cast<LPARAM>(scan) << 16) | (chord.modifiers.alt ? 1 << 29 : 0);
        // The system sends F10 as a system key, as it does keys with Alt.
        const bool system = chord.modifiers.alt || chord.virtualKey == VK_F10;
        UINT down = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
        UINT up = system ? WM_SYSKEYUP : WM_KEYUP;
        PostMessageA(target, down, chord.virtualKey, context);
        Pump();
        PostMessageA(target, up, chord.virtualKey, context | 0xC0000000u);
        Pump();
    }
    return true;
}

// The characters of the text as SendInput's Unicode packets: each is a
// VK_PACKET key-down and key-up the system turns into WM_CHAR for the
// focused window (which must be the foreground window's).
bool Container::TypeUnicodeCommand(const ScenarioLine& line) {
    HWND target = GetFocus();
    if (!target) return Fail(line, "no window has the focus");
    const std::string& utf8 = line.args[0];
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
    SetForegroundWindow(GetAncestor(target, GA_ROOT));
    for (wchar_t unit : text) {
        INPUT input[2] = {};
        for (INPUT& i : input) {
            i.type = INPUT_KEYBOARD;
            i.ki.wScan = unit;
            i.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        if (SendInput(2, input, sizeof(INPUT)) != 2) return Fail(line, "SendInput refused the packets");
        Pump();
    }
    return true;
}

bool Container::MouseCommand(const ScenarioLine& line, Mouse kind) {
    const auto& a = line.args;
    Hosted* h = Control(line, a[0]);
    if (!h) return false;
    HWND child = ControlWindow(*h);
    if (!child) return Fail(line, a[0] + " has no window");
    std::size_t firstModifier = kind == Mouse::Drag ? 5 : 3;
    if (kind == Mouse::Move) firstModifier = a.size();
    Modifiers modifiers = ParseModifiers(a, firstModifier).modifiers;
    HeldModifiers held(modifiers);
    WPARAM keys = (modifiers.ctrl ? MK_CONTROL : 0) | (modifiers.shift ? MK_SHIFT : 0);
    int x = FormPixels(std::stoi(a[1])), y = FormPixels(std::stoi(a[2]));
    LPARAM at = MAKELPARAM(x, y);
    switch (kind) {
        case Mouse::Click:
            PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
            PostMessageA(child, WM_LBUTTONUP, keys, at);
            break;
        case Mouse::DoubleClick:  // the system's sequence for a double click
            PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
            PostMessageA(child, WM_LBUTTONUP, keys, at);
            PostMessageA(child, WM_LBUTTONDBLCLK, MK_LBUTTON | keys, at);
            PostMessageA(child, WM_LBUTTONUP, keys, at);
            break;
        case Mouse::RightClick:
            PostMessageA(child, WM_RBUTTONDOWN, MK_RBUTTON | keys, at);
            PostMessageA(child, WM_RBUTTONUP, keys, at);
            break;
        case Mouse::Move: {
            // The pointer goes there too, so that any move the system makes
            // up on its own agrees with the posted one.
            POINT screen{x, y};
            ClientToScreen(child, &screen);
            SetCursorPos(screen.x, screen.y);
            PostMessageA(child, WM_MOUSEMOVE, keys, at);
            break;
        }
        case Mouse::Drag: {
            int x2 = FormPixels(std::stoi(a[3])), y2 = FormPixels(std::stoi(a[4]));
            PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON | keys, at);
            Pump();
            constexpr int kSteps = 4;  // moves on the way, the last one at the end point
            for (int i = 1; i <= kSteps; ++i) {
                LPARAM p = MAKELPARAM(x + (x2 - x) * i / kSteps, y + (y2 - y) * i / kSteps);
                PostMessageA(child, WM_MOUSEMOVE, MK_LBUTTON | keys, p);
                Pump();
            }
            PostMessageA(child, WM_LBUTTONUP, keys, MAKELPARAM(x2, y2));
            break;
        }
    }
    Pump();
    return true;
}

// resize NAME W H: what a container does when the user sizes a control on
// its form: the new extent (HIMETRIC) and the new rectangles.
bool Container::ResizeCommand(const ScenarioLine& line) {
    const auto& a = line.args;
    Hosted* h = Control(line, a[0]);
    if (!h) return false;
    int width = FormPixels(std::stoi(a[1])), height = FormPixels(std::stoi(a[2]));
    if (width <= 0 || height <= 0) return Fail(line, "a size must be positive");
    h->rect.right = h->rect.left + width;
    h->rect.bottom = h->rect.top + height;
    h->site->SetRect(h->rect);
    HDC screen = GetDC(nullptr);
    SIZEL extent{MulDiv(width, 2540, GetDeviceCaps(screen, LOGPIXELSX)),
                 MulDiv(height, 2540, GetDeviceCaps(screen, LOGPIXELSY))};
    ReleaseDC(nullptr, screen);
    HRESULT hr = h->object->SetExtent(DVASPECT_CONTENT, &extent);
    if (FAILED(hr)) Log(a[0] + " SetExtent: " + Hex(hr));
    IOleInPlaceObject* ip = nullptr;
    hr = h->object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip));
    if (SUCCEEDED(hr)) {
        hr = ip->SetObjectRects(&h->rect, &h->rect);
        ip->Release();
    }
    Pump();
    if (FAILED(hr)) return Fail(line, "resizing " + a[0] + " failed: " + Hex(hr));
    RECT r{};
    HWND child = ControlWindow(*h);
    if (child) GetWindowRect(child, &r);
    Log(a[0] + " resized to " + std::to_string(r.right - r.left) + "x" +
        std::to_string(r.bottom - r.top));
    return true;
}

}  // namespace vexa::container

namespace vexa::container {

// expect-launched URL...: the lines the controls' URL launcher appended to
// the file named by VEXA_URL_LOG since the last check, in order.
bool Container::ExpectLaunchedCommand(const ScenarioLine& line) {
    char path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("VEXA_URL_LOG", path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return Fail(line, "VEXA_URL_LOG is not set: launches are not recorded");
    std::vector<std::string> lines;
    if (FILE* f = std::fopen(path, "rb")) {
        std::string current;
        for (int c; (c = std::fgetc(f)) != EOF;) {
            if (c == '\n') {
                lines.push_back(current);
                current.clear();
            } else {
                current += static_cast<char>(c);
            }
        }
        std::fclose(f);
    }
    std::vector<std::string> fresh;
    for (std::size_t i = launchesSeen_; i < lines.size(); ++i) fresh.push_back(lines[i]);
    launchesSeen_ = lines.size();
    std::string got;
    for (const std::string& l : fresh) got += " " + l;
    if (fresh != line.args) return Fail(line, "opened:" + (got.empty() ? std::string(" nothing") : got));
    Log("launched" + (got.empty() ? std::string(" nothing") : got));
    return true;
}

}  // namespace vexa::container
