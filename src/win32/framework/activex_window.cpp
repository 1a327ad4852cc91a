// The control's window: a class of its own, or a subclassed system window
// ("BUTTON", "STATIC", "LISTBOX") inside a reflector that hands the window's
// notifications back to the control; and the messages the framework
// handles for every control (paint, focus, keys, mouse, dialog codes,
// cursor).
#include "win32/framework/activex_control.h"

#include "win32/framework/accessible_object.h"
#include "win32/framework/com_module.h"

namespace vexa::win32 {

namespace {

constexpr const char* kReflectorClass = "VexaReflector";
constexpr const wchar_t* kWindowClass = L"VexaControlWindow";

bool RegisterClassOnce(const char* name, WNDPROC proc, HCURSOR cursor) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.hInstance = ModuleInstance();
    wc.hCursor = cursor;
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The control's own window class is a Unicode one: its character messages
// carry UTF-16 (system keyboard layouts, input methods, SendInput packets).
bool RegisterUnicodeClassOnce(const wchar_t* name, HCURSOR cursor) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ModuleInstance();
    wc.hCursor = cursor;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A Unicode window keeps getting Unicode messages only through a procedure
// set with the wide call; the previous procedure is called the same way.
LONG_PTR SubclassWindow(HWND hwnd, WNDPROC proc) {
    const auto p = reinterpret_cast<LONG_PTR>(proc);
    return IsWindowUnicode(hwnd) ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, p)
                                 : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, p);
}

LRESULT CallPrevious(WNDPROC previous, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return IsWindowUnicode(hwnd) ? CallWindowProcW(previous, hwnd, msg, wp, lp)
                                 : CallWindowProcA(previous, hwnd, msg, wp, lp);
}

// The system window of `kind` inside `parent` (the reflector), at
// `at.left`, `at.top`, `at.right` wide and `at.bottom` high.
HWND CreateSystemWindow(const char* systemClass, bool unicode, DWORD exStyle, DWORD style,
                        const RECT& at, HWND parent) {
    if (!unicode)
        return CreateWindowExA(exStyle, systemClass, "", style, at.left, at.top, at.right,
                               at.bottom, parent, reinterpret_cast<HMENU>(1), ModuleInstance(),
                               nullptr);
    const std::string narrow(systemClass);
    const std::wstring name(narrow.begin(), narrow.end());
    return CreateWindowExW(exStyle, name.c_str(), L"", style, at.left, at.top, at.right, at.bottom,
                           parent, reinterpret_cast<HMENU>(1), ModuleInstance(), nullptr);
}

LRESULT DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, msg, wp, lp)
                                 : DefWindowProcA(hwnd, msg, wp, lp);
}

// The window a notification is about, for the messages a child sends its
// parent; null for any other message.
HWND NotifyingChild(HWND parent, UINT msg, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND: return reinterpret_cast<HWND>(lp);
        case WM_NOTIFY: return lp ? reinterpret_cast<NMHDR*>(lp)->hwndFrom : nullptr;
        case WM_DRAWITEM: return lp ? reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem : nullptr;
        case WM_MEASUREITEM:
            return lp ? GetDlgItem(parent, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->CtlID))
                      : nullptr;
        case WM_DELETEITEM: return lp ? reinterpret_cast<DELETEITEMSTRUCT*>(lp)->hwndItem : nullptr;
        case WM_COMPAREITEM: return lp ? reinterpret_cast<COMPAREITEMSTRUCT*>(lp)->hwndItem : nullptr;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORMSGBOX:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM: return reinterpret_cast<HWND>(lp);
        case WM_HSCROLL:
        case WM_VSCROLL: return reinterpret_cast<HWND>(lp);
        default: return nullptr;
    }
}

}  // namespace

bool ActiveXControl::CreateControlWindow(HWND parent, const RECT& rect) {
    EnsureInitialized();
    static const bool registered =
        RegisterUnicodeClassOnce(kWindowClass, LoadCursor(nullptr, IDC_ARROW)) &&
        RegisterClassOnce(kReflectorClass, &ReflectorProc, LoadCursor(nullptr, IDC_ARROW));
    if (!registered) return false;

    const WindowKind kind = Kind();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | kind.style;
    DWORD exStyle = 0;
    FrameStyles(style, exStyle);
    if (!enabled_) style |= WS_DISABLED;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;

    HWND hwnd = nullptr;
    if (kind.systemClass) {
        // The system window sends its notifications to its parent; the
        // reflector is that parent and hands them back to the control. It
        // is a control parent, so dialog navigation reaches the window.
        reflector_ = CreateWindowExA(WS_EX_CONTROLPARENT, kReflectorClass, "",
                                     WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect.left,
                                     rect.top, width, height, parent, nullptr, ModuleInstance(),
                                     nullptr);
        if (!reflector_) return false;
        SetWindowLongPtrA(reflector_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        hwnd = CreateSystemWindow(kind.systemClass, kind.unicode, exStyle, style, {0, 0, width, height}, reflector_);
    } else {
        hwnd = CreateWindowExW(exStyle, kWindowClass, L"", style, rect.left, rect.top,
                               width, height, parent, nullptr, ModuleInstance(), nullptr);
    }
    if (!hwnd) {
        if (reflector_) DestroyWindow(reflector_);
        reflector_ = nullptr;
        return false;
    }
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    auto previous = SubclassWindow(hwnd, &WindowProc);
    originalProc_ = kind.systemClass ? reinterpret_cast<WNDPROC>(previous) : nullptr;
    if (!OnCreate()) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (originalProc_) SubclassWindow(hwnd, originalProc_);
        DestroyWindow(hwnd);
        hwnd_ = nullptr;
        if (reflector_) DestroyWindow(reflector_);
        reflector_ = nullptr;
        return false;
    }
    ConnectAccessibility();
    RECT client;
    GetClientRect(hwnd, &client);
    OnSize(client.right, client.bottom);
    return true;
}

bool ActiveXControl::CreateOwnedWindow(HWND parent, const RECT& rect, int id) {
    if (!CreateControlWindow(parent, rect)) return false;
    HWND outer = reflector_ ? reflector_ : hwnd_;
    SetWindowLongPtrA(outer, GWLP_ID, id);
    ShowWindow(outer, SW_SHOWNA);
    if (reflector_) ShowWindow(hwnd_, SW_SHOWNA);
    return true;
}

bool ActiveXControl::RecreateSystemWindow() {
    if (!hwnd_ || !reflector_ || !originalProc_) return false;
    HWND old = hwnd_;
    const WindowKind kind = Kind();
    const DWORD kept = static_cast<DWORD>(GetWindowLongPtrA(old, GWL_STYLE)) &
                       (WS_VISIBLE | WS_DISABLED | WS_BORDER | WS_TABSTOP);
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(old, GWL_EXSTYLE));
    RECT r;
    GetWindowRect(old, &r);
    MapWindowPoints(nullptr, reflector_, reinterpret_cast<POINT*>(&r), 2);
    HWND fresh = CreateSystemWindow(kind.systemClass, kind.unicode, exStyle, WS_CHILD | WS_CLIPSIBLINGS | kept | kind.style,
                                    {r.left, r.top, r.right - r.left, r.bottom - r.top}, reflector_);
    if (!fresh) return false;
    const bool focused = GetFocus() == old;
    // The old window leaves without the control: no OnDestroy for it.
    SetWindowLongPtrA(old, GWLP_USERDATA, 0);
    SubclassWindow(old, originalProc_);
    SetWindowLongPtrA(fresh, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    originalProc_ = reinterpret_cast<WNDPROC>(SubclassWindow(fresh, &WindowProc));
    hwnd_ = fresh;
    ConnectAccessibility();
    DestroyWindow(old);
    if (focused) SetFocus(fresh);
    return true;
}

// The frame the stock properties ask for: none while BorderStyle is 0; with
// a border, sunken when Appearance is 1 (3D), a flat line otherwise.
void ActiveXControl::FrameStyles(DWORD& style, DWORD& exStyle) const {
    style &= ~static_cast<DWORD>(WS_BORDER);
    exStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    if (borderStyle_ != 1) return;
    if (appearance_ == 1)
        exStyle |= WS_EX_CLIENTEDGE;
    else
        style |= WS_BORDER;
}

void ActiveXControl::ApplyFrame() {
    if (!hwnd_) return;
    auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE));
    auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE));
    const DWORD oldStyle = style, oldExStyle = exStyle;
    FrameStyles(style, exStyle);
    if (style == oldStyle && exStyle == oldExStyle) return;
    SetWindowLongPtrA(hwnd_, GWL_STYLE, static_cast<LONG_PTR>(style));
    SetWindowLongPtrA(hwnd_, GWL_EXSTYLE, static_cast<LONG_PTR>(exStyle));
    // The window measures its frame again (a new client rectangle, WM_SIZE
    // to the control) and draws it.
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

LRESULT ActiveXControl::DialogCode(const MSG* msg) const {
    LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS;
    if (msg && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP || msg->message == WM_CHAR) &&
        KeepsKey(static_cast<UINT>(msg->wParam)))
        code |= DLGC_WANTMESSAGE;
    return code;
}

void ActiveXControl::PaintSystemWindow(HDC dc) {
    if (hwnd_ && originalProc_) CallPrevious(originalProc_, hwnd_, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
}

LRESULT ActiveXControl::CallOriginal(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return originalProc_ ? CallPrevious(originalProc_, hwnd, msg, wp, lp)
                         : DefaultProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK ActiveXControl::ReflectorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<ActiveXControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) {
        HWND child = NotifyingChild(hwnd, msg, lp);
        if (child && child == self->hwnd_) return SendMessageA(child, OCM__BASE + msg, wp, lp);
        if (msg == WM_SETFOCUS && self->hwnd_) {
            SetFocus(self->hwnd_);
            return 0;
        }
        if (msg == WM_NCDESTROY && self->reflector_ == hwnd) self->reflector_ = nullptr;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// The messages the framework handles for every control, one handler each.
// A handler returns true when it answered the message with `result`, false
// to pass it on to the window's original procedure (the system class's, or
// DefWindowProc). Most messages are the control's alone in a window of its
// own but still go on to a system window after the control has seen them.
class WindowMessages {
public:
    using Handler = bool (*)(ActiveXControl& self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                             LRESULT& result);

    static Handler Find(UINT msg);

private:
    static bool System(const ActiveXControl& self) { return self.originalProc_ != nullptr; }
    // A system window whose painting the control does entirely.
    static bool SystemPaints(ActiveXControl& self) {
        return System(self) && !self.PaintsSystemWindow();
    }
    // Answered with 0, unless a system window also needs the message.
    static bool OwnWindowAnswers(const ActiveXControl& self, LRESULT& result) {
        result = 0;
        return !System(self);
    }

    static bool Paint(ActiveXControl& self, HWND hwnd, UINT, WPARAM, LPARAM, LRESULT& result) {
        // A system window paints itself (owner drawing comes reflected).
        if (SystemPaints(self)) return false;
        result = 0;
        if (self.OnPaintMessage()) return true;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        self.OnDraw(dc, client);
        EndPaint(hwnd, &ps);
        return true;
    }
    static bool PrintClient(ActiveXControl& self, HWND hwnd, UINT, WPARAM wp, LPARAM,
                            LRESULT& result) {
        if (SystemPaints(self)) return false;
        RECT client;
        GetClientRect(hwnd, &client);
        self.OnDraw(reinterpret_cast<HDC>(wp), client);
        result = 0;
        return true;
    }
    static bool EraseBackground(ActiveXControl& self, HWND, UINT, WPARAM, LPARAM,
                                LRESULT& result) {
        if (SystemPaints(self)) return false;
        result = 1;
        return true;
    }
    static bool Size(ActiveXControl& self, HWND, UINT, WPARAM, LPARAM lp, LRESULT& result) {
        self.OnSize(LOWORD(lp), HIWORD(lp));
        return OwnWindowAnswers(self, result);
    }
    static bool SetFocus(ActiveXControl& self, HWND, UINT, WPARAM, LPARAM, LRESULT& result) {
        if (self.inPlaceSite_ && !self.uiActive_) {
            self.uiActive_ = true;
            self.inPlaceSite_->OnUIActivate();
        }
        self.OnSetFocus();
        self.AnnounceFocus();
        return OwnWindowAnswers(self, result);
    }
    static bool KillFocus(ActiveXControl& self, HWND, UINT, WPARAM, LPARAM, LRESULT& result) {
        self.OnKillFocus();
        return OwnWindowAnswers(self, result);
    }
    static bool DialogCode(ActiveXControl& self, HWND, UINT msg, WPARAM wp, LPARAM lp,
                           LRESULT& result) {
        if (System(self)) return self.OnMessage(msg, wp, lp, result);
        result = self.DialogCode(reinterpret_cast<const MSG*>(lp));
        return true;
    }
    static bool SetCursor(ActiveXControl& self, HWND, UINT, WPARAM, LPARAM lp, LRESULT& result) {
        if (LOWORD(lp) != HTCLIENT || !self.Cursor()) return false;
        ::SetCursor(self.Cursor());
        result = TRUE;
        return true;
    }
    static bool MouseActivate(ActiveXControl& self, HWND, UINT, WPARAM, LPARAM,
                              LRESULT& result) {
        if (System(self)) return false;
        result = MA_ACTIVATE;
        return true;
    }
    // Keys and characters. The control's own keyboards translate key-down
    // messages, so the WM_CHAR the message loop makes of an ASCII key keeps
    // its old meaning (OnChar); a character no key of the control's own
    // path gives (non-ASCII, or a VK_PACKET's) is typed as Unicode.
    static bool Key(ActiveXControl& self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                    LRESULT& result) {
        const auto key = static_cast<UINT>(wp);
        if (msg == WM_KEYDOWN && key == VK_PACKET) {
            self.packetPending_ = true;
            return OwnWindowAnswers(self, result);
        }
        if (msg == WM_KEYDOWN) {
            self.packetPending_ = false;
            self.OnKeyDown(key, lp);
        }
        if (msg == WM_KEYUP && key != VK_PACKET) self.OnKeyUp(key, lp);
        if (msg == WM_CHAR) {
            const bool unicode = IsWindowUnicode(hwnd) && (key >= 0x80 || self.packetPending_);
            self.packetPending_ = false;
            if (unicode) {
                // The control's alone: a system window would search or
                // type it a second time.
                self.OnUnicodeChar(static_cast<wchar_t>(key));
                result = 0;
                return true;
            }
            self.OnChar(key, lp);
        }
        return OwnWindowAnswers(self, result);
    }
    static bool ImeChar(ActiveXControl& self, HWND hwnd, UINT, WPARAM wp, LPARAM,
                        LRESULT& result) {
        if (!IsWindowUnicode(hwnd)) return false;
        self.OnUnicodeChar(static_cast<wchar_t>(wp));
        result = 0;
        return true;
    }
    // WM_UNICHAR: a code point (UTF-32); UNICODE_NOCHAR asks whether the
    // window takes the message at all.
    static bool UniChar(ActiveXControl& self, HWND, UINT, WPARAM wp, LPARAM, LRESULT& result) {
        if (wp == UNICODE_NOCHAR) {
            result = TRUE;
            return true;
        }
        const auto c = static_cast<UINT32>(wp);
        if (c >= 0x10000) {
            self.OnUnicodeChar(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
            self.OnUnicodeChar(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            self.OnUnicodeChar(static_cast<wchar_t>(c));
        }
        result = FALSE;
        return true;
    }
    static bool ButtonDown(ActiveXControl& self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                           LRESULT& result) {
        if (!self.WantsMouse()) {
            result = 0;
            return true;
        }
        if (self.TakesFocus() && GetFocus() != hwnd) ::SetFocus(hwnd);
        self.OnMouse(msg, wp, lp);
        return OwnWindowAnswers(self, result);
    }
    static bool Mouse(ActiveXControl& self, HWND, UINT msg, WPARAM wp, LPARAM lp,
                      LRESULT& result) {
        self.OnMouse(msg, wp, lp);
        return OwnWindowAnswers(self, result);
    }
    static bool AccessibleObjectRequest(ActiveXControl& self, HWND hwnd, UINT, WPARAM wp, LPARAM lp,
                                        LRESULT& result) {
        return self.AnswerGetObject(hwnd, wp, lp, result);
    }
    static bool Destroy(ActiveXControl& self, HWND, UINT, WPARAM, LPARAM, LRESULT&) {
        self.OnDestroy();
        return false;
    }
    // The window is gone: the control lets go of it, and the original
    // procedure (if any) has the last word.
    static bool NcDestroy(ActiveXControl& self, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                          LRESULT& result) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (self.hwnd_ == hwnd) {
            self.hwnd_ = nullptr;
            if (self.accessibility_) self.accessibility_->Detach();
        }
        WNDPROC original = self.originalProc_;
        self.originalProc_ = nullptr;
        result = original ? CallPrevious(original, hwnd, msg, wp, lp)
                          : DefaultProc(hwnd, msg, wp, lp);
        return true;
    }

    struct Entry {
        UINT msg;
        Handler handler;
    };
    static constexpr Entry kTable[] = {
        {WM_PAINT, &Paint},
        {WM_PRINTCLIENT, &PrintClient},
        {WM_ERASEBKGND, &EraseBackground},
        {WM_SIZE, &Size},
        {WM_SETFOCUS, &SetFocus},
        {WM_KILLFOCUS, &KillFocus},
        {WM_GETDLGCODE, &DialogCode},
        {WM_SETCURSOR, &SetCursor},
        {WM_MOUSEACTIVATE, &MouseActivate},
        {WM_KEYDOWN, &Key},
        {WM_KEYUP, &Key},
        {WM_CHAR, &Key},
        {WM_IME_CHAR, &ImeChar},
        {WM_UNICHAR, &UniChar},
        {WM_LBUTTONDOWN, &ButtonDown},
        {WM_LBUTTONDBLCLK, &ButtonDown},
        {WM_LBUTTONUP, &Mouse},
        {WM_MOUSEMOVE, &Mouse},
        {WM_RBUTTONDOWN, &Mouse},
        {WM_RBUTTONUP, &Mouse},
        {WM_GETOBJECT, &AccessibleObjectRequest},
        {WM_DESTROY, &Destroy},
        {WM_NCDESTROY, &NcDestroy},
    };
};

WindowMessages::Handler WindowMessages::Find(UINT msg) {
    for (const Entry& e : kTable) {
        if (e.msg == msg) return e.handler;
    }
    return nullptr;
}

LRESULT CALLBACK ActiveXControl::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<ActiveXControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefaultProc(hwnd, msg, wp, lp);
    LRESULT result = 0;
    if (msg >= OCM__BASE && msg < OCM__BASE + WM_USER) {
        const UINT original = msg - OCM__BASE;
        if (self->OnReflected(original, wp, lp, result)) return result;
        // Unhandled: what the parent would have answered by default.
        return DefWindowProcA(GetParent(hwnd), original, wp, lp);
    }
    // A message the framework does not handle is the control's to take.
    const WindowMessages::Handler handler = WindowMessages::Find(msg);
    const bool answered = handler ? handler(*self, hwnd, msg, wp, lp, result)
                                  : self->OnMessage(msg, wp, lp, result);
    return answered ? result : self->CallOriginal(hwnd, msg, wp, lp);
}

}  // namespace vexa::win32
