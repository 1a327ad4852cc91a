#include "win32/adapters/caption_ctrl.h"

#include <string_view>

#include "captions/caption_paint.h"
#include "captions/caption_properties.h"
#include "module/automation_catalogue.h"
#include "module/class_table.h"
#include "win32/framework/module_services.h"
#include "win32/framework/rebuild_font.h"

namespace vexa::win32 {

using captions::CaptionKind;
using captions::DialogRole;

namespace {

const module::CoClass& ClassOf(CaptionKind kind) {
    return *module::Catalogue().FindClass(captions::KindInfo(kind).controlName);
}

unsigned MiscStatusOf(CaptionKind kind) {
    return module::ControlFactory(captions::KindInfo(kind).controlIndex).miscStatus;
}

// The owner-drawn window keeps the push-like and left-text bits of the
// logic's style; its kind is always the owner-drawn one.
constexpr DWORD kKeptStyle = captions::kPushLikeStyle | captions::kLeftTextStyle;

captions::ButtonColours SystemColours() {
    captions::ButtonColours c;
    c.face = GetSysColor(COLOR_BTNFACE);
    c.highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    c.shadow = GetSysColor(COLOR_BTNSHADOW);
    c.darkShadow = GetSysColor(COLOR_3DDKSHADOW);
    c.text = GetSysColor(COLOR_BTNTEXT);
    c.grayText = GetSysColor(COLOR_GRAYTEXT);
    c.window = GetSysColor(COLOR_WINDOW);
    return c;
}

bool IsArrow(UINT key) { return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN; }

}  // namespace

CCaptionCtrl::CCaptionCtrl(CaptionKind kind)
    : ActiveXControl(ClassOf(kind), MiscStatusOf(kind)),
      logic_(kind, {ControlPlatform(), Services().registry, Services().settings}, *this),
      table_(captions::CaptionPropertyTable(kind), logic_) {
    UseProperties(table_);
}

CCaptionCtrl::~CCaptionCtrl() = default;

void CCaptionCtrl::OnResetState() { logic_.Reset(); }

void CCaptionCtrl::OnAmbientChanged(DISPID dispId) {
    if (dispId != DISPID_AMBIENT_DISPLAYASDEFAULT && dispId != DISPID_UNKNOWN) return;
    ambientDefault_ = logic_.Info().enterClicks && AmbientBool(DISPID_AMBIENT_DISPLAYASDEFAULT, false);
    InvalidateControl();
}

void CCaptionCtrl::DoPropExchange(common::PropertyExchange& px) {
    logic_.Exchange(px, AmbientUserMode());
    if (px.IsLoading() && Window()) {
        ApplyStyle(logic_.WindowStyle());
        logic_.RebuildFontAndText();
    }
}

// ---- window ----

ActiveXControl::WindowKind CCaptionCtrl::Kind() const {
    return {"BUTTON", BS_OWNERDRAW | (logic_.WindowStyle() & kKeptStyle)};
}

bool CCaptionCtrl::OnCreate() {
    if (!logic_.BindAtCreation()) return false;
    if (!TakesFocus()) {
        SetWindowLongPtrA(Window(), GWL_STYLE, GetWindowLongPtrA(Window(), GWL_STYLE) & ~WS_TABSTOP);
    }
    ambientDefault_ = logic_.Info().enterClicks && AmbientBool(DISPID_AMBIENT_DISPLAYASDEFAULT, false);
    logic_.WindowCreated();
    return true;
}

void CCaptionCtrl::OnDestroy() { logic_.Binding().UnloadConverter(); }

void CCaptionCtrl::ApplyStyle(std::uint32_t style) {
    HWND hwnd = Window();
    if (!hwnd) return;
    LONG_PTR current = GetWindowLongPtrA(hwnd, GWL_STYLE);
    LONG_PTR next = (current & ~static_cast<LONG_PTR>(BS_TYPEMASK | kKeptStyle)) | BS_OWNERDRAW |
                    (style & kKeptStyle);
    if (next != current) SetWindowLongPtrA(hwnd, GWL_STYLE, next);
    InvalidateControl();
}

// The window font is the script font; the button draws with all three.
void CCaptionCtrl::RebuildFont(const common::DrawingScript& script) {
    win32::RebuildFont(Window(), scriptFonts_, fonts_, script, {.redraw = true});
}

void CCaptionCtrl::ShowWindowText(const std::string& text) {
    if (HWND hwnd = Window()) SetWindowTextA(hwnd, text.c_str());
}

void CCaptionCtrl::Paint(HDC dc, const RECT& r, bool pressed, bool focused) {
    Win32Surface surface(dc, nullptr);
    captions::ButtonState state;
    state.check = logic_.CheckState();
    state.pressed = pressed;
    state.focused = focused;
    state.enabled = enabled_;
    state.isDefault = IsDefault();
    captions::PaintCaption(surface, scriptFonts_, logic_.Drawing().scriptName, logic_.DrawRun(),
                           {r.left, r.top, r.right, r.bottom}, logic_.WindowStyle(), state,
                           SystemColours());
}

void CCaptionCtrl::OnDraw(HDC dc, const RECT& bounds) { Paint(dc, bounds, false, false); }

bool CCaptionCtrl::OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == WM_COMMAND) {
        if (HIWORD(wp) == BN_CLICKED) Click();
        result = 0;
        return true;  // the button's notifications end here
    }
    if (msg == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        Paint(item->hDC, item->rcItem, (item->itemState & ODS_SELECTED) != 0,
              (item->itemState & ODS_FOCUS) != 0);
        result = TRUE;
        return true;
    }
    return false;
}

void CCaptionCtrl::Click() {
    const captions::ClickOutcome outcome = logic_.Clicked();
    if (outcome.clearGroup) ClearRadioGroup();
    if (outcome.fireClick) FireEvent("Click");
}

HWND CCaptionCtrl::GroupRoot() const {
    HWND w = GetParent(Window());  // the reflector
    while (w && (GetWindowLongPtrA(w, GWL_STYLE) & WS_CHILD) &&
           (GetWindowLongPtrA(w, GWL_EXSTYLE) & WS_EX_CONTROLPARENT))
        w = GetParent(w);
    return w;
}

void CCaptionCtrl::ClearRadioGroup() {
    HWND self = Window();
    HWND root = GroupRoot();
    if (!self || !root) return;
    HWND next = self;
    for (int guard = 0; guard < 1024; ++guard) {
        next = GetNextDlgGroupItem(root, next, FALSE);
        if (!next || next == self) break;
        const LRESULT code = SendMessageA(next, WM_GETDLGCODE, 0, 0);
        const LONG_PTR kind = GetWindowLongPtrA(next, GWL_STYLE) & BS_TYPEMASK;
        if ((code & DLGC_RADIOBUTTON) && (kind == BS_AUTORADIOBUTTON || kind == BS_OWNERDRAW))
            SendMessageA(next, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

bool CCaptionCtrl::MoveInRadioGroup(bool previous) {
    HWND self = Window();
    HWND root = GroupRoot();
    if (!self || !root) return false;
    HWND next = self;
    for (int guard = 0; guard < 1024; ++guard) {
        next = GetNextDlgGroupItem(root, next, previous);
        if (!next || next == self) return false;
        if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) break;
    }
    SetFocus(next);
    if (SendMessageA(next, BM_GETCHECK, 0, 0) != BST_CHECKED) SendMessageA(next, BM_CLICK, 0, 0);
    return true;
}

LRESULT CCaptionCtrl::DialogCodeFor(const MSG* msg) const {
    const bool enter = msg && msg->wParam == VK_RETURN &&
                       (msg->message == WM_KEYDOWN || msg->message == WM_CHAR);
    const bool arrow = msg && msg->message == WM_KEYDOWN && IsArrow(static_cast<UINT>(msg->wParam));
    const std::uint32_t kind = logic_.WindowStyle() & captions::kKindMask;
    switch (logic_.Info().role) {
        case DialogRole::Static: return DLGC_STATIC;
        case DialogRole::PushButton:
            return DLGC_BUTTON | (IsDefault() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON) |
                   (enter ? DLGC_WANTMESSAGE : 0);
        case DialogRole::RadioButton:
            if (kind == captions::kAutoRadioKind)
                return DLGC_BUTTON | DLGC_RADIOBUTTON | (arrow ? DLGC_WANTMESSAGE : 0);
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case DialogRole::CheckBox:
            return kind == captions::kPushButtonKind ? DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON : DLGC_BUTTON;
    }
    return DLGC_BUTTON;
}

bool CCaptionCtrl::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
        case WM_GETDLGCODE: result = DialogCodeFor(reinterpret_cast<const MSG*>(lp)); return true;
        case BM_GETCHECK: result = logic_.CheckState(); return true;
        case BM_SETCHECK:
            logic_.SetCheckState(wp == BST_CHECKED ? 1 : 0);
            result = 0;
            return true;
        case BM_SETSTYLE:
            // The dialog manager moves the default-button look between push
            // buttons; the window stays owner-drawn and only the look follows.
            if (logic_.Info().enterClicks) dialogDefault_ = (wp & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            if (lp) InvalidateControl();
            result = 0;
            return true;
        case WM_NCHITTEST:
            if (TakesFocus()) return false;
            result = HTTRANSPARENT;
            return true;
        default: return false;
    }
}

// Enter clicks a push button on the key press: a host that offers keys to
// the control's TranslateAccelerator first takes the key as handled, and
// no character message ever follows it.
void CCaptionCtrl::OnKeyDown(UINT key, LPARAM) {
    if (key == VK_RETURN && logic_.Info().enterClicks) FireEvent("Click");
    if (IsArrow(key) && logic_.Info().role == DialogRole::RadioButton &&
        (logic_.WindowStyle() & captions::kKindMask) == captions::kAutoRadioKind)
        MoveInRadioGroup(key == VK_LEFT || key == VK_UP);
}

bool CCaptionCtrl::OnMnemonicKey(const MSG& msg) {
    // The container's default button: Enter clicks it.
    if (!logic_.Info().enterClicks || msg.wParam != VK_RETURN) return false;
    if (msg.message == WM_KEYDOWN) FireEvent("Click");
    return true;
}

bool CCaptionCtrl::TakesFocus() const { return logic_.Info().role != DialogRole::Static; }

bool CCaptionCtrl::KeepsKey(UINT key) const { return key == VK_RETURN && logic_.Info().enterClicks; }

}  // namespace vexa::win32
